#include "export_writer.h"
#include "file_layer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <limits>

#include <ostream>

namespace boxloom {
namespace {

// Collects lines in memory.
struct StringLineSink final : LineSink {
    std::string text;
    void flush() override {
        text.append(buffer.data(), used);
        used = 0;
    }
};

std::string encodeRow(std::span<const Field> fields) {
    StringLineSink sink;
    {
        LineWriter line(sink);
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

TEST(FieldEncoding, TextIsQuotedWithQuotesDoubledNumbersArePlain) {
    const Field fields[] = {
        Field::ofText("Smith,John"), Field::ofText(" 1986"),      Field::ofText("say \"hi\""),
        Field::ofText(""),           Field::ofNumber(0),          Field::ofNumber(9),
        Field::ofNumber(10),         Field::ofNumber(255),        Field::ofNumber(-1),
        Field::ofNumber(-32768),     Field::ofNumber(2147483647), Field::ofNumber(100),
        Field::ofNumber(999),        Field::ofNumber(1000),       Field::ofNumber(6000),
        Field::ofNumber(9999),       Field::ofNumber(10000),      Field::ofNumber(-2147483647 - 1)};
    EXPECT_EQ(encodeRow(fields),
              "\"Smith,John\",\" 1986\",\"say \"\"hi\"\"\",\"\",0,9,10,255,-1,-32768,2147483647,100,"
              "999,1000,6000,9999,10000,-2147483648\r\n");
    EXPECT_EQ(encodeRow({}), "\r\n");
}

// Every number a counter can hold, and the limits of the type, as plain decimal.
TEST(FieldEncoding, EveryNumberIsWrittenAsItsDecimalDigits) {
    std::vector<std::int32_t> values;
    for (std::int32_t value = -110000; value <= 110000; ++value)
        values.push_back(value);
    for (std::int32_t value : {999999, 1000000, -999999, 2147483647, -2147483647 - 1})
        values.push_back(value);
    for (std::int32_t value : values) {
        const Field fields[] = {Field::ofNumber(value)};
        ASSERT_EQ(encodeRow(fields), std::to_string(value) + "\r\n");
    }
}

// A row's room is made from these bounds before its fields are written: each
// kind of field, at its widest, writes no byte past its bound (numbers store
// eight bytes at a time, so what is written counts, not what is kept).
template <class Write> std::size_t bytesTouched(Write write) {
    constexpr char kUntouched = '\x7f';
    std::array<char, 1024> room;
    room.fill(kUntouched);
    write(room.data());
    std::size_t touched = room.size();
    while (touched > 0 && room[touched - 1] == kUntouched)
        --touched;
    return touched;
}

TEST(FieldEncoding, TheWidestFieldOfEachKindStaysWithinItsBound) {
    for (std::int32_t value : {0, 9, 99999, -99999, 100000, -100000, 2147483647, -2147483647 - 1})
        EXPECT_LE(bytesTouched([&](char* out) { field_text::number(out, value); }),
                  field_text::kMaxNumberChars)
            << value;
    const float extremes[] = {
        std::numeric_limits<float>::max(),        -std::numeric_limits<float>::max(),
        std::numeric_limits<float>::denorm_min(), -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::quiet_NaN(),  -0.0f};
    for (NumberMask mask : {kMaskRate, kMaskOnBase, kMaskEra, kMaskInnings, NumberMask{40, 40}}) {
        for (float value : extremes) {
            EXPECT_LE(bytesTouched([&](char* out) { field_text::rate(out, value, mask); }),
                      field_text::kMaxRateChars)
                << value << " with " << mask.decimals << " decimals";
        }
        EXPECT_LE(bytesTouched([&](char* out) { field_text::innings(out, -2147483647 - 1, mask); }),
                  field_text::kMaxRateChars);
    }
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte)
        everyByte += static_cast<char>(byte);
    for (const std::string& text : {everyByte, std::string(100, '"'), std::string(100, '\x93')}) {
        for (bool utf8 : {false, true})
            EXPECT_LE(bytesTouched([&](char* out) { field_text::text(out, text, utf8); }),
                      field_text::maxTextChars(text.size()));
    }
}

std::string encodeText(std::string_view text, bool utf8) {
    StringLineSink sink;
    sink.utf8 = utf8;
    {
        LineWriter line(sink);
        line.text(text);
    }
    sink.flush();
    return sink.text;
}

struct TextCase {
    const char* name;
    std::string text;
    std::string asStored;
    std::string asUtf8;
};

class TextFields : public ::testing::TestWithParam<TextCase> {};

TEST_P(TextFields, AreQuotedEscapedAndDecodedOnlyWhenAsked) {
    EXPECT_EQ(encodeText(GetParam().text, false), GetParam().asStored + "\r\n");
    EXPECT_EQ(encodeText(GetParam().text, true), GetParam().asUtf8 + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextFields,
    ::testing::Values(TextCase{"Plain", "Smith,John", "\"Smith,John\"", "\"Smith,John\""},
                      TextCase{"Nickname", "Bo \"Hoss\"", "\"Bo \"\"Hoss\"\"\"", "\"Bo \"\"Hoss\"\"\""},
                      TextCase{"OnlyAQuote", "\"", "\"\"\"\"", "\"\"\"\""},
                      TextCase{"Accented",
                               "Pe\xF1"
                               "a",
                               "\"Pe\xF1"
                               "a\"",
                               "\"Pe\xC3\xB1"
                               "a\""},
                      TextCase{"QuoteAndEuro", "\x80\"", "\"\x80\"\"\"", "\"\xE2\x82\xAC\"\"\""}),
    [](const auto& param) { return std::string(param.param.name); });

// UTF-8 of every windows-1252 byte. 0x80 to 0x9F from the WHATWG index; the
// rest of the page is Latin-1.
constexpr const char* kHighControls[32] = {
    "\xE2\x82\xAC", "\xC2\x81",     "\xE2\x80\x9A", "\xC6\x92",     "\xE2\x80\x9E", "\xE2\x80\xA6",
    "\xE2\x80\xA0", "\xE2\x80\xA1", "\xCB\x86",     "\xE2\x80\xB0", "\xC5\xA0",     "\xE2\x80\xB9",
    "\xC5\x92",     "\xC2\x8D",     "\xC5\xBD",     "\xC2\x8F",     "\xC2\x90",     "\xE2\x80\x98",
    "\xE2\x80\x99", "\xE2\x80\x9C", "\xE2\x80\x9D", "\xE2\x80\xA2", "\xE2\x80\x93", "\xE2\x80\x94",
    "\xCB\x9C",     "\xE2\x84\xA2", "\xC5\xA1",     "\xE2\x80\xBA", "\xC5\x93",     "\xC2\x9D",
    "\xC5\xBE",     "\xC5\xB8"};

std::string expectedUtf8(int byte) {
    if (byte < 0x80) return std::string(1, static_cast<char>(byte));
    if (byte < 0xA0) return kHighControls[byte - 0x80];
    const char lead = byte < 0xC0 ? '\xC2' : '\xC3';
    return {lead, static_cast<char>(0x80 | (byte & 0x3F))};
}

TEST(FieldEncoding, EveryWindows1252ByteDecodesToItsUtf8) {
    for (int byte = 0; byte < 256; ++byte) {
        if (byte == '"') continue;
        const std::string text(1, static_cast<char>(byte));
        EXPECT_EQ(encodeText(text, true), "\"" + expectedUtf8(byte) + "\"\r\n") << "byte " << byte;
        EXPECT_EQ(encodeText(text, false), "\"" + text + "\"\r\n") << "byte " << byte;
    }
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
    files.targets().sink(ExportFileKind::PitchingStats)->writeRow(row);
    EXPECT_EQ(files.targets().sink(ExportFileKind::FieldingStats), nullptr) << "not opened";
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
