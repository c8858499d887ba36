#pragma once

// Files written beside an export file are named "~NAME.PID-SEQ.tmp" (the new
// file being written) and "~NAME.PID-SEQ.old" (the earlier file, kept until
// the whole set is in place), so a later run can tell whose they are.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace boxloom {

enum class SideFile { Temporary, KeptEarlier };

std::string sideFileName(std::string_view finalName, std::uint32_t processId, std::uint32_t sequence,
                         SideFile kind);

struct SideFileOwner {
    std::string finalName;
    std::uint32_t processId = 0;
    SideFile kind = SideFile::Temporary;
};

// Decimal digits only, as the side files and the commit record write numbers.
bool parseDecimal(std::string_view digits, std::uint32_t& value);

// What a side file's name says; nothing for any other name.
std::optional<SideFileOwner> parseSideFileName(std::string_view name);

} // namespace boxloom
