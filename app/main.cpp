#include "main_window.h"

#include <commctrl.h>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    HWND window = boxloom::frontend::MainWindow::create(instance);
    int exitCode = 1; // a window that cannot be made is a failed start
    if (window != nullptr) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
        exitCode = boxloom::frontend::runEventLoop(window);
    }
    CoUninitialize();
    return exitCode;
}
