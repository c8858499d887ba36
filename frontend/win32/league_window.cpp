#include "league_window.h"

#include "controls.h"
#include "folder_chooser.h"
#include "league_tasks.h"
#include "list_view.h"
#include "platform_files.h"

#include <array>
#include <span>

#include <commctrl.h>
#include <shellapi.h>

namespace boxloom::frontend::league {

namespace {

constexpr FrameStyle kFrameStyle{WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 WS_EX_CONTROLPARENT | WS_EX_ACCEPTFILES};

ControlClass classOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label: return {"Static", SS_LEFT, 0};
    case ControlKind::EditBox: return {"Edit", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::PushButton: return {"Button", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::SeasonList:
        return {WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::FolderList:
        return {WC_LISTVIEWA, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_EDITLABELS | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    case ControlKind::ProgressBar: return {PROGRESS_CLASSA, 0, 0};
    case ControlKind::StatusLine: return {"Static", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0};
    case ControlKind::LogBox:
        return {"Edit", ES_LEFT | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    default: break; // the export window's kinds
    }
    return {"Static", 0, 0};
}

bool isInteractive(ControlKind kind) {
    return kind != ControlKind::Label && kind != ControlKind::ProgressBar &&
           kind != ControlKind::StatusLine && kind != ControlKind::LogBox;
}

// The system's message font at a DPI.
HFONT messageFontAt(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                   static_cast<UINT>(dpi)))
        return CreateFontIndirectW(&metrics.lfMessageFont);
    return CreateFontA(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, "Segoe UI");
}

Size clientOf(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

LeagueWindowHooks withDefaults(LeagueWindowHooks hooks) {
    if (!hooks.chooseFolder)
        hooks.chooseFolder = [](HWND owner, const std::string& title) {
            return browseForFolder(owner, title, std::string(), POINT{24, 24});
        };
    if (!hooks.chooseDatabase) hooks.chooseDatabase = chooseDatabaseFile;
    if (!hooks.confirm) hooks.confirm = askYesNo;
    if (!hooks.open) hooks.open = openInShell;
    return hooks;
}

} // namespace

LeagueWindow::LeagueWindow(LeagueWindowHooks hooks) : hooks_(withDefaults(std::move(hooks))) {}

// A window destroyed with its job running waits for the job to stop.
LeagueWindow::~LeagueWindow() {
    if (worker_.joinable()) {
        cancel_ = true;
        worker_.join();
    }
    if (font_ != nullptr) DeleteObject(font_);
}

HWND LeagueWindow::create(HINSTANCE instance, LeagueWindowHooks hooks) {
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    if (icon == nullptr) icon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));
    registerWindowClass(instance,
                        {kWindowClassName, CS_HREDRAW | CS_VREDRAW, routeToState<LeagueWindow>, icon});
    const Size frame = frameAt(kFrameStyle, kDesignDpi);
    return createStateWindow(instance, kWindowClassName, kFrameStyle, kWindowCaption,
                             {kDesignClient.width + frame.width, kDesignClient.height + frame.height},
                             std::unique_ptr<LeagueWindow>(new LeagueWindow(std::move(hooks))));
}

bool LeagueWindow::busy(HWND window) {
    const auto* state = reinterpret_cast<LeagueWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return state != nullptr && state->busy_;
}

LRESULT LeagueWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: onCreate(); return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) layOut();
        return 0;
    case WM_GETMINMAXINFO: onMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_DPICHANGED: onDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_COMMAND:
        if (lParam != 0) onCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY: return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DROPFILES: onDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case kJobProgressMessage: onJobProgress(wParam, static_cast<std::size_t>(lParam)); return 0;
    case kJobDoneMessage:
        onJobDone(std::unique_ptr<JobResult>(reinterpret_cast<JobResult*>(lParam)));
        return 0;
    case WM_CLOSE: onClose(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void LeagueWindow::onCreate() {
    const UINT windowDpi = GetDpiForWindow(window_);
    useDpi(windowDpi != 0 ? static_cast<int>(windowDpi) : kDesignDpi);
    createControls();
    createColumns();
    WindowControls controls(window_);
    showSettings(loadLeagueSettings(), controls);
    SendMessageA(control(ids::kProgress), PBM_SETRANGE32, 0, 100);
    const Size client = designClientAt(dpi_);
    const Size frame = frameAt(kFrameStyle, dpi_);
    SetWindowPos(window_, nullptr, 0, 0, client.width + frame.width, client.height + frame.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    setBusy(false);
    refreshSeasons();
    SetFocus(control(ids::kDatabaseBox));
}

void LeagueWindow::useDpi(int dpi) {
    dpi_ = dpi;
    if (font_ != nullptr) DeleteObject(font_);
    font_ = messageFontAt(dpi);
}

void LeagueWindow::createControls() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
    for (const ControlDesign& design : kControls) {
        const ControlClass kind = classOf(design.kind);
        const Rect rect = scaleForDpi(design.rect, dpi_);
        HWND made = CreateWindowExA(
            kind.extendedStyle, kind.className, std::string(design.caption).c_str(),
            WS_CHILD | WS_VISIBLE | kind.style, rect.left, rect.top, rect.width, rect.height, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance, nullptr);
        SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        if (design.kind == ControlKind::LogBox) SendMessageA(made, EM_LIMITTEXT, 0, 0);
    }
}

void LeagueWindow::createColumns() {
    addColumns(control(ids::kSeasonList), kSeasonColumns, dpi_);
    addColumns(control(ids::kFolderList), kFolderColumns, dpi_);
}

void LeagueWindow::layOut() {
    const Size client = clientOf(window_);
    for (const ControlDesign& design : kControls) {
        const Rect rect = placeControl(design, dpi_, client);
        MoveWindow(control(design.id), rect.left, rect.top, rect.width, rect.height, TRUE);
    }
}

void LeagueWindow::onMinMaxInfo(MINMAXINFO& info) const {
    const Size least = designClientAt(dpi_);
    const Size frame = frameAt(kFrameStyle, dpi_);
    info.ptMinTrackSize = {least.width + frame.width, least.height + frame.height};
}

void LeagueWindow::onDpiChanged(int dpi, const RECT& suggested) {
    useDpi(dpi);
    for (const ControlDesign& design : kControls)
        SendMessageA(control(design.id), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    scaleColumns(control(ids::kSeasonList), kSeasonColumns, dpi);
    scaleColumns(control(ids::kFolderList), kFolderColumns, dpi);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layOut();
}

void LeagueWindow::onCommand(int id, int code) {
    if (code == EN_KILLFOCUS && id == ids::kDatabaseBox) {
        if (text(id) != listedDatabase_) refreshSeasons();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
    case ids::kBrowseDatabase: browseDatabase(); break;
    case ids::kRemoveSeason: removeSeason(); break;
    case ids::kAddFolder: {
        const std::string folder = hooks_.chooseFolder(window_, "Choose a season folder to import");
        if (!folder.empty()) addSeasonFolder(folder);
        break;
    }
    case ids::kImport: importSeasons(); break;
    case ids::kBrowseSiteFolder:
        browseFolderInto(ids::kSiteFolderBox, "Choose the folder of the web site");
        break;
    case ids::kBrowseTemplates:
        browseFolderInto(ids::kTemplatesBox, "Choose a folder of page templates");
        break;
    case ids::kBuildSite: buildSite(); break;
    case ids::kOpenSite: openSite(false); break;
    case ids::kOpenFolder: openSite(true); break;
    case ids::kCancel:
        cancel_ = true;
        setStatus("Cancelling...", false);
        break;
    default: break;
    }
}

LRESULT LeagueWindow::onNotify(const NMHDR& header) {
    const int id = static_cast<int>(header.idFrom);
    if (id == ids::kSeasonList && header.code == LVN_COLUMNCLICK) {
        const auto column = static_cast<std::size_t>(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        sortAscending_ = column == sortColumn_ ? !sortAscending_ : true;
        sortColumn_ = column;
        showSeasons();
        return 0;
    }
    if (id != ids::kFolderList) return 0;
    if (header.code == LVN_KEYDOWN) {
        const WORD key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
        const int row = selectedRow(header.hwndFrom);
        if (row < 0) return 0;
        if (key == VK_F2) SendMessageA(header.hwndFrom, LVM_EDITLABELA, row, 0);
        if (key == VK_DELETE) {
            folders_.erase(folders_.begin() + row);
            showFolders();
        }
        return 0;
    }
    std::string edited;
    int row = -1;
    if (header.code == LVN_ENDLABELEDITA) {
        const LVITEMA& item = reinterpret_cast<const NMLVDISPINFOA&>(header).item;
        if (item.pszText == nullptr) return FALSE;
        edited = item.pszText;
        row = item.iItem;
    } else if (header.code == LVN_ENDLABELEDITW) {
        const LVITEMW& item = reinterpret_cast<const NMLVDISPINFOW&>(header).item;
        if (item.pszText == nullptr) return FALSE;
        edited = wideToUtf8(item.pszText);
        row = item.iItem;
    } else {
        return 0;
    }
    if (row < 0 || static_cast<std::size_t>(row) >= folders_.size()) return FALSE;
    folders_[static_cast<std::size_t>(row)].label = edited;
    return TRUE;
}

void LeagueWindow::onDropFiles(HDROP drop) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<ReportLine> refused;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::string path(length + 1, '\0');
        DragQueryFileA(drop, i, path.data(), length + 1);
        path.resize(length);
        if (platform::pathExists(path) && !platform::isRegularFile(path))
            addSeasonFolder(path);
        else
            refused.push_back({true, path + ": not a folder; drop season folders here"});
    }
    DragFinish(drop);
    log(refused);
}

void LeagueWindow::browseDatabase() {
    const std::string chosen = hooks_.chooseDatabase(window_, text(ids::kDatabaseBox));
    if (chosen.empty()) return;
    SetDlgItemTextA(window_, ids::kDatabaseBox, chosen.c_str());
    refreshSeasons();
    remember();
}

void LeagueWindow::browseFolderInto(int boxId, const char* title) {
    const std::string chosen = hooks_.chooseFolder(window_, title);
    if (chosen.empty()) return;
    SetDlgItemTextA(window_, boxId, chosen.c_str());
    remember();
}

void LeagueWindow::addSeasonFolder(const std::string& folder) {
    for (const SeasonFolder& listed : folders_)
        if (listed.folder == folder) return;
    folders_.push_back(seasonFolderFor(folder));
    showFolders();
}

void LeagueWindow::openSite(bool folderOnly) {
    const std::string folder = text(ids::kSiteFolderBox);
    if (folder.empty()) return setStatus("Choose the folder of the web site.", true);
    const std::string path = folderOnly ? folder : folder + "\\index.html";
    if (!platform::pathExists(path))
        return setStatus(path + " is not there yet: build the site first.", true);
    hooks_.open(window_, path);
}

// A job running when the window closes is cancelled and waited for: it stops
// between rows or pages and leaves the database and the site whole.
void LeagueWindow::onClose() {
    if (worker_.joinable()) {
        cancel_ = true;
        worker_.join();
        MSG message;
        while (PeekMessageA(&message, window_, kJobDoneMessage, kJobDoneMessage, PM_REMOVE))
            delete reinterpret_cast<JobResult*>(message.lParam);
    }
    remember();
    DestroyWindow(window_);
}

void LeagueWindow::refreshSeasons() {
    seasons_.clear();
    const std::string database = text(ids::kDatabaseBox);
    listedDatabase_ = database;
    if (!database.empty() && platform::isRegularFile(database)) {
        database::LeagueStore store;
        std::string reason = store.open(database);
        if (reason.empty()) reason = store.summaries(seasons_);
        if (!reason.empty()) log({{true, database + ": " + reason}});
    }
    SetDlgItemTextA(window_, ids::kGamesFound, gamesFoundText(seasons_).c_str());
    showSeasons();
}

void LeagueWindow::showSeasons() {
    sortSeasons(seasons_, sortColumn_, sortAscending_);
    HWND list = control(ids::kSeasonList);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = seasons_.size(); i-- > 0;)
        setRow(list, 0, seasonListCells(seasons_[i]));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

void LeagueWindow::showFolders() {
    HWND list = control(ids::kFolderList);
    SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = folders_.size(); i-- > 0;)
        setRow(list, 0, std::array<std::string, 2>{folders_[i].label, folders_[i].folder});
}

