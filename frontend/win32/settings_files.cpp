#include "settings_files.h"

#include "control_table.h"
#include "file_layer.h"

#include <vector>

#include <windows.h>

namespace boxloom::frontend {

namespace {

constexpr DWORD kVolumeLabel = 0x8;

// A regular file of that name in the working folder: folders and volume labels are not.
bool isSettingsFile(const std::string& name) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(name.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | kVolumeLabel)) == 0;
}

std::string readWholeFile(const std::string& name) {
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    std::vector<char> chunk(4096);
    DWORD got = 0;
    while (ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &got, nullptr) && got > 0)
        bytes.append(chunk.data(), got);
    CloseHandle(file);
    return bytes;
}

// Text in the user's legacy ANSI code page, as UTF-8.
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

} // namespace

void loadFolderSettings(ControlStates& controls) {
    for (const FolderSetting& setting : kFolderSettings) {
        const std::string name(setting.fileName);
        if (!isSettingsFile(name)) continue;
        const std::string value = settingValueAsUtf8(readSettingValue(readWholeFile(name)), legacyToUtf8);
        controls.setText(setting.boxId, value);
    }
}

std::string rememberFolder(const FolderSetting& setting, const std::string& path) {
    const std::string bytes = settingFileBytes(path);
    ReplacementFile file;
    std::string reason = file.create(std::string(setting.fileName));
    if (reason.empty()) reason = file.write(bytes.data(), bytes.size());
    if (reason.empty()) reason = file.finish();
    if (reason.empty()) reason = file.replace();
    file.cleanUp();
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
