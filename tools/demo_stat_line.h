#pragma once

// One player's counters for one team in one season phase, kept as plain
// numbers while the games are played and turned into a record at the end.

#include "season_stats.h"

#include <array>

namespace boxloom::demo {

struct StatLine {
    int person = 0;
    int team = 0;
    int statType = 0;
    int order = 0; // when the line was opened, for a stable file order
    std::array<int, kStatFieldCount> fields{};
    std::array<std::array<int, kSplitFieldCount>, 4> splits{};
    std::array<std::array<int, kPositionCount>, static_cast<std::size_t>(PositionArray::Count)> positions{};

    int& operator[](StatField field) { return fields[static_cast<std::size_t>(field)]; }
    int operator[](StatField field) const { return fields[static_cast<std::size_t>(field)]; }
    int& split(SplitSide side, SplitField field) {
        return splits[static_cast<std::size_t>(side)][static_cast<std::size_t>(field)];
    }
    int& at(PositionArray array, int position) {
        return positions[static_cast<std::size_t>(array)][static_cast<std::size_t>(position)];
    }
};

// The record of a line; the player and team numbers are given, since a league
// may be placed at other numbers than its own.
SeasonStatRecord toRecord(const StatLine& line, int playerNumber, int teamNumber);

} // namespace boxloom::demo

#include <deque>

namespace boxloom::demo {

// Every line of one league's season, opened as players first appear.
class LineBook {
public:
    StatLine& open(int person, int team, int statType) {
        StatLine& line = lines_.emplace_back();
        line.person = person;
        line.team = team;
        line.statType = statType;
        line.order = static_cast<int>(lines_.size());
        return line;
    }
    const std::deque<StatLine>& lines() const { return lines_; }

private:
    std::deque<StatLine> lines_; // a deque keeps each line in place as more are opened
};

} // namespace boxloom::demo
