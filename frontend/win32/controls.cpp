#include "controls.h"

#include "layout.h"

namespace boxloom::frontend {

bool Control::isChecked() const { return SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Control::setChecked(bool checked) {
    SendMessageA(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string Control::text() const {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::setText(const std::string& text) { SetWindowTextA(handle_, text.c_str()); }

void Control::place(const Rect& rect) {
    SetWindowPos(handle_, nullptr, rect.left, rect.top, rect.width, rect.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Control::setFont(HFONT font) { SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }

FontSet::~FontSet() {
    for (auto& [height, font] : fonts_)
        DeleteObject(font);
}

HFONT FontSet::font(int designHeight) {
    HFONT& font = fonts_[designHeight];
    if (font == nullptr)
        font = CreateFontA(-scaleForDpi(designHeight, dpi_), 0, 0, 0, kFontWeight, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, std::string(kFontFace).c_str());
    return font;
}

} // namespace boxloom::frontend
