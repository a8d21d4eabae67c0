#include "resources/installed_files.h"

#include <unistd.h>

#include <vector>

namespace vek {

std::string executableFolder() {
  std::vector<char> buffer(4096);
  ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) return "";
  std::string path(buffer.data(), static_cast<std::size_t>(length));
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::string installedDataPath(const std::string& name) {
  std::string folder = executableFolder();
  return folder.empty() ? "" : folder + "/../share/vek-map-editor/" + name;
}

std::string installedTileArchivePath() { return installedDataPath("data.dat"); }

}  // namespace vek
