// The site program end to end: a database of demo seasons in, pages out.

#include "demo_season.h"
#include "league_adjusted.h"
#include "league_store.h"
#include "players.h"
#include "rules.h"
#include "season_import.h"
#include "site_cli.h"
#include "site_run.h"
#include "site_templates.h"
#include "sqlite_db.h"
#include "stat_tables.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace boxloom::site {
namespace {

namespace fs = std::filesystem;

// A whole season from a league database, completed; the reason it failed, or "".
std::string loadSeason(const std::string& path, const std::string& label, SeasonData& season) {
    database::LeagueStore store;
    if (std::string reason = store.open(path); !reason.empty()) return reason;
    season = SeasonData{};
    season.label = label;
    for (database::SeasonPart part : database::kSeasonParts)
        if (std::string reason = store.load(label, part, season); !reason.empty()) return reason;
    database::completeSeason(season);
    addLeagueAdjusted(season);
    return {};
}

// Two seasons: the second the same league a year on, so its players have careers.
class SiteTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new testing::TempFolder;
        for (const char* label : {"2031", "2032"}) {
            const std::string seasonFolder = folder_->file(label);
            fs::create_directory(seasonFolder);
            ASSERT_EQ(writeDemoSeason(seasonFolder, {7, 300}).error, "");
        }
        ExportOptions options;
        options.encoding = TextEncoding::Utf8;
        const database::ImportOutcome outcome = database::importSeasons(
            database(), {{"2031", folder_->file("2031")}, {"2032", folder_->file("2032")}}, options);
        ASSERT_TRUE(outcome.succeeded());
        database::Connection db;
        ASSERT_EQ(db.open(database()), "");
        // One player with a name that needs escaping, in both seasons.
        for (const char* table :
             {"Batting_Stats", "Pitching_Stats", "Fielding_Stats", "Batting_Splits", "Pitching_Splits"})
            ASSERT_EQ(db.execute(std::string("UPDATE \"") + table +
                                 "\" SET \"Player\" = 'O''Neil & <Jr>,Bo' WHERE \"PlayerID\" = 1"),
                      "");
        // The 2031 home run leader shares his name with the player of the season's last row.
        database::Statement leader(
            db, "SELECT \"PlayerID\", SUM(\"HR\") FROM \"Batting_Stats\" WHERE \"Season\" = "
                "'2031' AND \"StatType\" = 'Regular' GROUP BY "
                "\"PlayerID\" ORDER BY 2 DESC LIMIT 1");
        ASSERT_TRUE(leader.step() && leader.hasRow());
        homeRunLeader_ = leader.integerColumn(0);
        homeRuns_ = leader.integerColumn(1);
        database::Statement last(db,
                                 "SELECT \"PlayerID\" FROM \"Batting_Stats\" WHERE \"Season\" = '2031' AND "
                                 "\"StatType\" = 'Regular' ORDER BY rowid DESC LIMIT 1");
        ASSERT_TRUE(last.step() && last.hasRow());
        namesake_ = last.integerColumn(0);
        ASSERT_NE(namesake_, homeRunLeader_);
        ASSERT_NE(homeRunLeader_, 1) << "player 1 has a name of his own here";
        for (const char* table :
             {"Batting_Stats", "Pitching_Stats", "Fielding_Stats", "Batting_Splits", "Pitching_Splits"})
            ASSERT_EQ(db.execute(std::string("UPDATE \"") + table +
                                 "\" SET \"Player\" = 'Twin,Tom' WHERE \"Season\" = "
                                 "'2031' AND \"PlayerID\" IN (" +
                                 std::to_string(homeRunLeader_) + ", " + std::to_string(namesake_) + ")"),
                      "");
        // PlayerID 2 is someone else in the second season.
        for (const char* table : {"Batting_Stats", "Pitching_Stats", "Fielding_Stats"})
            ASSERT_EQ(
                db.execute(std::string("UPDATE \"") + table +
                           "\" SET \"Player\" = 'Newman,Al' WHERE \"PlayerID\" = 2 AND \"Season\" = '2032'"),
                "");
    }
    static void TearDownTestSuite() {
        delete site_;
        site_ = nullptr;
        delete folder_;
        folder_ = nullptr;
    }
    static std::string database() { return folder_->file("league.db"); }

    // The site of both seasons with the default options, made once for the
    // tests that only read it; its outcome says whether it was made.
    static const testing::TempFolder& madeSite() {
        if (site_ == nullptr) {
            site_ = new testing::TempFolder;
            siteOutcome_ = make(site_->str());
        }
        return *site_;
    }

    static SiteOutcome make(const std::string& out, std::vector<std::string> seasons = {},
                            bool downloads = false) {
        SiteOptions options;
        options.database = database();
        options.outputFolder = out;
        options.seasons = std::move(seasons);
        options.title = "Test League";
        options.downloads = downloads;
        return makeSite(options);
    }

    static testing::TempFolder* folder_;
    static testing::TempFolder* site_;
    static SiteOutcome siteOutcome_;
    static std::int64_t homeRunLeader_, homeRuns_, namesake_;
    testing::TempFolder out_;
};

testing::TempFolder* SiteTest::folder_ = nullptr;
testing::TempFolder* SiteTest::site_ = nullptr;
SiteOutcome SiteTest::siteOutcome_;
std::int64_t SiteTest::homeRunLeader_ = 0, SiteTest::homeRuns_ = 0, SiteTest::namesake_ = 0;

// The targets of a page's href and src attributes, each up to its fragment.
std::vector<std::string> linksOf(const std::string& html) {
    std::vector<std::string> links;
    for (const std::string_view attribute : {"href=\"", "src=\""})
        for (std::size_t at = html.find(attribute); at != std::string::npos;
             at = html.find(attribute, at + 1)) {
            const std::size_t start = at + attribute.size();
            const std::size_t end = html.find_first_of("\"#", start);
            if (end != std::string::npos && end > start) links.push_back(html.substr(start, end - start));
        }
    return links;
}

TEST_F(SiteTest, EveryLinkOfTheSiteLeadsToAWrittenFile) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    const auto files = testing::filesUnder(out.str());
    for (const char* page : {"index.html", "2031/leaders.html", "2031/batting.html", "2031/pitching.html",
                             "2032/fielding.html", "2032/teams/1.html", "players/index.html",
                             "players/1.html", "career.html", "glossary.html", "site.css", "icon.svg"})
        EXPECT_EQ(files.count(page), 1u) << page;
    std::size_t links = 0;
    std::size_t rowScripts = 0;
    for (const auto& [path, file] : files) {
        if (!path.ends_with(".html") && !path.ends_with(".rows.js")) continue;
        std::string bytes = file;
        if (path.ends_with(".rows.js")) { // rows that a season table loads
            ++rowScripts;
            bytes.clear();
            for (const std::string& text : testing::scriptStrings(file))
                bytes += text;
        } else {
            // A search result shows it; a browser asks for the icon of every page.
            EXPECT_NE(bytes.find("<meta name=\"description\" content=\""), std::string::npos) << path;
            EXPECT_NE(bytes.find("<link rel=\"icon\" href=\""), std::string::npos) << path;
        }
        for (const std::string& link : linksOf(bytes)) {
            const fs::path target = (fs::path(path).parent_path() / link).lexically_normal();
            EXPECT_EQ(files.count(target.generic_string()), 1u) << path << " links to " << link;
            ++links;
        }
    }
    EXPECT_GT(links, 1000u);
    EXPECT_GT(rowScripts, 0u);
}

