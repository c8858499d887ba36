// The league window's jobs give what the command line gives from the same
// inputs, and say it in its words.

#include "cli_main.h"
#include "database_contents.h"
#include "demo_season.h"
#include "league_tasks.h"
#include "site_cli.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <mutex>
#include <sstream>

namespace boxloom {

void PrintTo(const ReportLine& line, std::ostream* out) {
    *out << (line.problem ? "problem: " : "") << line.text;
}

namespace frontend::league {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::vector<ReportLine> printed(const std::string& out, const std::string& err, const std::string& program) {
    std::vector<ReportLine> lines;
    std::istringstream results(out), problems(err);
    for (std::string line; std::getline(results, line);)
        lines.push_back({false, line});
    for (std::string line; std::getline(problems, line);)
        lines.push_back({true, line.substr(program.size())});
    return lines;
}

class LeagueTasks : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        seasons_ = new TempFolder;
        // Two seasons of one league: the same players, a year older.
        const DemoSeasonSummary league = writeDemoSeason(seasons_->str(), {.seed = 13, .seasons = 2});
        ASSERT_EQ(league.error, "");
        ASSERT_EQ(league.folders, (std::vector<std::string>{season("2031"), season("2032")}));
    }
    static void TearDownTestSuite() { delete seasons_; }
    static std::string season(const char* label) { return seasons_->file(label); }

    ImportRequest request(const std::string& database) const {
        return importRequestOf(database, {seasonFolderFor(season("2031")), seasonFolderFor(season("2032"))});
    }

    TempFolder work_;
    std::atomic<bool> notCancelled_{false};
    static TempFolder* seasons_;
};

TempFolder* LeagueTasks::seasons_ = nullptr;

// The command line's database and site are made first and moved aside; the
// jobs then make theirs under the same names.
TEST_F(LeagueTasks, ImportAndSiteAreTheCommandLinesValueForValueAndByteForByte) {
    const std::string database = work_.file("league.db");
    const std::string siteFolder = work_.file("site");
    std::ostringstream out, err, siteOut, siteErr;
    ASSERT_EQ(cli::runCommandLine({"--database", database, season("2031"), season("2032")}, out, err), 0);
    ASSERT_EQ(
        cli::runSiteCommandLine({database, "-o", siteFolder, "--title", "Our League"}, siteOut, siteErr), 0);
    const std::string byCommandLine = testing::databaseContents(database);
    fs::rename(database, work_.file("command-line.db"));
    fs::rename(siteFolder, work_.file("command-line-site"));

    std::vector<std::size_t> reported;
    const TaskResult imported = importTask(request(database), notCancelled_,
                                           [&](std::size_t done, std::size_t) { reported.push_back(done); });
    EXPECT_EQ(imported.ending, Ending::Succeeded);
    EXPECT_EQ(imported.lines, printed(out.str(), err.str(), "boxloom-export: "));
    EXPECT_EQ(reported, (std::vector<std::size_t>{1, 2}));
    EXPECT_EQ(testing::databaseContents(database), byCommandLine);

    site::SiteOptions options;
    options.database = database;
    options.outputFolder = siteFolder;
    options.title = "Our League";
    options.version = BOXLOOM_VERSION;
    // Reported from the site's page threads, side by side.
    std::mutex reports;
    std::size_t groups = 0;
    const TaskResult made = siteTask(options, notCancelled_, [&](std::size_t done, std::size_t) {
        const std::lock_guard<std::mutex> lock(reports);
        groups = std::max(groups, done);
    });
    EXPECT_EQ(made.ending, Ending::Succeeded);
    EXPECT_EQ(made.lines, printed(siteOut.str(), siteErr.str(), "boxloom-site: "));
    EXPECT_GT(groups, 2u);
    EXPECT_TRUE(testing::filesUnder(siteFolder) == testing::filesUnder(work_.file("command-line-site")));
}

TEST_F(LeagueTasks, EachJobSaysHowItEnded) {
    const std::string database = work_.file("league.db");
    std::atomic<bool> cancelled{true};
    const TaskResult cancelledImport = importTask(request(database), cancelled, {});
    EXPECT_EQ(cancelledImport.ending, Ending::Cancelled);
    EXPECT_EQ(cancelledImport.lines.back().text, "import FAILED; " + database + " was left as it was");
    EXPECT_FALSE(fs::exists(database));

    ASSERT_EQ(importTask(request(database), notCancelled_, {}).ending, Ending::Succeeded);
    const std::vector<ReportLine> removed = removeTask(database, "2031").lines;
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].text.rfind(database + ": removed season 2031 (", 0), 0u) << removed[0].text;
    const TaskResult missing = removeTask(database, "2031");
    EXPECT_EQ(missing.ending, Ending::Failed);
    EXPECT_EQ(missing.lines,
              (std::vector<ReportLine>{{true, database + ": no season \"2031\""},
                                       {true, "removal FAILED; " + database + " was left as it was"}}));

    testing::writeFile(work_.file("in-the-way"), "a file");
    site::SiteOptions options;
    options.database = database;
    options.outputFolder = work_.file("in-the-way");
    const TaskResult blocked = siteTask(options, notCancelled_, {});
    EXPECT_EQ(blocked.ending, Ending::Failed);
    ASSERT_EQ(blocked.lines.size(), 1u);
    EXPECT_TRUE(blocked.lines[0].problem);
    EXPECT_EQ(blocked.lines[0].text.rfind(work_.file("in-the-way") + ": ", 0), 0u) << blocked.lines[0].text;

    options.outputFolder = work_.file("new/site");
    const TaskResult cancelledSite = siteTask(options, cancelled, {});
    EXPECT_EQ(cancelledSite.ending, Ending::Cancelled);
    EXPECT_EQ(cancelledSite.lines.back(), (ReportLine{true, std::string(site::kSiteCancelled)}));
}

} // namespace
} // namespace frontend::league
} // namespace boxloom
