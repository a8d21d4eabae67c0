#include "core/folder.h"

#include <dirent.h>
#include <sys/stat.h>

namespace vek {

std::string folderPart(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::vector<std::string> listFolder(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return names;
}

bool sameFolder(const std::string& a, const std::string& b) {
  struct stat first, second;
  return ::stat(a.empty() ? "." : a.c_str(), &first) == 0 &&
         ::stat(b.empty() ? "." : b.c_str(), &second) == 0 && S_ISDIR(first.st_mode) &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace vek
