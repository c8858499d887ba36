#pragma once

#include "export_options.h"
#include "record_layout.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom {

class ByteSource;

// A season folder's three league files, in the order a run opens them.
inline constexpr std::string_view kTeamFileName = "zelteam.dat";
inline constexpr std::string_view kPlayerFileName = "zelplyr.dat";
inline constexpr std::string_view kStatsFileName = "zelgs.dat";
inline constexpr std::array<std::string_view, 3> kLeagueFileNames = {kTeamFileName, kPlayerFileName,
                                                                     kStatsFileName};

inline constexpr std::size_t kTeamRecordSize = 746;
inline constexpr std::size_t kPlayerRecordSize = 656;

struct TeamRecordLayout {
    static constexpr FieldLayout recordMarker = word(0);
    static constexpr FieldLayout teamNumber = word(2);
    static constexpr FieldLayout seasonYear = word(6);
    static constexpr FieldLayout cityName = text(15, 16);
    static constexpr FieldLayout teamNickname = text(31, 16);
    static constexpr FieldLayout abbreviation = text(91, 3);
};

struct PlayerRecordLayout {
    static constexpr FieldLayout recordMarker = word(0);
    static constexpr FieldLayout loadCheckA = word(6);
    static constexpr FieldLayout loadCheckB = word(8);
    static constexpr FieldLayout playerNumber = word(10);
    static constexpr FieldLayout firstName = text(18, 14);
    static constexpr FieldLayout lastName = text(32, 16);
    static constexpr FieldLayout playerKind = byte(106);
};

// A season's year as the export files write it: a blank, then its digits
// (the way the game's own exports print a number).
std::string seasonYearText(int year);

struct TeamRow {
    bool loaded = false; // a team record supplied this row
    std::string displayName;
    std::string city;
    std::string nickname;
    std::string abbreviation;
    std::string yearText;
    int year = 0; // the number behind yearText; 0 when none
};

enum PlayerKind : int { kPositionPlayer = 1, kPitcher = 2 };

struct PlayerRow {
    bool loaded = false; // a player record supplied this row
    std::string displayName;
    std::string lastName;
    std::string firstName;
    int kind = 0;
};

// A run's table of rows by number 0..Max, direct-indexed: nothing is searched.
// It holds rows up to the highest number written; every row past it is empty,
// so a league of few players costs little to set up.
template <class Row, int Max> class NumberedTable {
public:
    static constexpr int kMax = Max;
    static bool contains(int number) { return number >= 0 && number <= Max; }
    const Row& operator[](int number) const {
        const auto index = static_cast<std::size_t>(number);
        return index < rows_.size() ? rows_[index] : empty();
    }
    Row& operator[](int number) {
        const auto index = static_cast<std::size_t>(number);
        if (index >= rows_.size()) rows_.resize(index + 1);
        return rows_[index];
    }
    // One past the highest number written.
    int size() const { return static_cast<int>(rows_.size()); }

private:
    static const Row& empty() {
        static const Row row;
        return row;
    }
    std::vector<Row> rows_;
};

using TeamTable = NumberedTable<TeamRow, 100>;
using PlayerTable = NumberedTable<PlayerRow, 6000>;

// Outcome of loading one league file: records seen, records whose number lies
// outside the table, and the reason of a read failure (empty when none).
struct LoadResult {
    std::uint64_t recordsRead = 0;
    std::uint64_t recordsOutOfRange = 0;
    bool lastRecordPartial = false;
    std::string error;
};

// Both read the source to its end; the last record of a number wins.
LoadResult loadTeamFile(ByteSource& source, TeamNotation notation, TeamTable& teams);
LoadResult loadPlayerFile(ByteSource& source, PlayerTable& players);

// The team's name in the chosen notation; empty for None.
std::string teamDisplayName(const TeamRow& row, TeamNotation notation);

} // namespace boxloom
