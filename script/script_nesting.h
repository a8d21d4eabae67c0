#pragma once

// How deeply a script nests. AngelScript's parser and compiler go one level
// down the machine stack for every level of nesting, so a script a few
// thousand levels deep (a 6 KB file of calls in calls will do) overflows the
// stack and takes the program down instead of failing to build. The host
// measures the nesting first and refuses a script that goes too deep.

#include <cstddef>
#include <optional>

namespace vek {

// The deepest nesting the host builds. One level costs the engine at most
// about 4.3 KiB of stack (a call as the argument of a call, the costliest
// construct), so this keeps the build within half of the usual 8 MiB stack.
inline constexpr int kMaxScriptNesting = 1000;

struct ScriptPosition {
  int line;    // from 1
  int column;  // in bytes, from 1
};

// The place where code (length bytes) first nests deeper than limit levels,
// or nothing when it never does. What counts as a level is an upper bound of
// what the engine descends: each open bracket of any kind, each statement
// governed by if, else, for, while, do or switch (so a chain of else ifs
// goes one level deeper with every link), and each conditional expression
// or assignment, which nest to their right until the expression ends.
// Comments and string constants do not count.
std::optional<ScriptPosition> findNestingBeyond(const char* code, std::size_t length, int limit);

}  // namespace vek
