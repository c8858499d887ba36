// The league database: schema, typed values equal to the export files,
// seasons that accumulate and replace, and failures that change nothing.

#include "demo_season.h"
#include "export_run.h"
#include "league_schema.h"
#include "league_store.h"
#include "paths.h"
#include "platform_files.h"
#include "run_identity.h"
#include "season_files.h"
#include "season_import.h"
#include "sqlite_db.h"
#include "table_rows.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <map>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace boxloom::database {
namespace {

using testing::readFile;
using testing::TempFolder;

// A read-only view of a database file, one query at a time.
class Reader {
public:
    explicit Reader(const std::string& path) {
        sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr);
    }
    ~Reader() { sqlite3_close_v2(db_); }

    // Every row of a query, each value as text ("NULL" for NULL).
    std::vector<std::vector<std::string>> rows(const std::string& sql) const {
        std::vector<std::vector<std::string>> found;
        sqlite3_stmt* statement = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sql;
        while (statement != nullptr && sqlite3_step(statement) == SQLITE_ROW) {
            std::vector<std::string> row;
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const auto* text = sqlite3_column_text(statement, i);
                row.emplace_back(text == nullptr ? "NULL" : reinterpret_cast<const char*>(text));
            }
            found.push_back(std::move(row));
        }
        sqlite3_finalize(statement);
        return found;
    }
    std::string value(const std::string& sql) const {
        const auto found = rows(sql);
        return found.empty() || found[0].empty() ? "" : found[0][0];
    }

private:
    sqlite3* db_ = nullptr;
};

std::string fileBytes(const std::string& path) {
    return std::filesystem::exists(path) ? readFile(path) : "<none>";
}

// The season's export files with every option the import uses, compared with
// the database's rows of season "1986".
void expectDatabaseEqualsExport(ExportOptions options, const std::string& season,
                                const std::string& database) {
    TempFolder files;
    options.seasonFolder = season;
    options.outputFolder = files.str();
    options.includeFielding = options.includePitchingSplits = options.includeHittingSplits = true;
    options.encoding = TextEncoding::Utf8;
    options.includeIds = true;
    ASSERT_TRUE(runExport(options).succeeded());
    const Reader db(database);
    Connection store;
    ASSERT_EQ(store.open(database), "");
    for (ExportFileKind kind : kExportFileKinds) {
        // Made again from the database, the file is the export's, byte for byte.
        std::string again;
        ASSERT_EQ(seasonFileBytes(store, "1986", kind, again), "");
        const std::string exported = readFile(files.file(exportFileName(kind, "CSV")));
        EXPECT_TRUE(again == exported) << exportFileName(kind, "CSV") << ":\n"
                                       << again << "--- the export:\n"
                                       << exported;
        const auto csv = testing::readCsv(readFile(files.file(exportFileName(kind, "CSV"))));
        const TableDescription& table = describeTable(kind);
        const auto stored = db.rows("SELECT * FROM \"" + table.name + "\" ORDER BY rowid");
        ASSERT_EQ(stored.size() + 1, csv.size()) << table.name;
        // The file's columns follow the season.
        const std::span<const TableColumn> columns(table.columns.begin() + 1, csv.front().size());
        for (std::size_t row = 0; row < stored.size(); ++row) {
            EXPECT_EQ(stored[row][0], "1986");
            for (std::size_t i = 0; i < columns.size(); ++i) {
                const std::string& printed = csv[row + 1][i];
                const std::string& held = stored[row][i + 1];
                switch (columns[i].stored) {
                case Stored::Rate: EXPECT_EQ(std::stod(held), std::stod(printed)) << columns[i].name; break;
                case Stored::Year:
                    EXPECT_EQ(held,
                              printed.empty() ? "NULL" : printed.substr(printed.find_first_not_of(' ')));
                    break;
                case Stored::Counter:
                case Stored::OptionalId:
                    EXPECT_EQ(held, printed == "x" || printed.empty() ? "NULL" : printed) << columns[i].name;
                    break;
                default: EXPECT_EQ(held, printed) << columns[i].name;
                }
            }
        }
    }
    EXPECT_EQ(db.value("SELECT count(*) FROM Pitching_Stats WHERE IPOuts IS NULL OR "
                       "IP != (IPOuts / 3) || '.' || (IPOuts % 3)"),
              "0");
}

class DemoSeasons : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        for (std::uint64_t seed : {1, 2}) {
            folders_[seed - 1] = new TempFolder;
            ASSERT_EQ(writeDemoSeason(folders_[seed - 1]->str(), {seed, 700 * seed}).error, "");
        }
    }
    static void TearDownTestSuite() {
        for (TempFolder*& folder : folders_) {
            delete folder;
            folder = nullptr;
        }
    }
    static std::string season(int index) { return folders_[index]->str(); }

    ImportOutcome import(std::vector<SeasonSource> seasons,
                         PitcherHittingMode mode = PitcherHittingMode::GroupByTeam) {
        ExportOptions options;
        options.pitcherHitting = mode;
        return importSeasons(databasePath(), seasons, options);
    }
    std::string databasePath() const { return work_.file("league.db"); }

    TempFolder work_;
    static std::array<TempFolder*, 2> folders_;
};

std::array<TempFolder*, 2> DemoSeasons::folders_{};

