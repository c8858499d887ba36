#include "folder_chooser.h"

#include <shlobj.h>

namespace boxloom::frontend {

namespace {

struct ChooserPlacement {
    HWND owner;
    POINT offset;
    const std::string* startFolder;
};

int CALLBACK chooserEvent(HWND chooser, UINT message, LPARAM value, LPARAM data) {
    const auto* placement = reinterpret_cast<const ChooserPlacement*>(data);
    if (message == BFFM_INITIALIZED) {
        RECT owner{};
        GetWindowRect(placement->owner, &owner);
        SetWindowPos(chooser, nullptr, owner.left + placement->offset.x, owner.top + placement->offset.y, 0,
                     0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (!placement->startFolder->empty())
            SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE,
                         reinterpret_cast<LPARAM>(placement->startFolder->c_str()));
    } else if (message == BFFM_SELCHANGED) {
        SendMessageA(chooser, BFFM_ENABLEOK, 0, value != 0);
    }
    return 0;
}

} // namespace

std::string browseForFolder(HWND owner, const std::string& title, const std::string& startFolder,
                            POINT offset) {
    ChooserPlacement placement{owner, offset, &startFolder};
    BROWSEINFOA browse{};
    browse.hwndOwner = owner;
    browse.lpszTitle = title.c_str();
    browse.ulFlags = BIF_NEWDIALOGSTYLE;
    browse.lpfn = chooserEvent;
    browse.lParam = reinterpret_cast<LPARAM>(&placement);
    PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&browse);
    if (item == nullptr) return {};
    char path[MAX_PATH] = {};
    const bool isFolder = SHGetPathFromIDListA(item, path) != FALSE;
    CoTaskMemFree(item);
    return isFolder ? std::string(path) : std::string();
}

} // namespace boxloom::frontend
