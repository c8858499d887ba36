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

// Controls whose tops lie within this many pixels of a row's first control
// read as one row.
inline constexpr int kRowTolerance = 16;

// The ids of the controls in reading order: rows from top to bottom, each
// row from left to right. Tab follows this order.
std::vector<int> readingOrder(std::span<const ControlSpec> controls);

} // namespace boxloom::frontend
