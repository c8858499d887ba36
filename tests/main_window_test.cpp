// The real Win32 window, run under Wine by the Windows build's tests.

#include "commit_record.h"
#include "control_table.h"
#include "demo_season.h"
#include "export_file_kinds.h"
#include "export_run.h"
#include "layout.h"
#include "main_window.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

namespace boxloom::frontend {
namespace {

namespace fs = std::filesystem;

std::string classNameOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string textOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

Rect clientRectOf(HWND parent, HWND child) {
    RECT bounds{};
    GetWindowRect(child, &bounds);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
    return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

// A window in a fresh working folder, with the message boxes and the folder
// chooser routed to the test.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        char previous[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, previous);
        previousFolder_ = previous;
        SetCurrentDirectoryA(workFolder_.str().c_str());
    }
    void TearDown() override {
        if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        SetCurrentDirectoryA(previousFolder_.c_str());
    }
    HWND create(bool realPitcherMessage = false, bool realLeagueProgram = false) {
        MainWindowHooks hooks;
        if (!realPitcherMessage)
            hooks.showPitcherHittingMessage = [this](const std::string& text) {
                pitcherMessages_.push_back(text);
            };
        hooks.showFailure = [this](HWND, const std::string& text) { failures_.push_back(text); };
        hooks.chooseFolder = [this](HWND, const std::string& title) {
            chooserTitles_.push_back(title);
            return chosenFolder_;
        };
        if (!realLeagueProgram)
            hooks.openLeagueWindow = [this](HWND owner) {
                leagueOwners_.push_back(owner);
                return leagueFailure_;
            };
        window_ = MainWindow::create(GetModuleHandleA(nullptr), hooks);
        return window_;
    }
    HWND control(int id) const { return GetDlgItem(window_, id); }
    void click(int id) { SendMessageA(control(id), BM_CLICK, 0, 0); }
    bool checked(int id) const { return SendMessageA(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    // Presses "Process Season Stats" for `season` with fielding; the export completes.
    void exportSeasonWithFielding(const testing::TempFolder& season) {
        SetDlgItemTextA(window_, ids::kSeasonFolderBox, season.str().c_str());
        click(ids::kFielding);
        click(ids::kProcessSeason);
        EXPECT_EQ(textOf(control(ids::kStatusBox)), "COMPLETED");
        EXPECT_TRUE(failures_.empty());
        EXPECT_EQ(workFolder_.fileNames(),
                  (std::vector<std::string>{"Batting_Stats.CSV", "Fielding_Stats.CSV", "Pitching_Stats.CSV",
                                            "zelseason.txt"}));
    }

    testing::TempFolder workFolder_;
    std::string previousFolder_;
    HWND window_ = nullptr;
    std::vector<std::string> pitcherMessages_;
    std::vector<std::string> failures_;
    std::vector<std::string> chooserTitles_;
    std::string chosenFolder_;
    std::vector<HWND> leagueOwners_;
    std::string leagueFailure_;
};

TEST_F(MainWindowTest, TheSystemMenuLeadsToTheLeagueWindow) {
    ASSERT_NE(create(), nullptr);
    HMENU menu = GetSystemMenu(window_, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    char caption[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(count - 1), caption, sizeof caption, MF_BYPOSITION);
    EXPECT_EQ(caption, kLeagueMenuCaption);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), kLeagueMenuItem);
    MENUITEMINFOA separator{};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, static_cast<UINT>(count - 2), TRUE, &separator);
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
    SendMessageA(window_, WM_SYSCOMMAND, kLeagueMenuItem, 0);
    EXPECT_EQ(leagueOwners_, std::vector<HWND>{window_});
    EXPECT_TRUE(failures_.empty());
    leagueFailure_ = "boxloom-league.exe: could not be started (error 2)";
    SendMessageA(window_, WM_SYSCOMMAND, kLeagueMenuItem, 0);
    EXPECT_EQ(failures_, std::vector<std::string>{leagueFailure_});
}

std::vector<HWND> leagueWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM list) {
            if (classNameOf(window) == "BoxloomLeagueWindow")
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The item starts the league program that lies beside this one.
TEST_F(MainWindowTest, TheSystemMenuItemStartsTheLeagueProgram) {
    ASSERT_NE(create(false, true), nullptr);
    const std::vector<HWND> before = leagueWindows();
    SendMessageA(window_, WM_SYSCOMMAND, kLeagueMenuItem, 0);
    HWND league = nullptr;
    for (int waited = 0; league == nullptr && waited < 30000; waited += 100) {
        Sleep(100);
        for (HWND window : leagueWindows())
            if (std::find(before.begin(), before.end(), window) == before.end()) league = window;
    }
    ASSERT_NE(league, nullptr) << "no league window appeared";
    EXPECT_TRUE(failures_.empty());
    PostMessageA(league, WM_CLOSE, 0, 0);
    for (int waited = 0; IsWindow(league) && waited < 10000; waited += 100)
        Sleep(100);
}

TEST_F(MainWindowTest, TheWindowItself) {
    ASSERT_NE(create(), nullptr);
    EXPECT_EQ(classNameOf(window_), kWindowClassName);
    EXPECT_EQ(textOf(window_), kWindowCaption);
    RECT outer{};
    GetWindowRect(window_, &outer);
    EXPECT_EQ(outer.right - outer.left, kWindowWidth);
    EXPECT_EQ(outer.bottom - outer.top, kWindowHeight);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_STYLE));
    for (DWORD bit :
         std::initializer_list<DWORD>{WS_POPUP, WS_CAPTION, WS_SYSMENU, WS_THICKFRAME, WS_MINIMIZEBOX,
                                      WS_MAXIMIZEBOX, WS_CLIPCHILDREN, WS_CLIPSIBLINGS, WS_VISIBLE})
        EXPECT_EQ(style & bit, bit) << std::hex << bit;
    const auto extended = static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_EXSTYLE));
    EXPECT_EQ(extended & (WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE),
              DWORD(WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE));
    EXPECT_EQ(GetClassLongPtrA(window_, GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS),
              ULONG_PTR(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS));
}

