// The site's paths and the links between its pages.

#include "urls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace boxloom::site {
namespace {

TEST(SiteUrls, ALinkLeadsFromOnePageToAnother) {
    struct Case {
        std::string from;
        std::string to;
        std::string link;
    };
    const std::vector<Case> cases = {
        {"index.html", "2031/leaders.html", "2031/leaders.html"},
        {"2031/leaders.html", "2031/leaders-WS.html", "leaders-WS.html"},
        {"2031/leaders.html", "players/7.html", "../players/7.html"},
        {"2031/teams/4.html", "2031/leaders.html", "../leaders.html"},
        {"2031/teams/4.html", "players/7.html", "../../players/7.html"},
        {"players/7.html", "2032/teams/4.html", "../2032/teams/4.html"},
        {"players/index.html", "players/7.html", "7.html"},
        // A shared beginning of a name is no shared folder.
        {"2031/leaders.html", "20310/leaders.html", "../20310/leaders.html"},
        {"career.html", "players/7.html", "players/7.html"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(urls::relative(c.from, c.to), c.link) << c.from << " -> " << c.to;
}

TEST(SiteUrls, EachPageHasOnePath) {
    EXPECT_EQ(urls::seasonLeaders("2031", "Regular"), "2031/leaders.html");
    EXPECT_EQ(urls::seasonLeaders("2031", "World Series"), "2031/leaders-World-Series.html");
    EXPECT_EQ(urls::seasonTable("2031", "batting", "Regular"), "2031/batting.html");
    EXPECT_EQ(urls::seasonTable("2031", "fielding", "PreSeason"), "2031/fielding-PreSeason.html");
    EXPECT_EQ(urls::seasonTableRows("2031", "fielding", "PreSeason"), "2031/fielding-PreSeason.rows.js");
    EXPECT_EQ(urls::team("2031", 12), "2031/teams/12.html");
    EXPECT_EQ(urls::player("12-2.html"), "players/12-2.html");
    EXPECT_EQ(urls::playerPageName(12, 1), "12.html");
    EXPECT_EQ(urls::playerPageName(12, 2), "12-2.html");
    EXPECT_EQ(urls::rootOf("2031/teams/12.html"), "../../");
    EXPECT_EQ(urls::rootOf("index.html"), "");
    EXPECT_EQ(urls::franchise(12), "franchises/12.html");
    const std::vector<std::string> reserved = urls::reservedNames();
    for (const std::string& name : reserved)
        EXPECT_EQ(name.find('/'), std::string::npos) << name;
    // What the site writes outside the season folders: no season may take its name.
    for (const std::string& path :
         {urls::index(), urls::career(), urls::records(), urls::glossary(), urls::styleSheet(), urls::icon(),
          urls::searchIndex(), urls::playersIndex(), urls::franchise(1), urls::databaseCopy()}) {
        const std::string top = path.substr(0, path.find('/'));
        EXPECT_NE(std::find(reserved.begin(), reserved.end(), top), reserved.end()) << top;
    }
}

} // namespace
} // namespace boxloom::site