// The search box's names: every player's page and every team's, each once.
TEST_F(SiteTest, TheSearchIndexNamesEveryPlayerAndTeamPage) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    const auto files = testing::filesUnder(out.str());
    const std::string script = files.at("search.js");
    const std::regex entry(R"re(\["((?:[^"\\]|\\.)*)","[^"]*","([^"]+)"\])re");
    std::set<std::string> paths;
    std::size_t entries = 0;
    for (auto match = std::sregex_iterator(script.begin(), script.end(), entry);
         match != std::sregex_iterator(); ++match, ++entries) {
        EXPECT_EQ(files.count((*match)[2].str()), 1u) << (*match)[2];
        paths.insert((*match)[2].str());
    }
    std::size_t pages = 0;
    for (const auto& [path, bytes] : files)
        if ((path.starts_with("players/") && path != "players/index.html") ||
            path.find("/teams/") != std::string::npos)
            ++pages;
    EXPECT_EQ(entries, pages);
    EXPECT_EQ(paths.size(), pages);
    EXPECT_NE(script.find(R"re(["Bo O'Neil & <Jr>",)re"), std::string::npos)
        << "names as the pages show them";
    for (const auto& [path, bytes] : files) {
        if (!path.ends_with(".html")) continue;
        EXPECT_NE(bytes.find("<form class=\"search\""), std::string::npos) << path;
    }
}

// The best single seasons across the league's seasons, each figure from the rows.
TEST_F(SiteTest, TheRecordsAreTheBestSingleSeasons) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    database::Connection db;
    ASSERT_EQ(db.open(database()), "");
    database::Statement homeRuns(db, "SELECT MAX(hr) FROM (SELECT SUM(\"HR\") AS hr FROM \"Batting_Stats\" "
                                     "WHERE \"StatType\" = 'Regular' AND \"PlayerID\" IS NOT NULL "
                                     "GROUP BY \"Season\", \"PlayerID\", \"Player\")");
    database::Statement wins(db, "SELECT MAX(w) FROM (SELECT SUM(\"W\") AS w FROM \"Pitching_Stats\" "
                                 "WHERE \"StatType\" = 'Regular' GROUP BY \"Season\", \"TeamID\")");
    ASSERT_TRUE(homeRuns.step() && homeRuns.hasRow() && wins.step() && wins.hasRow());
    const std::string page = testing::readFile(out.file("records.html"));
    const auto firstValue = [&page](const std::string& key) {
        const std::size_t box = page.find("id=\"" + key + "\"");
        const std::size_t value = page.find("<span class=\"value\">", box);
        if (box == std::string::npos || value == std::string::npos) return std::string("<none>");
        const std::size_t start = value + std::string("<span class=\"value\">").size();
        return page.substr(start, page.find('<', start) - start);
    };
    database::Statement careerHomeRuns(db, "SELECT MAX(hr) FROM (SELECT SUM(\"HR\") AS hr FROM "
                                           "\"Batting_Stats\" WHERE \"StatType\" = 'Regular' AND "
                                           "\"PlayerID\" IS NOT NULL GROUP BY \"PlayerID\", \"Player\")");
    ASSERT_TRUE(careerHomeRuns.step() && careerHomeRuns.hasRow());
    EXPECT_EQ(firstValue("hr"), std::to_string(homeRuns.integerColumn(0)));
    EXPECT_EQ(firstValue("team-wins"), std::to_string(wins.integerColumn(0)));
    EXPECT_EQ(firstValue("career-hr"), std::to_string(careerHomeRuns.integerColumn(0)));
    // After the last season the progressive record is the record.
    const std::size_t progress = page.find("id=\"progress-hr\"");
    ASSERT_NE(progress, std::string::npos);
    const std::size_t lastRow = page.rfind("<tr>", page.find("</tbody>", progress));
    EXPECT_NE(page.find("<td>" + std::to_string(homeRuns.integerColumn(0)) + "</td></tr>", lastRow),
              std::string::npos);
}

// A tag's attribute values in quotes, as XML wants them and HTML does not.
std::string withValuesQuoted(const std::string& html) {
    std::string out;
    bool inTag = false, inQuotes = false;
    for (std::size_t at = 0; at < html.size(); ++at) {
        out += html[at];
        if (inTag && html[at] == '"') inQuotes = !inQuotes;
        if (!inQuotes && (html[at] == '<' || html[at] == '>')) inTag = html[at] == '<';
        if (!inTag || inQuotes || html[at] != '=' || at + 1 == html.size() || html[at + 1] == '"') continue;
        const std::size_t end = html.find_first_of(" >", at + 1);
        out += '"' + html.substr(at + 1, end - at - 1) + '"';
        at = end - 1;
    }
    return out;
}

// The page as XML: with the ends of its table cells and rows written out,
// which HTML lets a page leave to the next cell or row, and its values quoted.
// A page well-formed this way closes everything else it opens.
std::string asXml(const std::string& page) {
    const std::string html = withValuesQuoted(page);
    std::string out;
    std::string openCell; // "td" or "th" while one is open
    bool openRow = false;
    const auto closeCell = [&] {
        if (!openCell.empty()) out += "</" + openCell + ">";
        openCell.clear();
    };
    for (std::size_t at = 0; at < html.size(); ++at) {
        const std::string_view rest = std::string_view(html).substr(at);
        const auto startsTag = [&](std::string_view name) {
            return rest.starts_with(name) && rest.size() > name.size() &&
                   (rest[name.size()] == '>' || rest[name.size()] == ' ');
        };
        if (startsTag("<td") || startsTag("<th")) {
            closeCell();
            openCell = std::string(rest.substr(1, 2));
        } else if (startsTag("<tr") || rest.starts_with("</tbody>") || rest.starts_with("</thead>")) {
            closeCell();
            if (openRow) out += "</tr>";
            openRow = startsTag("<tr");
        } else if (rest.starts_with("</td>") || rest.starts_with("</th>")) {
            openCell.clear();
        } else if (rest.starts_with("</tr>")) {
            closeCell();
            openRow = false;
        }
        out += html[at];
    }
    return out;
}

TEST_F(SiteTest, EveryPageIsWellFormed) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    if (std::system("xmllint --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint is not installed";
    const testing::TempFolder checked;
    std::size_t pages = 0;
    for (const auto& [path, bytes] : testing::filesUnder(out.str())) {
        if (!path.ends_with(".html")) continue;
        ++pages;
        testing::writeFile(checked.file("page.html"), asXml(bytes));
        const std::string command = "xmllint --noout '" + checked.file("page.html") + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << path;
    }
    EXPECT_GT(pages, 50u);
}

// A cell's text: what lies outside its tags.
std::string withoutTags(const std::string& html) {
    std::string text;
    bool inTag = false;
    for (char c : html) {
        if (c == '<') inTag = true;
        if (!inTag) text += c;
        if (c == '>') inTag = false;
    }
    return text;
}

// The cells of a table's body, tags dropped.
std::vector<std::vector<std::string>> tableRows(const std::string& html, const std::string& id) {
    std::vector<std::vector<std::string>> rows;
    std::size_t at = html.find("id=\"" + id + "\"");
    if (at == std::string::npos) return rows;
    at = html.find("<tbody", at);
    const std::size_t end = html.find("</table>", at);
    // A cell ends where the next one, its row or the body ends.
    const auto next = [&](std::size_t from, std::initializer_list<std::string_view> marks) {
        std::size_t found = end;
        for (std::string_view mark : marks)
            found = std::min(found, html.find(mark, from));
        return found;
    };
    for (std::size_t row = html.find("<tr", at); row < end; row = next(row + 1, {"<tr"})) {
        std::vector<std::string> cells;
        const std::size_t rowEnd = next(row + 1, {"<tr", "</tbody>"});
        for (std::size_t cell = html.find("<td", row); cell < rowEnd;
             cell = next(cell + 1, {"<td", "<tr", "</tbody>"})) {
            std::string text =
                withoutTags(html.substr(cell, next(cell + 1, {"<td", "<tr", "</tbody>"}) - cell));
            if (text.ends_with('\n')) text.pop_back();
            cells.push_back(std::move(text));
        }
        rows.push_back(cells);
    }
    return rows;
}

// A team number's page has a row for each of its seasons with the record its
// season page shows, and each season's team page leads to it.
TEST_F(SiteTest, EachTeamNumberHasAFranchisePageWithItsSeasons) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    std::size_t franchises = 0;
    for (const auto& entry : fs::directory_iterator(out.file("franchises"))) {
        ++franchises;
        const std::string id = entry.path().stem().string();
        const auto rows = tableRows(testing::readFile(entry.path().string()), "seasons");
        ASSERT_EQ(rows.size(), 2u) << id;
        for (const auto& row : rows) {
            const std::string team = testing::readFile(out.file(row[0] + "/teams/" + id + ".html"));
            EXPECT_NE(team.find(" \u00b7 " + row[2] + "\u2013" + row[3] + " \u00b7 "), std::string::npos)
                << id << " " << row[0];
            EXPECT_NE(team.find("href=\"../../franchises/" + id + ".html\""), std::string::npos);
        }
    }
    EXPECT_GT(franchises, 1u);
}

// The front page leads with the latest season: its champion (the franchise
// whose page says it won that season), standings and leaders, then the
// seasons, then the franchises.
TEST_F(SiteTest, TheFrontPageLeadsWithTheLatestSeasonsChampion) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    const std::string index = testing::readFile(out.file("index.html"));
    std::vector<std::size_t> order;
    for (const char* part : {"<h2>2032 standings", "Champion: <a href=\"franchises/", "<h2>2032 leaders",
                             "<h2>Seasons", "<h2>Franchises"})
        order.push_back(index.find(part));
    ASSERT_NE(order[1], std::string::npos);
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end())) << index.substr(0, 2000);
    const std::size_t link = order[1] + std::string_view("Champion: <a href=\"").size();
    const std::string franchise = index.substr(link, index.find('"', link) - link);
    const auto seasons = tableRows(testing::readFile(out.file(franchise)), "seasons");
    ASSERT_FALSE(seasons.empty());
    EXPECT_EQ(seasons.back()[0], "2032");
    ASSERT_GT(seasons.back().size(), 7u);
    EXPECT_NE(seasons.back()[7].find(", won"), std::string::npos) << franchise; // Playoffs
}

