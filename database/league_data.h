#pragma once

// A league's seasons as the league store reads them: the counters of every
// row, named by the store's columns, in the order the pages index them.

#include "season_stats.h"

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

// The counters of each statistics table, in the order of its export file's
// counter columns (the league store reads them by that order; IP is its outs;
// the schema checks them against the columns when it is compiled).
namespace bat {
enum : std::size_t { G, AB, R, RBI, H, B2, B3, HR, HBP, SO, W, IW, SB, CS, GWRBI, SH, SF, GDP, CI, Count };
}

// After the table's own: the opponents' at-bats, and the home runs and hit
// batters allowed, from the pitcher's splits against left- and right-handed batters.
namespace pit {
enum : std::size_t { W, L, G, GS, CG, Outs, R, ER, H, BB, SO, AB, HR, HBP, Count };
}

namespace fld {
enum : std::size_t { G, GS, PO, A, E, Count };
}

// One side of a split row.
namespace split {
enum : std::size_t { AB, H, B2, B3, HR, RBI, HBP, BB, SO, SH, CI, SF, IW, Count };
}

// The counters of a row, kept in place: a season has tens of thousands of
// rows, and every page sums some of them.
class Counters {
public:
    // The longest row, and room after a row's own counters for the figures the
    // site works out from its league's totals.
    static constexpr std::size_t kDerivedCount = 6;
    static constexpr std::size_t kCapacity = bat::Count + kDerivedCount;
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
    // The PlayerIDs of the season's pitchers (players of kind 2), ascending.
    std::vector<std::int64_t> pitchers;
    // The stat types present, in the order the rows first show them.
    std::vector<std::string> statTypes;
};

inline constexpr std::string_view kRegular = statTypeName(code(StatType::Regular));
inline constexpr std::string_view kPreSeason = statTypeName(code(StatType::PreSeason));

} // namespace boxloom
