#pragma once

// The two remembered folders: one-line settings files in the working folder.

#include <array>
#include <string>
#include <string_view>

namespace boxloom::frontend {

struct FolderSetting {
    std::string_view fileName;
    int boxId;
    int buttonId;
    std::string_view chooserTitle;
};

extern const std::array<FolderSetting, 2> kFolderSettings; // ZEL folder, then season folder

// The value of a settings file: leading blanks skipped; a value opening with a
// double quote runs to the next one; otherwise it ends at CR, LF, Ctrl-Z or the
// end; tabs inside are dropped.
std::string readSettingValue(std::string_view fileBytes);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view bytes);

// A remembered value as UTF-8: values written before the program took UTF-8
// are in the user's legacy ANSI code page, which `fromLegacy` converts.
std::string settingValueAsUtf8(std::string_view value, std::string (*fromLegacy)(std::string_view));

// What is written after a successful choice: the path and CR LF.
std::string settingFileBytes(std::string_view path);

} // namespace boxloom::frontend
