#pragma once

// The script type "string": a value type over std::string with constants,
// copies, joins with numbers, comparisons and length().

class asIScriptEngine;

namespace vek {

// Registers the type, its string factory and its operations on engine.
// False as soon as one registration fails (the engine's message callback
// then has the reason).
bool registerScriptString(asIScriptEngine& engine);

}  // namespace vek
