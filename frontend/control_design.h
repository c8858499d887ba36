#pragma once

// How both windows describe a control, as data: each window creates its
// controls from its table, and the tests check the real window against it.

#include <string_view>

namespace boxloom::frontend {

enum class ControlKind {
    Label,
    CheckBox,
    OptionButton,
    PushButton,
    EditBox,
    SeasonList,
    FolderList,
    ProgressBar,
    StatusLine,
    LogBox,
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// Which edges of the client area a control keeps its distance to; a control
// held at both edges of a direction stretches with the window.
enum Anchor : unsigned { kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };

struct ControlDesign {
    int id;
    ControlKind kind;
    std::string_view caption;
    Rect rect;                // at 96 DPI in the window's design client area
    int fontHeight = 0;       // 0: the window's font
    bool checked = false;     // initial state of check boxes and option buttons
    bool startsGroup = false; // the first option button of a group
    unsigned anchors = kLeft | kTop;
};

// A control that moves or stretches with the edges it is anchored to.
constexpr ControlDesign anchored(int id, ControlKind kind, std::string_view caption, Rect rect,
                                 unsigned anchors = kLeft | kTop) {
    return {id, kind, caption, rect, 0, false, false, anchors};
}

} // namespace boxloom::frontend
