#include "main_window.h"

#include "export_run.h"
#include "folder_chooser.h"
#include "settings_files.h"

#include <shellapi.h>

namespace boxloom::frontend {

namespace {

constexpr FrameStyle kFrameStyle{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                     WS_MAXIMIZEBOX | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE,
                                 WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE};

ControlClass classOf(const ControlDesign& control) {
    switch (control.kind) {
    case ControlKind::Label: return {"Static", SS_LEFT | SS_NOTIFY, 0};
    case ControlKind::CheckBox: return {"Button", BS_AUTOCHECKBOX | BS_LEFT | BS_VCENTER | WS_TABSTOP, 0};
    case ControlKind::OptionButton:
        return {"Button",
                static_cast<DWORD>(BS_AUTORADIOBUTTON | BS_LEFT | BS_VCENTER | WS_TABSTOP |
                                   (control.startsGroup ? WS_GROUP : 0)),
                0};
    case ControlKind::PushButton:
        return {"Button",
                static_cast<DWORD>((control.id == kDefaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) |
                                   BS_CENTER | BS_VCENTER | WS_TABSTOP),
                0};
    case ControlKind::EditBox:
        return {"Edit",
                static_cast<DWORD>(ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP |
                                   (control.id == kReadOnlyBox ? ES_READONLY : 0)),
                WS_EX_CLIENTEDGE};
    default: break; // the league window's kinds
    }
    return {"Static", 0, 0};
}

// The caption and borders the window really has.
Size nonClientSizeOf(HWND window) {
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return {outer.right - outer.left - client.right, outer.bottom - outer.top - client.bottom};
}

std::string workingFolder() {
    char folder[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string();
}

// Tab follows the z-order: put the controls in reading order, leaving them
// where they are on screen.
void orderForTabbing(HWND window) {
    for (int id : readingOrder(kControls))
        SetWindowPos(GetDlgItem(window, id), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT colourControl(UINT message, HDC dc) {
    const bool edit = message == WM_CTLCOLOREDIT;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(edit ? COLOR_WINDOW : COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(edit ? COLOR_WINDOW : COLOR_BTNFACE));
}

BOOL CALLBACK forwardToChild(HWND child, LPARAM message) {
    SendMessageA(child, static_cast<UINT>(message), 0, 0);
    return TRUE;
}

std::string startLeagueProgram(HWND owner) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program(path, length);
    program = program.substr(0, program.find_last_of("\\/") + 1) + "boxloom-league.exe";
    const auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteA(owner, "open", program.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return started > 32 ? std::string()
                        : program + ": could not be started (error " + std::to_string(started) + ")";
}

MainWindowHooks withDefaults(MainWindowHooks hooks) {
    if (!hooks.showPitcherHittingMessage)
        hooks.showPitcherHittingMessage = [](const std::string& text) {
            MessageBoxA(nullptr, text.c_str(), nullptr, MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
        };
    if (!hooks.showFailure)
        hooks.showFailure = [](HWND owner, const std::string& text) {
            MessageBoxA(owner, text.c_str(), std::string(kWindowCaption).c_str(), MB_OK | MB_ICONERROR);
        };
    if (!hooks.chooseFolder)
        hooks.chooseFolder = [](HWND owner, const std::string& title) {
            return browseForFolder(owner, title, std::string(), POINT{1, 1});
        };
    if (!hooks.openLeagueWindow) hooks.openLeagueWindow = startLeagueProgram;
    if (!hooks.runExport)
        hooks.runExport = [](const ExportOptions& options,
                             const std::function<void(std::string_view)>& report) {
            return boxloom::runExport(options, report);
        };
    return hooks;
}

} // namespace

MainWindow::MainWindow(MainWindowHooks hooks) : hooks_(withDefaults(std::move(hooks))) {}

HWND MainWindow::create(HINSTANCE instance, MainWindowHooks hooks) {
    registerWindowClass(instance, {kWindowClassName, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS,
                                   routeToState<MainWindow>, LoadIconA(instance, MAKEINTRESOURCEA(32512))});
    return createStateWindow(instance, kWindowClassName, kFrameStyle, kWindowCaption,
                             {kWindowWidth, kWindowHeight},
                             std::unique_ptr<MainWindow>(new MainWindow(std::move(hooks))));
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: onCreate(); return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) layOutControls({LOWORD(lParam), HIWORD(lParam)});
        return 0;
    case WM_DPICHANGED: onDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_ACTIVATE: onActivate(LOWORD(wParam) != WA_INACTIVE); return 0;
    case WM_SETFOCUS:
        if (lastFocus_ != nullptr) SetFocus(lastFocus_);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && lParam != 0) onClick(LOWORD(wParam));
        return 0;
    case DM_GETDEFID: return MAKELRESULT(kDefaultButton, DC_HASDEFID);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: return colourControl(message, reinterpret_cast<HDC>(wParam));
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        EnumChildWindows(window_, forwardToChild, static_cast<LPARAM>(message));
        InvalidateRect(window_, nullptr, TRUE);
        return 0;
    case WM_CLOSE:
        ShowWindow(window_, SW_HIDE);
        DestroyWindow(window_);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == kLeagueMenuItem) {
            if (const std::string failed = hooks_.openLeagueWindow(window_); !failed.empty())
                hooks_.showFailure(window_, failed);
            return 0;
        }
        return DefWindowProcA(window_, message, wParam, lParam);
    default: return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void MainWindow::addLeagueMenuItem() {
    HMENU menu = GetSystemMenu(window_, FALSE);
    if (menu == nullptr) return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kLeagueMenuItem, std::string(kLeagueMenuCaption).c_str());
}

void MainWindow::onCreate() {
    const UINT windowDpi = GetDpiForWindow(window_);
    const int dpi = windowDpi != 0 ? static_cast<int>(windowDpi) : kDesignDpi;
    // The window was created 640 x 462 at 96 DPI. Its frame at 96 DPI is the
    // system's reckoning, corrected by how far the real frame differs from it.
    const Size frame = nonClientSizeOf(window_);
    const Size reckoned = frameAt(kFrameStyle, dpi);
    const Size reckonedAt96 = frameAt(kFrameStyle, kDesignDpi);
    designClient_ = {kWindowWidth - (reckonedAt96.width + frame.width - reckoned.width),
                     kWindowHeight - (reckonedAt96.height + frame.height - reckoned.height)};
    useDpi(dpi);
    createControls();
    orderForTabbing(window_);
    addLeagueMenuItem();
    WindowControls controls(window_);
    loadFolderSettings(controls);
    if (dpi_ != kDesignDpi)
        SetWindowPos(window_, nullptr, 0, 0, baseClient_.width + frame.width,
                     baseClient_.height + frame.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The first size is the one every later size scales from.
    baseClient_ = clientSize();
}

void MainWindow::useDpi(int dpi) {
    dpi_ = dpi;
    fonts_ = std::make_unique<FontSet>(dpi);
    baseClient_ = scaleForDpi(designClient_, dpi);
    for (std::size_t i = 0; i < kControls.size(); ++i)
        baseRects_[i] = scaleForDpi(kControls[i].rect, dpi);
}

void MainWindow::createControls() {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window_, GWLP_HINSTANCE));
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const ControlDesign& design = kControls[i];
        const ControlClass kind = classOf(design);
        const Rect& rect = baseRects_[i];
        Control control(CreateWindowExA(
            kind.extendedStyle, kind.className, std::string(design.caption).c_str(),
            WS_CHILD | WS_VISIBLE | kind.style, rect.left, rect.top, rect.width, rect.height, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance, nullptr));
        control.setFont(fonts_->font(design.fontHeight));
        if (design.kind == ControlKind::CheckBox || design.kind == ControlKind::OptionButton)
            control.setChecked(design.checked);
        if (design.kind == ControlKind::EditBox) {
            SendMessageA(control.handle(), EM_LIMITTEXT, 0, 0);
            SendMessageA(control.handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
        }
    }
    lastFocus_ = GetDlgItem(window_, kInitialFocus);
    SetFocus(lastFocus_);
}

Size MainWindow::clientSize() const {
    RECT client{};
    GetClientRect(window_, &client);
    return {client.right, client.bottom};
}

void MainWindow::layOutControls(Size client) {
    const WindowControls controls(window_);
    for (std::size_t i = 0; i < kControls.size(); ++i)
        controls[kControls[i].id].place(
            scaleRect(baseRects_[i], baseClient_.width, baseClient_.height, client.width, client.height));
}

// Moved to a monitor of another DPI: new fonts, and the layout of that DPI in
// the rectangle Windows suggests.
void MainWindow::onDpiChanged(int dpi, const RECT& suggested) {
    const std::unique_ptr<FontSet> previousFonts = std::move(fonts_);
    useDpi(dpi);
    const WindowControls controls(window_);
    for (const ControlDesign& design : kControls)
        controls[design.id].setFont(fonts_->font(design.fontHeight));
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layOutControls(clientSize());
}

void MainWindow::onActivate(bool active) {
    if (active) return;
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
}

void MainWindow::onClick(int id) {
    WindowControls controls(window_);
    switch (clickActionFor(id)) {
    case ClickAction::None: break;
    case ClickAction::ChangeZelFolder: rememberChosenFolder(0); break;
    case ClickAction::ChangeSeasonFolder: rememberChosenFolder(1); break;
    case ClickAction::ExitProgram: PostMessageA(window_, WM_CLOSE, 0, 0); break;
    case ClickAction::PitcherHitting:
        if (applyPitcherHittingRule(id, controls))
            hooks_.showPitcherHittingMessage(std::string(kPitcherHittingMessage));
        break;
    case ClickAction::ProcessSeason: processSeason(); break;
    }
}

void MainWindow::rememberChosenFolder(int settingIndex) {
    const FolderSetting& setting = kFolderSettings[static_cast<std::size_t>(settingIndex)];
    WindowControls controls(window_);
    const std::string failed =
        changeFolder(controls, setting, hooks_.chooseFolder(window_, std::string(setting.chooserTitle)));
    if (!failed.empty()) hooks_.showFailure(window_, "The folder could not be remembered:\r\n\r\n" + failed);
}

void MainWindow::processSeason() {
    WindowControls controls(window_);
    ExportHooks hooks;
    hooks.showStatus = [this](std::string_view status) { showStatus(status); };
    hooks.showMessage = [this](const std::string& text) { hooks_.showFailure(window_, text); };
    hooks.runExport = hooks_.runExport;
    // A folder typed into the box is remembered like a chosen one.
    if (const std::string typed = controls.text(ids::kSeasonFolderBox); !typed.empty()) {
        if (const std::string failed = rememberFolder(kFolderSettings[1], typed); !failed.empty())
            hooks_.showFailure(window_, "The folder could not be remembered:\r\n\r\n" + failed);
    }
    frontend::processSeason(controls, workingFolder(), hooks);
}

void MainWindow::showStatus(std::string_view status) {
    Control box = WindowControls(window_)[ids::kStatusBox];
    box.setText(std::string(status));
    // The event loop is blocked during a run: paint now.
    RedrawWindow(box.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
}

int runEventLoop(HWND window) {
    MSG message{};
    while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Tab, Enter and the arrow keys move as in a dialog.
        if (IsDialogMessageA(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

} // namespace boxloom::frontend
