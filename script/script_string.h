#pragma once

// The script type "string": a value type over std::string with constants,
// copies, joins with numbers, comparisons and length().

#include <string>

class asIScriptEngine;

namespace vek {

class ScriptStringValue;

// The script exception raised when a script uses a string variable before
// it holds a value (a local string in its own initialiser).
inline constexpr const char* kUninitialisedStringException = "Use of an uninitialised string";

// The text of a string that the engine handed a host function; null, with
// kUninitialisedStringException raised in the running script, when the
// memory holds no constructed string.
const std::string* scriptText(const ScriptStringValue& value);

// Registers the type, its string factory and its operations on engine.
// False as soon as one registration fails (the engine's message callback
// then has the reason).
bool registerScriptString(asIScriptEngine& engine);

}  // namespace vek