// The value axis of a player's chart reads as the dots do: its top label is
// his best season's value at the highest dot, its bottom one his lowest.
TEST_F(SiteTest, APlayersChartHasItsValuesOnItsAxis) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    const std::regex tick(R"re(<text class="tick" x="[0-9.]+" y="([0-9.]+)"[^>]*>([^<]+)</text>)re");
    const std::regex dot(R"re(<circle cx="[0-9.]+" cy="([0-9.]+)" r="3"><title>[^:]+: ([^<]+)</title>)re");
    std::size_t charts = 0;
    for (const auto& entry : fs::directory_iterator(out.file("players"))) {
        const std::string page = testing::readFile(entry.path().string());
        const std::size_t start = page.find("<figure class=\"chart\">");
        if (start == std::string::npos) continue;
        const std::string html = page.substr(start, page.find("</figure>", start) - start);
        std::vector<std::pair<double, std::string>> ticks, dots;
        for (auto [list, pattern] : {std::pair{&ticks, &tick}, std::pair{&dots, &dot}})
            for (std::sregex_iterator it(html.begin(), html.end(), *pattern), end; it != end; ++it)
                list->push_back({std::stod((*it)[1]), (*it)[2]});
        if (dots.empty()) continue;
        ++charts;
        const auto [highest, lowest] = std::minmax_element(dots.begin(), dots.end()); // by y: top first
        ASSERT_FALSE(ticks.empty()) << entry.path();
        EXPECT_EQ(ticks.front(), *highest) << entry.path();
        if (highest->second != lowest->second) {
            ASSERT_EQ(ticks.size(), 3u) << entry.path();
            EXPECT_EQ(ticks.back(), *lowest) << entry.path();
        }
        if (charts == 40) break;
    }
    EXPECT_EQ(charts, 40u);
}

// A player's page says what each column is the first time it shows, not in
// every table: the headers' explanations were a third of a career's page.
TEST_F(SiteTest, APlayersPageExplainsEachColumnOnce) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    std::string homeRuns;
    for (const StatColumn& column : battingColumns())
        if (column.label == "HR") homeRuns = " title=\"" + std::string(column.meaning) + "\"";
    ASSERT_FALSE(homeRuns.empty());
    const std::string page =
        testing::readFile(out.file("players/" + std::to_string(homeRunLeader_) + ".html"));
    std::size_t tables = 0, explained = 0;
    for (std::size_t at = page.find("<h2>Batting, "); at != std::string::npos;
         at = page.find("<h2>Batting, ", at + 1))
        ++tables;
    for (std::size_t at = page.find(homeRuns); at != std::string::npos; at = page.find(homeRuns, at + 1))
        ++explained;
    EXPECT_GT(tables, 1u);
    EXPECT_EQ(explained, 1u);
}

