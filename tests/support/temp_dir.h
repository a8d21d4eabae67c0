#pragma once

#include <string>
#include <vector>

namespace vek::test {

// A fresh folder under $TMPDIR (or /tmp), removed with its content when the
// object goes out of scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, without a trailing '/'.
  const std::string& path() const { return path_; }
  // path() + "/" + name.
  std::string file(const std::string& name) const;

 private:
  std::string path_;
};

// Whole content of a file as bytes; empty when it cannot be read.
std::string readFileBytes(const std::string& path);
// Writes bytes to a file, replacing it; false on failure.
bool writeFileBytes(const std::string& path, const std::string& bytes);

// The names in a folder, without "." and "..", in no particular order.
std::vector<std::string> folderEntries(const std::string& folder);

}  // namespace vek::test
