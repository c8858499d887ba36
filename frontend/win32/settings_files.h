#pragma once

// The remembered folders, read from and written to their settings files in the
// working folder.

#include "control_states.h"
#include "folder_settings.h"

#include <string>
#include <string_view>

namespace boxloom::frontend {

// Text in the user's legacy ANSI code page, as UTF-8.
std::string legacyToUtf8(std::string_view text);

// Fills the folder boxes from the settings files that exist.
void loadFolderSettings(ControlStates& controls);

// Writes a settings file as the export files are written: whole or not at all.
// Returns the reason it failed, or "".
std::string rememberFolder(const FolderSetting& setting, const std::string& path);

// Shows a chosen folder, clears the status box and remembers the folder;
// returns the reason when the settings file could not be written ("" otherwise,
// or when the choice was cancelled).
std::string changeFolder(ControlStates& controls, const FolderSetting& setting,
                         const std::string& chosenPath);

} // namespace boxloom::frontend
