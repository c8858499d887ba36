#include "window_base.h"

namespace boxloom::frontend {

void registerWindowClass(HINSTANCE instance, const WindowClassDesign& design) {
    const std::string name(design.name);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, name.c_str(), &windowClass)) return;
    windowClass.style = design.style;
    windowClass.lpfnWndProc = design.procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = design.icon;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // the standard arrow
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name.c_str();
    RegisterClassExA(&windowClass);
}

Size frameAt(const FrameStyle& frame, int dpi) {
    RECT bounds{};
    AdjustWindowRectExForDpi(&bounds, frame.style, FALSE, frame.extendedStyle, static_cast<UINT>(dpi));
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

} // namespace boxloom::frontend
