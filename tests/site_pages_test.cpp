// The page makers' plain data, checked without HTML.

#include "league_adjusted.h"
#include "page_builder.h"
#include "site_templates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace boxloom::site::pages {
namespace {

struct NoPages : PageSink {
    void begin(std::size_t) override {}
    void put(std::size_t, const std::string&, const std::string&) override {}
};

// A builder over `seasons` that makes no files: each season's pages in a
// folder of its label, or of `folders` when given.
class Pages {
public:
    explicit Pages(const std::vector<SeasonData>& seasons, SiteSettings settings = {},
                   SiteDownloads downloads = {}, std::vector<Franchise> franchises = {},
                   const std::vector<std::string>& folders = {})
        : settings_(std::move(settings)), downloads_(std::move(downloads)),
          model_{seasons, settings_, collectPlayers(seasons), {}, std::move(franchises), downloads_, {}},
          builder_(model_, templates_, sink_, 0) {
        for (std::size_t i = 0; i < seasons.size(); ++i)
            model_.seasonPages.push_back(
                {&seasons[i], folders.empty() ? seasons[i].label : folders[i], 162, {}});
    }
    const SiteBuilder& builder() const { return builder_; }
    const SiteModel& model() const { return model_; }

private:
    SiteSettings settings_;
    SiteDownloads downloads_;
    SiteModel model_;
    SiteTemplates templates_;
    NoPages sink_;
    SiteBuilder builder_;
};

// A regular-season line of team 1 (Ashford Foxes) or 2 (Lakeport Herons).
StatLine regularLine(std::int64_t id, const std::string& name, std::int64_t team, std::size_t counters) {
    StatLine line;
    line.playerId = id;
    line.player = name;
    line.teamId = team;
    line.team = team == 1 ? "Ashford Foxes" : "Lakeport Herons";
    line.statType = std::string(kRegular);
    line.counters = Counters(counters);
    line.splits = {Counters(split::Count), Counters(split::Count)};
    return line;
}

StatLine batter(std::int64_t id, const std::string& name, std::int64_t team, Counter atBats, Counter hits,
                Counter homeRuns) {
    StatLine line = regularLine(id, name, team, bat::Count);
    line.counters[bat::AB] = atBats;
    line.counters[bat::H] = hits;
    line.counters[bat::HR] = homeRuns;
    return line;
}

std::vector<std::string> entriesOf(const LeaderBoxes& boxes, const std::string& key, std::string* minimum) {
    std::vector<std::string> texts;
    for (const LeaderBox& box : boxes) {
        if (box.key != key) continue;
        *minimum = box.minimum;
        for (const LeaderEntry& entry : box.entries)
            texts.push_back(entry.rank + " " + entry.name + " | " + entry.team + " | " + entry.value + " | " +
                            entry.link);
    }
    return texts;
}

// Ties share a rank; a traded player is ranked on his total (TOT); a rate
// leader needs the minimum; names are "First Last" and lead to the player.
TEST(SitePages, ASeasonsLeaderBoxesAsPlainData) {
    std::vector<SeasonData> seasons(1);
    SeasonData& season = seasons[0];
    season.label = "2031";
    season.teams = {{1, "Ashford", "Foxes", "ASH"}, {2, "Lakeport", "Herons", "LAK"}};
    season.batting = {batter(1, "Adams,Al", 1, 510, 160, 30), batter(2, "Baker,Bo", 1, 450, 135, 30),
                      batter(3, "Cole,Cy", 1, 300, 90, 10), batter(3, "Cole,Cy", 2, 250, 80, 15)};
    season.statTypes = {std::string(kRegular)};
    addLeagueAdjusted(season);
    const Pages pages(seasons);
    const SiteBuilder& builder = pages.builder();
    const auto leaders =
        builder.seasonLeaders(pages.model().seasonPages[0], std::string(kRegular), 162, "2031/leaders.html");
    std::string minimum;
    EXPECT_EQ(entriesOf(leaders.batting, "hr", &minimum),
              (std::vector<std::string>{"T-1 Al Adams | Ashford Foxes | 30 | ../players/1.html",
                                        "T-1 Bo Baker | Ashford Foxes | 30 | ../players/2.html",
                                        "3 Cy Cole | TOT | 25 | ../players/3.html"}));
    EXPECT_EQ(minimum, "");
    EXPECT_EQ(entriesOf(leaders.batting, "avg", &minimum),
              (std::vector<std::string>{"1 Al Adams | Ashford Foxes | .314 | ../players/1.html",
                                        "2 Cy Cole | TOT | .309 | ../players/3.html"}));
    EXPECT_EQ(minimum, "Min. 502 PA");
    EXPECT_TRUE(leaders.pitching.size() > 0 && leaders.pitching.front().entries.empty());
}

// A team's page holds its own lines only (a traded player's part with this
// team), their total, its record and its leaders among its own players.
TEST(SitePages, ATeamPageAsPlainData) {
    std::vector<SeasonData> seasons(1);
    SeasonData& season = seasons[0];
    season.label = "2031";
    season.teams = {{1, "Ashford", "Foxes", "ASH"}, {2, "Lakeport", "Herons", "LAK"}};
    season.batting = {batter(1, "Adams,Al", 1, 510, 160, 30), batter(2, "Baker,Bo", 1, 450, 135, 20),
                      batter(3, "Cole,Cy", 1, 300, 90, 10), batter(3, "Cole,Cy", 2, 250, 80, 15)};
    season.statTypes = {std::string(kRegular)};
    addLeagueAdjusted(season);
    const Pages pages(seasons);
    const SiteBuilder& builder = pages.builder();
    const TeamPage page = builder.teamPage(pages.model().seasonPages[0], season.teams[0], standings(season));
    EXPECT_EQ(page.path, "2031/teams/1.html");
    EXPECT_EQ(page.title, "Ashford Foxes 2031");
    EXPECT_EQ(page.leadersLink, "../leaders.html");
    EXPECT_EQ(page.franchiseLink, "../../franchises/1.html");
    ASSERT_EQ(page.tables.size(), 1u) << "no pitching lines, no pitching table";
    const StatTable& table = page.tables[0];
    EXPECT_EQ(table.heading, "Batting, Regular");
    EXPECT_EQ(table.id, "Batting-Regular");
    std::vector<std::string> rows;
    for (const TableRow& row : table.rows)
        rows.push_back(row.leading[0].text + " " + row.leading[0].link + " " +
                       std::to_string(row.counters[bat::AB]) + "/" + std::to_string(row.counters[bat::H]) +
                       "/" + std::to_string(row.counters[bat::HR]));
    EXPECT_EQ(rows, (std::vector<std::string>{"Al Adams ../../players/1.html 510/160/30",
                                              "Bo Baker ../../players/2.html 450/135/20",
                                              "Cy Cole ../../players/3.html 300/90/10",
                                              "Team total  1260/385/60"}));
    EXPECT_EQ(table.rows.back().rowClass, "total");
    std::string minimum;
    EXPECT_EQ(entriesOf(page.boxes, "hr", &minimum),
              (std::vector<std::string>{"1 Al Adams | Ashford Foxes | 30 | ../../players/1.html",
                                        "2 Bo Baker | Ashford Foxes | 20 | ../../players/2.html",
                                        "3 Cy Cole | Ashford Foxes | 10 | ../../players/3.html"}));
}

// Sections by the last name's initial, "#" (anchor "other") for a name that
// starts with no letter A to Z; inside, last name then first name, any case.
TEST(SitePages, ThePlayersIndexAsPlainData) {
    std::vector<SeasonData> seasons(1);
    SeasonData& season = seasons[0];
    season.label = "2031";
    season.teams = {{1, "Ashford", "Foxes", "ASH"}};
    season.batting = {batter(1, "zane,Al", 1, 1, 0, 0), batter(2, "Adams,Bo", 1, 1, 0, 0),
                      batter(3, "O'Neil,Cy", 1, 1, 0, 0),
                      batter(4,
                             "\xC3\x91u\xC3\xB1"
                             "ez,Dan",
                             1, 1, 0, 0),
                      batter(5, "Adams,Al", 1, 1, 0, 0)};
    season.statTypes = {std::string(kRegular)};
    const Pages pages(seasons);
    const SiteBuilder& builder = pages.builder();
    std::vector<std::string> shown;
    for (const IndexLetter& letter : builder.playersIndexLetters()) {
        shown.push_back(letter.letter + " #" + letter.anchor);
        for (const IndexEntry& entry : letter.players)
            shown.push_back("  " + entry.name + " " + entry.link + " " + entry.seasons);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"A #A", "  Al Adams 5.html 2031", "  Bo Adams 2.html 2031",
                                               "O #O", "  Cy O'Neil 3.html 2031", "Z #Z",
                                               "  Al zane 1.html 2031", "# #other",
                                               "  Dan \xC3\x91u\xC3\xB1"
                                               "ez 4.html 2031"}));
}

