#include "byte_source.h"
#include "record_reader.h"
#include "season_stats.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <ostream>
#include <span>
#include <vector>

namespace boxloom {
namespace {

struct ReadCase {
    const char* name;
    std::size_t fileBytes;
    std::size_t expectedRecords;
};

// Names the case in test output.
void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class RecordReading : public ::testing::TestWithParam<ReadCase> {};

// Records are 1, 2, 3, ... in their first byte; a short last record is
// zero-filled, and a file that ends between records ends there.
TEST_P(RecordReading, YieldsTheFilesRecordsTheLastZeroFilled) {
    const ReadCase& c = GetParam();
    std::vector<std::uint8_t> bytes(c.fileBytes, 7);
    for (std::size_t i = 0; i * kSeasonRecordSize < c.fileBytes; ++i)
        bytes[i * kSeasonRecordSize] = static_cast<std::uint8_t>(i + 1);
    MemoryByteSource source(bytes);
    RecordReader reader(source, kSeasonRecordSize);
    std::vector<SeasonStatRecord> records;
    SeasonStatRecord record;
    while (reader.readNext(record.mutableBytes().data()))
        records.push_back(record);

    EXPECT_EQ(reader.error(), "");
    ASSERT_EQ(records.size(), c.expectedRecords);
    EXPECT_EQ(reader.recordsFromFile(), c.expectedRecords);
    EXPECT_EQ(reader.lastRecordPartial(), c.fileBytes % kSeasonRecordSize != 0);
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(records[i].bytes()[0], (i + 1) % 256);
    const std::size_t tailBytes = c.fileBytes % kSeasonRecordSize;
    for (std::size_t i = 1; tailBytes > 0 && i < kSeasonRecordSize; ++i)
        ASSERT_EQ(records.back().bytes()[i], i >= tailBytes ? 0 : 7) << "byte " << i;
}

INSTANTIATE_TEST_SUITE_P(FileSizes, RecordReading,
                         ::testing::Values(ReadCase{"empty", 0, 0}, ReadCase{"exact", 302 * 3, 3},
                                           ReadCase{"partial", 302 * 2 + 100, 3},
                                           ReadCase{"many", 302 * 500, 500}),
                         [](const auto& param) { return std::string(param.param.name); });

// Gives at most `step` bytes a read, and fails once `failAt` bytes are given.
class DribblingSource final : public ByteSource {
public:
    DribblingSource(std::span<const std::uint8_t> bytes, std::size_t step, std::size_t failAt)
        : bytes_(bytes), step_(step), failAt_(failAt) {}
    std::ptrdiff_t read(void* buffer, std::size_t size, std::string& reason) override {
        if (position_ >= failAt_) {
            reason = "disk gone";
            return -1;
        }
        const std::size_t n = std::min({size, step_, bytes_.size() - position_, failAt_ - position_});
        if (n > 0) std::memcpy(buffer, bytes_.data() + position_, n); // an empty file has no data pointer
        position_ += n;
        return static_cast<std::ptrdiff_t>(n);
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t step_;
    std::size_t failAt_;
    std::size_t position_ = 0;
};

struct ReaderState {
    std::vector<std::uint8_t> records;
    std::uint64_t fromFile = 0;
    bool partial = false;
    std::string error;
    bool operator==(const ReaderState&) const = default;
};

ReaderState readOneByOne(std::span<const std::uint8_t> file, std::size_t step, std::size_t failAt) {
    DribblingSource source(file, step, failAt);
    RecordReader reader(source, kSeasonRecordSize);
    ReaderState state;
    std::array<std::uint8_t, kSeasonRecordSize> record{};
    while (reader.readNext(record.data()))
        state.records.insert(state.records.end(), record.begin(), record.end());
    state = {state.records, reader.recordsFromFile(), reader.lastRecordPartial(), reader.error()};
    return state;
}

ReaderState readInBatches(std::span<const std::uint8_t> file, std::size_t step, std::size_t failAt,
                          std::size_t batch) {
    DribblingSource source(file, step, failAt);
    RecordReader reader(source, kSeasonRecordSize);
    ReaderState state;
    for (;;) {
        std::vector<std::uint8_t> records(batch * kSeasonRecordSize, 0xEE);
        const std::size_t got = reader.readRecords(records.data(), batch);
        state.records.insert(state.records.end(), records.begin(),
                             records.begin() + static_cast<std::ptrdiff_t>(got * kSeasonRecordSize));
        if (got < batch) break;
    }
    state = {state.records, reader.recordsFromFile(), reader.lastRecordPartial(), reader.error()};
    return state;
}

// Records read many at a time, straight into place, are the records read one
// by one: whatever the file's size, however the reads fall, and up to a failure.
TEST(RecordReading, ManyAtATimeGiveWhatOneAtATimeGives) {
    constexpr std::size_t kNever = std::numeric_limits<std::size_t>::max();
    for (std::size_t fileBytes : {std::size_t{0}, std::size_t{301}, kSeasonRecordSize,
                                  kSeasonRecordSize * 700 + 5, kSeasonRecordSize * 1000}) {
        std::vector<std::uint8_t> file(fileBytes);
        for (std::size_t i = 0; i < fileBytes; ++i)
            file[i] = static_cast<std::uint8_t>(i * 7 + i / kSeasonRecordSize);
        for (std::size_t step : {std::size_t{1000}, kSeasonRecordSize + 1, std::size_t{1} << 16, kNever}) {
            for (std::size_t failAt : {kNever, fileBytes / 2}) {
                const ReaderState expected = readOneByOne(file, step, failAt);
                for (std::size_t batch : {1, 7, 300, 2048}) {
                    const ReaderState got = readInBatches(file, step, failAt, batch);
                    const auto where = ::testing::Message()
                                       << fileBytes << " bytes, reads of " << step << ", failing at "
                                       << failAt << ", batches of " << batch;
                    if (expected.error.empty()) {
                        EXPECT_TRUE(got == expected) << where;
                        continue;
                    }
                    // A failed read fails the run: the records read straight into
                    // place before it may be more than one at a time had kept.
                    EXPECT_EQ(got.error, expected.error) << where;
                    EXPECT_GE(got.records.size(), expected.records.size()) << where;
                    EXPECT_TRUE(
                        std::equal(expected.records.begin(), expected.records.end(), got.records.begin()))
                        << where;
                }
            }
        }
    }
}

TEST(SeasonStatRecord, BytesAreUnsignedAndWordsSigned) {
    SeasonStatRecord record;
    auto& bytes = record.mutableBytes();
    bytes[30] = 200;                    // doubles
    bytes[22] = 0xFF, bytes[23] = 0xFF; // at-bats
    bytes[84] = 0x00, bytes[85] = 0x80; // outs pitched
    bytes[86] = 0xFF, bytes[87] = 0x7F; // opponents' at-bats
    EXPECT_EQ(record.get(StatField::Doubles), 200);
    EXPECT_EQ(record.get(StatField::AtBats), -1);
    EXPECT_EQ(record.outsPitched(), -32768);
    EXPECT_EQ(record.get(StatField::OpponentAtBats), 32767);
}

// Where each field lies in the 302-byte record, written out by hand from the
// file format rather than taken from the engine's layout table.
struct Placed {
    std::size_t offset;
    int width;
};

constexpr std::array<Placed, kStatFieldCount> kRecordOffsets = {{
    {0, 2},  {2, 2},   {4, 2},   {8, 2},   {22, 2},  {24, 2},  {26, 2},  {28, 2},  {30, 1},  {31, 1},
    {32, 1}, {33, 1},  {34, 2},  {36, 2},  {38, 1},  {39, 1},  {40, 1},  {41, 1},  {42, 1},  {43, 1},
    {44, 1}, {45, 1},  {47, 1},  {84, 2},  {86, 2},  {88, 2},  {90, 2},  {92, 2},  {95, 1},  {96, 2},
    {98, 2}, {100, 1}, {101, 1}, {102, 1}, {106, 1}, {109, 1}, {110, 1}, {123, 1}, {124, 1}, {126, 1},
}};
constexpr std::array<Placed, kSplitFieldCount> kSplitOffsets = {{
    {0, 2},
    {2, 2},
    {4, 1},
    {5, 1},
    {6, 1},
    {7, 1},
    {8, 1},
    {9, 1},
    {10, 2},
    {12, 1},
    {13, 1},
    {14, 1},
    {15, 1},
}};
constexpr std::array<std::size_t, 4> kSplitBlocks = {48, 64, 130, 146};
constexpr std::array<Placed, 5> kPositionArrays = {{{178, 2}, {196, 2}, {214, 1}, {223, 1}, {268, 1}}};

// A value that only this field's bytes can produce: words above 255, bytes odd.
int place(SeasonStatRecord& record, Placed at, int seed) {
    auto& b = record.mutableBytes();
    const int value = at.width == 2 ? 0x0100 + seed : 0x80 + seed;
    b[at.offset] = static_cast<std::uint8_t>(value & 0xFF);
    if (at.width == 2) b[at.offset + 1] = static_cast<std::uint8_t>(value >> 8);
    return value;
}

TEST(SeasonStatRecord, EveryFieldReadsTheBytesAtItsOwnOffset) {
    for (std::size_t i = 0; i < kStatFieldCount; ++i) {
        SeasonStatRecord record;
        const int value = place(record, kRecordOffsets[i], static_cast<int>(i));
        for (std::size_t j = 0; j < kStatFieldCount; ++j)
            EXPECT_EQ(record.get(static_cast<StatField>(j)), j == i ? value : 0)
                << "bytes of field " << i << " read through field " << j;
    }
}

TEST(SeasonStatRecord, EverySplitCounterReadsItsOwnOffsetInEachBlock) {
    for (std::size_t block = 0; block < kSplitBlocks.size(); ++block) {
        for (std::size_t i = 0; i < kSplitFieldCount; ++i) {
            SeasonStatRecord record;
            const Placed at{kSplitBlocks[block] + kSplitOffsets[i].offset, kSplitOffsets[i].width};
            const int value = place(record, at, static_cast<int>(i));
            for (std::size_t side = 0; side < kSplitBlocks.size(); ++side)
                for (std::size_t j = 0; j < kSplitFieldCount; ++j)
                    EXPECT_EQ(record.split(static_cast<SplitSide>(side)).get(static_cast<SplitField>(j)),
                              side == block && j == i ? value : 0)
                        << "block " << block << " field " << i << " read as block " << side << " field " << j;
        }
    }
}

TEST(SeasonStatRecord, EveryPositionCounterReadsItsOwnOffset) {
    for (std::size_t array = 0; array < kPositionArrays.size(); ++array) {
        for (int position = 0; position < kPositionCount; ++position) {
            SeasonStatRecord record;
            const Placed first = kPositionArrays[array];
            const Placed at{first.offset + static_cast<std::size_t>(position * first.width), first.width};
            const int value = place(record, at, position);
            for (std::size_t other = 0; other < kPositionArrays.size(); ++other)
                for (int p = 0; p < kPositionCount; ++p)
                    EXPECT_EQ(record.atPosition(static_cast<PositionArray>(other), p),
                              other == array && p == position ? value : 0)
                        << "array " << array << " position " << position;
        }
    }
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
