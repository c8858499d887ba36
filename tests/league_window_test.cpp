#include "league_requests.h"
#include "league_settings.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace boxloom::frontend {

void PrintTo(const LeagueSettings& settings, std::ostream* out) { *out << leagueSettingsBytes(settings); }

namespace {

// Stands in for the legacy code page: windows-1252's é.
std::string fromLegacy(std::string_view value) {
    std::string converted;
    for (char c : value)
        converted += c == '\xE9' ? std::string("\xC3\xA9") : std::string(1, c);
    return converted;
}

TEST(LeagueSettings, WhatIsWrittenReadsBackAsItWas) {
    const std::vector<LeagueSettings> cases = {
        {},
        {"C:\\Leagues\\league.db", "C:\\Sites\\Our League", "Our League", "162", "C:\\Styles"},
        {"/home/ann/ligue-\xC3\xA9t\xC3\xA9.db", "site", "Ligue = \"les \xC3\xA9toiles\"", "", ""},
    };
    for (const LeagueSettings& settings : cases)
        EXPECT_EQ(parseLeagueSettings(leagueSettingsBytes(settings), fromLegacy), settings)
            << leagueSettingsBytes(settings);
}

TEST(LeagueSettings, ReadingPassesOverWhatItDoesNotKnow) {
    struct Case {
        const char* what;
        std::string bytes;
        LeagueSettings expected;
    };
    const std::vector<Case> cases = {
        {"LF lines, unknown names, no '='",
         "Colour=blue\nTitle=Ours\njunk\nGames=154\n",
         {"", "", "Ours", "154", ""}},
        {"a legacy code page value", "Database=C:\\ligu\xE9.db\r\n", {"C:\\ligu\xC3\xA9.db", "", "", "", ""}},
        {"no line break at the end", "SiteFolder=site", {"", "site", "", "", ""}},
        {"the last of two", "Title=One\r\nTitle=Two\r\n", {"", "", "Two", "", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseLeagueSettings(c.bytes, fromLegacy), c.expected) << c.what;
}

TEST(LeagueSettings, AValueIsOneLine) {
    LeagueSettings settings;
    settings.title = "Two\r\nlines";
    EXPECT_EQ(parseLeagueSettings(leagueSettingsBytes(settings), fromLegacy).title, "Twolines");
}

TEST(LeagueRequests, AnImportNeedsADatabaseSeasonsAndALabelEach) {
    struct Case {
        const char* what;
        std::string database;
        std::vector<SeasonFolder> list;
        std::vector<std::string> problems;
    };
    const std::vector<Case> cases = {
        {"ready", "l.db", {{"/z/2031", "2031"}, {"/z/2032", "2032"}}, {}},
        {"nothing", "", {}, {"Choose the league database first.", "Add a season folder to import."}},
        {"a blank label", "l.db", {{"/z/2031", ""}}, {"/z/2031: give the season a label."}},
        {"one label thrice",
         "l.db",
         {{"/a/2031", "2031"}, {"/b/2031", "2031"}, {"/c/2031", "2031"}},
         {"Two season folders have the label \"2031\"; each season needs its own."}},
    };
    for (const Case& c : cases) {
        const ImportRequest request = importRequestOf(c.database, c.list);
        EXPECT_EQ(request.problems, c.problems) << c.what;
    }
    const ImportRequest ready = importRequestOf("l.db", {{"/z/2032", "second"}, {"/z/2031", "first"}});
    EXPECT_EQ(ready.seasons, (std::vector<std::pair<std::string, std::string>>{{"second", "/z/2032"},
                                                                               {"first", "/z/2031"}}));
    EXPECT_EQ(seasonFolderFor("/leagues/2031/").label, "2031");
}

TEST(LeagueRequests, TheSiteBoxesBecomeTheSitesOptions) {
    struct Case {
        const char* what;
        LeagueSettings settings;
        std::optional<Counter> games;
        std::string title;
        std::vector<std::string> problems;
    };
    const std::vector<Case> cases = {
        {"games found from the data", {"l.db", "site", "", "", ""}, std::nullopt, "League statistics", {}},
        {"games typed with blanks", {"l.db", "site", "Ours", " 162 ", ""}, 162, "Ours", {}},
        {"games that are no number",
         {"l.db", "site", "", "many", ""},
         std::nullopt,
         "League statistics",
         {"Games per team: a whole number of games from 1 to 100000, not 'many'."}},
        {"no database, no folder",
         {"", "", "", "0", ""},
         std::nullopt,
         "League statistics",
         {"Choose the league database first.", "Choose the folder of the web site.",
          "Games per team: a whole number of games from 1 to 100000, not '0'."}},
    };
    for (const Case& c : cases) {
        const SiteRequest request = siteRequestOf(c.settings, "1.0");
        EXPECT_EQ(request.problems, c.problems) << c.what;
        EXPECT_EQ(request.options.games, c.games) << c.what;
        EXPECT_EQ(request.options.title, c.title) << c.what;
        EXPECT_EQ(request.options.database, c.settings.database) << c.what;
        EXPECT_EQ(request.options.outputFolder, c.settings.siteFolder) << c.what;
    }
}

} // namespace
} // namespace boxloom::frontend
