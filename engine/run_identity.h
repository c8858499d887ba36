#pragma once

// Which run a side file or commit record belongs to: the process's number and
// when it started, so that a later process given the same number (as the
// first process of every container is) is never taken for the run that died.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace boxloom {

struct RunId {
    std::uint32_t processId = 0;
    std::uint64_t started = 0; // 0: not known (the names of earlier versions hold the number alone)
    auto operator<=>(const RunId&) const = default;
};

// "4711", or "4711_" and the start as sixteen hexadecimal digits.
std::string formatRunId(const RunId& run);
std::optional<RunId> parseRunId(std::string_view text);

// Decimal digits only, as side files and commit records write numbers.
bool parseDecimal(std::string_view digits, std::uint32_t& value);

RunId currentRun();
// True also when it cannot tell: what a run left is touched only when the run is surely gone.
bool runMayBeGoing(const RunId& run);

} // namespace boxloom