// With downloads, each season offers its export files as the store makes them
// and the front page a copy of the database; both are written only when they
// change, and leave with the option.
TEST_F(SiteTest, DownloadsAreTheSeasonsFilesAndTheDatabase) {
    ASSERT_TRUE(make(out_.str(), {}, true).succeeded());
    database::LeagueStore store;
    ASSERT_EQ(store.open(database()), "");
    for (const char* season : {"2031", "2032"}) {
        const std::string leaders = testing::readFile(out_.file(std::string(season) + "/leaders.html"));
        for (ExportFileKind kind : kExportFileKinds) {
            const std::string name = exportFileName(kind, "csv");
            std::string expected;
            ASSERT_EQ(store.exportFile(season, kind, expected), "");
            EXPECT_TRUE(testing::readFile(out_.file(std::string(season) + "/files/" + name)) == expected)
                << name;
            EXPECT_NE(leaders.find("href=\"files/" + name + "\""), std::string::npos) << name;
        }
    }
    EXPECT_NE(testing::readFile(out_.file("index.html")).find("href=\"league.db\""), std::string::npos);
    database::LeagueStore copy;
    ASSERT_EQ(copy.open(out_.file("league.db")), "");
    EXPECT_EQ(copy.seasons(), (std::vector<std::string>{"2031", "2032"}));
    const SiteOutcome again = make(out_.str(), {}, true);
    EXPECT_EQ(again.files.written, 0u);
    ASSERT_TRUE(make(out_.str()).succeeded());
    EXPECT_FALSE(fs::exists(out_.file("league.db")));
    EXPECT_FALSE(fs::exists(out_.file("2031/files")) && !fs::is_empty(out_.file("2031/files")));
}

// A player can have two rows of one team and stat type; each is shown once. A
// player with rows for several teams has his season total (TOT) before them.
TEST_F(SiteTest, EveryRowOfTheSeasonShowsOnceAndATradedPlayersTotalBeforeThem) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    database::Connection db;
    ASSERT_EQ(db.open(database()), "");
    for (const char* table : {"Batting", "Pitching", "Fielding"}) {
        const std::string name = std::string("\"") + table + "_Stats\"";
        database::Statement count(db, "SELECT COUNT(*) FROM " + name + " WHERE \"Season\" = '2031'");
        ASSERT_TRUE(count.step() && count.hasRow());
        database::Statement traded(db, "SELECT COUNT(*) FROM (SELECT 1 FROM " + name +
                                           " WHERE \"Season\" = '2031' AND \"PlayerID\" IS NOT NULL "
                                           "GROUP BY \"PlayerID\", \"Player\", \"StatType\" "
                                           "HAVING COUNT(DISTINCT \"Team\") > 1)");
        ASSERT_TRUE(traded.step() && traded.hasRow());
        std::string page = table;
        page[0] = static_cast<char>(page[0] - 'A' + 'a');
        // One page per stat type: batting.html, batting-PreSeason.html, ...
        std::string html;
        for (const auto& entry : fs::directory_iterator(out.file("2031"))) {
            const std::string file = entry.path().filename().string();
            if (file.ends_with(".html") && (file == page + ".html" || file.starts_with(page + "-")))
                html += testing::withLaterRows(testing::readFile(entry.path().string()), out.file("2031"));
        }
        std::size_t rows = 0, totals = 0;
        for (std::size_t at = html.find("<tr"); at != std::string::npos; at = html.find("<tr", at + 1))
            rows += html.compare(at - 7, 7, "<thead>") == 0 ? 0 : 1;
        for (std::size_t at = html.find("<tr class="); at != std::string::npos;
             at = html.find("<tr class=", at + 1))
            totals += html.compare(at + 10, 3, "tot") == 0 || html.compare(at + 10, 4, "\"tot") == 0 ? 1 : 0;
        const bool fielding = std::string(table) == "Fielding"; // by position: no total row
        EXPECT_EQ(totals, fielding ? 0 : static_cast<std::size_t>(traded.integerColumn(0))) << table;
        EXPECT_GT(fielding ? 1 : totals, 0u) << "the demo league trades players";
        EXPECT_EQ(rows - totals, static_cast<std::size_t>(count.integerColumn(0))) << table;
    }
    // The qualified view shows a traded player once, as his total.
    const std::string batting =
        testing::withLaterRows(testing::readFile(out.file("2031/batting.html")), out.file("2031"));
    const auto cells = tableRows(batting, "batting-Regular");
    std::size_t seen = 0;
    for (std::size_t i = 0; i + 1 < cells.size(); ++i) {
        if (cells[i].size() < 3 || cells[i][1] != "TOT") continue;
        ++seen;
        EXPECT_EQ(cells[i + 1][0], cells[i][0]) << "his team rows follow";
        EXPECT_NE(cells[i + 1][1], "TOT");
    }
    EXPECT_GT(seen, 0u);
    // A qualifying total keeps its team rows in the qualified view, under it.
    EXPECT_NE(batting.find("<tr class=tot>"), std::string::npos);
    EXPECT_NE(batting.find("<tr class=part>"), std::string::npos);
}

