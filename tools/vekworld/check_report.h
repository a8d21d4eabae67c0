#pragma once

// A world check as people read it (one "FILE: problem" line each) and as
// programs read it (one JSON object).

#include <string>

#include "map/world_check.h"

namespace vek {

std::string checkReportText(const WorldCheck& check);
std::string checkReportJson(const std::string& folder, const WorldCheck& check);

}  // namespace vek