TEST_F(DemoSeasons, ANewDatabaseHasTheSchemaAndTypedColumns) {
    ASSERT_TRUE(import({{"1986", season(0)}}).succeeded());
    const Reader db(databasePath());
    EXPECT_EQ(db.value("PRAGMA user_version"), "1");
    for (const char* table : {"Seasons", "Teams", "Players", "Batting_Stats", "Pitching_Stats",
                              "Fielding_Stats", "Batting_Splits", "Pitching_Splits"})
        EXPECT_EQ(db.value(std::string("SELECT count(*) FROM sqlite_master WHERE name = '") + table + "'"),
                  "1")
            << table;
    EXPECT_EQ(db.value("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND "
                       "(name LIKE '%_PlayerID' OR name LIKE '%_TeamID')"),
              "10");
    const auto types =
        db.rows("SELECT typeof(Season), typeof(Year), typeof(ERA), typeof(IP), typeof(IPOuts), "
                "typeof(PlayerID), typeof(TeamID) FROM Pitching_Stats LIMIT 1");
    ASSERT_EQ(types.size(), 1u);
    EXPECT_EQ(types[0],
              (std::vector<std::string>{"text", "integer", "real", "text", "integer", "integer", "integer"}));
    const auto grouped =
        db.rows("SELECT typeof(G), typeof(PlayerID), typeof(AVG) FROM Batting_Stats WHERE Player = "
                "'Pitchers' LIMIT 1");
    ASSERT_EQ(grouped.size(), 1u) << "the season has grouped rows";
    EXPECT_EQ(grouped[0], (std::vector<std::string>{"null", "null", "real"}));
    EXPECT_EQ(
        db.value(
            "SELECT count(*) FROM Seasons WHERE Season = '1986' AND ImportedAt LIKE '____-__-__T__:__:__Z'"),
        "1");
}

// The database holds what the export files print, row by row, value by value,
// whichever pitchers' hitting and team names the import is given.
TEST_F(DemoSeasons, EveryValueEqualsTheExportFiles) {
    for (PitcherHittingMode mode :
         {PitcherHittingMode::Include, PitcherHittingMode::GroupByTeam, PitcherHittingMode::Ignore}) {
        for (TeamNotation teams : {TeamNotation::City, TeamNotation::Nickname, TeamNotation::Abbreviation,
                                   TeamNotation::CityAndNickname, TeamNotation::None}) {
            std::filesystem::remove(databasePath());
            ExportOptions options;
            options.pitcherHitting = mode;
            options.teamNotation = teams;
            ASSERT_TRUE(importSeasons(databasePath(), {{"1986", season(0)}}, options).succeeded());
            expectDatabaseEqualsExport(options, season(0), databasePath());
        }
    }
}

// A team whose city has a windows-1252 letter.
TeamFields montrealExpos() {
    return {7, 1986,
            "Montr\xE9"
            "al",
            "Expos", "MON"};
}

// The league files' windows-1252 names arrive as UTF-8, and a quote in a name
// is a quote, not the doubled one of a CSV line.
TEST(ImportTexts, AreUtf8AndUnquoted) {
    testing::SeasonFixture season;
    season.addTeam(montrealExpos());
    season.addPlayer({1, "Jos\xE9", "O\"Neil", kPositionPlayer});
    season.addStats(testing::statRecord(1, 7, 1, {{StatField::BattingGames, 3}, {StatField::AtBats, 9}}));
    season.writeLeagueFiles();
    TempFolder work;
    ASSERT_TRUE(
        importSeasons(work.file("l.db"), {{"1986", season.seasonFolder.str()}}, ExportOptions{}).succeeded());
    const Reader db(work.file("l.db"));
    EXPECT_EQ(db.value("SELECT Player || '|' || Team FROM Batting_Stats"), "O\"Neil,Jos\xC3\xA9|Montr\xC3\xA9"
                                                                           "al Expos");
    EXPECT_EQ(db.value("SELECT City FROM Teams"), "Montr\xC3\xA9"
                                                  "al");
}

// Negative rates (from negative counters) come back as printed. Not a rate that
// prints as "-0.000": the database keeps -0.0 as 0, so it comes back as "0.000".
TEST(SeasonFiles, NegativeRatesAreMadeAgainAsPrinted) {
    testing::SeasonFixture season;
    season.addTeam(montrealExpos());
    season.addPlayer({2, "Al", "Minus", kPitcher});
    season.addStats(testing::statRecord(2, 7, 1,
                                        {{StatField::BattingGames, 3},
                                         {StatField::GamesPitched, 3},
                                         {StatField::AtBats, 30},
                                         {StatField::Hits, -7},
                                         {StatField::OutsPitched, 4},
                                         {StatField::EarnedRuns, 3}}));
    season.writeLeagueFiles();
    TempFolder work;
    ASSERT_TRUE(
        importSeasons(work.file("l.db"), {{"1986", season.seasonFolder.str()}}, ExportOptions{}).succeeded());
    expectDatabaseEqualsExport(ExportOptions{}, season.seasonFolder.str(), work.file("l.db"));
    Connection db;
    ASSERT_EQ(db.open(work.file("l.db")), "");
    std::string batting;
    ASSERT_EQ(seasonFileBytes(db, "1986", ExportFileKind::BattingStats, batting), "");
    EXPECT_NE(batting.find("\"-0.233\""), std::string::npos) << batting;
}