// Windows reads these from the program's manifest before the first window exists.
TEST(DesktopManifest, AsksForPerMonitorDpiUtf8AndThemedControls) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    const std::string manifest(bytes, SizeofResource(nullptr, found));
    for (const char* setting :
         {">true/pm</dpiAware>", ">PerMonitorV2</dpiAwareness>", ">UTF-8</activeCodePage>",
          "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""})
        EXPECT_NE(manifest.find(setting), std::string::npos) << setting;
}

TEST_F(MainWindowTest, TwentyFourControlsInTheirPlacesAndStates) {
    ASSERT_NE(create(), nullptr);
    HWND child = GetWindow(window_, GW_CHILD);
    std::set<HFONT> fonts;
    // In reading order, the order Tab follows.
    for (int id : readingOrder(kControls)) {
        const ControlDesign& expected = *findControl(id);
        ASSERT_NE(child, nullptr) << "missing control " << expected.id;
        SCOPED_TRACE(expected.id);
        EXPECT_EQ(GetDlgCtrlID(child), expected.id);
        const std::string expectedClass = expected.kind == ControlKind::Label     ? "Static"
                                          : expected.kind == ControlKind::EditBox ? "Edit"
                                                                                  : "Button";
        EXPECT_EQ(_stricmp(classNameOf(child).c_str(), expectedClass.c_str()), 0) << classNameOf(child);
        EXPECT_EQ(textOf(child), expected.caption);
        EXPECT_EQ(clientRectOf(window_, child), expected.rect);
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
        // The toolkit keeps the tab stop of an option group on its checked button.
        const bool tabStop = expected.kind == ControlKind::OptionButton ? expected.checked
                                                                        : expected.kind != ControlKind::Label;
        EXPECT_EQ((style & WS_TABSTOP) != 0, tabStop);
        EXPECT_EQ((style & WS_GROUP) != 0, expected.startsGroup);
        switch (expected.kind) {
        case ControlKind::CheckBox: EXPECT_EQ(style & BS_TYPEMASK, DWORD(BS_AUTOCHECKBOX)); break;
        case ControlKind::OptionButton: EXPECT_EQ(style & BS_TYPEMASK, DWORD(BS_AUTORADIOBUTTON)); break;
        case ControlKind::PushButton:
            EXPECT_EQ(style & BS_TYPEMASK,
                      DWORD(expected.id == kDefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
            break;
        case ControlKind::Label: EXPECT_EQ(style & SS_NOTIFY, DWORD(SS_NOTIFY)); break;
        case ControlKind::EditBox:
            EXPECT_EQ(style & ES_AUTOHSCROLL, DWORD(ES_AUTOHSCROLL));
            EXPECT_EQ((style & ES_READONLY) != 0, expected.id == kReadOnlyBox);
            EXPECT_EQ(SendMessageA(child, EM_GETMARGINS, 0, 0), 0);
            EXPECT_GT(SendMessageA(child, EM_GETLIMITTEXT, 0, 0), 0x7FFF0000);
            break;
        default: ADD_FAILURE() << expected.id << " is of a kind this window does not have";
        }
        if (expected.kind == ControlKind::CheckBox || expected.kind == ControlKind::OptionButton) {
            EXPECT_EQ(checked(expected.id), expected.checked);
        }
        auto font = reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0));
        LOGFONTA logFont{};
        ASSERT_NE(GetObjectA(font, sizeof logFont, &logFont), 0);
        EXPECT_EQ(logFont.lfHeight, -expected.fontHeight);
        EXPECT_EQ(logFont.lfWeight, kFontWeight);
        EXPECT_EQ(std::string(logFont.lfFaceName), kFontFace);
        fonts.insert(font);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more than 24 controls";
    EXPECT_EQ(fonts.size(), 3u) << "one font per height";
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), kInitialFocus);
}