// Every season leads to its pages, in the seasons' order; the leaders shown
// are the latest season's; the database is linked only when it is offered.
TEST(SitePages, TheFrontPageAsPlainData) {
    std::vector<SeasonData> seasons(2);
    for (std::size_t i = 0; i < seasons.size(); ++i) {
        seasons[i].label = i == 0 ? "2031" : "2032";
        seasons[i].teams = {{1, "Ashford", "Foxes", "ASH"}};
        seasons[i].statTypes = {std::string(kRegular)};
    }
    seasons[0].batting = {batter(1, "Adams,Al", 1, 510, 160, 40)};
    seasons[1].batting = {batter(2, "Baker,Bo", 1, 450, 135, 20)};
    for (SeasonData& season : seasons)
        addLeagueAdjusted(season);
    for (const bool offered : {false, true}) {
        SiteDownloads downloads;
        if (offered) downloads.database = "bytes";
        const Pages pages(seasons, {}, downloads, {{1, "Ashford Foxes", {}}}, {"2031", "2032-x"});
        const SiteBuilder& builder = pages.builder();
        const FrontPage page = builder.frontPage();
        ASSERT_EQ(page.seasons.size(), 2u);
        EXPECT_EQ(page.seasons[1].label, "2032");
        EXPECT_EQ(page.seasons[1].leaders, "2032-x/leaders.html");
        EXPECT_EQ(page.seasons[1].tables,
                  (std::vector<std::string>{"2032-x/batting.html", "2032-x/pitching.html",
                                            "2032-x/fielding.html"}));
        ASSERT_EQ(page.franchises.size(), 1u);
        EXPECT_EQ(page.franchises[0].link, "franchises/1.html");
        EXPECT_EQ(page.database, offered ? "league.db" : "");
        ASSERT_TRUE(page.latest.has_value());
        EXPECT_EQ(page.latest->label, "2032");
        EXPECT_EQ(page.latest->leaders, "2032-x/leaders.html");
        ASSERT_EQ(page.latest->standings.rows.size(), 1u);
        EXPECT_EQ(page.latest->standings.rows[0][0].link, "2032-x/teams/1.html");
        std::string minimum;
        EXPECT_EQ(entriesOf(page.latest->boxes, "hr", &minimum),
                  std::vector<std::string>{"1 Bo Baker | Ashford Foxes | 20 | players/2.html"});
    }
}

