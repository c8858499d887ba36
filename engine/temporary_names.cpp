#include "temporary_names.h"

#include <algorithm>

namespace boxloom {

namespace {

constexpr std::string_view kTemporaryEnding = ".tmp";
constexpr std::string_view kKeptEnding = ".old";

} // namespace

std::string sideFileName(std::string_view finalName, const RunId& run, std::uint32_t sequence,
                         SideFile kind) {
    std::string name = "~";
    name += finalName;
    name += '.';
    name += formatRunId(run);
    name += '-';
    name += std::to_string(sequence);
    name += kind == SideFile::Temporary ? kTemporaryEnding : kKeptEnding;
    return name;
}

std::optional<SideFileOwner> parseSideFileName(std::string_view name) {
    if (name.size() < 2 || name.front() != '~') return std::nullopt;
    SideFileOwner owner;
    const std::string_view ending = name.substr(name.size() - std::min(name.size(), kTemporaryEnding.size()));
    if (ending == kTemporaryEnding) {
        owner.kind = SideFile::Temporary;
    } else if (ending == kKeptEnding) {
        owner.kind = SideFile::KeptEarlier;
    } else {
        return std::nullopt;
    }
    name = name.substr(1, name.size() - 1 - ending.size());
    const auto dash = name.find_last_of('-');
    const auto dot = name.find_last_of('.', dash);
    if (dash == std::string_view::npos || dot == std::string_view::npos || dot == 0) return std::nullopt;
    std::uint32_t sequence = 0;
    const auto run = parseRunId(name.substr(dot + 1, dash - dot - 1));
    if (!run || !parseDecimal(name.substr(dash + 1), sequence)) return std::nullopt;
    owner.run = *run;
    owner.finalName = name.substr(0, dot);
    return owner;
}

} // namespace boxloom
