#pragma once

#include <string>

namespace vek {

// vekworld's exit statuses: check exits 1 for problems, render for a
// picture it could not make.
enum VekworldStatus {
  kVekworldOk = 0,
  kVekworldFailed = 1,
  kVekworldUnreadable = 2,  // the folder cannot be read
  kVekworldUsage = 64,
};

// Prints why and the usage on standard error; gives kVekworldUsage.
int vekworldUsageError(const std::string& why);

}  // namespace vek
