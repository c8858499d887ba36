// The league store's reads: what it refuses to open, and the numbers in a
// database that no export could have written.

#include "demo_season.h"
#include "league_schema.h"
#include "league_store.h"
#include "season_import.h"
#include "sqlite_db.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace boxloom::database {
namespace {

using testing::TempFolder;

// A database of one small demo season, "2031"; each test alters its copy.
class LeagueStoreTest : public ::testing::Test {
public:
    void SetUp() override {
        ASSERT_EQ(writeDemoSeason(folder_.file("2031"), {5, 200}).error, "");
        ExportOptions options;
        options.pitcherHitting = PitcherHittingMode::GroupByTeam; // rows without a player, summed
        ASSERT_TRUE(importSeasons(path(), {{"2031", folder_.file("2031")}}, options).succeeded());
    }
    std::string path() const { return folder_.file("league.db"); }
    void alter(const std::string& sql) {
        Connection db;
        ASSERT_EQ(db.open(path()), "");
        ASSERT_EQ(db.execute(sql), "") << sql;
    }
    // Every part of the season; the first reason one failed, or "".
    std::string loadAll() {
        LeagueStore store;
        if (std::string reason = store.open(path()); !reason.empty()) return reason;
        SeasonData season;
        for (SeasonPart part : kSeasonParts)
            if (std::string reason = store.load("2031", part, season); !reason.empty()) return reason;
        return {};
    }

    TempFolder folder_;
};

TEST_F(LeagueStoreTest, OpensWhatTheImportWroteAndSaysWhyItWillNotOpenAnythingElse) {
    EXPECT_EQ(loadAll(), "");
    struct Case {
        const char* name;
        std::function<void(LeagueStoreTest&)> change;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"newer", [](LeagueStoreTest& t) { t.alter("PRAGMA user_version = 99"); },
         "made by a newer Boxloom (schema 99); this one reads 1"},
        {"missing table", [](LeagueStoreTest& t) { t.alter("DROP TABLE \"Pitching_Stats\""); },
         "table Pitching_Stats is missing"},
        {"foreign",
         [](LeagueStoreTest& t) {
             std::filesystem::remove(t.path());
             t.alter("CREATE TABLE notes (text TEXT)");
         },
         "not a Boxloom database"},
        {"not SQLite", [](LeagueStoreTest& t) { testing::writeFile(t.path(), std::string(4096, 'x')); },
         "not a SQLite database"},
        {"a label holding a NUL byte",
         [](LeagueStoreTest& t) {
             t.alter("INSERT INTO \"Seasons\" VALUES (CAST(X'3230333100' AS TEXT), '', '')");
         },
         "table Seasons, row 2: a season label holding a NUL byte"},
    };
    for (const Case& c : cases) {
        SetUp();
        c.change(*this);
        {
            LeagueStore store;
            EXPECT_EQ(store.open(path()), c.reason) << c.name;
        } // closed: Windows removes no open file
        std::filesystem::remove(path());
    }
}

// A value that no export writes fails the read and names where it is; the
// grouped pitchers' rows are sums, so they may hold more than one record can.
TEST_F(LeagueStoreTest, ANumberNoExportWritesFailsTheReadNamingTableSeasonAndRow) {
    struct Case {
        const char* table;
        const char* column;
        const char* value;
        bool grouped;
        std::string reason; // after "TABLE, season 2031, row N: "; empty when it reads
    };
    const std::vector<Case> cases = {
        {"Batting_Stats", "H", "9223372036854775807", false,
         "H is 9223372036854775807, outside what an export can hold"},
        {"Batting_Stats", "AB", "32768", false, "AB is 32768, outside what an export can hold"},
        {"Batting_Stats", "AB", "-32768", false, ""},
        {"Batting_Stats", "AB", "40000", true, ""},
        {"Batting_Stats", "AB", "2147483648", true, "AB is 2147483648, outside what an export can hold"},
        {"Batting_Stats", "SO", "'lots'", false, "SO holds \"lots\" where a number belongs"},
        {"Batting_Stats", "TeamID", "70000", false, "TeamID is 70000, outside what an export can hold"},
        {"Pitching_Stats", "IPOuts", "-9223372036854775807", false,
         "IPOuts is -9223372036854775807, outside what an export can hold"},
        {"Pitching_Stats", "ER", "1.5", false, "ER holds \"1.5\" where a number belongs"},
        {"Fielding_Stats", "PO", "99999", false, "PO is 99999, outside what an export can hold"},
        {"Batting_Splits", "HRvR", "123456", false, "HRvR is 123456, outside what an export can hold"},
        {"Pitching_Splits", "ABvL", "-40000", false, "ABvL is -40000, outside what an export can hold"},
    };
    for (const Case& c : cases) {
        SetUp();
        const std::string table = std::string("\"") + c.table + "\"";
        const std::string which = std::string("\"PlayerID\" IS ") + (c.grouped ? "" : "NOT ") + "NULL";
        const std::string row = "(SELECT min(rowid) FROM " + table + " WHERE " + which + ")";
        alter("UPDATE " + table + " SET \"" + c.column + "\" = " + c.value + " WHERE rowid = " + row);
        std::string where;
        {
            Connection db;
            ASSERT_EQ(db.open(path(), OpenMode::ReadOnly), "");
            Statement number(db, "SELECT count(*) FROM " + table + " WHERE rowid <= " + row);
            ASSERT_TRUE(number.step() && number.hasRow());
            where =
                std::string(c.table) + ", season 2031, row " + std::to_string(number.integerColumn(0)) + ": ";
        } // closed: Windows removes no open file
        EXPECT_EQ(loadAll(), c.reason.empty() ? "" : where + c.reason) << c.table << " " << c.column;
        std::filesystem::remove(path());
    }
}