// A table the store cannot read fails the file with SQLite's reason.
TEST_F(DemoSeasons, ASeasonFileOfAnUnreadableTableSaysWhy) {
    ASSERT_TRUE(import({{"1986", season(0)}}).succeeded());
    Connection db;
    ASSERT_EQ(db.open(databasePath()), "");
    ASSERT_EQ(db.execute("DROP VIEW \"Batting_Season_Totals\"; DROP TABLE \"Batting_Stats\""), "");
    std::string bytes;
    EXPECT_NE(seasonFileBytes(db, "1986", ExportFileKind::BattingStats, bytes).find("Batting_Stats"),
              std::string::npos);
    EXPECT_EQ(seasonFileBytes(db, "1986", ExportFileKind::FieldingStats, bytes), "");
}

TEST_F(DemoSeasons, SeasonsAccumulateAndAReimportReplacesItsOwn) {
    ASSERT_TRUE(import({{"1986", season(0)}}).succeeded());
    ASSERT_TRUE(import({{"1987", season(1)}}).succeeded());
    const std::string count = "SELECT Season, count(*) FROM Batting_Stats GROUP BY Season ORDER BY Season";
    const auto both = Reader(databasePath()).rows(count);
    ASSERT_EQ(both.size(), 2u);
    ASSERT_NE(both[0][1], both[1][1]);
    // Another league under the label, with fewer lines: meant only with replace.
    ImportControl replace;
    replace.replace = true;
    ExportOptions options;
    options.pitcherHitting = PitcherHittingMode::GroupByTeam; // as import() does
    const ImportOutcome outcome = importSeasons(databasePath(), {{"1986", season(1)}}, options, replace);
    ASSERT_TRUE(outcome.succeeded());
    ASSERT_EQ(outcome.replaced.size(), 1u);
    EXPECT_EQ(std::to_string(outcome.replaced[0].heldBattingLines), both[0][1]);
    EXPECT_EQ(std::to_string(outcome.replaced[0].battingLines), both[1][1]);
    const auto replaced = Reader(databasePath()).rows(count);
    EXPECT_EQ(replaced[1], both[1]) << "the other season stays";
    EXPECT_EQ(replaced[0][1], both[1][1]) << "1986 now holds the second folder's rows, once";
    EXPECT_EQ(Reader(databasePath()).value("SELECT count(*) FROM Seasons"), "2");
}

// A season replaces the one of its label only when that is clearly meant: a
// statistics file that is empty, cut in a record or cut at a record, or a
// season of another year, is refused and changes nothing; unless replacing.
TEST_F(DemoSeasons, ASeasonThatWouldLoseTheStoredOneIsRefusedUnlessReplacing) {
    using Kind = ImportOutcome::Refusal::Kind;
    struct Case {
        const char* what;
        std::function<void(const std::string& folder)> damage;
        Kind kind;
        const char* reason;
    };
    const auto cutTo = [](std::uintmax_t bytes) {
        return [bytes](const std::string& folder) {
            std::filesystem::resize_file(folder + "/zelgs.dat", bytes);
        };
    };
    const std::vector<Case> cases = {
        {"empty", cutTo(0), Kind::NoRecords, "holds no statistics records"},
        {"cut in a record", cutTo(1000 * 302 + 151), Kind::PartialRecord, "ends in a partial record"},
        {"cut at a record", cutTo(1000 * 302), Kind::FewerLines,
         "batting lines, season 1986 in the database"},
        {"another year",
         [](const std::string& folder) {
             ASSERT_EQ(writeDemoSeason(folder, {.seed = 1, .firstYear = 2040}).error, "");
         },
         Kind::OtherYear, "in the database is of"},
    };
    const auto copyOfSeason = [](const std::string& from, const std::string& to) {
        for (const char* name : {"zelteam.dat", "zelplyr.dat", "zelgs.dat"})
            std::filesystem::copy_file(from + "/" + name, to + "/" + name);
    };
    for (const Case& c : cases) {
        TempFolder work;
        const std::string database = work.file("league.db");
        ExportOptions options;
        ASSERT_TRUE(importSeasons(database, {{"1986", season(0)}}, options).succeeded());
        const std::string before = fileBytes(database);
        TempFolder folder;
        copyOfSeason(season(0), folder.str());
        c.damage(folder.str());
        const ImportOutcome refused = importSeasons(database, {{"1986", folder.str()}}, options);
        EXPECT_TRUE(refused.problems.empty()) << c.what;
        ASSERT_EQ(refused.refusals.size(), 1u) << c.what;
        EXPECT_EQ(refused.refusals[0].kind, c.kind) << c.what;
        EXPECT_NE(refused.refusals[0].reason.find(c.reason), std::string::npos)
            << c.what << ": " << refused.refusals[0].reason;
        EXPECT_TRUE(refused.refusals[0].held) << c.what;
        EXPECT_EQ(std::to_string(refused.refusals[0].heldBattingLines),
                  Reader(database).value("SELECT count(*) FROM Batting_Stats"))
            << c.what;
        EXPECT_TRUE(fileBytes(database) == before) << c.what << ": the database changed";
        ImportControl replace;
        replace.replace = true;
        const ImportOutcome replaced = importSeasons(database, {{"1986", folder.str()}}, options, replace);
        EXPECT_TRUE(replaced.succeeded()) << c.what;
        ASSERT_EQ(replaced.replaced.size(), 1u) << c.what;
        EXPECT_EQ(replaced.replaced[0].battingLines, refused.refusals[0].battingLines) << c.what;
    }
    // Every refused season of one call is told, a new label's empty file too.
    TempFolder elsewhere, empty;
    copyOfSeason(season(1), empty.str());
    std::filesystem::resize_file(empty.file("zelgs.dat"), 0);
    const ImportOutcome both =
        importSeasons(elsewhere.file("new.db"), {{"1987", empty.str()}, {"1988", empty.str()}}, {});
    ASSERT_EQ(both.refusals.size(), 2u);
    EXPECT_FALSE(both.refusals[1].held);
    EXPECT_EQ(both.refusals[1].label, "1988");
    EXPECT_EQ(elsewhere.fileNames(), std::vector<std::string>{}) << "no new database for refused seasons";

    // A season that grows (a mid-season import) replaces its own without a word of refusal.
    TempFolder work;
    const std::string database = work.file("league.db");
    TempFolder cut;
    copyOfSeason(season(0), cut.str());
    std::filesystem::resize_file(cut.file("zelgs.dat"), 1000 * 302);
    ASSERT_TRUE(importSeasons(database, {{"1986", cut.str()}}, {}).succeeded());
    const ImportOutcome grown = importSeasons(database, {{"1986", season(0)}}, {});
    ASSERT_TRUE(grown.succeeded());
    ASSERT_EQ(grown.replaced.size(), 1u);
    EXPECT_GT(grown.replaced[0].battingLines, grown.replaced[0].heldBattingLines);
}

