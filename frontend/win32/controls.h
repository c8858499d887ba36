#pragma once

// Thin wrappers over the window's child controls and their fonts.

#include "control_states.h"
#include "control_table.h"

#include <map>
#include <string>

#include <windows.h>

namespace boxloom::frontend {

// One child control by its window handle.
class Control {
public:
    explicit Control(HWND handle) : handle_(handle) {}
    HWND handle() const { return handle_; }
    bool isChecked() const;
    void setChecked(bool checked);
    std::string text() const;
    void setText(const std::string& text);
    void place(const Rect& rect);
    void setFont(HFONT font);

private:
    HWND handle_;
};

// The controls of a window, by id.
class WindowControls : public ControlStates {
public:
    explicit WindowControls(HWND window) : window_(window) {}
    Control operator[](int id) const { return Control(GetDlgItem(window_, id)); }
    bool isChecked(int id) const override { return (*this)[id].isChecked(); }
    void setChecked(int id, bool checked) override { (*this)[id].setChecked(checked); }
    std::string text(int id) const override { return (*this)[id].text(); }
    void setText(int id, const std::string& text) override { (*this)[id].setText(text); }

private:
    HWND window_;
};

// The window's fonts at one DPI: one per design height, made on first use and
// deleted with the set.
class FontSet {
public:
    explicit FontSet(int dpi) : dpi_(dpi) {}
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;
    ~FontSet();
    HFONT font(int designHeight);

private:
    int dpi_;
    std::map<int, HFONT> fonts_;
};

} // namespace boxloom::frontend
