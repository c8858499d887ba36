#pragma once

// What both windows share: their class, registered once, their frame, and
// their messages routed to the state object each was created with.

#include "layout.h"

#include <memory>
#include <string>
#include <string_view>

#include <windows.h>

namespace boxloom::frontend {

struct WindowClassDesign {
    std::string_view name;
    UINT style = CS_HREDRAW | CS_VREDRAW;
    WNDPROC procedure = nullptr;
    HICON icon = nullptr;
};
// Registers the class unless the instance has it already.
void registerWindowClass(HINSTANCE instance, const WindowClassDesign& design);

// The window class and styles a control of the design is created with.
struct ControlClass {
    const char* className;
    DWORD style;
    DWORD extendedStyle;
};

struct FrameStyle {
    DWORD style = 0;
    DWORD extendedStyle = 0;
};
// The caption and borders around a client area at a DPI, as the system reckons them.
Size frameAt(const FrameStyle& frame, int dpi);

// The window takes the state over at WM_NCCREATE (a std::unique_ptr<State>* in
// lpCreateParams, so a window that is never made leaves it to be deleted) and
// deletes it at WM_NCDESTROY. State has `window_` and `handle(message, wParam,
// lParam)`, and makes this function its friend.

template <typename State>
LRESULT CALLBACK routeToState(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner =
            static_cast<std::unique_ptr<State>*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        State* state = owner->release();
        state->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    }
    auto* state = reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        delete state;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return state->handle(message, wParam, lParam);
}

// A top-level window of the class, `outer` in size, run by `state`; null when
// it cannot be made.
template <typename State>
HWND createStateWindow(HINSTANCE instance, std::string_view className, const FrameStyle& frame,
                       std::string_view caption, Size outer, std::unique_ptr<State> state) {
    return CreateWindowExA(frame.extendedStyle, std::string(className).c_str(), std::string(caption).c_str(),
                           frame.style, CW_USEDEFAULT, CW_USEDEFAULT, outer.width, outer.height, nullptr,
                           nullptr, instance, &state);
}

} // namespace boxloom::frontend
