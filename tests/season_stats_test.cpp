#include "record_reader.h"
#include "season_stats.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <ostream>

namespace boxloom {
namespace {

using testing::TempFolder;

struct ReadCase {
    const char* name;
    std::size_t fileBytes;
    std::size_t expectedRecords;
    std::uint64_t recordsFromFile;
};

// Names the case in test output.
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class RecordReading : public ::testing::TestWithParam<ReadCase> {};

// Records are 1, 2, 3, ... in their first byte; a short last record is zero-filled.
TEST_P(RecordReading, YieldsFullRecordsThenOneZeroFilledRecord) {
    const ReadCase& c = GetParam();
    TempFolder folder;
    std::string bytes(c.fileBytes, '\x07');
    for (std::size_t i = 0; i * kSeasonRecordSize < c.fileBytes; ++i)
        bytes[i * kSeasonRecordSize] = static_cast<char>(i + 1);
    testing::writeFile(folder.file("zelgs.dat"), bytes);

    ReadOnlyFile file;
    ASSERT_EQ(file.open(folder.file("zelgs.dat")), "");
    RecordReader reader(file, kSeasonRecordSize);
    std::vector<SeasonStatRecord> records;
    SeasonStatRecord record;
    while (readNext(reader, record))
        records.push_back(record);

    EXPECT_EQ(reader.error(), "");
    ASSERT_EQ(records.size(), c.expectedRecords);
    EXPECT_EQ(reader.recordsFromFile(), c.recordsFromFile);
    const std::size_t tailBytes = c.fileBytes % kSeasonRecordSize;
    const SeasonStatRecord& last = records.back();
    for (std::size_t i = 0; i < kSeasonRecordSize; ++i) {
        const std::uint8_t expected =
            i >= tailBytes ? 0 : (i == 0 ? static_cast<std::uint8_t>(records.size() % 256) : 7);
        ASSERT_EQ(last.bytes()[i], expected) << "byte " << i;
    }
    for (std::size_t i = 0; i + 1 < records.size(); ++i)
        EXPECT_EQ(records[i].bytes()[0], (i + 1) % 256);
}

INSTANTIATE_TEST_SUITE_P(FileSizes, RecordReading,
                         ::testing::Values(ReadCase{"empty", 0, 1, 0}, ReadCase{"exact", 302 * 3, 4, 3},
                                           ReadCase{"partial", 302 * 2 + 100, 3, 3},
                                           ReadCase{"many", 302 * 500, 501, 500}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(SeasonStatRecord, BytesAreUnsignedAndWordsSigned) {
    SeasonStatRecord record;
    auto& bytes = record.mutableBytes();
    bytes[30] = 200;                    // doubles
    bytes[22] = 0xFF, bytes[23] = 0xFF; // at-bats
    bytes[84] = 0x00, bytes[85] = 0x80; // outs pitched
    bytes[86] = 0xFF, bytes[87] = 0x7F; // opponents' at-bats
    EXPECT_EQ(record.doubles(), 200);
    EXPECT_EQ(record.atBats(), -1);
    EXPECT_EQ(record.outsPitched(), -32768);
    EXPECT_EQ(record.opponentAtBats(), 32767);
}

// A few fields checked against their byte offsets, independent of the layout table.
TEST(SeasonStatRecord, AccessorsReadTheirOwnOffsets) {
    SeasonStatRecord record;
    auto& b = record.mutableBytes();
    b[2] = 0x34, b[3] = 0x12; // player number
    b[4] = 5;                 // stat type
    b[8] = 99;                // team number
    b[45] = 150;              // batting games
    b[47] = 3;                // catcher's interference
    b[64 + 2] = 42;           // hits vs right-handed pitchers
    b[130 + 15] = 6;          // intentional walks vs left-handed batters
    b[124] = 33;              // games pitched
    b[178 + 16] = 77;         // putouts in right field
    b[268 + 8] = 12;          // starts in right field
    b[214] = 4;               // errors as pitcher
    EXPECT_EQ(record.playerNumber(), 0x1234);
    EXPECT_EQ(record.statTypeCode(), 5);
    EXPECT_EQ(record.teamNumber(), 99);
    EXPECT_EQ(record.battingGames(), 150);
    EXPECT_EQ(record.catchersInterference(), 3);
    EXPECT_EQ(record.battingVsRight().hits(), 42);
    EXPECT_EQ(record.pitchingVsLeft().intentionalWalks(), 6);
    EXPECT_EQ(record.gamesPitched(), 33);
    EXPECT_EQ(record.putouts(8), 77);
    EXPECT_EQ(record.startsAtPosition(8), 12);
    EXPECT_EQ(record.errors(0), 4);
}

TEST(StatTypeNames, NineEntriesAndNothingOutside) {
    const char* expected[] = {"PreSeason", "Regular", "", "DCS", "LCS", "WS", "", "", ""};
    for (int code = 0; code <= 8; ++code)
        EXPECT_EQ(statTypeName(code), expected[code]) << code;
    EXPECT_EQ(statTypeName(-1), "");
    EXPECT_EQ(statTypeName(9), "");
}

} // namespace
} // namespace boxloom
