#pragma once

// The league's rules for leaders and standings: games per team, who qualifies
// for a rate title, and the leader categories, written once as data.

#include "exact_ratios.h"
#include "league_data.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace boxloom::site {

// Games per team: the highest team total of starts in the Regular rows (one
// starter per game), unless the league says otherwise.
Counter gamesPerTeam(const SeasonData& season, std::optional<Counter> told);

enum class Qualifier { None, PlateAppearances, Outs, Decisions };
enum class Direction { HigherFirst, LowerFirst };
enum class StatKind { Batting, Pitching };

struct Category {
    std::string_view key; // for anchors
    std::string_view title;
    StatKind kind;
    Qualifier qualifier;
    Direction direction;
    Ratio (*value)(const Counters&);
    Shown shown;
};

std::span<const Category> leaderCategories();

// The least a player needs to qualify, for N games per team.
Counter minimumFor(Qualifier qualifier, Counter games);
// Over several seasons (a career, a franchise): their single-season minimums summed.
Counter minimumOverSeasons(Qualifier qualifier, const std::vector<Counter>& gamesOfEachSeason);
// What a player has towards the minimum.
Counter amountFor(Qualifier qualifier, const Counters& counters);
// Whether a player's counters meet a category's minimum; counting categories have none.
bool qualifies(const Category& category, const Counters& counters, Counter minimum);
// "Min. 502 PA", or "" for counting categories.
std::string minimumText(Qualifier qualifier, Counter minimum);

// Fielding average at a position: games there at least 2/3 of N, catchers 1/2.
// Pitchers qualify at P by innings pitched, one per team game (few of them
// play 2/3 of the games); the others by their games at the position.
bool qualifiesAtPosition(const std::string& position, Counter gamesAtPosition, Counter outsPitched,
                         Counter games);
std::string positionMinimumText(const std::string& position, Counter games);
// The positions in the order a scorecard lists them.
const std::vector<std::string>& fieldingPositions();

struct Standing {
    const Team* team = nullptr;
    Counter wins = 0;
    Counter losses = 0;
    Ratio percentage;
    std::string gamesBehind; // "—" for the leader
    Counter runsScored = 0;  // the team's batting rows
    Counter runsAllowed = 0; // the team's pitching rows
};

// The record the runs predict (Pythagorean, exponent 1.83) over the team's
// games, rounded to whole wins: "88–74"; "—" when it has no runs either way.
std::string pythagoreanRecord(const Standing& standing);

// Wins and losses are the sums of the team's pitchers' W and L in the Regular
// rows; ordered by winning percentage, then wins, then team name.
std::vector<Standing> standings(const SeasonData& season);

} // namespace boxloom::site
