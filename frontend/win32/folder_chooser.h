#pragma once

#include <string>

#include <windows.h>

namespace boxloom::frontend {

// The shell's folder chooser, placed at `offset` from the owner's corner;
// returns the chosen path, or "" when cancelled.
std::string browseForFolder(HWND owner, const std::string& title, const std::string& startFolder,
                            POINT offset);

} // namespace boxloom::frontend
