#pragma once

// vekedit's command line: an optional map file to open instead of the first
// dialog, and --data FILE for the tile pictures.

#include <string>

namespace vek {

inline constexpr const char* kEditorUsage =
    "usage: vekedit [--data FILE] [MAPFILE]\n"
    "  Opens MAPFILE (a missing file starts empty under that name and SAVE\n"
    "  creates it); without MAPFILE the editor asks for a map first.\n"
    "  --data FILE  read the tile pictures from FILE; without it data.dat in\n"
    "               the working folder, else the installed default tile set\n"
    "  --help       this text      --version  the program's version\n";

struct EditorOptions {
  std::string dataFile;  // empty: look for one
  std::string mapFile;   // empty: ask for the first map
};

// Reads the arguments into options. Gives -1 when the editor should start,
// otherwise the status to exit with at once (0 after --help or --version,
// 64 after a usage error, both already printed).
int parseEditorOptions(int argc, char** argv, EditorOptions& options);

// The tile archive the editor reads: --data's file, else data.dat in the
// working folder, else the installed default tile set. When none of them
// can be read, standard error says where the editor looked and how to give
// one, and the editor draws every tile as its character.
std::string chooseTileArchive(const EditorOptions& options);

}  // namespace vek