// Both seasons come from the same seed: a player's career is twice his season.
TEST_F(SiteTest, CareersSumTheCountersAndRecomputeTheRates) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    std::size_t pitchersWithTwoOuts = 0, checked = 0;
    for (int id = 3; id < 60; ++id) {
        if (id == homeRunLeader_ || id == namesake_) continue;                          // other names in 2031
        if (!fs::exists(out.file("players/" + std::to_string(id) + ".html"))) continue; // never played
        const std::string html = testing::readFile(out.file("players/" + std::to_string(id) + ".html"));
        for (const char* table : {"Batting-Regular", "Pitching-Regular"}) {
            const auto rows = tableRows(html, table);
            if (rows.empty()) continue;
            // The 2031 line: the TOT row when he played for several teams.
            std::vector<std::string> season;
            for (const auto& row : rows)
                if (row[0] == "2031" && (season.empty() || row[1] == "TOT")) season = row;
            const std::vector<std::string>& career = rows.back();
            ASSERT_EQ(career[0], "Career") << id;
            ASSERT_EQ(career.size(), season.size());
            const bool pitching = std::string(table) == "Pitching-Regular";
            const auto columns = pitching ? pitchingColumns() : battingColumns();
            for (std::size_t i = 2; i < career.size(); ++i) {
                const std::string& text = season[i];
                const std::string_view label = columns[i - 2].label;
                if ((label == "wRAA" || label == "wRC") && text == kUndefinedRate) { // no wOBA, no runs
                    EXPECT_EQ(career[i], text) << id;
                } else if (label == "wRAA" || label == "wRC") { // runs, summed before they are rounded
                    EXPECT_NEAR(std::stod(career[i]), 2 * std::stod(text), label == "wRC" ? 1.01 : 0.101)
                        << id;
                } else if (pitching && i == 9) { // IP: summed as outs, 2 x 10.2 is 21.1
                    const std::size_t dot = text.find('.');
                    const long outs =
                        2 * (std::stol(text.substr(0, dot)) * 3 + std::stol(text.substr(dot + 1)));
                    EXPECT_EQ(career[i], std::to_string(outs / 3) + "." + std::to_string(outs % 3)) << id;
                    if (text.ends_with(".2")) ++pitchersWithTwoOuts;
                } else if (columns[i - 2].shown != Shown::Count) {
                    EXPECT_EQ(career[i], text) << id << " " << table << " column " << i; // the same rate
                } else {
                    EXPECT_EQ(career[i], std::to_string(2 * std::stol(text))) << id << " column " << i;
                }
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 20u);
    EXPECT_GT(pitchersWithTwoOuts, 0u);
}

TEST_F(SiteTest, SplitsBelongToTheirRowsWhateverOrderTheyWereWritten) {
    // A player with a second row of the same team and stat type, with splits of its own.
    const std::string base = out_.file("base.db");
    fs::copy_file(database(), base);
    {
        database::Connection db;
        ASSERT_EQ(db.open(base), "");
        for (const std::string table : {"Batting_Stats", "Batting_Splits"})
            ASSERT_EQ(db.execute("INSERT INTO \"" + table + "\" SELECT * FROM \"" + table +
                                 "\" WHERE \"Season\" = '2031' AND \"PlayerID\" = 1"),
                      "");
        ASSERT_EQ(db.execute("UPDATE \"Batting_Splits\" SET \"ABvL\" = \"ABvL\" + 5 WHERE rowid = "
                             "(SELECT max(rowid) FROM \"Batting_Splits\")"),
                  "");
    }
    // The same database with the season's split rows written again in another
    // order; rows of one key keep theirs, which is what pairs them with their lines.
    const std::string shuffled = out_.file("shuffled.db");
    fs::copy_file(base, shuffled);
    {
        database::Connection db;
        ASSERT_EQ(db.open(shuffled), "");
        for (const std::string table : {"Batting_Splits", "Pitching_Splits"}) {
            ASSERT_EQ(db.execute("CREATE TEMP TABLE reversed AS SELECT * FROM \"" + table +
                                 "\" WHERE \"Season\" = '2031' ORDER BY \"PlayerID\" DESC, rowid"),
                      "");
            ASSERT_EQ(db.execute("DELETE FROM \"" + table + "\" WHERE \"Season\" = '2031'"), "");
            ASSERT_EQ(db.execute("INSERT INTO \"" + table + "\" SELECT * FROM reversed"), "");
            ASSERT_EQ(db.execute("DROP TABLE reversed"), "");
        }
    }
    const auto load = [](const std::string& path, SeasonData& season) {
        ASSERT_EQ(loadSeason(path, "2031", season), "");
    };
    SeasonData asWritten, reread;
    load(base, asWritten);
    load(shuffled, reread);
    ASSERT_EQ(reread.batting.size(), asWritten.batting.size());
    const StatLine& second = asWritten.batting.back();
    const auto first =
        std::find_if(asWritten.batting.begin(), asWritten.batting.end(), [&](const StatLine& line) {
            return line.playerId == 1 && line.teamId == second.teamId && line.statType == second.statType;
        });
    ASSERT_NE(&*first, &second);
    EXPECT_EQ(second.splits[0][split::AB], first->splits[0][split::AB] + 5)
        << "the second row has the second split row";
    std::size_t withSplits = 0;
    for (std::size_t i = 0; i < reread.batting.size(); ++i) {
        EXPECT_EQ(reread.batting[i].splits, asWritten.batting[i].splits) << "batting row " << i;
        withSplits += reread.batting[i].splits[0][split::AB] > 0 ? 1 : 0;
    }
    EXPECT_GT(withSplits, 100u);
    ASSERT_EQ(reread.pitching.size(), asWritten.pitching.size());
    for (std::size_t i = 0; i < reread.pitching.size(); ++i)
        EXPECT_EQ(reread.pitching[i].counters, asWritten.pitching[i].counters) << "pitching row " << i;
}

// Pitchers qualify in the field by innings: every position's box has leaders.
TEST_F(SiteTest, EveryFieldingBoxHasQualifiedPlayers) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    const std::string leaders = testing::readFile(out.file("2031/leaders.html"));
    for (const char* position : {"P", "C", "SS", "CF"}) {
        const std::size_t at = leaders.find(std::string("id=\"fpct-") + position + "\"");
        ASSERT_NE(at, std::string::npos) << position;
        const std::string box = leaders.substr(at, leaders.find("</section>", at) - at);
        EXPECT_EQ(box.find("No qualified player"), std::string::npos) << box;
    }
    const std::size_t pitchers = leaders.find("id=\"fpct-P\"");
    EXPECT_NE(leaders.find(" IP</p>", pitchers), std::string::npos) << "by innings pitched";
}

TEST_F(SiteTest, LeagueLeadingFiguresAreBoldOnThePlayersPage) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    const std::string leaders = testing::readFile(out.file("2031/leaders.html"));
    for (const char* category : {"hr", "rbi", "so"}) {
        std::smatch leader;
        const std::string box = leaders.substr(leaders.find(std::string("id=\"") + category + "\""));
        ASSERT_TRUE(std::regex_search(
            box, leader, std::regex("href=\"\\.\\./(players/[0-9-]+\\.html)\".*?class=\"value\">([0-9]+)<")));
        const std::string page = testing::readFile(out.file(leader[1].str()));
        EXPECT_NE(page.find("<b>" + leader[2].str() + "</b>"), std::string::npos)
            << category << " " << leader[1];
    }
}

TEST_F(SiteTest, TheLeaderIsBoldEvenWhenAnotherPlayerHasHisName) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    const std::string bold = "<b>" + std::to_string(homeRuns_) + "</b>";
    EXPECT_NE(testing::readFile(out.file("players/" + std::to_string(homeRunLeader_) + ".html")).find(bold),
              std::string::npos);
    EXPECT_EQ(testing::readFile(out.file("players/" + std::to_string(namesake_) + ".html")).find(bold),
              std::string::npos);
}

TEST_F(SiteTest, TextsFromTheDatabaseAreEscaped) {
    const testing::TempFolder& out = madeSite();
    ASSERT_TRUE(siteOutcome_.succeeded());
    for (const char* page : {"players/1.html", "2031/batting.html", "players/index.html"}) {
        const std::string html = testing::withLaterRows(testing::readFile(out.file(page)),
                                                        out.file(page).substr(0, out.file(page).rfind('/')));
        EXPECT_NE(html.find("Bo O&apos;Neil &amp; &lt;Jr&gt;"), std::string::npos) << page;
        EXPECT_EQ(html.find("<Jr>"), std::string::npos) << page;
    }
}

