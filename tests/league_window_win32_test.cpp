// The real league window, run under Wine by the Windows build's tests: what it
// makes is what the command-line programs make from the same inputs.

#include "database_contents.h"
#include "demo_season.h"
#include "league_controls.h"
#include "league_window.h"
#include "sqlite_db.h"
#include "test_support.h"
#include "win32_process.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <stdexcept>

namespace boxloom::frontend::league {
namespace {

namespace fs = std::filesystem;
using testing::quoted;
using testing::TempFolder;

std::string textOf(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

const ControlDesign& controlOfId(int id) {
    for (const ControlDesign& control : kControls)
        if (control.id == id) return control;
    throw std::out_of_range("no control " + std::to_string(id));
}

std::string bytesOf(const std::string& path) { return fs::exists(path) ? testing::readFile(path) : "<none>"; }

// A dropped list of paths, as Explorer hands it over.
HDROP dropOf(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& path : paths)
        names += path + '\0';
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class LeagueWindowTest : public ::testing::Test {
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

    void SetUp() override {
        char previous[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, previous);
        previousFolder_ = previous;
        SetCurrentDirectoryA(work_.str().c_str());
    }
    void TearDown() override {
        if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
        pump();
        SetCurrentDirectoryA(previousFolder_.c_str());
    }

    HWND create() {
        LeagueWindowHooks hooks;
        hooks.chooseFolder = [this](HWND, const std::string&) {
            std::string next;
            if (!chosen_.empty()) {
                next = chosen_.front();
                chosen_.erase(chosen_.begin());
            }
            return next;
        };
        hooks.chooseDatabase = [this](HWND, const std::string&) { return chosenDatabase_; };
        hooks.confirm = [this](HWND, const std::string& question) {
            questions_.push_back(question);
            return answer_;
        };
        hooks.open = [this](HWND, const std::string& path) { opened_.push_back(path); };
        hooks.importSeasons = importer_;
        hooks.version = BOXLOOM_VERSION;
        window_ = LeagueWindow::create(GetModuleHandleA(nullptr), hooks);
        return window_;
    }
    HWND control(int id) const { return GetDlgItem(window_, id); }
    void click(int id) { SendMessageA(control(id), BM_CLICK, 0, 0); }
    void type(int id, const std::string& text) { SetDlgItemTextA(window_, id, text.c_str()); }
    std::string text(int id) const { return textOf(control(id)); }
    static void pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    // Lets the window run until its job has ended.
    void finishJob() {
        for (int waited = 0; LeagueWindow::busy(window_) && waited < 120000; waited += 5) {
            pump();
            Sleep(5);
        }
        pump();
        ASSERT_FALSE(LeagueWindow::busy(window_)) << "the job did not end";
    }
    int listRows(int id) const { return static_cast<int>(SendMessageA(control(id), LVM_GETITEMCOUNT, 0, 0)); }
    std::string cell(int id, int row, int column) const {
        char buffer[512] = {};
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(control(id), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    void selectRow(int id, int row) {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageA(control(id), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    // The two seasons added, one by the folder chooser and one dropped from Explorer.
    void addBothSeasons() {
        chosen_ = {season("2031")};
        click(ids::kAddFolder);
        SendMessageA(window_, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf({season("2032")})), 0);
        ASSERT_EQ(listRows(ids::kFolderList), 2);
    }

    TempFolder work_;
    std::string previousFolder_;
    HWND window_ = nullptr;
    std::vector<std::string> chosen_;
    std::string chosenDatabase_;
    std::vector<std::string> questions_;
    bool answer_ = true;
    std::vector<std::string> opened_;
    decltype(LeagueWindowHooks::importSeasons) importer_;
    static TempFolder* seasons_;
};

TempFolder* LeagueWindowTest::seasons_ = nullptr;

TEST_F(LeagueWindowTest, ControlsComeInTheTablesOrderAndFollowTheWindowsSize) {
    ASSERT_NE(create(), nullptr);
    EXPECT_EQ(textOf(window_), kWindowCaption);
    for (const ControlDesign& design : kControls) {
        ASSERT_NE(control(design.id), nullptr) << design.id;
        if (design.kind == ControlKind::Label || design.kind == ControlKind::PushButton) {
            EXPECT_EQ(text(design.id), design.caption);
        }
    }
    // Tab visits the controls that work now in the table's order.
    std::vector<int> tabbed;
    HWND first = GetNextDlgTabItem(window_, nullptr, FALSE);
    for (HWND at = first; at != nullptr && (tabbed.empty() || at != first);
         at = GetNextDlgTabItem(window_, at, FALSE))
        tabbed.push_back(GetDlgCtrlID(at));
    std::vector<int> expected;
    for (const ControlDesign& design : kControls)
        if (IsWindowEnabled(control(design.id)) &&
            (GetWindowLongA(control(design.id), GWL_STYLE) & WS_TABSTOP))
            expected.push_back(design.id);
    EXPECT_EQ(tabbed, expected);
    EXPECT_FALSE(IsWindowEnabled(control(ids::kCancel)));

    RECT outer{};
    GetWindowRect(window_, &outer);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + 100, outer.bottom - outer.top + 60,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(window_, &client);
    for (int id : {ids::kLog, ids::kBrowseDatabase, ids::kDatabaseBox}) {
        RECT bounds{};
        GetWindowRect(control(id), &bounds);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&bounds), 2);
        const Rect expectedRect = placeControl(controlOfId(id), static_cast<int>(GetDpiForWindow(window_)),
                                               {client.right, client.bottom});
        EXPECT_EQ((Rect{bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top}),
                  expectedRect)
            << id;
    }
}

TEST_F(LeagueWindowTest, ImportAndSiteAreTheCommandLinePrograms) {
    const std::string database = work_.file("league.db");
    const std::string site = work_.file("site");
    ASSERT_EQ(testing::runProcess(quoted(BOXLOOM_EXPORT_EXE) + " --database " + quoted(work_.file("cli.db")) +
                                  " " + quoted(season("2031")) + " " + quoted(season("2032"))),
              0);
    ASSERT_EQ(testing::runProcess(quoted(BOXLOOM_SITE_EXE) + " " + quoted(work_.file("cli.db")) + " -o " +
                                  quoted(work_.file("cli-site")) + " --title " + quoted("Our League")),
              0);
    // The command line's site names its database by its path nowhere: build
    // the window's from a database of the same name.
    ASSERT_NE(create(), nullptr);
    chosenDatabase_ = database;
    click(ids::kBrowseDatabase);
    EXPECT_EQ(text(ids::kDatabaseBox), database);
    addBothSeasons();
    EXPECT_EQ(cell(ids::kFolderList, 0, 0), "2031");
    EXPECT_EQ(cell(ids::kFolderList, 1, 1), season("2032"));
    click(ids::kImport);
    EXPECT_FALSE(IsWindowEnabled(control(ids::kImport))) << "nothing else works while it runs";
    finishJob();
    EXPECT_EQ(text(ids::kStatus), "Import finished.");
    EXPECT_NE(text(ids::kLog).find(database + ": season 2032: "), std::string::npos) << text(ids::kLog);
    EXPECT_EQ(listRows(ids::kFolderList), 0) << "imported folders leave the list";
    ASSERT_EQ(listRows(ids::kSeasonList), 2);
    EXPECT_EQ(cell(ids::kSeasonList, 1, 0), "2032");
    EXPECT_EQ(testing::databaseContents(database), testing::databaseContents(work_.file("cli.db")));

    type(ids::kSiteFolderBox, site);
    type(ids::kTitleBox, "Our League");
    SetFocus(control(ids::kBuildSite));
    click(ids::kBuildSite);
    finishJob();
    EXPECT_EQ(text(ids::kStatus), "Site finished.") << text(ids::kLog);
    EXPECT_EQ(GetFocus(), control(ids::kBuildSite)) << "the focus is back where it was";
    EXPECT_TRUE(testing::filesUnder(site) == testing::filesUnder(work_.file("cli-site")));
    click(ids::kOpenSite);
    EXPECT_EQ(opened_, std::vector<std::string>{site + "\\index.html"});

    // Remembered for the next time, and shown again.
    DestroyWindow(window_);
    ASSERT_NE(create(), nullptr);
    EXPECT_EQ(text(ids::kDatabaseBox), database);
    EXPECT_EQ(text(ids::kSiteFolderBox), site);
    EXPECT_EQ(text(ids::kTitleBox), "Our League");
    EXPECT_EQ(listRows(ids::kSeasonList), 2);
}

// The import is cancelled from its own first progress report, through the
// window's button, while the second season is still to come.
TEST_F(LeagueWindowTest, CancelMidImportLeavesTheDatabaseByteForByte) {
    const std::string database = work_.file("league.db");
    ASSERT_EQ(testing::runProcess(quoted(BOXLOOM_EXPORT_EXE) + " --database " + quoted(database) + " " +
                                  quoted(season("2031"))),
              0);
    const std::string before = bytesOf(database);
    importer_ = [this](const std::string& path, const std::vector<database::SeasonSource>& seasons,
                       const database::ImportControl& control) {
        database::ImportControl pressed = control;
        pressed.progress = [this, control](std::size_t done, std::size_t total) {
            SendMessageA(GetDlgItem(window_, ids::kCancel), BM_CLICK, 0, 0);
            control.progress(done, total);
        };
        return database::importSeasons(path, seasons, ExportOptions{}, pressed);
    };
    ASSERT_NE(create(), nullptr);
    type(ids::kDatabaseBox, database);
    addBothSeasons();
    click(ids::kImport);
    finishJob();
    EXPECT_EQ(text(ids::kStatus), "Import cancelled; the database was left as it was.");
    EXPECT_NE(text(ids::kLog).find("the import was cancelled"), std::string::npos) << text(ids::kLog);
    EXPECT_TRUE(bytesOf(database) == before);
    EXPECT_EQ(listRows(ids::kFolderList), 2) << "the folders stay for another try";
}

TEST_F(LeagueWindowTest, EachProblemIsLoggedAndChangesNothing) {
    const std::string database = work_.file("league.db");
    ASSERT_EQ(testing::runProcess(quoted(BOXLOOM_EXPORT_EXE) + " --database " + quoted(database) + " " +
                                  quoted(season("2031"))),
              0);
    const std::string before = bytesOf(database);
    ASSERT_NE(create(), nullptr);
    type(ids::kDatabaseBox, database);

    // A season folder without its game statistics.
    TempFolder partial;
    for (const char* name : {"zelteam.dat", "zelplyr.dat"})
        fs::copy_file(season("2032") + "/" + name, partial.file(name));
    chosen_ = {partial.str()};
    click(ids::kAddFolder);
    click(ids::kImport);
    finishJob();
    EXPECT_EQ(text(ids::kStatus), "Import FAILED; the log says why.");
    EXPECT_NE(text(ids::kLog).find(partial.file("zelgs.dat") + ": not found"), std::string::npos)
        << text(ids::kLog);
    EXPECT_TRUE(bytesOf(database) == before);

    // A database another program is writing.
    {
        database::Connection other;
        ASSERT_EQ(other.open(database), "");
        ASSERT_EQ(other.execute("BEGIN IMMEDIATE"), "");
        DestroyWindow(window_);
        ASSERT_NE(create(), nullptr);
        type(ids::kDatabaseBox, database);
        chosen_ = {season("2032")};
        click(ids::kAddFolder);
        click(ids::kImport);
        finishJob();
        other.execute("ROLLBACK");
    }
    EXPECT_NE(text(ids::kLog).find("in use by another program"), std::string::npos) << text(ids::kLog);
    EXPECT_TRUE(bytesOf(database) == before);

    // A site folder that cannot be one.
    testing::writeFile(work_.file("in-the-way"), "a file");
    type(ids::kSiteFolderBox, work_.file("in-the-way"));
    click(ids::kBuildSite);
    finishJob();
    EXPECT_EQ(text(ids::kStatus), "Site FAILED; the log says why.");
    EXPECT_NE(text(ids::kLog).find(work_.file("in-the-way") + ": "), std::string::npos) << text(ids::kLog);
    EXPECT_EQ(testing::readFile(work_.file("in-the-way")), "a file");

    // Nothing to import, said in the window's words.
    DestroyWindow(window_);
    ASSERT_NE(create(), nullptr);
    click(ids::kImport);
    EXPECT_FALSE(LeagueWindow::busy(window_));
    EXPECT_NE(text(ids::kLog).find("Add a season folder to import."), std::string::npos) << text(ids::kLog);
}

// F2 edits a folder's label in place; the season goes in under the new one.
TEST_F(LeagueWindowTest, AnEditedLabelIsTheSeasonsLabel) {
    ASSERT_NE(create(), nullptr);
    type(ids::kDatabaseBox, work_.file("league.db"));
    chosen_ = {season("2031")};
    click(ids::kAddFolder);
    selectRow(ids::kFolderList, 0);
    SetFocus(control(ids::kFolderList));
    NMLVKEYDOWN key{};
    key.hdr = {control(ids::kFolderList), static_cast<UINT_PTR>(ids::kFolderList), LVN_KEYDOWN};
    key.wVKey = VK_F2;
    SendMessageA(window_, WM_NOTIFY, ids::kFolderList, reinterpret_cast<LPARAM>(&key));
    HWND editor = reinterpret_cast<HWND>(SendMessageA(control(ids::kFolderList), LVM_GETEDITCONTROL, 0, 0));
    ASSERT_NE(editor, nullptr) << "F2 opened no editor";
    SetWindowTextA(editor, "Spring 2031");
    SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
    pump();
    EXPECT_EQ(cell(ids::kFolderList, 0, 0), "Spring 2031");
    click(ids::kImport);
    finishJob();
    ASSERT_EQ(listRows(ids::kSeasonList), 1) << text(ids::kLog);
    EXPECT_EQ(cell(ids::kSeasonList, 0, 0), "Spring 2031");
}

TEST_F(LeagueWindowTest, RemovingASeasonAsksFirst) {
    const std::string database = work_.file("league.db");
    ASSERT_EQ(testing::runProcess(quoted(BOXLOOM_EXPORT_EXE) + " --database " + quoted(database) + " " +
                                  quoted(season("2031")) + " " + quoted(season("2032"))),
              0);
    const std::string before = bytesOf(database);
    ASSERT_NE(create(), nullptr);
    type(ids::kDatabaseBox, database);
    SendMessageA(window_, WM_COMMAND, MAKEWPARAM(ids::kDatabaseBox, EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(control(ids::kDatabaseBox)));
    ASSERT_EQ(listRows(ids::kSeasonList), 2);
    selectRow(ids::kSeasonList, 0);
    answer_ = false;
    click(ids::kRemoveSeason);
    pump();
    EXPECT_EQ(questions_,
              std::vector<std::string>{"Remove season 2031 and all its rows from " + database + "?"});
    EXPECT_TRUE(bytesOf(database) == before);
    answer_ = true;
    click(ids::kRemoveSeason);
    finishJob();
    EXPECT_EQ(text(ids::kStatus), "Removal finished.");
    ASSERT_EQ(listRows(ids::kSeasonList), 1);
    EXPECT_EQ(cell(ids::kSeasonList, 0, 0), "2032");
}

// A season cut short in a record under the label of a whole one: the window
// asks, names the season and both counts, and imports only on "Yes"; then its
// status says that the import has a warning.
TEST_F(LeagueWindowTest, ASeasonThatWouldLoseLinesIsImportedOnlyWhenTheUserSaysSo) {
    const std::string database = work_.file("league.db");
    ASSERT_EQ(testing::runProcess(quoted(BOXLOOM_EXPORT_EXE) + " --database " + quoted(database) + " " +
                                  quoted(season("2031"))),
              0);
    const std::string before = bytesOf(database);
    const std::string cut = work_.file("cut\\2031");
    fs::create_directories(cut);
    for (const char* name : {"zelteam.dat", "zelplyr.dat", "zelgs.dat"})
        fs::copy_file(season("2031") + "/" + name, cut + "/" + name);
    fs::resize_file(cut + "/zelgs.dat", fs::file_size(cut + "/zelgs.dat") / 2 / 302 * 302 + 151);
    ASSERT_NE(create(), nullptr);
    type(ids::kDatabaseBox, database);
    chosen_ = {cut};
    click(ids::kAddFolder);
    answer_ = false;
    click(ids::kImport);
    finishJob();
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_NE(questions_[0].find("Season 2031: "), std::string::npos) << questions_[0];
    EXPECT_NE(questions_[0].find(" batting lines in " + cut + "\\zelgs.dat, where " + database + " holds "),
              std::string::npos)
        << questions_[0];
    EXPECT_EQ(text(ids::kStatus), "Import FAILED; the log says why.");
    EXPECT_EQ(text(ids::kLog).find("--replace"), std::string::npos)
        << "no command-line words: " << text(ids::kLog);
    EXPECT_TRUE(bytesOf(database) == before) << "\"No\" changes nothing";
    EXPECT_EQ(listRows(ids::kFolderList), 1);

    answer_ = true;
    click(ids::kImport);
    finishJob();
    EXPECT_EQ(questions_.size(), 2u);
    EXPECT_EQ(text(ids::kStatus), "Import finished with 1 warning; the log says what.") << text(ids::kLog);
    EXPECT_NE(text(ids::kLog).find(database + ": replaced season 2031 ("), std::string::npos)
        << text(ids::kLog);
    EXPECT_NE(text(ids::kLog).find("the last record was partial"), std::string::npos) << text(ids::kLog);
    EXPECT_EQ(listRows(ids::kFolderList), 0);
}

} // namespace
} // namespace boxloom::frontend::league
