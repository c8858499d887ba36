// The site's rules: qualifying minimums, ranking, standings, identities.

#include "exact_ratios.h"
#include "franchises.h"
#include "players.h"
#include "ranking.h"
#include "rules.h"
#include "script_text.h"
#include "site_pages.h"
#include "site_writer.h"
#include "stat_tables.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace boxloom::site {
namespace {

TEST(SiteRules, QualifyingMinimums) {
    struct Case {
        Qualifier qualifier;
        Counter games, minimum;
    };
    const Case cases[] = {{Qualifier::PlateAppearances, 162, 502}, {Qualifier::PlateAppearances, 10, 31},
                          {Qualifier::PlateAppearances, 5, 16},    {Qualifier::Outs, 162, 486},
                          {Qualifier::Decisions, 162, 14},         {Qualifier::Decisions, 12, 1},
                          {Qualifier::Decisions, 13, 2},           {Qualifier::None, 162, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(minimumFor(c.qualifier, c.games), c.minimum)
            << static_cast<int>(c.qualifier) << " " << c.games;
    EXPECT_EQ(minimumText(Qualifier::PlateAppearances, 502), "Min. 502 PA");
    EXPECT_EQ(minimumText(Qualifier::Outs, 487), "Min. 162.1 IP");
}

Counters batting(Counter ab, Counter walks, Counter hbp, Counter sh, Counter sf, Counter ci) {
    Counters c(bat::Count);
    c[bat::AB] = ab;
    c[bat::W] = walks;
    c[bat::HBP] = hbp;
    c[bat::SH] = sh;
    c[bat::SF] = sf;
    c[bat::CI] = ci;
    return c;
}

// Worked by hand: 162 × 800^1.83 / (800^1.83 + 700^1.83) = 90.85 wins.
TEST(SiteRules, ThePythagoreanRecordOfTheRuns) {
    struct Case {
        Counter wins, losses, scored, allowed;
        const char* record;
    };
    const Case cases[] = {
        {95, 67, 800, 700, "91\u201371"}, {80, 82, 700, 700, "81\u201381"}, {70, 92, 650, 720, "73\u201389"},
        {10, 0, 40, 0, "10\u20130"},      {0, 0, 0, 0, "\u2014"},           {3, 1, -5, 10, "0\u20134"},
    };
    for (const Case& c : cases) {
        Standing standing;
        standing.wins = c.wins;
        standing.losses = c.losses;
        standing.runsScored = c.scored;
        standing.runsAllowed = c.allowed;
        EXPECT_EQ(pythagoreanRecord(standing), c.record) << c.scored << "-" << c.allowed;
    }
}

TEST(SiteRules, PlateAppearancesCountEveryWayToTheBatterBox) {
    EXPECT_EQ(plateAppearances(batting(400, 50, 20, 10, 11, 10)), 501);
    EXPECT_LT(amountFor(Qualifier::PlateAppearances, batting(400, 50, 20, 10, 11, 10)),
              minimumFor(Qualifier::PlateAppearances, 162));
    EXPECT_EQ(amountFor(Qualifier::PlateAppearances, batting(400, 50, 20, 10, 11, 11)),
              minimumFor(Qualifier::PlateAppearances, 162));
}

TEST(SiteRules, FieldingMinimumsByPosition) {
    struct Case {
        const char* position;
        Counter games, outs, n;
        bool qualifies;
    };
    // Pitchers by innings, one per team game: a starter of 32 games qualifies, a reliever of 70 does not.
    const Case cases[] = {{"SS", 108, 0, 162, true}, {"SS", 107, 0, 162, false}, {"C", 81, 0, 162, true},
                          {"C", 80, 0, 162, false},  {"1B", 7, 0, 10, true},     {"1B", 6, 0, 10, false},
                          {"P", 32, 486, 162, true}, {"P", 70, 485, 162, false}, {"P", 162, 0, 162, false}};
    for (const Case& c : cases)
        EXPECT_EQ(qualifiesAtPosition(c.position, c.games, c.outs, c.n), c.qualifies)
            << c.position << " " << c.games;
    EXPECT_EQ(positionMinimumText("P", 162), "Min. 162.0 IP");
    EXPECT_EQ(minimumText(Qualifier::Decisions, 1), "Min. 1 decision");
    EXPECT_EQ(minimumText(Qualifier::Decisions, 2), "Min. 2 decisions");
    EXPECT_EQ(positionMinimumText("SS", 162), "Min. 108 G");
    EXPECT_EQ(positionMinimumText("C", 161), "Min. 81 G");
    EXPECT_EQ(positionMinimumText("1B", 10), "Min. 7 G");
}

TEST(SiteRates, ShownRoundedAndDashWhenTheDivisorIsZero) {
    struct Case {
        Ratio value;
        Shown shown;
        const char* text;
    };
    const Case cases[] = {{{115, 442}, Shown::Average, ".260"},
                          {{0, 10}, Shown::Average, ".000"},
                          {{1, 0}, Shown::Average, "\u2014"},
                          {{0, 0}, Shown::TwoDecimals, "\u2014"},
                          {{1024, 1000}, Shown::Average, "1.024"},
                          {{27 * 39, 300}, Shown::TwoDecimals, "3.51"},
                          {{487, 1}, Shown::Innings, "162.1"},
                          {{-4, 1}, Shown::Innings, "-1.1"},
                          {{42, 1}, Shown::Count, "42"},
                          // Exact halves go up from the fraction, whatever their binary forms.
                          {{5, 16}, Shown::Average, ".313"},
                          {{27 * 5, 24}, Shown::TwoDecimals, "5.63"},
                          {{1, 8}, Shown::TwoDecimals, "0.13"},
                          {{9 * 5, 40}, Shown::TwoDecimals, "1.13"},
                          {{5, 2}, Shown::Whole, "3"},
                          {{1, 20}, Shown::OneDecimal, "0.1"},
                          {{-1, 20}, Shown::OneDecimal, "-0.1"},
                          {{-1, 2000}, Shown::Average, "-.001"},
                          {{-1, 2001}, Shown::Average, ".000"},
                          {{1, 3}, Shown::Average, ".333"},
                          {{2, 3}, Shown::Average, ".667"},
                          {{1, -3}, Shown::Average, "-.333"},
                          {{0, 7}, Shown::Whole, "0"},
                          // Counters of a long career, far past a double's exact integers.
                          {{9'007'199'254'740'993, 2'000'000'000'000'000}, Shown::Average, "4.504"},
                          {{4'503'599'627'370'497, 1'000'000'000'000'000}, Shown::TwoDecimals, "4.50"},
                          {{1'000'000'000'000'005, 2'000'000'000'000'000}, Shown::Average, ".500"},
                          {{1'001'000'000'000'000, 2'000'000'000'000'000}, Shown::Average, ".501"}};
    for (const Case& c : cases)
        EXPECT_EQ(formatValue(c.value, c.shown), c.text) << c.value.numerator << "/" << c.value.denominator;
    EXPECT_EQ(sortKey({1, 0}), "");
}

TEST(SiteRates, ComparedExactlyNotAsPrintedText) {
    EXPECT_LT(compareRatios({333, 1000}, {1, 3}), 0); // both print .333
    EXPECT_EQ(compareRatios({1, 3}, {2, 6}), 0);
    EXPECT_EQ(compareRatios({-1, -3}, {1, 3}), 0);
    EXPECT_GT(compareRatios({1, -3}, {-1, 2}), 0);
    const Ratio ops = sumOfRatios({1, 3}, {1, 2});
    EXPECT_EQ(compareRatios(ops, {5, 6}), 0);
    EXPECT_FALSE(sumOfRatios({1, 0}, {1, 2}).defined());
    // A career OBP and SLG of the largest counters an export can hold: the
    // cross products pass 64 bits (the sanitized build stopped there).
    const Ratio obp{2621360000, 2631560000}, slg{5263120000, 2621360000};
    const Ratio largest = sumOfRatios(obp, slg);
    ASSERT_TRUE(largest.defined());
    EXPECT_NEAR(largest.value(), obp.value() + slg.value(), 1e-12);
    EXPECT_EQ(formatValue(largest, Shown::Average), "3.004");
}

// Names as literals: a candidate only views its name.
std::vector<Candidate> candidates(const std::vector<std::pair<std::string_view, Ratio>>& values) {
    std::vector<Candidate> all;
    for (const auto& [name, value] : values)
        all.push_back({name, value, all.size()});
    return all;
}

std::vector<std::string> ranks(const std::vector<Ranked>& ranked) {
    std::vector<std::string> texts;
    for (const Ranked& entry : ranked)
        texts.push_back(entry.rank + " " + std::string(entry.candidate.sortName));
    return texts;
}

TEST(SiteRanking, TiesShareARankAreListedAlphabeticallyAndCrossTheCut) {
    const auto field = candidates({{"Zed", {30, 1}},
                                   {"Abe", {40, 1}},
                                   {"Cy", {30, 1}},
                                   {"Bo", {30, 1}},
                                   {"Di", {20, 1}},
                                   {"Ed", {10, 1}},
                                   {"Nul", {5, 0}}});
    EXPECT_EQ(ranks(rankCandidates(field, Direction::HigherFirst, 10)),
              (std::vector<std::string>{"1 Abe", "T-2 Bo", "T-2 Cy", "T-2 Zed", "5 Di", "6 Ed"}));
    // The cut falls inside the tie: all three are listed.
    EXPECT_EQ(ranks(rankCandidates(field, Direction::HigherFirst, 3)),
              (std::vector<std::string>{"1 Abe", "T-2 Bo", "T-2 Cy", "T-2 Zed"}));
    EXPECT_EQ(ranks(rankCandidates(field, Direction::HigherFirst, 1)), (std::vector<std::string>{"1 Abe"}));
    EXPECT_EQ(ranks(rankCandidates(field, Direction::LowerFirst, 2)),
              (std::vector<std::string>{"1 Ed", "2 Di"}));
    // Equal printed values are no tie when the exact values differ.
    EXPECT_EQ(
        ranks(rankCandidates(candidates({{"A", {333, 1000}}, {"B", {1, 3}}}), Direction::HigherFirst, 5)),
        (std::vector<std::string>{"1 B", "2 A"}));
}

// The record after each season: kept until beaten, shared when tied, none
// before the first season with a qualified player.
TEST(SiteRanking, ARecordsProgressionSeasonBySeason) {
    const auto steps = [](Direction direction,
                          const std::vector<std::vector<std::pair<std::string_view, Ratio>>>& seasons) {
        std::vector<std::vector<Candidate>> all;
        for (const auto& season : seasons)
            all.push_back(candidates(season));
        std::vector<std::string> texts;
        for (const RecordStep& step : recordProgression(all, direction)) {
            std::string text = step.record ? formatValue(*step.record, Shown::Count) : "none";
            for (const Candidate& holder : step.holders)
                text += " " + std::string(holder.sortName);
            texts.push_back(text);
        }
        return texts;
    };
    EXPECT_EQ(steps(Direction::HigherFirst, {{},
                                             {{"Ames", {47, 1}}, {"Bell", {30, 1}}},
                                             {{"Cruz", {48, 1}}},
                                             {{"Diaz", {40, 1}}},
                                             {{"Eddy", {48, 1}}, {"Fox", {48, 1}}},
                                             {{"Gil", {1, 0}}}}),
              (std::vector<std::string>{"none", "47 Ames", "48 Cruz", "48 Cruz", "48 Cruz Eddy Fox",
                                        "48 Cruz Eddy Fox"}));
    EXPECT_EQ(steps(Direction::LowerFirst, {{{"Ames", {3, 1}}}, {{"Bell", {2, 1}}}, {{"Cruz", {4, 1}}}}),
              (std::vector<std::string>{"3 Ames", "2 Bell", "2 Bell"}));
}

StatLine pitcherLine(Counter team, const std::string& type, Counter wins, Counter losses, Counter starts) {
    StatLine line;
    line.playerId = team * 100 + wins;
    line.player = "P" + std::to_string(line.playerId);
    line.teamId = team;
    line.statType = type;
    line.counters = Counters(pit::Count);
    line.counters[pit::W] = wins;
    line.counters[pit::L] = losses;
    line.counters[pit::GS] = starts;
    return line;
}

TEST(SiteRules, StandingsFromThePitchersRegularRows) {
    SeasonData season;
    season.teams = {{1, "Ashford", "Foxes", "ASH"},
                    {2, "Lakeport", "Herons", "LAK"},
                    {3, "Bay", "Owls", "BAY"},
                    {4, "Cove", "Eels", "COV"}};
    season.pitching = {pitcherLine(1, "Regular", 6, 4, 8),   pitcherLine(1, "Regular", 3, 2, 2),
                       pitcherLine(1, "WS", 40, 0, 40),      pitcherLine(2, "Regular", 12, 8, 20),
                       pitcherLine(3, "Regular", 12, 8, 20), pitcherLine(4, "Regular", 9, 6, 15)};
    const std::vector<Standing> table = standings(season);
    std::vector<std::string> order;
    for (const Standing& s : table)
        order.push_back(s.team->name() + " " + std::to_string(s.wins) + "-" + std::to_string(s.losses) + " " +
                        s.gamesBehind);
    // .600 for all: more wins first, then the name.
    EXPECT_EQ(order, (std::vector<std::string>{"Bay Owls 12-8 \u2014", "Lakeport Herons 12-8 \u2014",
                                               "Ashford Foxes 9-6 0.5", "Cove Eels 9-6 0.5"}));
    EXPECT_EQ(gamesPerTeam(season, std::nullopt), 20);
    EXPECT_EQ(gamesPerTeam(season, 162), 162);
}

// A team number across seasons: its record each season, how far it went in
// the playoffs, and whether it won the last round.
TEST(SiteRules, AFranchiseIsItsTeamNumberAcrossSeasons) {
    std::vector<SeasonData> seasons(2);
    seasons[0].teams = {{1, "Ashford", "Foxes", "ASH"}, {2, "Lakeport", "Herons", "LAK"}};
    seasons[0].pitching = {pitcherLine(1, "Regular", 90, 72, 162), pitcherLine(2, "Regular", 72, 90, 162)};
    seasons[0].statTypes = {"Regular"};
    seasons[1].teams = {
        {1, "Ashford", "Hounds", "ASH"}, {2, "Lakeport", "Herons", "LAK"}, {3, "Bay", "Owls", "BAY"}};
    seasons[1].pitching = {pitcherLine(1, "Regular", 80, 82, 162), pitcherLine(2, "Regular", 85, 77, 162),
                           pitcherLine(3, "Regular", 81, 81, 162), pitcherLine(1, "DS", 3, 1, 4),
                           pitcherLine(2, "DS", 1, 3, 4),          pitcherLine(1, "WS", 3, 4, 7),
                           pitcherLine(3, "WS", 4, 3, 7),          pitcherLine(2, "PreSeason", 20, 10, 30)};
    seasons[1].statTypes = {"Regular", "PreSeason", "DS", "WS"};
    std::vector<std::string> seen;
    for (const Franchise& franchise : franchisesOf(seasons)) {
        std::string text = std::to_string(franchise.teamId) + " " + franchise.name + ":";
        for (const FranchiseSeason& entry : franchise.seasons)
            text += " " + std::to_string(entry.season) + " " + std::to_string(entry.standing.wins) + "-" +
                    std::to_string(entry.standing.losses) + " [" + entry.roundReached +
                    (entry.champion ? " won" : "") + "]";
        seen.push_back(text);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"1 Ashford Hounds: 0 90-72 [] 1 80-82 [WS]",
                                              "2 Lakeport Herons: 0 72-90 [] 1 85-77 [DS]",
                                              "3 Bay Owls: 1 81-81 [WS won]"}));
}

StatLine battingLine(std::int64_t id, const std::string& name, Counter team, const std::string& type,
                     Counter hits) {
    StatLine line;
    line.playerId = id;
    line.player = name;
    line.teamId = team;
    line.team = "T" + std::to_string(team);
    line.statType = type;
    line.counters = Counters(bat::Count);
    line.counters[bat::H] = hits;
    return line;
}

TEST(SitePlayers, SamePlayerOnlyWhenIdAndNameMatch) {
    std::vector<SeasonData> seasons(3);
    seasons[0].batting = {battingLine(7, "Grint,Sol", 1, "Regular", 10),
                          battingLine(8, "Vale,Ty", 1, "Regular", 1)};
    seasons[1].batting = {battingLine(7, "Grint,Sol", 2, "Regular", 20),
                          battingLine(7, "Grint,Sol", 3, "Regular", 5)};
    seasons[2].batting = {battingLine(7, "Other,Al", 1, "Regular", 30)};
    const Players players = collectPlayers(seasons);
    ASSERT_EQ(players.byKey.size(), 3u);
    EXPECT_EQ(players.find(7, "Grint,Sol")->page, "7.html");
    EXPECT_EQ(players.find(7, "Grint,Sol")->batting.size(), 3u);
    EXPECT_EQ(players.find(7, "Other,Al")->page, "7-2.html");
    EXPECT_EQ(players.toCheck, std::vector<std::int64_t>{7});

    const std::vector<PlayerTotal> totals = seasonTotals(seasons[1].batting, "Regular");
    ASSERT_EQ(totals.size(), 1u);
    EXPECT_EQ(totals[0].teamText(), "TOT");
    EXPECT_EQ(totals[0].counters[bat::H], 25);
    EXPECT_TRUE(seasonTotals(seasons[1].batting, "PreSeason").empty());
}

TEST(SiteFiles, OnlyPlainRelativePathsFromTheFileList) {
    const std::pair<const char*, bool> cases[] = {{"index.html", true},   {"2031/teams/1.html", true},
                                                  {"../x", false},        {"a/../../x", false},
                                                  {"/etc/passwd", false}, {"C:/x", false},
                                                  {"a\\b", false},        {"", false},
                                                  {"a//b", false},        {"./a", false},
                                                  {".boxloom", true}};
    for (const auto& [path, ok] : cases)
        EXPECT_EQ(isSitePath(path), ok) << path;
}

TEST(SiteFiles, APageIsUnchangedOnlyWhenTheFileHoldsExactlyItsBytes) {
    // Longer than one read of the comparison, so that a difference can fall in the second.
    std::string page(100'000, 'p');
    page.back() = '\n';
    const auto edited = [&page](const std::function<void(std::string&)>& edit) {
        std::string bytes = page;
        edit(bytes);
        return bytes;
    };
    struct Case {
        const char* what;
        std::optional<std::string> onDisk; // nullopt: no file
        bool unchanged;
    };
    const Case cases[] = {
        {"the same bytes", page, true},
        {"no file", std::nullopt, false},
        {"a byte more", edited([](std::string& b) { b += 'x'; }), false},
        {"a byte less", edited([](std::string& b) { b.pop_back(); }), false},
        {"the last byte", edited([](std::string& b) { b.back() = 'x'; }), false},
        {"a byte past the first read", edited([](std::string& b) { b[70'000] = 'x'; }), false},
        {"empty", std::string(), false},
    };
    for (const Case& c : cases) {
        testing::TempFolder folder;
        if (c.onDisk) testing::writeFile(folder.file("page.html"), *c.onDisk);
        SiteWriter writer(folder.str());
        writer.begin(1);
        writer.put(0, "page.html", page);
        const WriteSummary summary = writer.finish();
        EXPECT_EQ(summary.unchanged, c.unchanged ? 1u : 0u) << c.what;
        EXPECT_EQ(summary.written, c.unchanged ? 0u : 1u) << c.what;
        EXPECT_EQ(testing::readFile(folder.file("page.html")), page) << c.what;
    }
}

TEST(SiteFiles, SeasonLabelsAsFolderNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"2031", "2031"}, {"Liga 86/87", "Liga-86-87"}, {"..", "s.."}, {"", "s"}, {"a\\b:c", "a-b-c"}};
    for (const auto& [label, folder] : cases)
        EXPECT_EQ(folderNameFor(label), folder) << label;
}

// A column's rates carry a sort value only where their printed text ties
// distinct values, with as many decimals as keep all of them apart.
template <Counter N, Counter D> Ratio fixedRatio(const Counters&) { return {N, D}; }

TEST(SiteTables, SortValuesHaveTheDigitsThatKeepAColumnsValuesApart) {
    struct Case {
        const char* what;
        std::vector<Ratio (*)(const Counters&)> values;
        Shown shown;
        std::vector<std::string> cells;
    };
    const std::vector<Case> cases = {
        {"printed apart", {fixedRatio<1, 3>, fixedRatio<1, 2>}, Shown::Average, {"<td>.333", "<td>.500"}},
        {"a tie",
         {fixedRatio<1, 3>, fixedRatio<333, 1000>},
         Shown::Average,
         {"<td data-v=.3333>.333", "<td data-v=.333>.333"}},
        {"zero",
         {fixedRatio<0, 5>, fixedRatio<1, 1000000>},
         Shown::Average,
         {"<td data-v=0>.000", "<td data-v=.000001>.000"}},
        {"negative",
         {fixedRatio<-1, 3>, fixedRatio<-333, 1000>},
         Shown::TwoDecimals,
         {"<td data-v=-.3333>-0.33", "<td data-v=-.333>-0.33"}},
        {"whole",
         {fixedRatio<2001, 20>, fixedRatio<1001, 10>},
         Shown::Whole,
         {"<td data-v=100.05>100", "<td data-v=100.1>100"}},
        {"undefined", {fixedRatio<1, 0>, fixedRatio<0, 0>}, Shown::Average, {"<td>\u2014", "<td>\u2014"}},
    };
    for (const Case& c : cases) {
        std::vector<StatColumn> columns;
        for (auto value : c.values)
            columns.push_back({"X", "", value, c.shown});
        TableData table("t", {});
        // One row per value, each showing it in the one column.
        for (std::size_t i = 0; i < columns.size(); ++i)
            table.addRow({}, Counters(), std::span(columns).subspan(i, 1));
        const std::string rows = table.rowsHtml();
        for (const std::string& cell : c.cells)
            EXPECT_NE(rows.find(cell + "\n"), std::string::npos) << c.what << ": " << cell << " in " << rows;
    }
}

// A long table comes in blocks of rows, each its own row group, so that a
// browser lays out only the blocks in view; a short one stays one group.
TEST(TableRows, ALongTableComesInBlocksOfRows) {
    struct Case {
        std::size_t rows;
        std::size_t breaks; // "</tbody>\n<tbody>\n" between blocks
    };
    constexpr std::size_t block = TableData::kBlockRows;
    for (const Case& c :
         {Case{0, 0}, Case{block, 0}, Case{block + 1, 1}, Case{2 * block, 1}, Case{5 * block / 2, 2}}) {
        TableData table("t", {"Player"});
        for (std::size_t i = 0; i < c.rows; ++i)
            table.addRow({{"p" + std::to_string(i)}}, Counters(), {});
        const std::string rows = table.rowsHtml();
        std::size_t breaks = 0, rowsBeforeFirstBreak = 0;
        for (std::size_t at = rows.find("</tbody>\n<tbody>\n"); at != std::string::npos;
             at = rows.find("</tbody>\n<tbody>\n", at + 1)) {
            if (breaks++ == 0)
                rowsBeforeFirstBreak = static_cast<std::size_t>(
                    std::count(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
        }
        EXPECT_EQ(breaks, c.breaks) << c.rows << " rows";
        EXPECT_EQ(table.isLong(), c.breaks > 0) << c.rows << " rows";
        if (breaks > 0) {
            EXPECT_EQ(rowsBeforeFirstBreak, TableData::kBlockRows);
        }
        EXPECT_EQ(static_cast<std::size_t>(std::count(rows.begin(), rows.end(), '\n')),
                  c.rows + 2 * c.breaks);
        if (c.rows > 0) {
            EXPECT_NE(rows.find(">p" + std::to_string(c.rows - 1) + "\n"), std::string::npos)
                << "the last row";
        }
    }
}

// A long table's page holds its first block of rows; the others come from its
// rows script, the same rows to the byte once its strings are read back,
// whatever the names hold. A table of one block is whole in its page.
TEST(TableRows, ALongTablesLaterRowsComeFromItsScript) {
    for (const std::size_t count :
         {std::size_t{1}, TableData::kBlockRows, TableData::kBlockRows + 1, 5 * TableData::kBlockRows / 2}) {
        StatTable table;
        table.id = "batting-Regular";
        table.heading = "Regular";
        table.leadingLabels = {"Player"};
        for (std::size_t i = 0; i < count; ++i)
            table.rows.push_back(
                {{Cell("p" + std::to_string(i) + " \"O'Neil\" \\ </script>\n")}, Counters(), {}, {}});
        TableData made("batting-Regular", {"Player"});
        for (const TableRow& row : table.rows)
            made.addRow(row.leading, row.counters, {});
        const std::vector<std::string> blocks = made.rowBlocks();

        const SplitTable split = splitTableData(table, "batting.rows.js");
        EXPECT_EQ(split.table.rows, blocks.front()) << count << " rows";
        if (blocks.size() == 1) {
            EXPECT_EQ(split.laterRowsScript, "") << count << " rows";
            EXPECT_EQ(split.table.laterRows, "");
            continue;
        }
        EXPECT_EQ(split.table.laterRows, "batting.rows.js");
        EXPECT_TRUE(split.laterRowsScript.starts_with("boxloomRows(\"batting-Regular\", ["));
        const std::vector<std::string> strings = testing::scriptStrings(split.laterRowsScript);
        EXPECT_EQ(std::vector<std::string>(strings.begin() + 1, strings.end()),
                  std::vector<std::string>(blocks.begin() + 1, blocks.end()))
            << count << " rows";
        // A line per block: a newline in a row would end the script's string.
        EXPECT_EQ(static_cast<std::size_t>(
                      std::count(split.laterRowsScript.begin(), split.laterRowsScript.end(), '\n')),
                  blocks.size());
    }
}

TEST(ScriptText, AStringLiteralHoldsAnyBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"", R"("")"},
        {"plain", R"("plain")"},
        {"a\"b", R"("a\"b")"},
        {"back\\slash", R"("back\\slash")"},
        {"two\nlines", R"("two\nlines")"},
        {"tab\tand\x01", R"("tab\u0009and\u0001")"},
        {"\"\"", R"("\"\"")"},
        {"caf\xc3\xa9 </script>", "\"caf\xc3\xa9 </script>\""},
    };
    for (const auto& [text, literal] : cases) {
        std::string out = "x";
        appendScriptString(out, text);
        EXPECT_EQ(out, "x" + literal) << text;
        EXPECT_EQ(testing::scriptStrings(out), std::vector<std::string>{text}) << text;
    }
}

} // namespace
} // namespace boxloom::site
