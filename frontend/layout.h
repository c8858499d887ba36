#pragma once

#include "control_table.h"

namespace boxloom::frontend {

// Rounds to the nearest whole number, ties to even.
int roundHalfEven(float value);

// A control's rectangle for client size (width, height), scaled on all four edges
// from its first rectangle at the first client size; never from the last one.
Rect scaleRect(const Rect& first, int firstWidth, int firstHeight, int width, int height);

} // namespace boxloom::frontend
