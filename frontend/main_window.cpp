#include "main_window.h"

#include "control_table.h"
#include "export_run.h"
#include "layout.h"

#include <array>
#include <map>

namespace boxloom::frontend {

namespace {

// The window whose keyboard input gets dialog-style handling: the active main window.
HWND dialogWindow = nullptr;

struct WindowState {
    MainWindowHooks hooks;
    std::map<int, HFONT> fonts; // one font per height, made on first use
    bool layoutRecorded = false;
    int firstWidth = 0;
    int firstHeight = 0;
    std::array<Rect, kControls.size()> firstRects{};
    HWND lastFocus = nullptr;
};

WindowState* stateOf(HWND window) {
    return reinterpret_cast<WindowState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

HFONT fontFor(WindowState& state, int height) {
    HFONT& font = state.fonts[height];
    if (font == nullptr)
        font = CreateFontA(-height, 0, 0, 0, kFontWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, std::string(kFontFace).c_str());
    return font;
}

struct ControlClass {
    const char* className;
    DWORD style;
    DWORD extendedStyle;
};

ControlClass classOf(const ControlSpec& control) {
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
    }
    return {"Static", 0, 0};
}

void createControls(HWND window, WindowState& state) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    for (const ControlSpec& control : kControls) {
        const ControlClass kind = classOf(control);
        HWND child =
            CreateWindowExA(kind.extendedStyle, kind.className, std::string(control.caption).c_str(),
                            WS_CHILD | WS_VISIBLE | kind.style, control.rect.left, control.rect.top,
                            control.rect.width, control.rect.height, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(state, control.fontHeight)), FALSE);
        if (control.kind == ControlKind::CheckBox || control.kind == ControlKind::OptionButton)
            SendMessageA(child, BM_SETCHECK, control.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        if (control.kind == ControlKind::EditBox) {
            SendMessageA(child, EM_LIMITTEXT, 0, 0);
            SendMessageA(child, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
        }
    }
    state.lastFocus = GetDlgItem(window, kInitialFocus);
    SetFocus(state.lastFocus);
}

Rect childRect(HWND window, int id) {
    RECT bounds{};
    HWND child = GetDlgItem(window, id);
    GetWindowRect(child, &bounds);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bounds), 2);
    return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

void scaleControls(HWND window, WindowState& state, int width, int height) {
    if (!state.layoutRecorded) {
        state.layoutRecorded = true;
        state.firstWidth = width;
        state.firstHeight = height;
        for (std::size_t i = 0; i < kControls.size(); ++i)
            state.firstRects[i] = childRect(window, kControls[i].id);
        return;
    }
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const Rect r = scaleRect(state.firstRects[i], state.firstWidth, state.firstHeight, width, height);
        SetWindowPos(GetDlgItem(window, kControls[i].id), nullptr, r.left, r.top, r.width, r.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void showStatus(HWND window, std::string_view status) {
    HWND box = GetDlgItem(window, ids::kStatusBox);
    SetWindowTextA(box, std::string(status).c_str());
    // The event loop is blocked during a run: paint now.
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ERASENOW);
}

std::string workingFolder() {
    char folder[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    return length > 0 && length < MAX_PATH ? std::string(folder, length) : std::string();
}

void onClick(HWND window, WindowState& state, int id) {
    WindowControls controls(window);
    switch (clickActionFor(id)) {
    case ClickAction::None: break;
    case ClickAction::ChangeZelFolder:
    case ClickAction::ChangeSeasonFolder: {
        const FolderSetting& setting =
            kFolderSettings[clickActionFor(id) == ClickAction::ChangeZelFolder ? 0 : 1];
        const std::string failed = changeFolder(
            window, setting, state.hooks.chooseFolder(window, std::string(setting.chooserTitle)));
        if (!failed.empty())
            state.hooks.showFailure(window, "The folder could not be remembered:\r\n\r\n" + failed);
        break;
    }
    case ClickAction::ExitProgram: PostMessageA(window, WM_CLOSE, 0, 0); break;
    case ClickAction::PitcherHitting:
        if (applyPitcherHittingRule(id, controls))
            state.hooks.showPitcherHittingMessage(std::string(kPitcherHittingMessage));
        break;
    case ClickAction::ProcessSeason: {
        ExportHooks hooks;
        hooks.showStatus = [window](std::string_view status) { showStatus(window, status); };
        hooks.showMessage = [window, &state](const std::string& text) {
            state.hooks.showFailure(window, text);
        };
        hooks.runExport = state.hooks.runExport;
        // A folder typed into the box is remembered like a chosen one.
        if (const std::string typed = controls.text(ids::kSeasonFolderBox); !typed.empty()) {
            if (const std::string failed = rememberFolder(kFolderSettings[1], typed); !failed.empty())
                state.hooks.showFailure(window, "The folder could not be remembered:\r\n\r\n" + failed);
        }
        processSeason(controls, workingFolder(), hooks);
        break;
    }
    }
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

void releaseState(HWND window) {
    WindowState* state = stateOf(window);
    if (state == nullptr) return;
    for (auto& [height, font] : state->fonts)
        DeleteObject(font);
    delete state;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    WindowState* state = stateOf(window);
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_CREATE:
        createControls(window, *state);
        orderForTabbing(window);
        loadFolderSettings(window);
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) scaleControls(window, *state, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(window, focus)) state->lastFocus = focus;
            if (dialogWindow == window) dialogWindow = nullptr;
        } else {
            dialogWindow = window;
        }
        return 0;
    case WM_SETFOCUS:
        if (state->lastFocus != nullptr) SetFocus(state->lastFocus);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && lParam != 0) onClick(window, *state, LOWORD(wParam));
        return 0;
    case DM_GETDEFID: return MAKELRESULT(kDefaultButton, DC_HASDEFID);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: return colourControl(message, reinterpret_cast<HDC>(wParam));
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        EnumChildWindows(window, forwardToChild, static_cast<LPARAM>(message));
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_CLOSE:
        ShowWindow(window, SW_HIDE);
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        if (dialogWindow == window) dialogWindow = nullptr;
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: releaseState(window); return DefWindowProcA(window, message, wParam, lParam);
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

void registerWindowClass(HINSTANCE instance) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    const std::string className(kWindowClassName);
    if (GetClassInfoExA(instance, className.c_str(), &existing)) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(32512));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // the standard arrow
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = className.c_str();
    RegisterClassExA(&windowClass);
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
    if (!hooks.runExport)
        hooks.runExport = [](const ExportOptions& options,
                             const std::function<void(std::string_view)>& report) {
            return boxloom::runExport(options, report);
        };
    return hooks;
}

} // namespace

bool WindowControls::isChecked(int id) const {
    return SendDlgItemMessageA(window_, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WindowControls::setChecked(int id, bool checked) {
    SendDlgItemMessageA(window_, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string WindowControls::text(int id) const {
    HWND control = GetDlgItem(window_, id);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void WindowControls::setText(int id, const std::string& text) { SetDlgItemTextA(window_, id, text.c_str()); }

HWND createMainWindow(HINSTANCE instance, MainWindowHooks hooks) {
    registerWindowClass(instance);
    auto* state = new WindowState;
    state->hooks = withDefaults(std::move(hooks));
    HWND window = CreateWindowExA(WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE,
                                  std::string(kWindowClassName).c_str(), std::string(kWindowCaption).c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                                      WS_MAXIMIZEBOX | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE,
                                  CW_USEDEFAULT, CW_USEDEFAULT, kWindowWidth, kWindowHeight, nullptr, nullptr,
                                  instance, state);
    if (window == nullptr) delete state;
    return window;
}

int runEventLoop(HWND window) {
    MSG message{};
    while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (dialogWindow != nullptr && IsDialogMessageA(dialogWindow, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

} // namespace boxloom::frontend
