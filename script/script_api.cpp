#include "script_api.h"

#include <angelscript.h>

#include <cstdlib>

#include "script/script_string.h"

namespace vek {

int scriptRand() {
  // Dividing by a power of two keeps the high bits, which are the better
  // ones of the common generators; with RAND_MAX 32767 it divides by 1.
  constexpr long kDivisor = static_cast<long>(RAND_MAX) / (kScriptRandMax + 1L) + 1;
  return static_cast<int>(std::rand() / kDivisor);
}

bool ScriptApi::registerWith(asIScriptEngine& engine) {
  return engine.RegisterGlobalFunction("void settile(int x, int y, int tile)",
                                       asMETHOD(ScriptApi, settile), asCALL_THISCALL_ASGLOBAL,
                                       this) >= 0 &&
         engine.RegisterGlobalFunction("int gettile(int x, int y)", asMETHOD(ScriptApi, gettile),
                                       asCALL_THISCALL_ASGLOBAL, this) >= 0 &&
         engine.RegisterGlobalFunction("int rand()", asMETHOD(ScriptApi, rand),
                                       asCALL_THISCALL_ASGLOBAL, this) >= 0 &&
         engine.RegisterGlobalFunction("void getpos(int &out x, int &out y)",
                                       asMETHOD(ScriptApi, getpos), asCALL_THISCALL_ASGLOBAL,
                                       this) >= 0 &&
         engine.RegisterGlobalFunction("void message(string text)", asMETHOD(ScriptApi, message),
                                       asCALL_THISCALL_ASGLOBAL, this) >= 0;
}

void ScriptApi::settile(int x, int y, int tile) { grid_.set(x, y, tile); }

int ScriptApi::gettile(int x, int y) { return grid_.get(x, y); }

int ScriptApi::rand() { return scriptRand(); }

void ScriptApi::getpos(int& x, int& y) {
  int pixelX = 0;
  int pixelY = 0;
  pointer_.waitForLeftClick(kMapAreaWidthPixels, kMapAreaHeightPixels, &pixelX, &pixelY);
  x = pixelX / kCellWidthPixels + 1;
  y = pixelY / kCellHeightPixels + 1;
}

void ScriptApi::message(const ScriptStringValue& text) {
  if (const std::string* shown = scriptText(text)) messages_.showMessage(shown->c_str());
}

}  // namespace vek