// A player traded in a season is found once, with his seasons; each team is
// found once a season, in that season's folder.
TEST(SitePages, WhatTheSearchBoxFinds) {
    std::vector<SeasonData> seasons(2);
    for (std::size_t i = 0; i < seasons.size(); ++i) {
        seasons[i].label = i == 0 ? "2031" : "2032";
        seasons[i].teams = {{1, "Ashford", "Foxes", "ASH"}, {2, "Lakeport", "Herons", "LAK"}};
        seasons[i].statTypes = {std::string(kRegular)};
        seasons[i].batting = {batter(3, "Cole,Cy", 1, 300, 90, 10), batter(3, "Cole,Cy", 2, 250, 80, 15)};
    }
    const Pages pages(seasons);
    const SiteBuilder& builder = pages.builder();
    EXPECT_EQ(builder.searchEntries(),
              (std::vector<SearchEntry>{{"Cy Cole", "2031–2032", "players/3.html"},
                                        {"Ashford Foxes", "2031", "2031/teams/1.html"},
                                        {"Lakeport Herons", "2031", "2031/teams/2.html"},
                                        {"Ashford Foxes", "2032", "2032/teams/1.html"},
                                        {"Lakeport Herons", "2032", "2032/teams/2.html"}}));
}

// A traded season shows his rows with each team and then their total (TOT);
// the career row adds the seasons; his chart follows the season totals.
TEST(SitePages, APlayerPageAsPlainData) {
    std::vector<SeasonData> seasons(2);
    for (std::size_t i = 0; i < seasons.size(); ++i) {
        seasons[i].label = i == 0 ? "2031" : "2032";
        seasons[i].teams = {{1, "Ashford", "Foxes", "ASH"}, {2, "Lakeport", "Herons", "LAK"}};
        seasons[i].statTypes = {std::string(kRegular)};
    }
    seasons[0].batting = {batter(3, "Cole,Cy", 1, 300, 90, 10), batter(3, "Cole,Cy", 2, 250, 80, 15)};
    seasons[1].batting = {batter(3, "Cole,Cy", 2, 500, 150, 20)};
    const Pages pages(seasons);
    const SiteBuilder& builder = pages.builder();
    const Player* cole = pages.model().players.find(3, "Cole,Cy");
    ASSERT_NE(cole, nullptr);
    const PlayerPage page = builder.playerPage(*cole);
    EXPECT_EQ(page.path, "players/3.html");
    EXPECT_EQ(page.title, "Cy Cole");
    std::vector<std::string> shown;
    for (const StatTable& table : page.tables) {
        shown.push_back(table.heading);
        const bool batting = table.id == "Batting-Regular";
        for (const TableRow& row : table.rows)
            shown.push_back(
                "  " + row.leading[0].text + " " + row.leading[1].text + " " + row.leading[1].link +
                (batting ? " " + std::to_string(row.counters[bat::AB]) : "") + " " + row.rowClass);
    }
    // A split row for each hand each regular season; no fielding rows, no fielding table.
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Batting, Regular", "  2031 Ashford Foxes ../2031/teams/1.html 300 ",
                         "  2031 Lakeport Herons ../2031/teams/2.html 250 ", "  2031 TOT  550 total",
                         "  2032 Lakeport Herons ../2032/teams/2.html 500 ", "  Career   1050 total",
                         "Batting splits, Regular", "  2031 LHP  ", "  2031 RHP  ", "  2032 LHP  ",
                         "  2032 RHP  "}));
    ASSERT_EQ(page.ops.size(), 2u);
    EXPECT_EQ(page.ops[0].first, "2031");
    EXPECT_EQ(formatValue(page.ops[0].second, Shown::Average),
              formatValue(onBasePlusSlugging(page.tables[0].rows[2].counters), Shown::Average));
    EXPECT_FALSE(page.pitcher);
}

