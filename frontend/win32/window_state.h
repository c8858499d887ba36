#pragma once

// A window's messages routed to the state object it was created with: the
// window takes the state over at WM_NCCREATE (a std::unique_ptr<State>* in
// lpCreateParams, so a window that is never made leaves it to be deleted) and
// deletes it at WM_NCDESTROY. State has `window_` and `handle(message, wParam,
// lParam)`, and makes this function its friend.

#include <memory>

#include <windows.h>

namespace boxloom::frontend {

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

} // namespace boxloom::frontend
