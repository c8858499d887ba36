// What the league window shows of its seasons and jobs, without a window.

#include "league_job.h"

#include <gtest/gtest.h>

#include <map>

namespace boxloom::frontend::league {
namespace {

std::vector<std::string> labelsOf(const std::vector<SeasonSummary>& seasons) {
    std::vector<std::string> labels;
    for (const SeasonSummary& season : seasons)
        labels.push_back(season.label);
    return labels;
}

TEST(SeasonList, SortsByAColumnNumbersAsNumbersTiesByLabel) {
    const std::vector<SeasonSummary> seasons = {
        {"2031", 2031, 16, 900, 9000, "2026-12-01T10:00:00Z", 162},
        {"2030b", 2030, 8, 1200, 12000, "2026-12-02T09:00:00Z", 154},
        {"2030a", 2030, 16, 1200, 100000, "2026-11-30T23:59:59Z", 162},
    };
    struct Case {
        std::size_t column;
        bool ascending;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {0, true, {"2030a", "2030b", "2031"}}, {0, false, {"2031", "2030b", "2030a"}},
        {1, true, {"2030a", "2030b", "2031"}}, {3, false, {"2030b", "2030a", "2031"}},
        {4, true, {"2031", "2030b", "2030a"}}, // 100000 after 12000: not as text
        {5, true, {"2030b", "2030a", "2031"}}, {6, true, {"2030a", "2031", "2030b"}},
        {2, true, {"2030b", "2030a", "2031"}},
    };
    for (const Case& c : cases) {
        std::vector<SeasonSummary> sorted = seasons;
        sortSeasons(sorted, c.column, c.ascending);
        EXPECT_EQ(labelsOf(sorted), c.expected) << "column " << c.column << (c.ascending ? " up" : " down");
    }
}

TEST(SeasonList, CellsShowTheSummaryAndTheTimeOfImportReadably) {
    using Cells = std::array<std::string, kSeasonColumns.size()>;
    EXPECT_EQ(seasonListCells({"2031", 2031, 16, 900, 9000, "2026-12-01T10:04:59Z", 162}),
              (Cells{"2031", "2031", "16", "900", "9000", "162", "2026-12-01 10:04 UTC"}));
    // A season without teams or games, and a time in another form, shown as stored.
    EXPECT_EQ(seasonListCells({"empty", 0, 0, 0, 0, "yesterday", 0}),
              (Cells{"empty", "", "0", "0", "0", "", "yesterday"}));
}

TEST(SeasonList, SaysWhatABlankGamesPerTeamWillBe) {
    EXPECT_EQ(gamesFoundText({}), "");
    EXPECT_EQ(gamesFoundText({{"a", 0, 0, 0, 0, "", 162}, {"b", 0, 0, 0, 0, "", 162}}), "blank: 162 found");
    EXPECT_EQ(gamesFoundText({{"a", 0, 0, 0, 0, "", 162}, {"b", 0, 0, 0, 0, "", 154}}),
              "blank: 154 to 162 found");
}

TEST(LeagueJob, ProgressAndStatusSayWhereTheJobIs) {
    struct Case {
        Progress progress;
        int percent;
        std::string status;
    };
    const std::vector<Case> cases = {
        {{Job::Import, 0, 3}, 0, "Importing: 0 of 3 seasons done..."},
        {{Job::Import, 2, 3}, 66, "Importing: 2 of 3 seasons done..."},
        {{Job::Site, 120, 120}, 100, "Building the site: 120 of 120 groups of pages made..."},
        {{Job::Site, 5, 0}, 0, "Building the site: 5 of 0 groups of pages made..."},
        {{Job::Remove, 0, 1}, 0, "Removing the season..."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(progressPercent(c.progress), c.percent) << c.status;
        EXPECT_EQ(progressStatus(c.progress), c.status);
    }
    EXPECT_EQ(endingStatus(Job::Import, Ending::Cancelled),
              "Import cancelled; the database was left as it was.");
    EXPECT_EQ(endingStatus(Job::Site, Ending::Failed), "Site FAILED; the log says why.");
    EXPECT_EQ(endingStatus(Job::Import, Ending::Succeeded, 1),
              "Import finished with 1 warning; the log says what.");
    EXPECT_EQ(endingStatus(Job::Site, Ending::Succeeded, 2),
              "Site finished with 2 warnings; the log says what.");
}

TEST(LeagueJob, OnlyCancelWorksWhileAJobRuns) {
    for (const ControlDesign& control : kControls) {
        EXPECT_EQ(enabledWhile(true, control.id), control.id == ids::kCancel) << control.id;
        EXPECT_EQ(enabledWhile(false, control.id), control.id != ids::kCancel) << control.id;
    }
}

class FakeControls : public ControlStates {
public:
    bool isChecked(int) const override { return false; }
    void setChecked(int, bool) override {}
    std::string text(int id) const override { return texts_.count(id) != 0 ? texts_.at(id) : ""; }
    void setText(int id, const std::string& text) override { texts_[id] = text; }

private:
    std::map<int, std::string> texts_;
};

TEST(LeagueJob, SettingsShownInTheControlsReadBackWhole) {
    const LeagueSettings settings{"C:\\L\\league.db", "C:\\Site", "Our League", "154", "C:\\T"};
    FakeControls controls;
    showSettings(settings, controls);
    EXPECT_EQ(controls.text(ids::kGamesBox), "154");
    EXPECT_EQ(controls.text(ids::kTemplatesBox), "C:\\T");
    EXPECT_EQ(settingsFrom(controls), settings);
    EXPECT_EQ(logText({{false, "a"}, {true, "b"}}), "a\r\nb\r\n");
}

} // namespace
} // namespace boxloom::frontend::league
