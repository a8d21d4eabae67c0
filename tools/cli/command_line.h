#pragma once

#include <cstdio>
#include <string>

namespace vek::cli {

// Exit statuses every program shares.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 64;  // as sysexits.h's EX_USAGE

// "PROGRAM (VEK Map Editor) VERSION" on standard output.
void printVersion(const char* program);

// "PROGRAM: message" and then the usage on standard error; gives kExitUsage.
int usageError(const char* program, const std::string& message, const char* usage);

// Answers --help (the usage on standard output) and --version when either
// is the only argument, as every program does; true when it answered, with
// the status to exit with in status.
bool answersHelpOrVersion(int argc, char** argv, const char* program, const char* usage,
                          int& status);

}  // namespace vek::cli