// tests/data/league-v1.db was made by an earlier Boxloom (season 1986 of a
// demo league, cut down to a few players): it takes a new season beside its
// own, and the store reads both.
TEST_F(DemoSeasons, AnEarlierVersionOneDatabaseTakesNewSeasons) {
    std::filesystem::copy_file(std::string(BOXLOOM_TEST_DATA_DIR) + "/league-v1.db", databasePath());
    ASSERT_TRUE(import({{"1987", season(0)}}).succeeded());
    {
        LeagueStore store;
        ASSERT_EQ(store.open(databasePath()), "");
        EXPECT_EQ(store.seasons(), (std::vector<std::string>{"1986", "1987"}));
        for (const char* label : {"1986", "1987"}) {
            SeasonData data;
            for (SeasonPart part : kSeasonParts)
                ASSERT_EQ(store.load(label, part, data), "") << label;
            EXPECT_FALSE(data.batting.empty()) << label;
        }
    }
    const Reader db(databasePath());
    EXPECT_EQ(db.value("PRAGMA user_version"), "1");
    EXPECT_EQ(db.value("SELECT count(DISTINCT Season) FROM Batting_Season_Totals"), "2");
}

// What the site adds up beyond the rows: the pitchers by their kind, and each
// pitching line's home runs and hit batters allowed from its splits.
TEST_F(DemoSeasons, TheStoreReadsThePitchersAndWhatTheirSplitsAllowed) {
    ASSERT_TRUE(import({{"1986", season(0)}}).succeeded());
    SeasonData data;
    {
        LeagueStore store;
        ASSERT_EQ(store.open(databasePath()), "");
        ASSERT_EQ(store.load("1986", SeasonPart::Players, data), "");
        ASSERT_EQ(store.load("1986", SeasonPart::Pitching, data), "");
    }
    std::string pitchers;
    for (std::int64_t id : data.pitchers)
        pitchers += (pitchers.empty() ? "" : ",") + std::to_string(id);
    const Reader db(databasePath());
    EXPECT_EQ(pitchers, db.value("SELECT group_concat(PlayerID) FROM (SELECT PlayerID FROM Players "
                                 "WHERE Kind = 2 ORDER BY PlayerID)"));
    for (const auto& [counter, sql] : std::vector<std::pair<std::size_t, const char*>>{
             {pit::AB, "ABvL + ABvR"}, {pit::HR, "HRvL + HRvR"}, {pit::HBP, "HBPvL + HBPvR"}}) {
        Counter sum = 0;
        for (const StatLine& line : data.pitching)
            sum += line.counters[counter];
        EXPECT_EQ(std::to_string(sum), db.value(std::string("SELECT sum(") + sql + ") FROM Pitching_Splits"))
            << sql;
    }
}

TEST_F(DemoSeasons, TheLabelDefaultsToTheFolderName) {
    EXPECT_EQ(defaultSeasonLabel("/leagues/1986/"), "1986");
    EXPECT_EQ(defaultSeasonLabel("C:\\ZEL\\Liga 1987"),
              kNativePathStyle == PathStyle::Windows ? "Liga 1987" : "C:\\ZEL\\Liga 1987");
}

struct FailureCase {
    const char* name;
    // Prepares the failure; returns the problem's expected reason.
    std::function<std::string(const std::string& database, const std::string& missingSeason)> prepare;
};

