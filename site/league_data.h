#pragma once

// A league's seasons as the site reads them from the database: the counters of
// every row, written once as column tables that the reader selects and the
// pages show.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom::site {

using Counter = std::int64_t;

// Counters of a batting row, in the order of kBattingColumns.
namespace bat {
enum : std::size_t { G, AB, R, H, B2, B3, HR, RBI, W, SO, HBP, IW, SB, CS, SH, SF, GDP, CI, GWRBI, Count };
}
inline constexpr std::array<std::string_view, bat::Count> kBattingColumns = {
    "G",   "AB", "R",  "H",  "2B", "3B", "HR",  "RBI", "W",    "SO",
    "HBP", "IW", "SB", "CS", "SH", "SF", "GDP", "CI",  "GWRBI"};

// Counters of a pitching row. AB is the at-bats of the opponents, from the
// pitcher's splits against left- and right-handed batters.
namespace pit {
enum : std::size_t { W, L, G, GS, CG, Outs, R, ER, H, BB, SO, AB, Count };
}
// The columns of the pitching rows; AB comes after them.
inline constexpr std::array<std::string_view, pit::AB> kPitchingColumns = {
    "W", "L", "G", "GS", "CG", "IPOuts", "R", "ER", "H", "BB", "SO"};

namespace fld {
enum : std::size_t { G, GS, PO, A, E, Count };
}
inline constexpr std::array<std::string_view, fld::Count> kFieldingColumns = {"G", "GS", "PO", "A", "E"};

// The counters of one side of a batter's splits, in the order of kSplitColumns.
namespace split {
enum : std::size_t { AB, H, B2, B3, HR, BB, HBP, SF, SO, Count };
}
inline constexpr std::array<std::string_view, split::Count> kSplitColumns = {"AB", "H",   "2B", "3B", "HR",
                                                                             "BB", "HBP", "SF", "SO"};

using Counters = std::vector<Counter>;

struct StatLine {
    bool hasPlayer = true; // false for pitchers' hitting grouped by team
    std::int64_t playerId = 0;
    std::string player; // as the rows hold it: "Last,First"
    std::int64_t teamId = 0;
    std::string team;
    std::string statType;
    std::string position; // fielding rows
    Counters counters;
    // Batting rows: against left-handed pitchers, then right-handed ones.
    std::array<Counters, 2> splits;
};

struct Team {
    std::int64_t id = 0;
    std::string city;
    std::string nickname;
    std::string abbreviation;
    std::string name() const { return nickname.empty() ? city : city + " " + nickname; }
};

struct SeasonData {
    std::string label;
    std::vector<Team> teams; // by id
    std::vector<StatLine> batting;
    std::vector<StatLine> pitching;
    std::vector<StatLine> fielding;
    // The stat types present, in the order the rows first show them.
    std::vector<std::string> statTypes;
};

inline constexpr std::string_view kRegular = "Regular";
inline constexpr std::string_view kPreSeason = "PreSeason";

// "Last,First" as "First Last".
std::string displayName(std::string_view rowName);

} // namespace boxloom::site
