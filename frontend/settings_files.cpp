#include "folder_settings.h"
#include "main_window.h"

#include <vector>

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

} // namespace

void loadFolderSettings(HWND window) {
    for (const FolderSetting& setting : kFolderSettings) {
        const std::string name(setting.fileName);
        if (!isSettingsFile(name)) continue;
        SetDlgItemTextA(window, setting.boxId, readSettingValue(readWholeFile(name)).c_str());
    }
}

void changeFolder(HWND window, const FolderSetting& setting, const std::string& chosenPath) {
    if (chosenPath.empty()) return; // cancelled: the box keeps whatever it holds
    SetDlgItemTextA(window, setting.boxId, chosenPath.c_str());
    const std::string bytes = settingFileBytes(chosenPath);
    HANDLE file = CreateFileA(std::string(setting.fileName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace boxloom::frontend
