#include "league_shell.h"

#include "file_layer.h"
#include "platform_files.h"
#include "settings_files.h"

#include <shellapi.h>
#include <shobjidl.h>

namespace boxloom::frontend::league {

std::string chooseDatabaseFile(HWND owner, const std::string& current) {
    char path[MAX_PATH] = {};
    if (current.size() < MAX_PATH) current.copy(path, current.size());
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "League databases (*.db)\0*.db\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = "League database (a new name makes one)";
    dialog.lpstrDefExt = "db";
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return GetSaveFileNameA(&dialog) ? std::string(path) : std::string();
}

bool askYesNo(HWND owner, const std::string& question) {
    char caption[128] = {};
    GetWindowTextA(owner, caption, sizeof caption);
    return MessageBoxA(owner, question.c_str(), caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void openInShell(HWND owner, const std::string& path) {
    ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LeagueSettings loadLeagueSettings() {
    const std::string name(kLeagueSettingsFile);
    if (!platform::isRegularFile(name)) return {};
    std::string bytes;
    platform::readWholeFile(name, bytes); // unreadable: the settings a first run has
    return parseLeagueSettings(bytes, legacyToUtf8);
}

std::string rememberLeagueSettings(const LeagueSettings& settings) {
    const std::string name(kLeagueSettingsFile);
    const std::string reason = replaceWholeFile(name, leagueSettingsBytes(settings));
    return reason.empty() ? std::string() : name + ": " + reason;
}

TaskbarProgress::~TaskbarProgress() {
    if (list_ != nullptr) list_->Release();
}

void TaskbarProgress::show(HWND window, State state, int percent) {
    if (!tried_) {
        tried_ = true;
        void* made = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                       &made))) {
            list_ = static_cast<ITaskbarList3*>(made);
            if (FAILED(list_->HrInit())) {
                list_->Release();
                list_ = nullptr;
            }
        }
    }
    if (list_ == nullptr) return;
    switch (state) {
    case State::None: list_->SetProgressState(window, TBPF_NOPROGRESS); return;
    case State::Normal: list_->SetProgressState(window, TBPF_NORMAL); break;
    case State::Error: list_->SetProgressState(window, TBPF_ERROR); break;
    }
    list_->SetProgressValue(window, static_cast<ULONGLONG>(percent), 100);
}

} // namespace boxloom::frontend::league
