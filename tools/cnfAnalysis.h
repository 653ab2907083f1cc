// The config analysis (configAnalysis.h) of a config the reader read, and its
// findings as JSON for the preview page.
#pragma once

#include <string>

#include "cnfReader.h"
#include "configAnalysis.h"

// The findings of a config as readCnf returns it for a valid file; a
// reference that points at no item (possible only in a hand-made cnfConfig)
// links to nothing.
configFindings analyseConfig(const cnfConfig& cfg);

// The findings as one JSON object, ending with a line feed; every value is a
// list of item numbers as the config counts them (lists, file items and margs
// from 1, keys and filters from 0), in increasing order:
//   {"unreachableLists", "listsWithoutKeys",
//    "keysInNoList", "keysOnlyInUnreachableLists",
//    "pathsNeverInserted", "pathsWithoutFileItem",    (keys; gapsOf each key)
//    "valuesNeverInserted", "valuesWithoutMarg",
//    "unusedFileItems", "unusedFilters", "unusedMargs"}
std::string cnfAnalysisJson(const cnfConfig& cfg);
