#pragma once

// Everything the benchmark cases read and write, made at start in a new
// temporary folder and removed with it: the default tile set as data.dat,
// the sample world (the world script's 400 wilderness maps plus the local
// map and interiors of veksample), a map of varied tiles with 20 teleports
// for the Edit pass, and the two scripts that measure a call of settile.

#include <string>

#include "sample_maps.h"

namespace vek::bench {

// The seed of the random numbers before every world script run, so that
// each run does the same work.
inline constexpr unsigned kWorldSeed = 20240611;

class BenchWorld {
 public:
  BenchWorld() = default;
  // Removes the temporary folder and everything in it.
  ~BenchWorld();
  BenchWorld(const BenchWorld&) = delete;
  BenchWorld& operator=(const BenchWorld&) = delete;

  // Makes the folder and its content with the world script at
  // worldScriptPath; false with the reason in error.
  bool create(const std::string& worldScriptPath, std::string& error);

  std::string root;            // the temporary folder, ending in '/'
  std::string archivePath;     // data.dat with the default tile set
  std::string worldScript;     // the sample world script (not copied)
  std::string worldFolder;     // the sample world, ending in '/'
  SampleMaps sample;           // what veksample added to it
  std::string editMapPath;     // varied tiles and 20 teleports, in worldFolder
  std::string cellsScript;     // settile and gettile on every cell
  std::string loopScript;      // the same loops without the calls
  std::string generateFolder;  // where the timed world generations write
  std::string savesFolder;     // where the timed saves write

 private:
  bool makeFolders(std::string& error);
  bool writeArchive(std::string& error);
  bool makeSampleWorld(std::string& error);
  bool writeEditMap(std::string& error);
  bool writeCallScripts(std::string& error);
};

}  // namespace vek::bench
