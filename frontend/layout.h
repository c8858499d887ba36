#pragma once

#include "control_table.h"

#include <span>
#include <vector>

namespace boxloom::frontend {

// Rounds to the nearest whole number, ties to even.
int roundHalfEven(float value);

// A control's rectangle for client size (width, height), scaled on all four edges
// from its first rectangle at the first client size; never from the last one.
Rect scaleRect(const Rect& first, int firstWidth, int firstHeight, int width, int height);

// The window and its controls are designed at this DPI; at any other they are
// scaled, so that 144 DPI gives 1.5 times every length.
inline constexpr int kDesignDpi = 96;

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// A length at `dpi`, rounded to the nearest pixel (halves away from zero).
int scaleForDpi(int length, int dpi);
Size scaleForDpi(const Size& size, int dpi);
// Edges are scaled, not widths, so that controls that touch still touch.
Rect scaleForDpi(const Rect& rect, int dpi);

// Controls whose tops lie within this many pixels of a row's first control
// read as one row.
inline constexpr int kRowTolerance = 16;

// The ids of the controls in reading order: rows from top to bottom, each
// row from left to right. Tab follows this order.
std::vector<int> readingOrder(std::span<const ControlDesign> controls);

} // namespace boxloom::frontend