// A traded player's total comes first and his team rows, parts, under it; the
// qualified view keeps all three when the total qualifies and none when it
// does not; who falls short is marked.
TEST(SitePages, ASeasonTableAsPlainData) {
    std::vector<SeasonData> seasons(1);
    SeasonData& season = seasons[0];
    season.label = "2031";
    season.teams = {{1, "Ashford", "Foxes", "ASH"}, {2, "Lakeport", "Herons", "LAK"}};
    season.batting = {batter(1, "Adams,Al", 1, 510, 160, 30), batter(2, "Baker,Bo", 1, 450, 135, 20),
                      batter(3, "Cole,Cy", 1, 300, 90, 10),   batter(3, "Cole,Cy", 2, 250, 80, 15),
                      batter(4, "Dunn,Di", 2, 200, 50, 5),    batter(4, "Dunn,Di", 1, 100, 20, 1)};
    season.statTypes = {std::string(kRegular)};
    SiteSettings settings;
    settings.games = 162; // the league says: no pitching here to find it from
    const Pages pages(seasons, settings);
    const SiteBuilder& builder = pages.builder();
    const std::vector<std::string> types = {std::string(kRegular), "WS"};
    const SeasonTablePage page = builder.seasonTablePage(
        pages.model().seasonPages[0], SeasonTableKind::Batting, std::string(kRegular), types);
    EXPECT_EQ(page.path, "2031/batting.html");
    EXPECT_EQ(page.title, "2031 Batting, Regular");
    EXPECT_EQ(page.table.qualifiedToggle, "Min. 502 PA");
    ASSERT_EQ(page.otherTypes.size(), 1u);
    EXPECT_EQ(page.otherTypes[0].link, "batting-WS.html");
    std::vector<std::string> rows;
    for (const TableRow& row : page.table.rows)
        rows.push_back(row.leading[0].text + " | " + row.leading[1].text + " | " +
                       std::to_string(row.counters[bat::AB]) + " | " + row.rowClass);
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "Al Adams | Ashford Foxes | 510 | ", "Bo Baker | Ashford Foxes | 450 | unqualified",
                        "Cy Cole | TOT | 550 | tot", "Cy Cole | Ashford Foxes | 300 | part",
                        "Cy Cole | Lakeport Herons | 250 | part", "Di Dunn | TOT | 300 | tot unqualified",
                        "Di Dunn | Ashford Foxes | 100 | part unqualified",
                        "Di Dunn | Lakeport Herons | 200 | part unqualified"}));
}

