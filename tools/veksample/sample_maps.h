#pragma once

// The sample world's maps beyond the wilderness: next to a town of a world
// made by a world script, the town's local map (a village with an inn), the
// inn's interior, and a cave with its interior, all joined by teleports:
//   wilderness town cell  --middle button-->  local map  --exit--> wilderness
//   local map inn door    <-->  INN.MAP (interior)
//   wilderness cave entrance  <-->  CAVE.MAP (interior)

#include <string>

namespace vek {

struct SampleMaps {
  std::string wildernessPath;  // the wilderness map that got the town and the cave
  int townColumn = 0;          // the town cell entered with the middle button
  int townRow = 0;
  std::string localPath;       // the town cell's local map
  std::string innPath;         // INN.MAP
  std::string cavePath;        // CAVE.MAP
};

// Adds the maps to the world in folder (its wilderness maps VEKAA.MAP ..
// VEKTT.MAP must be there): the first town tile away from a map's edge is
// the site; without one, the middle of VEKJJ (or of the first map there is)
// becomes a town. Refuses, with
// error set, when no wilderness map loads, when the maps were added already,
// or when a file cannot be written.
bool addSampleMaps(const std::string& folder, SampleMaps& added, std::string& error);

}  // namespace vek