TEST_F(MainWindowTest, PitcherHittingBoxesKeepExactlyOneChecked) {
    ASSERT_NE(create(), nullptr);
    const int include = ids::kIncludePitcherHitting, group = ids::kGroupPitcherHitting,
              ignore = ids::kIgnorePitcherHitting;
    struct Step {
        int clicked;
        int checkedAfter;
        std::size_t messages;
    };
    const Step steps[] = {{group, group, 0},     {group, group, 1},   {include, include, 1},
                          {include, include, 2}, {ignore, ignore, 2}, {ignore, ignore, 3},
                          {group, group, 3}};
    for (const Step& step : steps) {
        click(step.clicked);
        for (int box : {include, group, ignore})
            EXPECT_EQ(checked(box), box == step.checkedAfter) << step.clicked;
        EXPECT_EQ(pitcherMessages_.size(), step.messages) << step.clicked;
    }
    for (const auto& message : pitcherMessages_)
        EXPECT_EQ(message, kPitcherHittingMessage);
    click(ids::kFielding);
    EXPECT_TRUE(checked(ids::kFielding));
    click(ids::kSuffixTxt);
    EXPECT_TRUE(checked(ids::kSuffixTxt) && !checked(ids::kSuffixCsv) && checked(ids::kCityAndNickname));
}

TEST_F(MainWindowTest, TheRealMessageBoxShowsTheTextAndIsDismissed) {
    ASSERT_NE(create(true), nullptr);
    std::atomic<bool> found{false};
    std::string text;
    std::thread dismisser([&] {
        for (int attempt = 0; attempt < 200 && !found; ++attempt) {
            HWND box = FindWindowA("#32770", nullptr);
            char buffer[256] = {};
            // The box may be found before its text is in place: look again until it is.
            if (box != nullptr && GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer) > 0) {
                text = buffer;
                found = true;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
            Sleep(50);
        }
    });
    click(ids::kIncludePitcherHitting); // unchecking the checked box: the message box appears
    dismisser.join();
    EXPECT_TRUE(found);
    EXPECT_EQ(text, kPitcherHittingMessage);
    EXPECT_TRUE(checked(ids::kIncludePitcherHitting));
}

