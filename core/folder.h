#pragma once

// Folders as paths name them: the folder part of a path, and what a folder
// holds.

#include <string>
#include <vector>

namespace vek {

// Everything up to and including the last '/'; empty when there is none, so
// that names formed from it are relative to the working directory.
std::string folderPart(const std::string& path);

// The names in folder (a folder part as folderPart gives it: empty for the
// working directory), without "." and "..", in no particular order. Empty
// when the folder cannot be read.
std::vector<std::string> listFolder(const std::string& folder);

// Whether two folder parts name the same existing folder, however they are
// written ("", "./", "a/../"): the same device and inode.
bool sameFolder(const std::string& a, const std::string& b);

}  // namespace vek