// A database's bytes read in memory, as the site's fuzzing reads them.
TEST_F(LeagueStoreTest, ReadsADatabaseFromItsBytes) {
    {
        LeagueStore store;
        ASSERT_EQ(store.openBytes(testing::readFile(path())), "");
        EXPECT_EQ(store.seasons(), std::vector<std::string>{"2031"});
        SeasonData season;
        ASSERT_EQ(store.load("2031", SeasonPart::Batting, season), "");
        EXPECT_FALSE(season.batting.empty());
    }
    const std::vector<std::pair<std::string, std::string>> refused = {
        {std::string(4096, 'x'), "not a SQLite database"},
        {"", "not a Boxloom database"},
    };
    for (const auto& [bytes, reason] : refused) {
        LeagueStore store;
        EXPECT_EQ(store.openBytes(bytes), reason) << bytes.size();
    }
}

// A database as an import killed in its transaction leaves it: changed pages
// in the file, their earlier contents in the journal beside it.
TEST_F(LeagueStoreTest, ReadsTheStateBeforeAnImportKilledInItsTransaction) {
    const std::string killed = folder_.file("killed.db");
    {
        Connection writer;
        ASSERT_EQ(writer.open(path()), "");
        // A cache of a few pages spills the changes into the file before the commit.
        ASSERT_EQ(writer.execute("PRAGMA cache_size = 2; BEGIN; DELETE FROM \"Batting_Stats\"; "
                                 "DELETE FROM \"Seasons\";"),
                  "");
        ASSERT_TRUE(std::filesystem::exists(path() + "-journal"));
        std::filesystem::copy_file(path(), killed);
        std::filesystem::copy_file(path() + "-journal", killed + "-journal");
        ASSERT_EQ(writer.execute("ROLLBACK"), "");
    }
    LeagueStore store;
    ASSERT_EQ(store.open(killed), "");
    EXPECT_EQ(store.seasons(), std::vector<std::string>{"2031"});
    SeasonData season;
    ASSERT_EQ(store.load("2031", SeasonPart::Batting, season), "");
    EXPECT_FALSE(season.batting.empty());
    EXPECT_FALSE(std::filesystem::exists(killed + "-journal"));
}

// The store reads a table's counters by the order of its export file's
// columns: the site's names for them must name the same columns.
TEST(LeagueStoreColumns, TheSitesCounterNamesAreTheTablesColumns) {
    const auto counters = [](ExportFileKind kind) { return describeTable(kind).counters; };
    const auto at = [&](ExportFileKind kind, std::size_t index) { return counters(kind).at(index); };
    EXPECT_EQ(counters(ExportFileKind::BattingStats).size(), bat::Count);
    EXPECT_EQ(counters(ExportFileKind::PitchingStats).size(), pit::AB);
    EXPECT_EQ(counters(ExportFileKind::FieldingStats).size(), fld::Count);
    EXPECT_EQ(counters(ExportFileKind::BattingSplits).size(), 2 * split::Count);
    const std::vector<std::pair<std::size_t, const char*>> batting = {
        {bat::G, "G"},     {bat::AB, "AB"},   {bat::R, "R"},     {bat::H, "H"},        {bat::B2, "2B"},
        {bat::B3, "3B"},   {bat::HR, "HR"},   {bat::RBI, "RBI"}, {bat::W, "W"},        {bat::SO, "SO"},
        {bat::HBP, "HBP"}, {bat::IW, "IW"},   {bat::SB, "SB"},   {bat::CS, "CS"},      {bat::SH, "SH"},
        {bat::SF, "SF"},   {bat::GDP, "GDP"}, {bat::CI, "CI"},   {bat::GWRBI, "GWRBI"}};
    for (const auto& [index, name] : batting)
        EXPECT_EQ(at(ExportFileKind::BattingStats, index), name);
    const std::vector<std::pair<std::size_t, const char*>> pitching = {
        {pit::W, "W"},   {pit::L, "L"},         {pit::G, "G"},  {pit::GS, "GS"},
        {pit::CG, "CG"}, {pit::Outs, "IPOuts"}, {pit::R, "R"},  {pit::ER, "ER"},
        {pit::H, "H"},   {pit::BB, "BB"},       {pit::SO, "SO"}};
    for (const auto& [index, name] : pitching)
        EXPECT_EQ(at(ExportFileKind::PitchingStats, index), name);
    const std::vector<std::pair<std::size_t, const char*>> fielding = {
        {fld::G, "G"}, {fld::GS, "GS"}, {fld::PO, "PO"}, {fld::A, "A"}, {fld::E, "E"}};
    for (const auto& [index, name] : fielding)
        EXPECT_EQ(at(ExportFileKind::FieldingStats, index), name);
    const std::vector<std::pair<std::size_t, const char*>> splits = {
        {split::AB, "AB"},   {split::H, "H"},     {split::B2, "2B"}, {split::B3, "3B"}, {split::HR, "HR"},
        {split::RBI, "RBI"}, {split::HBP, "HBP"}, {split::BB, "BB"}, {split::SO, "SO"}, {split::SH, "SH"},
        {split::CI, "CI"},   {split::SF, "SF"},   {split::IW, "IW"}};
    for (ExportFileKind kind : {ExportFileKind::BattingSplits, ExportFileKind::PitchingSplits})
        for (const auto& [index, name] : splits) {
            EXPECT_EQ(at(kind, index), std::string(name) + "vL");
            EXPECT_EQ(at(kind, split::Count + index), std::string(name) + "vR");
        }
}

} // namespace
} // namespace boxloom::database