TEST_F(MainWindowTest, ProcessSeasonStatsExportsIntoTheWorkingFolder) {
    testing::TempFolder season;
    ASSERT_EQ(writeDemoSeason(season.str(), {5, 300}).error, "");
    ASSERT_NE(create(), nullptr);
    exportSeasonWithFielding(season);
    EXPECT_GT(testing::dataLines(testing::readFile(workFolder_.file("Batting_Stats.CSV"))).size(), 10u);
}

bool exportWithFielding(const testing::TempFolder& season, const testing::TempFolder& out) {
    ExportOptions options;
    options.includeFielding = true;
    options.seasonFolder = season.str();
    options.outputFolder = out.str();
    return runExport(options).succeeded();
}

// What a run that died after its third move leaves in `folder`: Batting_Stats
// and Pitching_Stats of the earlier export moved aside, the new Batting_Stats
// in place, every other new file still beside its name, and the record.
void leaveAnExportInterruptedAfterItsThirdMove(const testing::TempFolder& folder,
                                               const testing::TempFolder& newFiles) {
    constexpr std::uint32_t kDead = 2147483000; // no process has this number
    const std::vector<std::string> names = {"Batting_Stats.CSV", "Pitching_Stats.CSV", "Fielding_Stats.CSV"};
    CommitRecord record{{kDead}, "2031-04-01T12:00:00Z", {}};
    int sequence = 0;
    for (const std::string& name : names) {
        const std::string side = "~" + name + "." + std::to_string(kDead) + "-";
        record.moves.push_back(
            {name, side + std::to_string(sequence) + ".tmp", side + std::to_string(sequence + 1) + ".old"});
        sequence += 2;
        testing::writeFile(folder.file(record.moves.back().fresh), testing::readFile(newFiles.file(name)));
    }
    // Named as earlier versions named it: by the process's number alone.
    testing::writeFile(folder.file("~boxloom-commit." + std::to_string(kDead) + ".txt"),
                       formatCommitRecord(record));
    int moves = 3;
    for (const CommitMove& move : record.moves) {
        if (moves-- > 0) std::filesystem::rename(folder.file(move.target), folder.file(move.earlier));
        if (moves-- > 0) std::filesystem::rename(folder.file(move.fresh), folder.file(move.target));
    }
}

TEST_F(MainWindowTest, AnExportInterruptedMidReplacementIsCompletedWithoutAWord) {
    testing::TempFolder earlierSeason, season, newFiles;
    ASSERT_EQ(writeDemoSeason(earlierSeason.str(), {.seed = 4}).error, "");
    ASSERT_EQ(writeDemoSeason(season.str(), {.seed = 5}).error, "");
    ASSERT_TRUE(exportWithFielding(earlierSeason, workFolder_));
    ASSERT_TRUE(exportWithFielding(season, newFiles));
    leaveAnExportInterruptedAfterItsThirdMove(workFolder_, newFiles);

    ASSERT_NE(create(), nullptr);
    exportSeasonWithFielding(season);
    for (const char* name : {"Batting_Stats.CSV", "Fielding_Stats.CSV", "Pitching_Stats.CSV"})
        EXPECT_EQ(testing::readFile(workFolder_.file(name)), testing::readFile(newFiles.file(name))) << name;
}

