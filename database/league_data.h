#pragma once

// A league's seasons as the league store reads them: the counters of every
// row, named by the store's columns, in the order the pages index them.

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom {

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

// The counters of a row, kept in place: a season has tens of thousands of
// rows, and every page sums some of them.
class Counters {
public:
    static constexpr std::size_t kCapacity = bat::Count; // the longest row
    Counters() = default;
    explicit Counters(std::size_t size) { resize(size); }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    Counter& operator[](std::size_t i) { return values_[i]; }
    Counter operator[](std::size_t i) const { return values_[i]; }
    const Counter* begin() const { return values_.data(); }
    const Counter* end() const { return values_.data() + size_; }
    // New counters are zero.
    void resize(std::size_t size) {
        if (size > kCapacity) throw std::length_error("more counters than a row has");
        for (std::size_t i = size; i < size_; ++i)
            values_[i] = 0;
        size_ = size;
    }
    void push_back(Counter value) {
        resize(size_ + 1);
        values_[size_ - 1] = value;
    }
    friend bool operator==(const Counters& a, const Counters& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    std::array<Counter, kCapacity> values_{};
    std::size_t size_ = 0;
};
static_assert(pit::Count <= Counters::kCapacity && fld::Count <= Counters::kCapacity &&
              split::Count <= Counters::kCapacity);

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

} // namespace boxloom
