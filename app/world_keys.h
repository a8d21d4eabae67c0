#pragma once

// The keys of the world: G shows or hides the lines between the maps in the
// world view; in Edit, on a wilderness map of the 20 x 20 world, Ctrl with
// an arrow key opens the neighbouring wilderness map.

namespace vek {

struct CommandContext;

class WorldKeys {
 public:
  // Reads Allegro's key globals once a pass and acts on a key when it goes
  // down, so that holding it acts once.
  void handle(CommandContext& context);

 private:
  enum Key { kGridKey, kLeft, kRight, kUp, kDown, kKeyCount };
  bool wentDown(Key which, bool down);

  bool held_[kKeyCount] = {};
};

}  // namespace vek