std::vector<std::string> headingsOf(const LeaderGroups& groups) {
    std::vector<std::string> headings;
    for (const LeaderGroup& group : groups)
        headings.push_back(group.heading + " (" + std::to_string(group.boxes.size()) + ")");
    return headings;
}

std::vector<std::string> textsOf(const std::vector<NamedLink>& links) {
    std::vector<std::string> texts;
    for (const NamedLink& link : links)
        texts.push_back(link.name + " " + link.link);
    return texts;
}

// Each stat type's page links the others but PreSeason, which has no leaders
// page; only the regular season offers the season's files.
TEST(SitePages, ASeasonsLeadersPageAsPlainData) {
    std::vector<SeasonData> seasons(1);
    seasons[0].label = "2031";
    seasons[0].teams = {{1, "Ashford", "Foxes", "ASH"}};
    seasons[0].batting = {batter(1, "Adams,Al", 1, 510, 160, 30)};
    seasons[0].statTypes = {std::string(kRegular)};
    SiteDownloads downloads;
    downloads.seasonFiles = {{{"batting.csv", "b"}, {"pitching.csv", "p"}}};
    SiteSettings settings;
    settings.games = 162;
    const Pages pages(seasons, settings, downloads, {}, {"season-2031"});
    const std::vector<std::string> types = {std::string(kRegular), "WS", std::string(kPreSeason)};
    const SeasonPages& season = pages.model().seasonPages[0];
    const SeasonLeadersPage regular = pages.builder().seasonLeadersPage(season, std::string(kRegular), types);
    EXPECT_EQ(regular.path, "season-2031/leaders.html");
    EXPECT_EQ(regular.title, "2031 Regular leaders");
    EXPECT_EQ(regular.games, 162);
    EXPECT_EQ(textsOf(regular.otherTypes), (std::vector<std::string>{"WS leaders-WS.html"}));
    EXPECT_EQ(textsOf(regular.downloads),
              (std::vector<std::string>{"batting.csv files/batting.csv", "pitching.csv files/pitching.csv"}));
    ASSERT_EQ(regular.groups.size(), 3u);
    EXPECT_EQ(regular.groups[0].heading, "Batting");
    EXPECT_EQ(regular.groups[2].heading, "Fielding");
    const SeasonLeadersPage series = pages.builder().seasonLeadersPage(season, "WS", types);
    EXPECT_EQ(series.path, "season-2031/leaders-WS.html");
    EXPECT_EQ(textsOf(series.otherTypes), (std::vector<std::string>{"Regular leaders.html"}));
    EXPECT_TRUE(series.downloads.empty());
}

