// vekworld: tools over the maps of one world folder.

#include <dirent.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "check_report.h"
#include "map/world_check.h"
#include "render_command.h"
#include "tools/cli/command_line.h"
#include "vekworld_status.h"

namespace vek {
namespace {

const char* const kUsage =
    "usage: vekworld check FOLDER [--json]\n"
    "       vekworld render FOLDER OUT.png [--scale tile|cell] [--grid] [--data FILE]\n"
    "       vekworld --help | --version\n"
    "\n"
    "check  reads every .MAP file of FOLDER and reports, one line each\n"
    "       (FILE: problem), files that are not readable maps, wilderness maps\n"
    "       missing from the 20 x 20 world, teleports to files that do not\n"
    "       exist, teleports outside the map's cells, teleport names that are\n"
    "       not plain file names, maps no way leads in to or that cannot be\n"
    "       reached from the wilderness, and as warnings teleports into a map\n"
    "       without a teleport back. --json prints one JSON object instead.\n"
    "       Exit status: 0 no problems (warnings allowed), 1 problems,\n"
    "       2 the folder cannot be read, 64 usage error.\n"
    "render writes the whole world as one PNG picture: --scale tile (the\n"
    "       default) draws every cell as its tile picture, 17280 x 9600 pixels;\n"
    "       --scale cell one pixel a cell in the world view's colours, 960 x 480.\n"
    "       --grid draws the lines between the maps. The tile pictures come\n"
    "       from --data FILE, else data.dat in FOLDER, else the default tile\n"
    "       set. A missing wilderness map is drawn as code 0. OUT.png is\n"
    "       replaced only once the new picture is complete. Exit status:\n"
    "       0 written, 1 not written, 2 the folder cannot be read, 64 usage.\n";

// The system's reason a folder cannot be listed.
std::string whyFolderUnreadable(const std::string& folder) {
  DIR* listing = ::opendir(folder.c_str());
  if (!listing) return std::strerror(errno);
  ::closedir(listing);
  return "it cannot be listed";
}

std::string asFolderPart(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

int runCheck(const std::vector<std::string>& args) {
  bool json = false;
  std::vector<std::string> positional;
  for (const std::string& arg : args) {
    if (arg == "--json") {
      json = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return vekworldUsageError("unknown option '" + arg + "'");
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 1 || positional[0].empty()) {
    return vekworldUsageError("check wants one FOLDER");
  }
  WorldCheck check = checkWorld(asFolderPart(positional[0]));
  if (!check.folderReadable) {
    std::fprintf(stderr, "vekworld: cannot read the folder %s: %s\n", positional[0].c_str(),
                 whyFolderUnreadable(positional[0]).c_str());
    return kVekworldUnreadable;
  }
  std::string report = json ? checkReportJson(positional[0], check) : checkReportText(check);
  std::fputs(report.c_str(), stdout);
  return check.problemCount() > 0 ? kVekworldFailed : kVekworldOk;
}

int run(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return vekworldUsageError("no command given");
  if (args[0] == "-h" || args[0] == "--help") {
    std::fputs(kUsage, stdout);
    return kVekworldOk;
  }
  if (args[0] == "--version") {
    cli::printVersion("vekworld");
    return kVekworldOk;
  }
  std::string command = args[0];
  args.erase(args.begin());
  if (command == "check") return runCheck(args);
  if (command == "render") return runRenderCommand(args);
  return vekworldUsageError("unknown command '" + command + "'");
}

}  // namespace

int vekworldUsageError(const std::string& why) {
  std::fprintf(stderr, "vekworld: %s\n%s", why.c_str(), kUsage);
  return kVekworldUsage;
}

}  // namespace vek

int main(int argc, char** argv) { return vek::run(argc, argv); }
