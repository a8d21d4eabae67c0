#pragma once

// The editor run headless for timing: Allegro without a system or graphics
// driver, and a 1000 x 700 memory bitmap in the given colour depth standing
// in for the screen.

#include <allegro.h>

#include <memory>

#include "app/editor_app.h"
#include "bench_platform.h"
#include "bench_world.h"

namespace vek::bench {

// Allegro started with its "none" system driver for as long as it lives.
class HeadlessAllegro {
 public:
  HeadlessAllegro();
  ~HeadlessAllegro();
  HeadlessAllegro(const HeadlessAllegro&) = delete;
  HeadlessAllegro& operator=(const HeadlessAllegro&) = delete;
  bool started() const { return started_; }

 private:
  bool started_ = false;
};

// Where the mouse rests during the timed passes: over the map area, no
// button held, so each pass draws the readout and acts on nothing.
inline constexpr int kMouseX = 400;
inline constexpr int kMouseY = 200;

// An editor started on the world's data.dat with its Edit map as the first
// map, in its own screen stand-in.
class BenchEditor {
 public:
  BenchEditor(int depth, const BenchWorld& world);
  ~BenchEditor();
  BenchEditor(const BenchEditor&) = delete;
  BenchEditor& operator=(const BenchEditor&) = delete;

  // Makes this editor's depth the current one, points screen at its stand-in
  // and puts the mouse at rest over the map.
  void activate();

  EditorApp& app() { return *app_; }
  int depth() const { return depth_; }

 private:
  int depth_;
  BITMAP* screen_ = nullptr;
  BenchPlatform platform_;
  std::unique_ptr<EditorApp> app_;
};

}  // namespace vek::bench