// The commissioner is told; the readers see two players, each under his own name.
TEST_F(SiteTest, APlayerIdWithAnotherNameIsKeptApartAndTheCommissionerWarned) {
    const testing::TempFolder& site = madeSite();
    const SiteOutcome& outcome = siteOutcome_;
    ASSERT_TRUE(outcome.succeeded());
    const auto found = std::find_if(outcome.warnings.begin(), outcome.warnings.end(),
                                    [](const std::string& line) { return line.starts_with("PlayerID 2 "); });
    ASSERT_NE(found, outcome.warnings.end());
    const std::string& warning = *found;
    EXPECT_EQ(warning.rfind("PlayerID 2 comes with more than one name, kept apart as different players: ", 0),
              0u)
        << warning;
    EXPECT_NE(warning.find(" (2031), Al Newman (2032)"), std::string::npos) << warning;
    const std::string index = testing::readFile(site.file("players/index.html"));
    EXPECT_EQ(index.find("PlayerID"), std::string::npos) << "no note for the commissioner on a public page";
    EXPECT_NE(index.find("href=\"2-2.html\">Al Newman<"), std::string::npos);
    EXPECT_TRUE(fs::exists(site.file("players/2.html")) && fs::exists(site.file("players/2-2.html")));
    std::ostringstream out, err;
    EXPECT_EQ(cli::runSiteCommandLine({database(), "-o", out_.file("again")}, out, err), 0);
    EXPECT_NE(err.str().find("boxloom-site: warning: PlayerID 2 comes with more than one name"),
              std::string::npos)
        << err.str();
}

TEST_F(SiteTest, ASecondRunWritesNothingAndGivesTheSameBytes) {
    const SiteOutcome first = make(out_.str());
    ASSERT_TRUE(first.succeeded());
    const auto before = testing::filesUnder(out_.str());
    const SiteOutcome second = make(out_.str());
    ASSERT_TRUE(second.succeeded());
    EXPECT_EQ(second.files.written, 0u);
    EXPECT_EQ(second.files.unchanged, first.files.written);
    EXPECT_TRUE(testing::filesUnder(out_.str()) == before);
}

// Which pages a run makes again: every page of the site is overwritten with a
// mark first, and those the run made no longer hold it. A page is made again
// when anything it is made from changed (a row, a team's name, the games that
// set the qualifiers, a template), and no other page is.
TEST_F(SiteTest, ARunMakesAgainThePagesWhoseInputsChangedAndNoOthers) {
    const std::string league = out_.file("league.db");
    // A player of 2032 alone and one of 2031 alone.
    auto onlyIn = [&](const char* season, const char* other) {
        database::Connection db;
        EXPECT_EQ(db.open(league), "");
        const std::string in = std::string("SELECT \"PlayerID\" FROM \"Batting_Stats\" WHERE \"Season\" = '");
        database::Statement query(db, in + season + "' AND \"PlayerID\" > 2 AND \"PlayerID\" NOT IN (" + in +
                                          other + "') ORDER BY 1 LIMIT 1");
        EXPECT_TRUE(query.step() && query.hasRow());
        return "players/" + std::to_string(query.integerColumn(0)) + ".html";
    };
    const std::string templates = out_.file("templates");
    fs::create_directory(templates);
    testing::writeFile(templates + "/glossary.mustache", SiteTemplates().text("glossary.mustache"));
    struct Case {
        const char* what;
        std::string change; // SQL on the league, or "remove", "games" or "template"
        std::vector<std::string> madeAgain, keptAsTheyWere;
    };
    // A league of two seasons a year apart: rookies and retired players are in one alone.
    const DemoSeasonSummary demo = writeDemoSeason(out_.file("seasons"), {.seed = 3, .seasons = 2});
    ASSERT_EQ(demo.error, "");
    ExportOptions utf8;
    utf8.encoding = TextEncoding::Utf8;
    ASSERT_TRUE(database::importSeasons(league, {{"2031", demo.folders[0]}, {"2032", demo.folders[1]}}, utf8)
                    .succeeded());
    const std::string only2032 = onlyIn("2032", "2031"), only2031 = onlyIn("2031", "2032");
    const std::vector<Case> cases = {
        {"nothing", "", {}, {"index.html", "2032/batting.html", only2032, "career.html"}},
        {"a row of 2032",
         "UPDATE \"Batting_Stats\" SET \"HR\" = \"HR\" + 1 WHERE \"Season\" = '2032' AND \"PlayerID\" = " +
             only2032.substr(8, only2032.size() - 13),
         {"2032/batting.html", "2032/leaders.html", only2032, "index.html", "career.html"},
         {"2031/batting.html", "2031/teams/1.html", only2031}},
        {"a team's name in 2031",
         "UPDATE \"Teams\" SET \"Nickname\" = 'Renamed' WHERE \"Season\" = '2031'",
         {"2031/teams/1.html", "2031/batting.html", only2031, "franchises/1.html"},
         {"2032/batting.html", "2032/teams/1.html", only2032}},
        {"a page removed by hand", "remove", {only2031}, {"2031/batting.html", "index.html", only2032}},
        {"the games of a season",
         "games",
         {"2031/batting.html", "2032/leaders.html", only2032, "index.html"},
         {}},
        {"a template", "template", {"glossary.html", only2031, "2031/pitching.html"}, {}},
    };
    Counter games = 0;
    bool customTemplates = false;
    auto build = [&] {
        SiteOptions options;
        options.database = league;
        options.outputFolder = out_.file("site");
        options.title = "Test League";
        if (games != 0) options.games = games;
        if (customTemplates) options.templatesFolder = templates;
        return makeSite(options);
    };
    ASSERT_TRUE(build().succeeded());
    for (const Case& c : cases) {
        for (const auto& [path, bytes] : testing::filesUnder(out_.file("site")))
            if (path.ends_with(".html")) testing::writeFile(out_.file("site/" + path), "stale");
        if (c.change == "remove") {
            fs::remove(out_.file("site/" + only2031));
        } else if (c.change == "games") {
            games = 150;
        } else if (c.change == "template") {
            testing::writeFile(templates + "/glossary.mustache",
                               SiteTemplates().text("glossary.mustache") + "<p>Changed.</p>\n");
            customTemplates = true;
        } else if (!c.change.empty()) {
            database::Connection db;
            ASSERT_EQ(db.open(league), "");
            ASSERT_EQ(db.execute(c.change), "");
        }
        ASSERT_TRUE(build().succeeded()) << c.what;
        for (const std::string& page : c.madeAgain)
            EXPECT_NE(testing::readFile(out_.file("site/" + page)), "stale") << c.what << ": " << page;
        for (const std::string& page : c.keptAsTheyWere)
            EXPECT_EQ(testing::readFile(out_.file("site/" + page)), "stale") << c.what << ": " << page;
    }
}

