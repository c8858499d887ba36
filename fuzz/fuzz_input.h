#pragma once

// How a fuzz input becomes a season: four bytes of choices, then the team
// file, the player file and the season statistics file one after another.

#include "export_options.h"
#include "league_files.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace boxloom::fuzzing {

inline constexpr std::size_t kChoiceBytes = 4;

struct FuzzSeason {
    ExportOptions options;
    std::span<const std::uint8_t> teams;
    std::span<const std::uint8_t> players;
    std::span<const std::uint8_t> stats;
};

// Byte 0: team notation; byte 1: pitcher-hitting mode; byte 2: team records;
// byte 3: player records (times 4). Each file takes what is left, up to its size.
inline FuzzSeason splitInput(std::span<const std::uint8_t> input) {
    FuzzSeason season;
    season.options.includeFielding = season.options.includePitchingSplits =
        season.options.includeHittingSplits = true;
    if (input.size() < kChoiceBytes) return season;
    season.options.teamNotation = static_cast<TeamNotation>(input[0] % 5);
    season.options.pitcherHitting = static_cast<PitcherHittingMode>(input[1] % 4);
    std::span<const std::uint8_t> rest = input.subspan(kChoiceBytes);
    auto take = [&rest](std::size_t bytes) {
        const std::span<const std::uint8_t> part = rest.first(std::min(bytes, rest.size()));
        rest = rest.subspan(part.size());
        return part;
    };
    season.teams = take(std::size_t{input[2]} * kTeamRecordSize);
    season.players = take(std::size_t{input[3]} * 4 * kPlayerRecordSize);
    season.stats = rest;
    return season;
}

// The inverse, for seeds.
inline std::vector<std::uint8_t> joinInput(std::uint8_t notation, std::uint8_t mode, std::size_t teamRecords,
                                           std::size_t playerRecords, std::span<const std::uint8_t> teams,
                                           std::span<const std::uint8_t> players,
                                           std::span<const std::uint8_t> stats) {
    std::vector<std::uint8_t> input = {notation, mode, static_cast<std::uint8_t>(teamRecords),
                                       static_cast<std::uint8_t>((playerRecords + 3) / 4)};
    input.insert(input.end(), teams.begin(), teams.end());
    input.insert(input.end(), players.begin(), players.end());
    input.resize(kChoiceBytes + std::size_t{input[2]} * kTeamRecordSize +
                 std::size_t{input[3]} * 4 * kPlayerRecordSize);
    input.insert(input.end(), stats.begin(), stats.end());
    return input;
}

} // namespace boxloom::fuzzing