// Careers: the span of seasons and a group per kind; records: single seasons,
// careers and teams, and who held the home-run record after each season.
TEST(SitePages, CareerAndRecordsPagesAsPlainData) {
    std::vector<SeasonData> seasons(3);
    const char* labels[] = {"2031", "2032", "2033"};
    const Counter homeRuns[][2] = {{30, 20}, {25, 41}, {41, 12}};
    for (std::size_t i = 0; i < seasons.size(); ++i) {
        seasons[i].label = labels[i];
        seasons[i].teams = {{1, "Ashford", "Foxes", "ASH"}, {2, "Lakeport", "Herons", "LAK"}};
        seasons[i].batting = {batter(1, "Adams,Al", 1, 510, 160, homeRuns[i][0]),
                              batter(2, "Baker,Bo", 2, 520, 150, homeRuns[i][1])};
        seasons[i].statTypes = {std::string(kRegular)};
        addLeagueAdjusted(seasons[i]);
    }
    const Pages pages(seasons);
    const CareerPage career = pages.builder().careerLeaders();
    EXPECT_EQ(career.first, "2031");
    EXPECT_EQ(career.last, "2033");
    EXPECT_EQ(career.seasons, 3u);
    ASSERT_EQ(career.groups.size(), 2u);
    std::string minimum;
    EXPECT_EQ(entriesOf(career.groups[0].boxes, "hr", &minimum),
              (std::vector<std::string>{"1 Al Adams |  | 96 | players/1.html",
                                        "2 Bo Baker |  | 73 | players/2.html"}));

    const RecordsPage records = pages.builder().records();
    EXPECT_EQ(records.seasons, 3u);
    const std::vector<std::string> headings = headingsOf(records.groups);
    ASSERT_EQ(headings.size(), 5u);
    EXPECT_EQ(headings[0].substr(0, headings[0].find(' ', 9)), "Batting, single");
    EXPECT_EQ(records.groups[4].heading, "Teams, single season");
    EXPECT_EQ(records.groups[4].boxes.size(), 4u);
    const std::vector<std::string> best = entriesOf(records.groups[0].boxes, "hr", &minimum);
    ASSERT_GE(best.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(best.begin(), best.begin() + 3),
              (std::vector<std::string>{"T-1 Al Adams | 2033 | 41 | players/1.html",
                                        "T-1 Bo Baker | 2032 | 41 | players/2.html",
                                        "3 Al Adams | 2031 | 30 | players/1.html"}));
    const auto progress = std::find_if(records.progressions.begin(), records.progressions.end(),
                                       [](const RecordProgression& p) { return p.key == "progress-hr"; });
    ASSERT_NE(progress, records.progressions.end());
    std::vector<std::string> steps;
    for (const RecordAfterSeason& after : progress->seasons) {
        std::string holders;
        for (const RecordHolder& holder : after.holders)
            holders += holder.name + " (" + holder.setIn + ") ";
        steps.push_back(after.season + ": " + holders + after.value);
    }
    // Tied in 2033: both holders, each with his season.
    EXPECT_EQ(steps, (std::vector<std::string>{"2031: Al Adams (2031) 30", "2032: Bo Baker (2032) 41",
                                               "2033: Bo Baker (2032) Al Adams (2033) 41"}));
}

StatLine pitcher(std::int64_t id, const std::string& name, std::int64_t team, Counter wins, Counter losses) {
    StatLine line = regularLine(id, name, team, pit::Count);
    line.counters[pit::W] = wins;
    line.counters[pit::L] = losses;
    line.counters[pit::GS] = wins + losses;
    return line;
}

std::vector<std::string> rowTexts(const TextTable& table, std::size_t cells) {
    std::vector<std::string> texts;
    for (const std::vector<Cell>& row : table.rows) {
        std::string text = row[0].text + " (" + row[0].link + ")";
        for (std::size_t i = 1; i < cells && i < row.size(); ++i)
            text += " | " + row[i].text;
        texts.push_back(text);
    }
    return texts;
}