TEST_F(SiteTest, PagesOfASeasonNoLongerChosenAreRemovedAndOtherFilesKept) {
    ASSERT_TRUE(make(out_.str()).succeeded());
    testing::writeFile(out_.file("2032/notes.txt"), "the league's own file");
    const SiteOutcome outcome = make(out_.str(), {"2031"});
    ASSERT_TRUE(outcome.succeeded());
    EXPECT_GT(outcome.files.removed, 10u);
    EXPECT_FALSE(fs::exists(out_.file("2032/leaders.html")));
    EXPECT_FALSE(fs::exists(out_.file("2032/teams")));
    EXPECT_TRUE(fs::exists(out_.file("2032/notes.txt")));
    EXPECT_TRUE(fs::exists(out_.file("2031/leaders.html")));
}

TEST_F(SiteTest, FailuresAreClear) {
    const std::string notDatabase = out_.file("plain.txt");
    testing::writeFile(notDatabase,
                       "just text, long enough to be no SQLite header at all.....................");
    const std::string badTemplates = out_.file("templates");
    fs::create_directory(badTemplates);
    testing::writeFile(badTemplates + "/index.mustache", "<p>{{#seasons}}unclosed</p>");
    const std::string badPartial = out_.file("partial");
    fs::create_directory(badPartial);
    testing::writeFile(badPartial + "/table.mustache", "<table>{{/rows}}</table>");
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
    };
    const std::string site = out_.file("site");
    const std::vector<Case> cases = {
        {{notDatabase, "-o", site}, 1, notDatabase + ": not a SQLite database"},
        {{badTemplates, "-o", site}, 1, badTemplates + ": is a folder, not a database"},
        {{database(), "-o", site, "--season", "1999"}, 1, "no season \"1999\""},
        {{database(), "-o", site, "--templates", badTemplates},
         1,
         "template " + badTemplates + "/index.mustache, line 1: Unclosed section \"seasons\""},
        {{database(), "-o", site, "--templates", badPartial},
         1,
         "template " + badPartial + "/table.mustache, line 1: Unopened section \"rows\""},
        {{database(), "-o", site, "--templates", out_.file("none")}, 1, out_.file("none") + ": not found"},
        {{database(), "-o", site, "--templates", notDatabase}, 1, notDatabase + ": is not a folder"},
        {{database(), "-o", notDatabase}, 1, notDatabase + ": is not a folder"},
        {{database()}, 2, "no output folder given"},
        {{database(), "-o", site, "--games", "0"}, 2, "--games needs a whole number"},
        {{database(), "-o", site, "--colour"}, 2, "unknown option '--colour'"},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(cli::runSiteCommandLine(c.arguments, out, err), c.exitCode) << c.message;
        EXPECT_NE(err.str().find(c.message), std::string::npos) << err.str();
    }
    EXPECT_FALSE(fs::exists(site)) << "no folder made for a failed run";
}

TEST_F(SiteTest, APageThatCannotBeWrittenFailsTheRunAndTheOthersStay) {
    ASSERT_TRUE(make(out_.str()).succeeded());
    const std::string list = testing::readFile(out_.file(".boxloom-site"));
    // A season folder that is now a file: none of its pages can be written.
    fs::remove_all(out_.file("2032"));
    testing::writeFile(out_.file("2032"), "in the way");
    const SiteOutcome outcome = make(out_.str());
    ASSERT_FALSE(outcome.succeeded());
    // One line for the whole run, with the true reason and where, not one per page.
    ASSERT_EQ(outcome.problems.size(), 1u);
    const std::string& problem = outcome.problems.front();
    EXPECT_EQ(problem.rfind(out_.str() + ": pages cannot be written there: is not a folder (2032/", 0), 0u)
        << problem;
    std::size_t listed = 0; // the list's files; its lines of keys begin with '/'
    std::istringstream listLines(list);
    for (std::string line; std::getline(listLines, line);)
        listed += !line.starts_with('/');
    const std::string total = std::to_string(listed);
    EXPECT_NE(problem.find(" of " + total + " pages were left as they were"), std::string::npos) << problem;
    EXPECT_EQ(outcome.files.removed, 0u) << "nothing removed after a failure";
    EXPECT_TRUE(fs::exists(out_.file("2031/leaders.html")));
    EXPECT_EQ(testing::readFile(out_.file(".boxloom-site")), list) << "the list still names the earlier site";
    std::ostringstream out, err;
    EXPECT_EQ(cli::runSiteCommandLine({database(), "-o", out_.str()}, out, err), 1);
    std::string said;
    std::istringstream lines(err.str());
    for (std::string line; std::getline(lines, line);)
        if (line.find(": warning: ") == std::string::npos) said += line + "\n";
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("boxloom-site: " + out_.str() + ": pages cannot be written there"), std::string::npos)
        << said;
}

TEST_F(SiteTest, AFailedRunRemovesNoPageOfTheSeasonsItLeftOut) {
    ASSERT_TRUE(make(out_.str()).succeeded());
    const std::string list = testing::readFile(out_.file(".boxloom-site"));
    // A run for 2031 alone, whose pages cannot be written: 2032's pages are
    // no longer the site's, but a failed run must not take them away.
    fs::remove_all(out_.file("2031"));
    testing::writeFile(out_.file("2031"), "in the way");
    const SiteOutcome outcome = make(out_.str(), {"2031"});
    ASSERT_FALSE(outcome.succeeded());
    EXPECT_EQ(outcome.files.removed, 0u);
    EXPECT_TRUE(fs::exists(out_.file("2032/leaders.html")));
    EXPECT_EQ(testing::readFile(out_.file(".boxloom-site")), list);
}

