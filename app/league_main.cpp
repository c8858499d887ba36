#include "league_window.h"
#include "main_window.h"

#include <commctrl.h>
#include <objbase.h>

#ifndef BOXLOOM_VERSION
#define BOXLOOM_VERSION "0.0.0"
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    boxloom::frontend::league::LeagueWindowHooks hooks;
    hooks.version = BOXLOOM_VERSION;
    HWND window = boxloom::frontend::league::LeagueWindow::create(instance, hooks);
    int exitCode = 1;
    if (window != nullptr) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
        exitCode = boxloom::frontend::runEventLoop(window);
    }
    CoUninitialize();
    return exitCode;
}
