#pragma once

// The five global functions through which a generation script sees the
// editor: settile, gettile, rand, getpos and message.

#include "platform/platform.h"
#include "script/script_grid.h"
#include "script/script_stop.h"
#include "script/script_string_value.h"

class asIScriptEngine;

namespace vek {

// Cells of the map area that getpos divides the screen into.
constexpr int kCellWidthPixels = 18;
constexpr int kCellHeightPixels = 20;
// The map area: 48 x 24 cells from the screen's top-left corner.
constexpr int kMapAreaWidthPixels = 48 * kCellWidthPixels;
constexpr int kMapAreaHeightPixels = 24 * kCellHeightPixels;

// The largest value the script's rand() gives, on every platform.
constexpr int kScriptRandMax = 32767;

// A draw from the C library's generator (seeded once by the program at
// start-up), reduced to 0..32767 whatever the platform's RAND_MAX.
int scriptRand();

class ScriptApi {
 public:
  // stop ends getpos's wait when it is requested.
  ScriptApi(ScriptGrid& grid, MessageBox& messages, PointerWait& pointer, const ScriptStop& stop)
      : grid_(grid), messages_(messages), pointer_(pointer), stop_(stop) {}

  // Registers the five functions, in the order settile, gettile, rand,
  // getpos, message, bound to this object. The "string" type must be
  // registered already. False as soon as one registration fails.
  bool registerWith(asIScriptEngine& engine);

  // void settile(int x, int y, int tile)
  void settile(int x, int y, int tile);
  // int gettile(int x, int y)
  int gettile(int x, int y);
  // int rand()
  int rand();
  // void getpos(int &out x, int &out y)
  void getpos(int& x, int& y);
  // void message(string text)
  void message(const ScriptStringValue& text);

 private:
  ScriptGrid& grid_;
  MessageBox& messages_;
  PointerWait& pointer_;
  const ScriptStop& stop_;
};

}  // namespace vek