// A team number's seasons, each with its record and its leaders, linked from
// the franchise's page; the standings of a season in order, linked from the
// page that shows them.
TEST(SitePages, AFranchiseAndAStandingsTableAsPlainData) {
    std::vector<SeasonData> seasons(2);
    for (std::size_t i = 0; i < seasons.size(); ++i) {
        seasons[i].label = i == 0 ? "2031" : "2032";
        seasons[i].teams = {{1, "Ashford", i == 0 ? "Foxes" : "Hounds", "ASH"},
                            {2, "Lakeport", "Herons", "LAK"}};
        seasons[i].batting = {batter(1, "Adams,Al", 1, 510, 160, 30 + static_cast<Counter>(i)),
                              batter(2, "Baker,Bo", 2, 500, 150, 20)};
        seasons[i].pitching = {pitcher(11, "Ames,Ed", 1, 90 - 20 * static_cast<Counter>(i), 72),
                               pitcher(12, "Bell,Ty", 2, 72, 90)};
        seasons[i].statTypes = {std::string(kRegular)};
        addLeagueAdjusted(seasons[i]);
    }
    SiteSettings settings;
    settings.games = 162;
    const std::vector<Franchise> franchises = franchisesOf(seasons);
    const Pages pages(seasons, settings, {}, franchises);
    const FranchisePage page = pages.builder().franchisePage(franchises.front());
    EXPECT_EQ(page.path, "franchises/1.html");
    EXPECT_EQ(page.title, "Ashford Hounds: franchise history");
    EXPECT_EQ(page.first + "-" + page.last + " " + std::to_string(page.seasonCount), "2031-2032 2");
    EXPECT_EQ(rowTexts(page.seasons, 5),
              (std::vector<std::string>{"2031 (../2031/teams/1.html) | Ashford Foxes | 90 | 72 | .556",
                                        "2032 (../2032/teams/1.html) | Ashford Hounds | 70 | 72 | .493"}));
    ASSERT_EQ(page.seasons.headers.size() + page.seasons.leadingLabels.size(), page.seasons.rows[0].size());
    EXPECT_EQ(page.seasons.rows[1][8].text, "Al Adams 31"); // the season's home-run leader
    EXPECT_EQ(page.seasons.rows[1][8].link, "../players/1.html");
    std::string minimum;
    EXPECT_EQ(entriesOf(page.boxes, "hr", &minimum),
              (std::vector<std::string>{"1 Al Adams |  | 61 | ../players/1.html"}));

    const TextTable standings = pages.builder().standingsTable(pages.model().seasonPages[1], "index.html");
    EXPECT_EQ(rowTexts(standings, 5),
              (std::vector<std::string>{"Ashford Hounds (2032/teams/1.html) | 70 | 72 | .493 | \u2014",
                                        "Lakeport Herons (2032/teams/2.html) | 72 | 90 | .444 | 8"}));
}

// Every column a table shows is explained once, whichever tables share it.
TEST(SitePages, TheGlossaryExplainsEveryColumnOnce) {
    const GlossaryPage page = glossary();
    std::set<std::string> explained;
    for (const GlossaryTerm& term : page.terms) {
        EXPECT_FALSE(term.meaning.empty()) << term.abbreviation;
        EXPECT_TRUE(explained.insert(term.abbreviation + "|" + term.meaning).second) << term.abbreviation;
    }
    for (auto columns : {battingColumns(), pitchingColumns(), fieldingColumns()})
        for (const StatColumn& column : columns)
            EXPECT_EQ(explained.count(std::string(column.label) + "|" + std::string(column.meaning)), 1u)
                << column.label;
    // Every round the league's files name, as they name it.
    for (const char* round : {"PreSeason", "Regular", "DCS", "LCS", "WS"})
        EXPECT_TRUE(std::any_of(page.terms.begin(), page.terms.end(), [&](const GlossaryTerm& term) {
            return term.abbreviation == round;
        })) << round;
    EXPECT_FALSE(page.rules.empty());
}

} // namespace
} // namespace boxloom::site::pages