TEST_F(MainWindowTest, AnInterruptedExportThatCannotBeCompletedIsAFailure) {
    testing::TempFolder season, newFiles;
    ASSERT_EQ(writeDemoSeason(season.str(), {.seed = 5}).error, "");
    ASSERT_TRUE(exportWithFielding(season, workFolder_));
    ASSERT_TRUE(exportWithFielding(season, newFiles));
    leaveAnExportInterruptedAfterItsThirdMove(workFolder_, newFiles);
    // Another program holds the file that must still be moved aside.
    HANDLE held = CreateFileA(workFolder_.file("Fielding_Stats.CSV").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_NE(create(), nullptr);
    SetDlgItemTextA(window_, ids::kSeasonFolderBox, season.str().c_str());
    click(ids::kProcessSeason);
    CloseHandle(held);
    EXPECT_EQ(textOf(control(ids::kStatusBox)), "FAILED");
    ASSERT_EQ(failures_.size(), 1u);
    EXPECT_NE(failures_[0].find("Fielding_Stats.CSV: while completing an interrupted export"),
              std::string::npos)
        << failures_[0];
    EXPECT_NE(failures_[0].find("An interrupted export could not be completed"), std::string::npos);
}

TEST_F(MainWindowTest, AMissingSeasonFolderFailsAndSaysWhy) {
    ASSERT_NE(create(), nullptr);
    const std::string missing = workFolder_.file("no-such-season");
    SetDlgItemTextA(window_, ids::kSeasonFolderBox, missing.c_str());
    click(ids::kProcessSeason);
    EXPECT_EQ(textOf(control(ids::kStatusBox)), "FAILED");
    ASSERT_EQ(failures_.size(), 1u);
    EXPECT_NE(failures_[0].find(missing + "\\zelteam.dat: not found"), std::string::npos) << failures_[0];
    EXPECT_EQ(workFolder_.fileNames(), std::vector<std::string>{"zelseason.txt"}) << "no export file";
}

TEST_F(MainWindowTest, SettingsFilesFillTheBoxesAtCreation) {
    testing::writeFile(workFolder_.file("zelfolder.txt"), "  C:\\Games\\ZEL\r\n");
    testing::writeFile(workFolder_.file("zelseason.txt"), "D:\\Seasons\\Smith, 1986\r\nsecond line\r\n");
    ASSERT_NE(create(), nullptr);
    EXPECT_EQ(textOf(control(ids::kZelFolderBox)), "C:\\Games\\ZEL");
    EXPECT_EQ(textOf(control(ids::kSeasonFolderBox)), "D:\\Seasons\\Smith, 1986");
}

TEST_F(MainWindowTest, SettingsWrittenInTheLegacyCodePageAreReadAsUtf8) {
    testing::writeFile(workFolder_.file("zelfolder.txt"), "C:\\Liga Espa\xF1ola\r\n");  // windows-1252
    testing::writeFile(workFolder_.file("zelseason.txt"), "D:\\\xCE\xA9mega 1986\r\n"); // UTF-8
    ASSERT_NE(create(), nullptr);
    EXPECT_EQ(textOf(control(ids::kZelFolderBox)), "C:\\Liga Espa\xC3\xB1ola");
    EXPECT_EQ(textOf(control(ids::kSeasonFolderBox)), "D:\\\xCE\xA9mega 1986");
    wchar_t wide[64] = {};
    GetWindowTextW(control(ids::kZelFolderBox), wide, 64);
    EXPECT_EQ(std::wstring(wide), L"C:\\Liga Espa\u00F1ola") << "shown as the letter it is";
}

TEST_F(MainWindowTest, AFolderNamedLikeASettingsFileIsNoSettingsFile) {
    fs::create_directory(workFolder_.file("zelseason.txt"));
    ASSERT_NE(create(), nullptr);
    EXPECT_EQ(textOf(control(ids::kSeasonFolderBox)), "");
}

TEST_F(MainWindowTest, ChoosingAFolderShowsAndRemembersIt) {
    ASSERT_NE(create(), nullptr);
    SetDlgItemTextA(window_, ids::kSeasonFolderBox, "typed by hand");
    click(ids::kChangeSeasonFolder); // cancelled: nothing changes
    EXPECT_EQ(textOf(control(ids::kSeasonFolderBox)), "typed by hand");
    EXPECT_FALSE(fs::exists(workFolder_.file("zelseason.txt")));
    chosenFolder_ = "E:\\ZEL\\Seasons, old";
    click(ids::kChangeSeasonFolder);
    click(ids::kChangeZelFolder);
    EXPECT_EQ(chooserTitles_, (std::vector<std::string>{"CHANGE SEASON FOLDER", "CHANGE SEASON FOLDER",
                                                        "CHANGE ZEL FOLDER"}));
    EXPECT_EQ(textOf(control(ids::kSeasonFolderBox)), chosenFolder_);
    EXPECT_EQ(testing::readFile(workFolder_.file("zelseason.txt")), chosenFolder_ + "\r\n");
    EXPECT_EQ(testing::readFile(workFolder_.file("zelfolder.txt")), chosenFolder_ + "\r\n");
}

// Keys go through the dialog manager, as the event loop sends them.
bool sendKey(HWND window, HWND target, WPARAM key) {
    MSG message{target, WM_KEYDOWN, key, 0, 0, {}};
    return IsDialogMessageA(window, &message) != 0;
}

TEST_F(MainWindowTest, EnterProcessesTheSeasonFromAnyControl) {
    ASSERT_NE(create(), nullptr);
    SetDlgItemTextA(window_, ids::kSeasonFolderBox, workFolder_.file("no-such-season").c_str());
    SetFocus(control(ids::kSeasonFolderBox));
    EXPECT_TRUE(sendKey(window_, control(ids::kSeasonFolderBox), VK_RETURN));
    EXPECT_EQ(textOf(control(ids::kStatusBox)), "FAILED");
    SetDlgItemTextA(window_, ids::kStatusBox, "");
    SetFocus(control(ids::kFielding));
    EXPECT_TRUE(sendKey(window_, control(ids::kFielding), VK_RETURN));
    EXPECT_EQ(textOf(control(ids::kStatusBox)), "FAILED");
}

TEST_F(MainWindowTest, TabMovesInReadingOrderWithEachOptionGroupOneStop) {
    ASSERT_NE(create(), nullptr);
    SetFocus(control(ids::kZelFolderBox));
    std::vector<int> visited = {GetDlgCtrlID(GetFocus())};
    for (int i = 0; i < 17; ++i) {
        sendKey(window_, GetFocus(), VK_TAB);
        visited.push_back(GetDlgCtrlID(GetFocus()));
    }
    using namespace ids;
    EXPECT_EQ(
        visited,
        (std::vector<int>{kZelFolderBox, kChangeZelFolder, kSeasonFolderBox, kChangeSeasonFolder,
                          kCityAndNickname, kIgnorePitcherHitting, kFielding, kGroupPitcherHitting,
                          kPitchingSplits, kIncludePitcherHitting, kHittingSplits, kSuffixCsv, kProcessSeason,
                          kStatusBox, kExitProgram, kZelFolderBox, kChangeZelFolder, kSeasonFolderBox}));
}

TEST_F(MainWindowTest, TheStatusBoxTakesNoTyping) {
    ASSERT_NE(create(), nullptr);
    SetDlgItemTextA(window_, ids::kStatusBox, "COMPLETED");
    SendMessageA(control(ids::kStatusBox), WM_CHAR, 'x', 0);
    SendMessageA(control(ids::kStatusBox), WM_KEYDOWN, VK_BACK, 0);
    SendMessageA(control(ids::kStatusBox), WM_CHAR, '\b', 0);
    EXPECT_EQ(textOf(control(ids::kStatusBox)), "COMPLETED");
}

TEST_F(MainWindowTest, ChoosingAFolderClearsTheStatusBox) {
    ASSERT_NE(create(), nullptr);
    SetDlgItemTextA(window_, ids::kStatusBox, "COMPLETED");
    chosenFolder_ = "E:\\ZEL\\1987";
    click(ids::kChangeSeasonFolder);
    EXPECT_EQ(textOf(control(ids::kStatusBox)), "");
}

TEST_F(MainWindowTest, ATypedSeasonFolderIsRememberedWhenAnExportStarts) {
    ASSERT_NE(create(), nullptr);
    const std::string typed = workFolder_.file("typed season");
    SetDlgItemTextA(window_, ids::kSeasonFolderBox, typed.c_str());
    click(ids::kProcessSeason); // fails: the folder is empty
    EXPECT_EQ(testing::readFile(workFolder_.file("zelseason.txt")), typed + "\r\n");
}

TEST_F(MainWindowTest, ASettingsFileThatCannotBeWrittenIsReported) {
    ASSERT_NE(create(), nullptr);
    fs::create_directory(workFolder_.file("zelfolder.txt"));
    chosenFolder_ = "E:\\ZEL";
    click(ids::kChangeZelFolder);
    ASSERT_EQ(failures_.size(), 1u);
    EXPECT_NE(failures_[0].find("zelfolder.txt: is a folder"), std::string::npos) << failures_[0];
    EXPECT_EQ(textOf(control(ids::kZelFolderBox)), chosenFolder_);
    EXPECT_EQ(workFolder_.fileNames(), std::vector<std::string>{"zelfolder.txt"}) << "no temporary file left";
}

TEST_F(MainWindowTest, ResizingScalesEveryControlFromTheFirstRectangles) {
    ASSERT_NE(create(), nullptr);
    RECT client{};
    GetClientRect(window_, &client);
    const int firstWidth = client.right, firstHeight = client.bottom;
    for (const SIZE size : {SIZE{900, 700}, SIZE{700, 500}, SIZE{kWindowWidth, kWindowHeight}}) {
        SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(window_, &client);
        for (const ControlDesign& expected : kControls)
            EXPECT_EQ(clientRectOf(window_, control(expected.id)),
                      scaleRect(expected.rect, firstWidth, firstHeight, client.right, client.bottom))
                << expected.id << " at " << size.cx << "x" << size.cy;
    }
    for (const ControlDesign& expected : kControls)
        EXPECT_EQ(clientRectOf(window_, control(expected.id)), expected.rect);
    ShowWindow(window_, SW_MINIMIZE);
    ShowWindow(window_, SW_RESTORE);
    for (const ControlDesign& expected : kControls)
        EXPECT_EQ(clientRectOf(window_, control(expected.id)), expected.rect);
}

TEST_F(MainWindowTest, TheLastFocusedControlGetsTheFocusBack) {
    ASSERT_NE(create(), nullptr);
    SetFocus(control(ids::kFielding));
    SendMessageA(window_, WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(nullptr);
    SetFocus(window_);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), ids::kFielding);
}