// Cancelled part-way, a run leaves every page whole, removes nothing, and its
// file list names every page in the folder; the next run finishes the site.
TEST_F(SiteTest, ACancelledRunLeavesAListThatNamesWhatIsThere) {
    ASSERT_TRUE(make(out_.file("whole")).succeeded());
    const auto whole = testing::filesUnder(out_.file("whole"));
    fs::create_directories(out_.file("site/2030"));
    testing::writeFile(out_.file("site/.boxloom-site"), "2030/old.html\n");
    testing::writeFile(out_.file("site/2030/old.html"), "an earlier season");
    std::atomic<bool> cancel{false};
    std::size_t reported = 0;
    SiteOptions options;
    options.database = database();
    options.outputFolder = out_.file("site");
    options.title = "Test League";
    options.watch.cancel = &cancel;
    options.watch.progress = [&](std::size_t done, std::size_t tasks) {
        EXPECT_LE(done, tasks);
        ++reported;
        if (done == 2) cancel = true;
    };
    const SiteOutcome outcome = makeSite(options);
    EXPECT_TRUE(outcome.cancelled());
    EXPECT_EQ(outcome.problems, std::vector<std::string>{std::string(kSiteCancelled)});
    EXPECT_EQ(outcome.files.removed, 0u);
    const auto partial = testing::filesUnder(out_.file("site"));
    const std::string list = partial.at(".boxloom-site");
    EXPECT_EQ(list.rfind("2030/old.html\n", 0), 0u) << "the earlier list comes first";
    for (const auto& [path, bytes] : partial) {
        if (path == ".boxloom-site" || path == "2030/old.html") continue;
        EXPECT_NE(list.find(path + "\n"), std::string::npos) << path << " is not in the list";
        EXPECT_TRUE(bytes == whole.at(path)) << path << " is not whole";
    }
    EXPECT_LT(partial.size(), whole.size()) << "cancelled before the end";
    EXPECT_GE(reported, 2u);
    options.watch = {};
    ASSERT_TRUE(makeSite(options).succeeded());
    auto finished = testing::filesUnder(out_.file("site"));
    EXPECT_EQ(finished.count("2030/old.html"), 0u) << "the next run removes what it no longer has";
    EXPECT_TRUE(finished == whole);
}

// Found before the first page: a run that failed half-way would leave a
// half-changed site.
TEST_F(SiteTest, ASeasonWhoseFolderNameNoFileSystemTakesFailsBeforeAnyPage) {
    const std::string longLabel(300, 'x');
    const std::string league = out_.file("long.db");
    ASSERT_TRUE(database::importSeasons(league,
                                        {{"2031", folder_->file("2031")}, {longLabel, folder_->file("2032")}},
                                        ExportOptions{})
                    .succeeded());
    SiteOptions options;
    options.database = league;
    options.outputFolder = out_.file("site");
    const SiteOutcome outcome = makeSite(options);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems.front(), league + ": season \"" + std::string(40, 'x') +
                                            "...\": its folder name would be 300 characters; a folder's name "
                                            "takes at most 251");
    EXPECT_FALSE(fs::exists(out_.file("site/index.html")));
    EXPECT_FALSE(fs::exists(out_.file("site/2031")));
    options.seasons = {"2031"};
    EXPECT_TRUE(makeSite(options).succeeded()) << "the other season alone is fine";
}

TEST_F(SiteTest, TheCommandLineSaysWhatItWrote) {
    std::ostringstream out, err;
    const std::string site = out_.file("new/site");
    ASSERT_EQ(cli::runSiteCommandLine({database(), "-o", site, "--games", "162"}, out, err), 0) << err.str();
    EXPECT_NE(out.str().find(" pages written, 0 unchanged\n"), std::string::npos) << out.str();
    std::ostringstream again;
    ASSERT_EQ(cli::runSiteCommandLine({database(), "-o" + site, "--games=162"}, again, err), 0);
    EXPECT_TRUE(again.str().starts_with("0 pages written, ")) << again.str();
    EXPECT_NE(testing::readFile(site + "/2031/leaders.html").find("Min. 502 PA"), std::string::npos);
}

// The demo league's own season needs no --games: its schedule is found, and a
// season's worth of batters qualify for the rate titles.
TEST(DemoLeagueSite, TheDefaultDemoSeasonHas162GamesAndAFullFieldOfQualifiers) {
    testing::TempFolder folder;
    ASSERT_EQ(writeDemoSeason(folder.file("2031"), {}).error, "");
    ExportOptions options;
    options.encoding = TextEncoding::Utf8;
    ASSERT_TRUE(database::importSeasons(folder.file("league.db"), {{"2031", folder.file("2031")}}, options)
                    .succeeded());
    SeasonData season;
    ASSERT_EQ(loadSeason(folder.file("league.db"), "2031", season), "");
    const Counter games = gamesPerTeam(season, std::nullopt);
    EXPECT_EQ(games, 162);
    const Counter minimum = minimumFor(Qualifier::PlateAppearances, games);
    std::size_t qualified = 0;
    for (const PlayerTotal& total : seasonTotals(season.batting, "Regular"))
        qualified += amountFor(Qualifier::PlateAppearances, total.counters) >= minimum;
    EXPECT_GE(qualified, 100u);
}

// A template with each tag marked "@@page:key@@" where the tag's value shows:
// after a section's opening, after a value, and before an inverted section.
// `keys` gets the keys the template names.
std::string markedTemplate(const std::string& text, const std::string& page, std::set<std::string>& keys) {
    static const std::regex tag(R"(\{\{(\{?)\s*([#^&]?)\s*([A-Za-z][\w]*)\s*\}?\}\})");
    std::string out;
    auto at = text.cbegin();
    for (std::sregex_iterator it(text.begin(), text.end(), tag), end; it != end; ++it) {
        const std::smatch& match = *it;
        out.append(at, match[0].first);
        at = match[0].second;
        const std::string key = match[3], kind = match[2], mark = "@@" + page + ":" + key + "@@";
        keys.insert(key);
        if (kind == "#")
            out += match.str() + mark;
        else if (kind == "^")
            out += "{{#" + key + "}}" + mark + "{{/" + key + "}}" + match.str();
        else
            out += match.str() + "{{#" + key + "}}" + mark + "{{/" + key + "}}";
    }
    out.append(at, text.cend());
    return out;
}

// Every key a template names is given by some page's data: a key renamed on
// one side alone prints nothing, unnoticed.
TEST_F(SiteTest, EveryKeyOfEveryTemplateIsGivenByThePagesData) {
    const std::string templates = out_.file("marked");
    fs::create_directory(templates);
    std::map<std::string, std::set<std::string>> keys; // by template
    for (const BuiltinTemplate& builtin : builtinTemplates()) {
        const std::string name(builtin.name);
        if (!name.ends_with(".mustache")) continue;
        const std::string page = name.substr(0, name.find('.'));
        testing::writeFile(templates + "/" + name,
                           markedTemplate(std::string(builtin.text), page, keys[page]));
    }
    SiteOptions options;
    options.database = database();
    options.outputFolder = out_.file("site");
    options.title = "Test League";
    options.downloads = true;
    options.templatesFolder = templates;
    ASSERT_TRUE(makeSite(options).succeeded());
    std::string pages;
    for (const auto& [path, bytes] : testing::filesUnder(options.outputFolder))
        pages += bytes;
    for (const auto& [page, names] : keys)
        for (const std::string& key : names)
            EXPECT_NE(pages.find("@@" + page + ":" + key + "@@"), std::string::npos)
                << page << ".mustache names \"" << key << "\", which no page gives";
}

} // namespace
} // namespace boxloom::site