// The focus goes to Cancel while a job runs, and back where it was after.
void LeagueWindow::setBusy(bool busy) {
    busy_ = busy;
    if (busy) focusBeforeJob_ = GetFocus();
    for (const ControlDesign& design : kControls)
        if (isInteractive(design.kind)) EnableWindow(control(design.id), enabledWhile(busy, design.id));
    if (busy)
        SetFocus(control(ids::kCancel));
    else if (focusBeforeJob_ != nullptr && IsChild(window_, focusBeforeJob_))
        SetFocus(focusBeforeJob_);
}

void LeagueWindow::log(const std::vector<ReportLine>& lines) {
    if (lines.empty()) return;
    HWND box = control(ids::kLog);
    const auto end = static_cast<WPARAM>(GetWindowTextLengthA(box));
    SendMessageA(box, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(logText(lines).c_str()));
}

void LeagueWindow::setStatus(const std::string& status, bool error) {
    SetDlgItemTextA(window_, ids::kStatus, status.c_str());
    if (error) taskbar_.show(window_, TaskbarProgress::State::Error, 100);
}

void LeagueWindow::remember() {
    if (std::string failed = rememberLeagueSettings(settingsFrom(WindowControls(window_))); !failed.empty())
        log({{true, "the settings could not be remembered: " + failed}});
}

std::string LeagueWindow::text(int id) const { return WindowControls(window_).text(id); }

} // namespace boxloom::frontend::league