TEST_F(MainWindowTest, ExitProgramEndsTheEventLoopWithZero) {
    ASSERT_NE(create(), nullptr);
    PostMessageA(control(ids::kExitProgram), BM_CLICK, 0, 0);
    EXPECT_EQ(runEventLoop(window_), 0);
    EXPECT_FALSE(IsWindow(window_));
}

TEST_F(MainWindowTest, TheCloseBoxBehavesLikeExitProgram) {
    ASSERT_NE(create(), nullptr);
    PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(runEventLoop(window_), 0);
    EXPECT_FALSE(IsWindow(window_));
}

// What a DPI changes: the window's DPI, its client size, and every control's
// rectangle and font height, in one list of numbers.
std::vector<int> measureAtItsDpi(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    std::vector<int> numbers = {static_cast<int>(GetDpiForWindow(window)), client.right, client.bottom};
    for (const ControlDesign& design : kControls) {
        HWND child = GetDlgItem(window, design.id);
        const Rect rect = clientRectOf(window, child);
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)), sizeof font, &font);
        numbers.insert(numbers.end(), {rect.left, rect.top, rect.width, rect.height, -font.lfHeight});
    }
    return numbers;
}

// Each number at the new DPI is `factor` times the one at 96, give or take a pixel.
void expectScaled(const std::vector<int>& at96, const std::vector<int>& scaled, double factor) {
    ASSERT_EQ(at96.size(), scaled.size());
    for (std::size_t i = 1; i < at96.size(); ++i)
        EXPECT_NEAR(scaled[i], at96[i] * factor, 1.0) << "number " << i << " of " << at96.size();
}

