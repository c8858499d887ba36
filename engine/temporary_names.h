#pragma once

// Files written beside an export file are named "~NAME.RUN-SEQ.tmp" (the new
// file being written) and "~NAME.RUN-SEQ.old" (the earlier file, kept until
// the whole set is in place), so a later run can tell whose they are.

#include "run_identity.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace boxloom {

enum class SideFile { Temporary, KeptEarlier };

std::string sideFileName(std::string_view finalName, const RunId& run, std::uint32_t sequence, SideFile kind);

struct SideFileOwner {
    std::string finalName;
    RunId run;
    SideFile kind = SideFile::Temporary;
};

// What a side file's name says; nothing for any other name.
std::optional<SideFileOwner> parseSideFileName(std::string_view name);

} // namespace boxloom
