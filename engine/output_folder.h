#pragma once

// The folder a run writes into, made when it is missing (with its parents).

#include "report_lines.h"

#include <string>
#include <vector>

namespace boxloom {

struct OutputFolder {
    bool ready = false;
    // The folders that were missing and were made, the deepest first.
    std::vector<std::string> made;
    // "created folder DIR", or the problem that kept it from being made.
    std::vector<ReportLine> lines;
    // After a failed run: a mistyped name leaves no empty folders behind.
    void removeIfUnused() const;
};

// Creates a missing output folder and its parents; anything else in its place fails.
OutputFolder prepareOutputFolder(const std::string& folder);

} // namespace boxloom