class ImportFailures : public DemoSeasons, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ImportFailures, LeaveTheDatabaseByteForByteAsItWas) {
    ASSERT_TRUE(import({{"1986", season(0)}}).succeeded());
    TempFolder missing;
    const std::string reason = GetParam().prepare(databasePath(), missing.str());
    const std::string before = fileBytes(databasePath());
    const ImportOutcome outcome = import({{"1987", season(1)}, {"1988", missing.str()}});
    ASSERT_FALSE(outcome.succeeded());
    ASSERT_EQ(outcome.problems.size(), 1u) << "one line says why";
    EXPECT_EQ(outcome.problems[0].reason, reason);
    EXPECT_TRUE(fileBytes(databasePath()) == before);
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportFailures,
                         ::testing::Values(FailureCase{"AMissingLeagueFile",
                                                       [](const std::string&, const std::string& folder) {
                                                           writeDemoSeason(folder, {3, 10});
                                                           std::filesystem::remove(folder + "/zelgs.dat");
                                                           return "not found";
                                                       }},
                                           FailureCase{"AMistypedSeasonFolder",
                                                       [](const std::string&, const std::string& folder) {
                                                           std::filesystem::remove(folder);
                                                           return "no such folder";
                                                       }},
                                           FailureCase{"NotADatabase",
                                                       [](const std::string& db, const std::string& empty) {
                                                           testing::writeFile(db, std::string(4096, 'x'));
                                                           writeDemoSeason(empty, {3, 10});
                                                           return "not a SQLite database";
                                                       }},
                                           FailureCase{"AnotherSchema",
                                                       [](const std::string& db, const std::string& empty) {
                                                           std::filesystem::remove(db);
                                                           Connection other;
                                                           other.open(db);
                                                           other.execute("CREATE TABLE notes (text TEXT)");
                                                           writeDemoSeason(empty, {3, 10});
                                                           return "not a Boxloom database";
                                                       }},
                                           FailureCase{"ANewerSchema",
                                                       [](const std::string& db, const std::string& empty) {
                                                           Connection newer;
                                                           newer.open(db);
                                                           newer.execute("PRAGMA user_version = 2");
                                                           writeDemoSeason(empty, {3, 10});
                                                           return "made by a newer Boxloom (schema 2); this "
                                                                  "one reads 1";
                                                       }},
                                           FailureCase{"AMissingTable",
                                                       [](const std::string& db, const std::string& empty) {
                                                           Connection damaged;
                                                           damaged.open(db);
                                                           damaged.execute("DROP TABLE \"Teams\"");
                                                           writeDemoSeason(empty, {3, 10});
                                                           return "table Teams is missing";
                                                       }}),
                         [](const auto& param) { return std::string(param.param.name); });

#ifndef _WIN32
// The second season's team file opens as a regular file and fails when read,
// after the new database has been made and the first season imported.
TEST_F(DemoSeasons, AFailedImportIntoANewDatabaseLeavesNoFileBehind) {
    TempFolder unreadable;
    for (const char* name : {"zelplyr.dat", "zelgs.dat"})
        std::filesystem::copy_file(season(1) + "/" + name, unreadable.file(name));
    std::filesystem::create_symlink("/proc/self/mem", unreadable.file("zelteam.dat"));
    const ImportOutcome outcome = import({{"1986", season(0)}, {"1987", unreadable.str()}});
    ASSERT_FALSE(outcome.succeeded());
    EXPECT_EQ(outcome.problems[0].file, unreadable.file("zelteam.dat"));
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(work_.str()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{});
    ASSERT_TRUE(import({{"1986", season(0)}}).succeeded());
    EXPECT_EQ(Reader(databasePath()).value("SELECT count(*) FROM Seasons"), "1");
}
#endif

// Another program makes the new database's name while the import runs (as a
// second first import does): the import fails and says so, that file stays,
// and no work file of the import is left.
TEST_F(DemoSeasons, ANewDatabasesNameTakenDuringTheImportFailsAndLeavesNoWorkFile) {
    ImportControl control;
    control.progress = [this](std::size_t, std::size_t) { testing::writeFile(databasePath(), "theirs"); };
    ExportOptions options;
    const ImportOutcome outcome = importSeasons(databasePath(), {{"1986", season(0)}}, options, control);
    ASSERT_FALSE(outcome.succeeded());
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].reason, "was made by another program during the import; nothing imported");
    EXPECT_EQ(fileBytes(databasePath()), "theirs");
    EXPECT_EQ(work_.fileNames(), std::vector<std::string>{"league.db"});
}

// Killed first imports left their work files: a later import removes those of
// processes that are gone, and makes its own under a name no file has.
TEST_F(DemoSeasons, WorkFilesOfKilledImportsGoTheirNamesAreNotReusedAndAFolderIsNoDatabase) {
    const std::string gone = "~league.db.2147483000-0.tmp";
    const std::string ours = "~league.db." + formatRunId(currentRun()) + "-0.tmp";
    // An earlier process that had this one's number.
    const std::string numberReused =
        "~league.db." + formatRunId({currentRun().processId, currentRun().started ^ 1}) + "-0.tmp";
    for (const std::string& name :
         {gone, gone + "-journal", ours, numberReused, std::string("~other.db.2147483000-0.tmp")})
        testing::writeFile(work_.file(name), "left by a killed import");
    const ImportOutcome outcome = import({{"1986", season(0)}});
    ASSERT_TRUE(outcome.succeeded()) << outcome.problems[0].reason;
    EXPECT_EQ(outcome.workFilesRemoved, 3u);
    std::filesystem::create_directory(work_.file("folder.db"));
    const ImportOutcome intoAFolder = importSeasons(work_.file("folder.db"), {{"1986", season(0)}}, {});
    ASSERT_EQ(intoAFolder.problems.size(), 1u);
    EXPECT_EQ(intoAFolder.problems[0].reason, "is a folder, not a database");
    std::filesystem::remove(work_.file("folder.db"));
    EXPECT_EQ(work_.fileNames(), (std::vector<std::string>{"league.db", ours, "~other.db.2147483000-0.tmp"}))
        << "another database's, and one of a number that is running (ours), stay";
    EXPECT_EQ(testing::readFile(work_.file(ours)), "left by a killed import");
}

