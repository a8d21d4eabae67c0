#pragma once

// The teleport list of the right-hand column: the "TELEPORTS" heading with
// the red "+", then one row per teleport from y = 100 (its position, its
// name, a red "-"), as many rows as fit above the bottom of the screen. A
// longer list scrolls, by the mouse wheel over it and by two small arrows
// right of the "-" column at its two ends, so every row can be reached.

#include <allegro.h>

#include <optional>
#include <string>
#include <vector>

#include "map/map.h"

namespace vek {

// The column of the scroll arrows, right of the "-" marks.
inline constexpr int kListArrowX = 990;
inline constexpr int kListArrowWidth = 10;
// Rows the list moves for one notch of the mouse wheel.
inline constexpr int kRowsPerWheelNotch = 3;
// The room a name has between its column and the "-" column.
inline constexpr int kNameWidth = 60;

class TeleportList {
 public:
  // How many rows fit between the top of the rows and the bottom of a
  // screen this high.
  static int rowsThatFit(int screenHeight);

  // Looks whether each teleport's destination file is in folder, but only
  // when the folder or a destination name differs from the last look (or
  // after forgetDestinations): drawing reads no file system.
  void lookAtDestinations(const Map& map, const std::string& folder);
  // Files may have been written: the next look checks every name again.
  void forgetDestinations() { lookedFolder_.reset(); }

  // The heading, the "+", the rows shown and, when not every row fits, the
  // arrows (grey at an end the list cannot move past). A yellow "?" follows
  // the name of a destination that the last look did not find.
  void draw(BITMAP* target, const Map& map) const;

  // The list index of the teleport whose row lies at height y of a screen
  // this high; -1 where no teleport's row is shown.
  int teleportAt(int y, int teleportCount, int screenHeight) const;
  // The first row shown, for a list of that many on a screen this high.
  int firstShown(int teleportCount, int screenHeight) const;

  // Moves the rows shown by that many (negative: towards the first row),
  // no further than either end.
  void scroll(int rows, int teleportCount, int screenHeight);
  // Shows the first row again and forgets the destinations: for another map.
  void reset() {
    first_ = 0;
    forgetDestinations();
  }

  // Whether a point lies on the up arrow (beside the first row shown) or on
  // the down arrow (beside the last row that fits).
  static bool isOnUpArrow(int x, int y);
  static bool isOnDownArrow(int x, int y, int screenHeight);
  // Whether a point lies over the rows, arrows included (where the wheel
  // scrolls the list).
  static bool isOverRows(int x, int y, int screenHeight);

 private:
  bool destinationMissing(std::size_t index) const;

  int first_ = 0;
  // What the last look at the destinations saw: the folder, each name, and
  // whether its file was there.
  std::optional<std::string> lookedFolder_;
  std::vector<std::string> lookedNames_;
  std::vector<bool> destinationFound_;
};

// The name as it fits in width pixels of Allegro's font: whole, or cut
// (between characters, never inside one) and ended with "...".
std::string fittedName(const char* name, int width);

}  // namespace vek
