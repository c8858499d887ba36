#include "control_table.h"
#include "event_handling.h"
#include "folder_settings.h"
#include "layout.h"

#include <gtest/gtest.h>

#include <ostream>

#include <map>

namespace boxloom::frontend {
namespace {

// The controls as the window creates them, without a window.
class FakeControls : public ControlStates {
public:
    FakeControls() {
        for (const ControlDesign& control : kControls)
            checked_[control.id] = control.checked;
    }
    bool isChecked(int id) const override { return checked_.at(id); }
    void setChecked(int id, bool checked) override { checked_.at(id) = checked; }
    std::string text(int id) const override { return texts_.count(id) ? texts_.at(id) : std::string(); }
    void setText(int id, const std::string& text) override { texts_[id] = text; }
    // What the toolkit does before it reports a click on an automatic check box.
    void toggle(int id) { checked_.at(id) = !checked_.at(id); }
    void check(std::initializer_list<int> on, std::initializer_list<int> off) {
        for (int id : on)
            checked_.at(id) = true;
        for (int id : off)
            checked_.at(id) = false;
    }

private:
    std::map<int, bool> checked_;
    std::map<int, std::string> texts_;
};

TEST(ControlTable, HoldsTwentyFourControlsWithDistinctIds) {
    std::map<int, int> seen;
    for (const ControlDesign& control : kControls)
        ++seen[control.id];
    EXPECT_EQ(seen.size(), 24u);
    EXPECT_EQ(seen.begin()->first, 1000);
    EXPECT_EQ(seen.rbegin()->first, 1023);
    EXPECT_EQ(findControl(ids::kStatusBox)->kind, ControlKind::EditBox);
    EXPECT_EQ(findControl(999), nullptr);
}

TEST(GatherOptions, TheInitialWindowGivesTheDefaults) {
    FakeControls controls;
    controls.setText(ids::kSeasonFolderBox, "  C:\\ZEL\\Season 1986 ");
    const ExportOptions options = gatherExportOptions(controls, "C:\\Work");
    EXPECT_EQ(options.outputSuffix, "CSV");
    EXPECT_EQ(options.teamNotation, TeamNotation::CityAndNickname);
    EXPECT_EQ(options.pitcherHitting, PitcherHittingMode::Include);
    EXPECT_FALSE(options.includeFielding || options.includePitchingSplits || options.includeHittingSplits);
    EXPECT_EQ(options.seasonFolder, "  C:\\ZEL\\Season 1986 ");
    EXPECT_EQ(options.outputFolder, "C:\\Work");
}

struct SuffixCase {
    bool txt, csv;
    const char* suffix;
};

TEST(GatherOptions, OnlyTheTxtButtonDecidesTheSuffix) {
    for (const SuffixCase c : {SuffixCase{true, false, "TXT"}, SuffixCase{false, true, "CSV"},
                               SuffixCase{false, false, "CSV"}, SuffixCase{true, true, "TXT"}}) {
        FakeControls controls;
        controls.setChecked(ids::kSuffixTxt, c.txt);
        controls.setChecked(ids::kSuffixCsv, c.csv);
        EXPECT_EQ(gatherExportOptions(controls, "").outputSuffix, c.suffix) << c.txt << c.csv;
    }
}

struct NotationCase {
    std::vector<int> checked;
    TeamNotation notation;
};

TEST(GatherOptions, TheLastCheckedNotationWins) {
    const NotationCase cases[] = {
        {{}, TeamNotation::None},
        {{ids::kCityName}, TeamNotation::City},
        {{ids::kNickname}, TeamNotation::Nickname},
        {{ids::kAbbreviation}, TeamNotation::Abbreviation},
        {{ids::kCityAndNickname}, TeamNotation::CityAndNickname},
        {{ids::kCityName, ids::kAbbreviation}, TeamNotation::Abbreviation},
        {{ids::kNickname, ids::kCityAndNickname}, TeamNotation::CityAndNickname},
    };
    for (const NotationCase& c : cases) {
        FakeControls controls;
        controls.check({}, {ids::kCityName, ids::kNickname, ids::kAbbreviation, ids::kCityAndNickname});
        for (int id : c.checked)
            controls.setChecked(id, true);
        EXPECT_EQ(gatherExportOptions(controls, "").teamNotation, c.notation) << c.checked.size();
    }
}

struct ModeCase {
    std::vector<int> checked;
    PitcherHittingMode mode;
};

TEST(GatherOptions, TheLastCheckedPitcherHittingBoxWins) {
    const ModeCase cases[] = {
        {{}, PitcherHittingMode::None},
        {{ids::kIncludePitcherHitting}, PitcherHittingMode::Include},
        {{ids::kGroupPitcherHitting}, PitcherHittingMode::GroupByTeam},
        {{ids::kIgnorePitcherHitting}, PitcherHittingMode::Ignore},
        {{ids::kIncludePitcherHitting, ids::kGroupPitcherHitting}, PitcherHittingMode::GroupByTeam},
        {{ids::kIncludePitcherHitting, ids::kIgnorePitcherHitting}, PitcherHittingMode::Ignore},
    };
    for (const ModeCase& c : cases) {
        FakeControls controls;
        controls.check({}, {ids::kIncludePitcherHitting});
        for (int id : c.checked)
            controls.setChecked(id, true);
        EXPECT_EQ(gatherExportOptions(controls, "").pitcherHitting, c.mode) << c.checked.size();
    }
}

TEST(GatherOptions, OutputSwitchesFollowTheirBoxes) {
    FakeControls controls;
    controls.check({ids::kFielding, ids::kHittingSplits}, {});
    ExportOptions options = gatherExportOptions(controls, "");
    EXPECT_TRUE(options.includeFielding && options.includeHittingSplits && !options.includePitchingSplits);
    controls.check({ids::kPitchingSplits}, {ids::kFielding});
    options = gatherExportOptions(controls, "");
    EXPECT_TRUE(!options.includeFielding && options.includeHittingSplits && options.includePitchingSplits);
}

struct RuleCase {
    const char* name;
    std::vector<int> checkedBefore;
    int clicked;
    std::vector<int> checkedAfter;
    bool message;
};

// Names the case in test output.
void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

class PitcherHittingRule : public ::testing::TestWithParam<RuleCase> {};

TEST_P(PitcherHittingRule, KeepsExactlyOneBoxChecked) {
    const RuleCase& c = GetParam();
    FakeControls controls;
    const int boxes[] = {ids::kIncludePitcherHitting, ids::kGroupPitcherHitting, ids::kIgnorePitcherHitting};
    for (int box : boxes)
        controls.setChecked(box, false);
    for (int box : c.checkedBefore)
        controls.setChecked(box, true);
    controls.toggle(c.clicked);
    EXPECT_EQ(applyPitcherHittingRule(c.clicked, controls), c.message);
    for (int box : boxes) {
        const bool expected =
            std::find(c.checkedAfter.begin(), c.checkedAfter.end(), box) != c.checkedAfter.end();
        EXPECT_EQ(controls.isChecked(box), expected) << box;
    }
}

constexpr int kInclude = ids::kIncludePitcherHitting;
constexpr int kGroup = ids::kGroupPitcherHitting;
constexpr int kIgnore = ids::kIgnorePitcherHitting;

INSTANTIATE_TEST_SUITE_P(
    AllBoxes, PitcherHittingRule,
    ::testing::Values(RuleCase{"GroupFromInclude", {kInclude}, kGroup, {kGroup}, false},
                      RuleCase{"IgnoreFromInclude", {kInclude}, kIgnore, {kIgnore}, false},
                      RuleCase{"IncludeFromGroup", {kGroup}, kInclude, {kInclude}, false},
                      RuleCase{"IgnoreFromGroup", {kGroup}, kIgnore, {kIgnore}, false},
                      RuleCase{"IncludeFromIgnore", {kIgnore}, kInclude, {kInclude}, false},
                      RuleCase{"GroupFromIgnore", {kIgnore}, kGroup, {kGroup}, false},
                      RuleCase{"CheckedIncludeStays", {kInclude}, kInclude, {kInclude}, true},
                      RuleCase{"CheckedGroupStays", {kGroup}, kGroup, {kGroup}, true},
                      RuleCase{"CheckedIgnoreStays", {kIgnore}, kIgnore, {kIgnore}, true},
                      RuleCase{"NoneCheckedBefore", {}, kGroup, {kGroup}, false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(ClickActions, DispatchByIdAndNothingElse) {
    EXPECT_EQ(clickActionFor(ids::kChangeZelFolder), ClickAction::ChangeZelFolder);
    EXPECT_EQ(clickActionFor(ids::kChangeSeasonFolder), ClickAction::ChangeSeasonFolder);
    EXPECT_EQ(clickActionFor(ids::kExitProgram), ClickAction::ExitProgram);
    EXPECT_EQ(clickActionFor(ids::kProcessSeason), ClickAction::ProcessSeason);
    for (int id : {kInclude, kGroup, kIgnore})
        EXPECT_EQ(clickActionFor(id), ClickAction::PitcherHitting);
    for (int id : {ids::kFielding, ids::kSeasonFolderLabel, ids::kSuffixTxt, ids::kStatusBox, 42})
        EXPECT_EQ(clickActionFor(id), ClickAction::None) << id;
}

TEST(ProcessSeason, FailureShowsOneMessageListingTheProblems) {
    FakeControls controls;
    controls.setText(ids::kSeasonFolderBox, "D:\\missing");
    std::vector<std::string> statuses, messages;
    ExportOptions seen;
    ExportHooks hooks;
    hooks.showStatus = [&](std::string_view status) { statuses.emplace_back(status); };
    hooks.showMessage = [&](const std::string& message) { messages.push_back(message); };
    hooks.runExport = [&](const ExportOptions& options, const std::function<void(std::string_view)>& report) {
        seen = options;
        report("FAILED");
        ExportOutcome outcome;
        outcome.problems = {{"D:\\missing\\zelteam.dat", "not found"},
                            {"D:\\missing\\zelgs.dat", "not found"}};
        return outcome;
    };
    processSeason(controls, "C:\\Work", hooks);
    EXPECT_EQ(seen.seasonFolder, "D:\\missing");
    EXPECT_EQ(seen.outputFolder, "C:\\Work");
    EXPECT_EQ(statuses, std::vector<std::string>{"FAILED"});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("D:\\missing\\zelteam.dat: not found\r\nD:\\missing\\zelgs.dat: not found"),
              std::string::npos);

    hooks.runExport = [](const ExportOptions&, const std::function<void(std::string_view)>& report) {
        report("PROCESSING");
        report("COMPLETED");
        return ExportOutcome{};
    };
    processSeason(controls, "C:\\Work", hooks);
    EXPECT_EQ(messages.size(), 1u) << "no message after a successful run";
    EXPECT_EQ(statuses, (std::vector<std::string>{"FAILED", "PROCESSING", "COMPLETED"}));
}

struct SettingCase {
    const char* name;
    std::string bytes;
    std::string value;
};

// Names the case in test output.
void PrintTo(const SettingCase& c, std::ostream* os) { *os << c.name; }

class SettingsReader : public ::testing::TestWithParam<SettingCase> {};

TEST_P(SettingsReader, ReadsTheFirstValue) {
    EXPECT_EQ(readSettingValue(GetParam().bytes), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SettingsReader,
    ::testing::Values(SettingCase{"AsWritten", "C:\\ZEL\\1986\r\n", "C:\\ZEL\\1986"},
                      SettingCase{"LeadingBlanks", "   C:\\ZEL\r\n", "C:\\ZEL"},
                      SettingCase{"TrailingBlanksKept", "C:\\ZEL  \r\n", "C:\\ZEL  "},
                      SettingCase{"CommaKept", "C:\\Leagues\\Smith, Jones\r\n", "C:\\Leagues\\Smith, Jones"},
                      SettingCase{"Quoted", "  \"C:\\a,b\r\nc\" tail", "C:\\a,b\r\nc"},
                      SettingCase{"UnclosedQuote", "\"C:\\open", "C:\\open"},
                      SettingCase{"EndsAtCr", "C:\\one\rC:\\two", "C:\\one"},
                      SettingCase{"EndsAtLf", "C:\\one\nC:\\two", "C:\\one"},
                      SettingCase{"EndsAtCtrlZ",
                                  "C:\\one\x1A"
                                  "C:\\two",
                                  "C:\\one"},
                      SettingCase{"TabsDropped", "C:\\a\tb\t\r\n", "C:\\ab"},
                      SettingCase{"NoLineEnd", "C:\\ZEL", "C:\\ZEL"},
                      SettingCase{"SeveralLines", "first\r\nsecond\r\n", "first"},
                      SettingCase{"Empty", "", ""}, SettingCase{"BlanksOnly", "    ", ""}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(SettingsWriter, WritesThePathAndCrLfOnly) {
    EXPECT_EQ(settingFileBytes("C:\\ZEL\\Season, 1986"), "C:\\ZEL\\Season, 1986\r\n");
    EXPECT_EQ(readSettingValue(settingFileBytes("C:\\ZEL\\Season, 1986")), "C:\\ZEL\\Season, 1986");
    EXPECT_EQ(kFolderSettings[0].fileName, "zelfolder.txt");
    EXPECT_EQ(kFolderSettings[1].fileName, "zelseason.txt");
}

TEST(Layout, ReadingOrderIsRowsTopToBottomEachLeftToRight) {
    using namespace ids;
    EXPECT_EQ(readingOrder(kControls), (std::vector<int>{kZelFolderLabel,
                                                         kZelFolderBox,
                                                         kChangeZelFolder,
                                                         kSeasonFolderLabel,
                                                         kSeasonFolderBox,
                                                         kChangeSeasonFolder,
                                                         kTeamNotationLabel,
                                                         kCityName,
                                                         kNickname,
                                                         kAbbreviation,
                                                         kCityAndNickname,
                                                         kOutputsLabel,
                                                         kIgnorePitcherHitting,
                                                         kFielding,
                                                         kGroupPitcherHitting,
                                                         kPitchingSplits,
                                                         kIncludePitcherHitting,
                                                         kHittingSplits,
                                                         kSuffixLabel,
                                                         kSuffixTxt,
                                                         kSuffixCsv,
                                                         kProcessSeason,
                                                         kStatusBox,
                                                         kExitProgram}));
}

TEST(Layout, ControlsFartherThanTheToleranceStartANewRow) {
    const ControlDesign controls[] = {{1, K::Label, "", {300, 0, 10, 10}, 1},
                                      {2, K::Label, "", {0, kRowTolerance, 10, 10}, 1},
                                      {3, K::Label, "", {100, kRowTolerance + 1, 10, 10}, 1},
                                      {4, K::Label, "", {50, 40, 10, 10}, 1}};
    EXPECT_EQ(readingOrder(controls), (std::vector<int>{2, 1, 3, 4}));
}

TEST(Layout, RoundsHalfToEven) {
    const std::pair<float, int> cases[] = {{0.5f, 0},    {1.5f, 2},  {2.5f, 2},   {3.5f, 4}, {2.4999f, 2},
                                           {2.5001f, 3}, {-0.5f, 0}, {-1.5f, -2}, {7.0f, 7}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
}

constexpr int kClientWidth = 624; // the client area of the 640 x 462 window
constexpr int kClientHeight = 423;

TEST(Layout, TheFirstSizeGivesBackTheFirstRectangles) {
    for (const ControlDesign& control : kControls)
        EXPECT_EQ(scaleRect(control.rect, kClientWidth, kClientHeight, kClientWidth, kClientHeight),
                  control.rect)
            << control.id;
}

TEST(Layout, EveryEdgeScalesByItsOwnFactor) {
    for (const ControlDesign& control : kControls) {
        const Rect doubled =
            scaleRect(control.rect, kClientWidth, kClientHeight, 2 * kClientWidth, 3 * kClientHeight);
        EXPECT_EQ(doubled, (Rect{2 * control.rect.left, 3 * control.rect.top, 2 * control.rect.width,
                                 3 * control.rect.height}))
            << control.id;
    }
    // 1.5 times: left 1.5 -> 2, top 4.5 -> 4; the size comes from the unrounded
    // edges: width 4.5 - 1.5 = 3, height 12 - 4.5 = 7.5 -> 8.
    EXPECT_EQ(scaleRect({1, 3, 2, 5}, 2, 2, 3, 3), (Rect{2, 4, 3, 8}));
}

TEST(Layout, LengthsScaleWithTheDpiRoundedToTheNearestPixel) {
    struct Case {
        int length, dpi, scaled;
    };
    const Case cases[] = {{16, 96, 16},    {16, 144, 24}, {11, 144, 17}, {13, 144, 20},   {33, 144, 50},
                          {11, 120, 14},   {13, 120, 16}, {1, 144, 2},   {1, 120, 1},     {462, 192, 924},
                          {-11, 144, -17}, {0, 144, 0},   {5, 72, 4},    {624, 168, 1092}};
    for (const Case& c : cases)
        EXPECT_EQ(scaleForDpi(c.length, c.dpi), c.scaled) << c.length << " at " << c.dpi;
    EXPECT_EQ(scaleForDpi(Size{624, 423}, 144), (Size{936, 635}));
}

TEST(Layout, ControlsAtAnotherDpiKeepTheirEdgesTogether) {
    // Edges are scaled: 1..2 becomes 2..3 (1.5 rounds up), one pixel wide, not 1.5 rounded to 2.
    EXPECT_EQ(scaleForDpi(Rect{16, 112, 81, 33}, 144), (Rect{24, 168, 122, 50}));
    EXPECT_EQ(scaleForDpi(Rect{1, 1, 1, 1}, 144), (Rect{2, 2, 1, 1}));
    for (const ControlDesign& control : kControls) {
        EXPECT_EQ(scaleForDpi(control.rect, kDesignDpi), control.rect) << control.id;
        const Rect scaled = scaleForDpi(control.rect, 144);
        EXPECT_NEAR(scaled.width, control.rect.width * 1.5, 1.0) << control.id;
        EXPECT_NEAR(scaled.height, control.rect.height * 1.5, 1.0) << control.id;
    }
    // Two controls that touch at 96 DPI touch at every DPI.
    for (int dpi : {120, 144, 168, 192}) {
        const Rect upper = scaleForDpi(Rect{440, 8, 176, 32}, dpi);
        const Rect lower = scaleForDpi(Rect{440, 40, 176, 33}, dpi);
        EXPECT_EQ(upper.top + upper.height, lower.top) << dpi;
    }
}

} // namespace
} // namespace boxloom::frontend

namespace boxloom::frontend {
namespace {

struct Utf8Case {
    const char* name;
    std::string bytes;
    bool valid;
};

class Utf8Checks : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Checks, TellUtf8FromLegacyText) { EXPECT_EQ(isValidUtf8(GetParam().bytes), GetParam().valid); }

INSTANTIATE_TEST_SUITE_P(
    Bytes, Utf8Checks,
    ::testing::Values(Utf8Case{"Ascii", "C:\\ZEL\\1986", true}, Utf8Case{"Empty", "", true},
                      Utf8Case{"TwoBytes", "Espa\xC3\xB1ola", true},
                      Utf8Case{"ThreeBytes", "\xE2\x82\xAC", true},
                      Utf8Case{"FourBytes", "\xF0\x9F\x8E\xB2", true},
                      Utf8Case{"Latin1", "Espa\xF1ola", false}, Utf8Case{"Truncated", "\xE2\x82", false},
                      Utf8Case{"Overlong", "\xC0\xAF", false}, Utf8Case{"Surrogate", "\xED\xA0\x80", false},
                      Utf8Case{"BeyondUnicode", "\xF4\x90\x80\x80", false},
                      Utf8Case{"LoneContinuation", "\x80", false}),
    [](const auto& param) { return std::string(param.param.name); });

std::string markedLegacy(std::string_view text) { return "legacy:" + std::string(text); }

TEST(SettingValues, OnlyValuesThatAreNotUtf8AreConverted) {
    EXPECT_EQ(settingValueAsUtf8("D:\\\xCE\xA9mega", markedLegacy), "D:\\\xCE\xA9mega");
    EXPECT_EQ(settingValueAsUtf8("C:\\Espa\xF1ola", markedLegacy), "legacy:C:\\Espa\xF1ola");
}

} // namespace
} // namespace boxloom::frontend
