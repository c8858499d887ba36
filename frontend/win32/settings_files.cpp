#include "settings_files.h"

#include "control_table.h"
#include "file_layer.h"
#include "platform_files.h"

#include <windows.h>

namespace boxloom::frontend {

std::string legacyToUtf8(std::string_view text) {
    UINT codePage = CP_ACP;
    DWORD number = 0;
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&number), sizeof number / sizeof(wchar_t)) > 0)
        codePage = number;
    const int size = static_cast<int>(text.size());
    const int wideSize = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (wideSize <= 0) return std::string(text);
    std::wstring wide(static_cast<std::size_t>(wideSize), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), wideSize);
    const int utf8Size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(utf8Size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideSize, utf8.data(), utf8Size, nullptr, nullptr);
    return utf8;
}

void loadFolderSettings(ControlStates& controls) {
    for (const FolderSetting& setting : kFolderSettings) {
        const std::string name(setting.fileName);
        // A folder or a volume label of that name is no settings file.
        if (!platform::isRegularFile(name)) continue;
        std::string bytes;
        platform::readWholeFile(name, bytes); // unreadable: an empty box, as for a missing file
        const std::string value = settingValueAsUtf8(readSettingValue(bytes), legacyToUtf8);
        controls.setText(setting.boxId, value);
    }
}

std::string rememberFolder(const FolderSetting& setting, const std::string& path) {
    const std::string reason = replaceWholeFile(std::string(setting.fileName), settingFileBytes(path));
    return reason.empty() ? std::string() : std::string(setting.fileName) + ": " + reason;
}

std::string changeFolder(ControlStates& controls, const FolderSetting& setting,
                         const std::string& chosenPath) {
    if (chosenPath.empty()) return {}; // cancelled: the box keeps whatever it holds
    controls.setText(setting.boxId, chosenPath);
    controls.setText(ids::kStatusBox, "");
    return rememberFolder(setting, chosenPath);
}

} // namespace boxloom::frontend