// The committed new file cannot take its name: the link fails (a file system
// without hard links) and so does the rename after it; or the link works and
// removing the work name fails. The one fails with the cause, the other has
// imported; neither leaves its work file.
TEST_F(DemoSeasons, ANewDatabaseThatCannotTakeItsNameSaysWhyAndLeavesNoWorkFile) {
    struct Case {
        const char* what;
        NewDatabaseMoves moves;
        const char* problem; // "" when the import is done
    };
    const auto linkOnly = [](const std::string& from, const std::string& to) {
        std::filesystem::create_hard_link(from, to);
        return std::string("permission denied"); // the work name stays
    };
    const auto neither = [](const std::string&, const std::string&) { return std::string("exists"); };
    const auto refused = [](const std::string&, const std::string&) {
        return std::string("input/output error");
    };
    const std::vector<Case> cases = {
        {"no link, no rename", {neither, refused}, "input/output error"},
        {"linked, work name stays", {linkOnly, refused}, ""},
    };
    for (const Case& c : cases) {
        TempFolder work;
        ImportControl control;
        control.moves = c.moves;
        const ImportOutcome outcome =
            importSeasons(work.file("league.db"), {{"1986", season(0)}}, {}, control);
        EXPECT_EQ(outcome.problems.empty() ? "" : outcome.problems[0].reason, c.problem) << c.what;
        EXPECT_EQ(work.fileNames(),
                  *c.problem ? std::vector<std::string>{} : std::vector<std::string>{"league.db"})
            << c.what;
        if (!*c.problem) {
            EXPECT_EQ(Reader(work.file("league.db")).value("SELECT Season FROM Seasons"), "1986");
        }
    }
}

TEST_F(DemoSeasons, ADatabaseHeldByAnotherWriterIsInUse) {
    ASSERT_TRUE(import({{"1986", season(0)}}).succeeded());
    const std::string before = fileBytes(databasePath());
    Connection other;
    ASSERT_EQ(other.open(databasePath()), "");
    ASSERT_EQ(other.execute("BEGIN IMMEDIATE"), "");
    const ImportOutcome outcome = import({{"1987", season(1)}});
    other.execute("ROLLBACK");
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_EQ(outcome.problems[0].reason, "in use by another program");
    EXPECT_TRUE(fileBytes(databasePath()) == before);
}

// A player traded between two teams within the Regular season.
TEST(SeasonTotals, SumATradedPlayersRowsWithTheRowsGuards) {
    testing::SeasonFixture season;
    season.addTeam({7, 1986, "Riverton", "Owls", "RIV"});
    season.addTeam({3, 1986, "Lakeport", "Herons", "LAK"});
    season.addPlayer({1, "John", "Smith", kPositionPlayer});
    season.addPlayer({2, "Al", "Arm", kPitcher});
    using SF = StatField;
    season.addStats(testing::statRecord(1, 7, 1,
                                        {{SF::BattingGames, 10},
                                         {SF::AtBats, 30},
                                         {SF::Hits, 9},
                                         {SF::Doubles, 2},
                                         {SF::HomeRuns, 1},
                                         {SF::Walks, 4}}));
    season.addStats(testing::statRecord(1, 3, 1,
                                        {{SF::BattingGames, 5},
                                         {SF::AtBats, 20},
                                         {SF::Hits, 5},
                                         {SF::Triples, 1},
                                         {SF::HitByPitch, 1},
                                         {SF::SacrificeFlies, 2}}));
    season.addStats(testing::statRecord(
        2, 7, 1,
        {{SF::GamesPitched, 4}, {SF::OutsPitched, 40}, {SF::EarnedRuns, 7}, {SF::Wins, 2}, {SF::Losses, 1}}));
    season.addStats(testing::statRecord(
        2, 3, 1, {{SF::GamesPitched, 2}, {SF::OutsPitched, 11}, {SF::EarnedRuns, 1}, {SF::Losses, 2}}));
    season.writeLeagueFiles();
    const std::string path = season.outputFolder.file("league.db");
    ASSERT_TRUE(importSeasons(path, {{"1986", season.seasonFolder.str()}}, ExportOptions{}).succeeded());
    const Reader db(path);
    // AB 50, H 14, TB 14 + 2 + 2 + 3 = 21, on base 14 + 4 + 1 = 19 of 50 + 4 + 1 + 2 = 57.
    EXPECT_EQ(
        db.rows("SELECT Teams, G, AB, H, \"2B\", \"3B\", HR, W, AVG, OBP, SLG FROM Batting_Season_Totals "
                "WHERE PlayerID = 1"),
        (std::vector<std::vector<std::string>>{
            {"2", "15", "50", "14", "2", "1", "1", "4", "0.28", "0.333333333333333", "0.42"}}));
    // 51 outs are 17.0 innings; ERA 27 * 8 / 51; PCT 2 of 5.
    EXPECT_EQ(
        db.rows("SELECT Teams, W, L, G, IPOuts, IP, ERA, PCT FROM Pitching_Season_Totals WHERE PlayerID = 2"),
        (std::vector<std::vector<std::string>>{
            {"2", "2", "3", "6", "51", "17.0", "4.23529411764706", "0.4"}}));
}

