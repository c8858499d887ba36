#pragma once

// The Win32 main window: a thin layer over the window-free logic.

#include "control_table.h"
#include "controls.h"
#include "event_handling.h"
#include "layout.h"
#include "window_base.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

#include <windows.h>

namespace boxloom::frontend {

struct MainWindowHooks {
    // The pitcher-hitting message; by default the real, task-modal message box.
    std::function<void(const std::string&)> showPitcherHittingMessage;
    // The message that lists a failed run's problems.
    std::function<void(HWND owner, const std::string&)> showFailure;
    // The folder chooser; returns the chosen path or an empty string.
    std::function<std::string(HWND owner, const std::string& title)> chooseFolder;
    std::function<ExportOutcome(const ExportOptions&, const std::function<void(std::string_view)>&)>
        runExport;
    // The system menu's league item; by default starts boxloom-league.exe from
    // the program's own folder. Returns why it could not, or "".
    std::function<std::string(HWND owner)> openLeagueWindow;
};

// The system menu's item that leads to the league window, below a separator.
inline constexpr UINT kLeagueMenuItem = 0x0010; // a system command: below 0xF000, a multiple of 16
inline constexpr std::string_view kLeagueMenuCaption = "League Database and Web Site...";

// The window's state. The window owns it through its user data and deletes it
// when it is destroyed.
class MainWindow {
public:
    // Registers the class on first use and creates the window with its
    // controls, sized for its monitor's DPI, the focus on "Include Hitting
    // Splits" and the remembered folders loaded. Null when it failed.
    static HWND create(HINSTANCE instance, MainWindowHooks hooks = {});

private:
    explicit MainWindow(MainWindowHooks hooks);
    template <typename State> friend LRESULT CALLBACK routeToState(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void onCreate();
    void addLeagueMenuItem();
    void onActivate(bool active);
    void onClick(int id);
    void onDpiChanged(int dpi, const RECT& suggested);
    void processSeason();
    void rememberChosenFolder(int settingIndex);
    void showStatus(std::string_view status);

    void createControls();
    void useDpi(int dpi);
    void layOutControls(Size client);
    Size clientSize() const;

    HWND window_ = nullptr;
    MainWindowHooks hooks_;
    int dpi_ = kDesignDpi;
    std::unique_ptr<FontSet> fonts_;
    Size designClient_; // the client area at 96 DPI
    // Controls are scaled from these, never from where they are now.
    Size baseClient_;
    std::array<Rect, kControls.size()> baseRects_{};
    HWND lastFocus_ = nullptr;
};

// Runs until the window is gone or the loop is told to end; returns the exit code.
int runEventLoop(HWND window);

} // namespace boxloom::frontend
