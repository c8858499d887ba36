#pragma once

// The little the league window asks of list-view controls in report view.

#include "league_controls.h"

#include <span>
#include <string>

#include <windows.h>

namespace boxloom::frontend::league {

std::string wideToUtf8(const wchar_t* text);
void addColumns(HWND list, std::span<const Column> columns, int dpi);
void scaleColumns(HWND list, std::span<const Column> columns, int dpi);
// Inserts a row at `row` with its cells, the first being the item's label.
void setRow(HWND list, int row, std::span<const std::string> cells);
// The selected row, or -1.
int selectedRow(HWND list);

} // namespace boxloom::frontend::league