#ifndef _WIN32
// The disk fills up in the middle of the second season: nothing of it stays.
TEST_F(DemoSeasons, AFailureInsideTheTransactionRollsEverythingBack) {
    testing::MountedFolder disk("size=4m");
    if (!disk.whyNot().empty()) GTEST_SKIP() << disk.whyNot();
    const std::string path = disk.str() + "/league.db";
    ExportOptions options;
    ASSERT_TRUE(importSeasons(path, {{"1986", season(0)}}, options).succeeded());
    const std::string before = fileBytes(path);
    TempFolder big;
    ASSERT_EQ(writeDemoSeason(big.str(), {6, 40000}).error, "");
    const ImportOutcome outcome = importSeasons(path, {{"1987", season(1)}, {"1988", big.str()}}, options);
    ASSERT_FALSE(outcome.succeeded());
    // The cause alone: not the tables whose rows came after it.
    ASSERT_EQ(outcome.problems.size(), 1u) << outcome.problems[0].reason;
    EXPECT_EQ(outcome.problems[0].reason, "disk full");
    EXPECT_FALSE(std::filesystem::exists(path + "-journal")) << "the rollback was left for later";
    EXPECT_TRUE(fileBytes(path) == before);
    EXPECT_EQ(Reader(path).value("SELECT group_concat(Season) FROM Seasons"), "1986");
}

