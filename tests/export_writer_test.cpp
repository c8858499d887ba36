#include "export_writer.h"
#include "file_layer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <ostream>

namespace boxloom {
namespace {

std::string encodeRow(std::span<const Field> fields) {
    StringLineSink sink;
    {
        LineWriter line(&sink);
        for (const Field& field : fields)
            line.field(field);
    }
    sink.flush();
    return sink.text;
}

std::vector<ExportProblem> closeFiles(ExportFiles& files) {
    ExportOutcome outcome;
    files.close(outcome);
    return outcome.problems;
}

TEST(FieldEncoding, TextIsQuotedUnescapedNumbersArePlain) {
    const Field fields[] = {
        Field::ofText("Smith,John"), Field::ofText(" 1986"),     Field::ofText("say \"hi\""),
        Field::ofText(""),           Field::ofNumber(0),         Field::ofNumber(9),
        Field::ofNumber(10),         Field::ofNumber(255),       Field::ofNumber(-1),
        Field::ofNumber(-32768),     Field::ofNumber(2147483647)};
    EXPECT_EQ(encodeRow(fields),
              "\"Smith,John\",\" 1986\",\"say \"hi\"\",\"\",0,9,10,255,-1,-32768,2147483647\r\n");
    EXPECT_EQ(encodeRow({}), "\r\n");
}

TEST(ExportFiles, RowsFollowTheHeaderAndLandOnlyWhenClosed) {
    testing::TempFolder folder;
    ExportOptions options;
    options.outputFolder = folder.str();
    options.outputSuffix = "TXT";
    FileSystemOutputs outputs;
    ExportFiles files;
    ASSERT_TRUE(files.open(options, outputs).empty());
    const Field row[] = {Field::ofText("Smith,John"), Field::ofNumber(-1), Field::ofRate(0.0625f, kMaskRate)};
    files.writeRow(ExportFileKind::PitchingStats, row);
    files.writeRow(ExportFileKind::FieldingStats, row); // not opened: nothing happens
    EXPECT_EQ(files.rowsWritten(ExportFileKind::PitchingStats), 1u);
    EXPECT_EQ(files.rowsWritten(ExportFileKind::FieldingStats), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder.file("Pitching_Stats.TXT")))
        << "only a temporary file so far";
    ASSERT_TRUE(closeFiles(files).empty());
    const std::string content = testing::readFile(folder.file("Pitching_Stats.TXT"));
    EXPECT_EQ(content.substr(content.find("\r\n") + 2), "\"Smith,John\",-1,\"0.062\"\r\n");
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"Batting_Stats.TXT", "Pitching_Stats.TXT"}));
}

struct HeaderCase {
    ExportFileKind kind;
    const char* fileName;
    const char* header;
};

// Names the case in test output.
void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.fileName; }

class HeaderRows : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderRows, AreExact) {
    testing::TempFolder folder;
    ExportOptions options;
    options.outputFolder = folder.str();
    options.includeFielding = options.includePitchingSplits = options.includeHittingSplits = true;
    FileSystemOutputs outputs;
    ExportFiles files;
    ASSERT_TRUE(files.open(options, outputs).empty());
    ASSERT_TRUE(closeFiles(files).empty());
    EXPECT_EQ(testing::readFile(folder.file(GetParam().fileName)), std::string(GetParam().header) + "\r\n");
}

constexpr const char* kSplitsHeader =
    "\"Player\",\"Team\",\"Year\",\"StatType\",\"ABvL\",\"HvL\",\"2BvL\",\"3BvL\",\"HRvL\",\"RBIvL\","
    "\"HBPvL\","
    "\"BBvL\",\"SOvL\",\"SHvL\",\"CIvL\",\"SFvL\",\"IWvL\",\"AVGvL\",\"OBPvL\",\"SLGvL\",\"ABvR\",\"HvR\","
    "\"2BvR\",\"3BvR\",\"HRvR\",\"RBIvR\",\"HBPvR\",\"BBvR\",\"SOvR\",\"SHvR\",\"CIvR\",\"SFvR\",\"IWvR\","
    "\"AVGvR\",\"OBPvR\",\"SLGvR\"";

INSTANTIATE_TEST_SUITE_P(
    AllFiles, HeaderRows,
    ::testing::Values(
        HeaderCase{ExportFileKind::BattingStats, "Batting_Stats.CSV",
                   "\"Player\",\"Team\",\"Year\",\"StatType\",\"G\",\"AB\",\"R\",\"RBI\",\"H\",\"2B\",\"3B\","
                   "\"HR\",\"HBP\",\"SO\",\"W\",\"IW\",\"SB\",\"CS\",\"GWRBI\",\"SH\",\"SF\",\"GDP\",\"CI\","
                   "\"AVG\",\"OBP\",\"SLG\""},
        HeaderCase{
            ExportFileKind::PitchingStats, "Pitching_Stats.CSV",
            "\"Player\",\"Team\",\"Year\",\"StatType\",\"ERA\",\"W\",\"L\",\"PCT\",\"G\",\"GS\",\"CG\","
            "\"IP\",\"R\",\"ER\",\"H\",\"BB\",\"SO\",\"AVG\",\"OBP\",\"SLG\""},
        HeaderCase{
            ExportFileKind::FieldingStats, "Fielding_Stats.CSV",
            "\"Player\",\"Team\",\"Year\",\"StatType\",\"Pos\",\"Avg\",\"G\",\"GS\",\"PO\",\"A\",\"E\""},
        HeaderCase{ExportFileKind::PitchingSplits, "Pitching_Splits.CSV", kSplitsHeader},
        HeaderCase{ExportFileKind::BattingSplits, "Batting_Splits.CSV", kSplitsHeader}));

struct JoinCase {
    const char* folder;
    const char* name;
    PathStyle style;
    const char* path;
};

// Names the case in test output.
void PrintTo(const JoinCase& c, std::ostream* os) { *os << c.folder << " + " << c.name; }

class PathJoining : public ::testing::TestWithParam<JoinCase> {};

TEST_P(PathJoining, AddsOneSeparatorOnlyWhenNeeded) {
    const JoinCase& c = GetParam();
    EXPECT_EQ(joinPath(c.folder, c.name, c.style), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    BothStyles, PathJoining,
    ::testing::Values(JoinCase{"/leagues/1986", "zelgs.dat", PathStyle::Posix, "/leagues/1986/zelgs.dat"},
                      JoinCase{"/leagues/1986/", "zelgs.dat", PathStyle::Posix, "/leagues/1986/zelgs.dat"},
                      JoinCase{"odd\\", "zelgs.dat", PathStyle::Posix, "odd\\/zelgs.dat"},
                      JoinCase{"C:\\ZEL\\1986", "zelgs.dat", PathStyle::Windows, "C:\\ZEL\\1986\\zelgs.dat"},
                      JoinCase{"C:\\ZEL\\1986\\", "zelgs.dat", PathStyle::Windows,
                               "C:\\ZEL\\1986\\zelgs.dat"},
                      JoinCase{"C:/ZEL/1986/", "zelgs.dat", PathStyle::Windows, "C:/ZEL/1986/zelgs.dat"},
                      JoinCase{"C:\\", "zelgs.dat", PathStyle::Windows, "C:\\zelgs.dat"}));

} // namespace
} // namespace boxloom