// Where Windows would put the window for a client area of that size.
RECT suggestedRect(HWND window, Size client) {
    RECT outer{};
    RECT current{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &current);
    return {100, 50, 100 + client.width + (outer.right - outer.left - current.right),
            50 + client.height + (outer.bottom - outer.top - current.bottom)};
}

TEST_F(MainWindowTest, MovedToAMonitorOfAnotherDpiEverythingIsScaled) {
    ASSERT_NE(create(), nullptr);
    const std::vector<int> at96 = measureAtItsDpi(window_);
    ASSERT_EQ(at96[0], 96) << "the tests run at 96 DPI";
    const Size client96{at96[1], at96[2]};
    RECT suggested = suggestedRect(window_, scaleForDpi(client96, 144));
    SendMessageA(window_, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    std::vector<int> at144 = measureAtItsDpi(window_);
    at144[0] = 144; // the monitor did not really change
    expectScaled(at96, at144, 1.5);
    for (const ControlDesign& design : kControls)
        EXPECT_EQ(clientRectOf(window_, control(design.id)), scaleForDpi(design.rect, 144)) << design.id;
    // Back on the first monitor, the window is as it was created.
    suggested = suggestedRect(window_, client96);
    SendMessageA(window_, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(measureAtItsDpi(window_), at96);
}

// Sets the DPI Wine gives the processes it starts from now on, and puts the
// earlier setting back.
class WineDpiSetting {
public:
    explicit WineDpiSetting(DWORD dpi) {
        RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr);
        DWORD size = sizeof earlier_;
        hadEarlier_ = RegQueryValueExA(key_, "LogPixels", nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&earlier_), &size) == ERROR_SUCCESS;
        set(dpi);
    }
    ~WineDpiSetting() {
        if (hadEarlier_)
            set(earlier_);
        else
            RegDeleteValueA(key_, "LogPixels");
        RegCloseKey(key_);
    }

private:
    void set(DWORD dpi) {
        RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    HKEY key_ = nullptr;
    DWORD earlier_ = 0;
    bool hadEarlier_ = false;
};

constexpr const char* kMeasurementsVariable = "BOXLOOM_WINDOW_MEASUREMENTS";

// Runs one test of this program in a new process and waits for it.
DWORD runThisTestProgram(const std::string& filter) {
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string commandLine = "\"" + std::string(program) + "\" --gtest_filter=" + filter;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return GetLastError();
    WaitForSingleObject(process.hProcess, 120000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

// Run by the test below in a process started at 144 DPI; skipped on its own.
TEST_F(MainWindowTest, MeasuredForAnotherProcess) {
    const char* path = std::getenv(kMeasurementsVariable);
    if (path == nullptr) GTEST_SKIP() << "started by AtStartOnA144DpiScreenEverythingIsOneAndAHalfTimes";
    ASSERT_NE(create(), nullptr);
    std::ofstream out(path);
    for (int number : measureAtItsDpi(window_))
        out << number << "\n";
}

TEST_F(MainWindowTest, AtStartOnA144DpiScreenEverythingIsOneAndAHalfTimes) {
    ASSERT_NE(create(), nullptr);
    const std::vector<int> at96 = measureAtItsDpi(window_);
    ASSERT_EQ(at96[0], 96);
    const std::string measurements = workFolder_.file("at-144.txt");
    {
        WineDpiSetting dpi(144);
        SetEnvironmentVariableA(kMeasurementsVariable, measurements.c_str());
        EXPECT_EQ(runThisTestProgram("MainWindowTest.MeasuredForAnotherProcess"), 0u);
        SetEnvironmentVariableA(kMeasurementsVariable, nullptr);
    }
    std::ifstream in(measurements);
    std::vector<int> at144;
    for (int number = 0; in >> number;)
        at144.push_back(number);
    ASSERT_FALSE(at144.empty()) << "no measurements";
    EXPECT_EQ(at144[0], 144);
    expectScaled(at96, at144, 1.5);
}

} // namespace
} // namespace boxloom::frontend