// A run killed in the middle of its transaction leaves the earlier database.
// The child is killed once its first season is in, a season larger than
// SQLite's page cache, so that by then the database file itself has changed.
TEST_F(DemoSeasons, AKilledImportLeavesTheEarlierState) {
    ASSERT_TRUE(import({{"1986", season(0)}}).succeeded());
    const std::string before = fileBytes(databasePath());
    TempFolder big;
    ASSERT_EQ(writeDemoSeason(big.str(), {5, 40000}).error, "");
    int signal[2];
    ASSERT_EQ(::pipe(signal), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(signal[0]);
        ImportControl control;
        control.progress = [&signal](std::size_t, std::size_t) {
            (void)!::write(signal[1], "1", 1);
            for (;;)
                ::pause();
        };
        ExportOptions options;
        importSeasons(databasePath(), {{"1987", big.str()}, {"1988", season(1)}}, options, control);
        ::_exit(0);
    }
    ::close(signal[1]);
    char done = 0;
    const bool midway = ::read(signal[0], &done, 1) == 1;
    ::close(signal[0]);
    const bool changed = fileBytes(databasePath()) != before;
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(midway) << "the import ended before its second season";
    ASSERT_TRUE(changed) << "the import had not yet written to the database file: make the season bigger";
    {
        LeagueStore store; // which rolls the killed import back, as the next import would
        ASSERT_EQ(store.open(databasePath()), "");
        EXPECT_EQ(store.seasons(), std::vector<std::string>{"1986"});
    }
    const Reader db(databasePath());
    EXPECT_EQ(db.value("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(db.value("SELECT group_concat(Season) FROM Seasons"), "1986");
}
#endif

// What a window shows of a database: a line per season, each figure the rows'.
TEST_F(DemoSeasons, SummariesCountEachSeasonsTeamsPlayersAndRows) {
    ASSERT_TRUE(import({{"1987", season(1)}, {"1986", season(0)}}).succeeded());
    std::vector<SeasonSummary> list;
    {
        LeagueStore store;
        ASSERT_EQ(store.open(databasePath()), "");
        ASSERT_EQ(store.summaries(list), "");
    }
    ASSERT_EQ(list.size(), 2u);
    const Reader db(databasePath());
    for (const SeasonSummary& summary : list) {
        const std::string where = " WHERE Season = '" + summary.label + "'";
        std::int64_t rows = 0;
        for (ExportFileKind kind : kExportFileKinds)
            rows += std::stoll(db.value("SELECT count(*) FROM " + describeTable(kind).name + where));
        EXPECT_EQ(summary.rows, rows) << summary.label;
        EXPECT_EQ(std::to_string(summary.teams), db.value("SELECT count(*) FROM Teams" + where));
        EXPECT_EQ(std::to_string(summary.players), db.value("SELECT count(*) FROM Players" + where));
        EXPECT_EQ(std::to_string(summary.year), db.value("SELECT max(Year) FROM Teams" + where));
        EXPECT_EQ(summary.importedAt, db.value("SELECT ImportedAt FROM Seasons" + where));
        SeasonData season;
        LeagueStore store;
        ASSERT_EQ(store.open(databasePath()), "");
        ASSERT_EQ(store.load(summary.label, SeasonPart::Pitching, season), "");
        std::map<std::int64_t, Counter> starts;
        for (const StatLine& line : season.pitching)
            if (line.statType == kRegular) starts[line.teamId] += line.counters[pit::GS];
        Counter most = 0;
        for (const auto& [team, games] : starts)
            most = std::max(most, games);
        EXPECT_EQ(summary.games, most) << "the games the site finds";
        EXPECT_GT(most, 0);
        EXPECT_GT(summary.players, 0);
    }
    EXPECT_EQ(list[0].label, "1986") << "in label order";
}

TEST_F(DemoSeasons, RemovingSeasonsTakesAllTheirRowsOrNone) {
    ASSERT_TRUE(import({{"1986", season(0)}, {"1987", season(1)}}).succeeded());
    const std::string before = fileBytes(databasePath());
    const RemovalOutcome missing = removeSeasons(databasePath(), {"1987", "1990"});
    ASSERT_EQ(missing.problems.size(), 1u);
    EXPECT_EQ(missing.problems[0].reason, "no season \"1990\"");
    EXPECT_TRUE(missing.removed.empty());
    EXPECT_TRUE(fileBytes(databasePath()) == before) << "1987 stays when 1990 cannot go";
    std::string rows, players;
    {
        const Reader held(databasePath());
        players = held.value("SELECT count(*) FROM Players WHERE Season = '1987'");
        for (const std::string& table : requiredTables())
            if (table != "Seasons" && table != "Teams" && table != "Players")
                rows += (rows.empty() ? "SELECT " : " + ") + std::string("(SELECT count(*) FROM \"") + table +
                        "\" WHERE Season = '1987')";
        rows = held.value(rows);
    }
    const RemovalOutcome removed = removeSeasons(databasePath(), {"1987"});
    ASSERT_TRUE(removed.succeeded());
    ASSERT_EQ(removed.removed.size(), 1u);
    EXPECT_EQ(std::to_string(removed.removed[0].rows), rows) << "what the season held, as SQL counts it";
    EXPECT_EQ(std::to_string(removed.removed[0].players), players);
    const Reader db(databasePath());
    for (const std::string& table : requiredTables())
        EXPECT_EQ(db.value("SELECT count(*) FROM \"" + table + "\" WHERE Season = '1987'"), "0") << table;
    EXPECT_EQ(db.value("SELECT group_concat(DISTINCT Season) FROM Batting_Stats"), "1986");
    const RemovalOutcome none = removeSeasons(work_.file("none.db"), {"1986"});
    ASSERT_EQ(none.problems.size(), 1u);
    EXPECT_EQ(none.problems[0].reason, "not found");
    EXPECT_FALSE(std::filesystem::exists(work_.file("none.db"))) << "removing makes no database";
}

// Cancelled before, between or inside seasons, the import leaves the database
// as it found it; progress comes after each season.
TEST_F(DemoSeasons, ACancelledImportLeavesTheDatabaseAsItWas) {
    ASSERT_TRUE(import({{"1986", season(0)}}).succeeded());
    const std::string before = fileBytes(databasePath());
    struct Case {
        const char* name;
        std::size_t cancelAfterSeasons; // 0: before the first
    };
    for (const Case& test : {Case{"before", 0}, Case{"between", 1}}) {
        std::atomic<bool> cancel{test.cancelAfterSeasons == 0};
        std::vector<std::size_t> reported;
        ImportControl control;
        control.cancel = &cancel;
        control.progress = [&](std::size_t done, std::size_t total) {
            EXPECT_EQ(total, 2u);
            reported.push_back(done);
            if (done == test.cancelAfterSeasons) cancel = true;
        };
        std::vector<SeasonSource> seasons = {{"1987", season(1)}, {"1988", season(0)}};
        const ImportOutcome outcome = importSeasons(databasePath(), seasons, ExportOptions{}, control);
        EXPECT_TRUE(outcome.cancelled) << test.name;
        ASSERT_EQ(outcome.problems.size(), 1u) << test.name;
        EXPECT_EQ(outcome.problems[0].reason, kImportCancelled);
        EXPECT_EQ(reported.size(), test.cancelAfterSeasons) << test.name;
        EXPECT_TRUE(fileBytes(databasePath()) == before) << test.name;
    }
}

TEST(SeasonTablesCancel, RowsStopGoingInOnceCancelled) {
    TempFolder work;
    Connection db;
    ASSERT_EQ(db.open(work.file("league.db")), "");
    ASSERT_EQ(db.execute("BEGIN"), "");
    ASSERT_EQ(db.execute(schemaSql()), "");
    std::atomic<bool> cancel{false};
    SeasonTables tables(db, "1986", &cancel);
    constexpr ExportFileKind kind = ExportFileKind::FieldingStats;
    std::string reason;
    RowSink* sink = tables.open(kind, reason);
    ASSERT_NE(sink, nullptr) << reason;
    const std::vector<Field> fields(describeTable(kind).columns.size() - 1);
    sink->writeRow(fields);
    cancel = true;
    sink->writeRow(fields);
    cancel = false;
    sink->writeRow(fields);
    EXPECT_EQ(tables.finish(kind), "cancelled");
    EXPECT_EQ(tables.rowsWritten(kind), 1u);
}

} // namespace
} // namespace boxloom::database
