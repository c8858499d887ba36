#pragma once

// What the league window asks of the shell: the database file dialog, a
// question, opening a page or a folder, its settings file, and its taskbar button.

#include "league_settings.h"

#include <string>

#include <windows.h>

struct ITaskbarList3;

namespace boxloom::frontend::league {

// The standard dialog for a database to open or to make; "" when cancelled.
std::string chooseDatabaseFile(HWND owner, const std::string& current);
// Yes or no, No being the default.
bool askYesNo(HWND owner, const std::string& question);
// Opens a file or a folder as Explorer would.
void openInShell(HWND owner, const std::string& path);

LeagueSettings loadLeagueSettings();
// Written whole or not at all; the reason it failed, or "".
std::string rememberLeagueSettings(const LeagueSettings& settings);

// The taskbar button's progress; does nothing where the shell has none.
class TaskbarProgress {
public:
    TaskbarProgress() = default;
    TaskbarProgress(const TaskbarProgress&) = delete;
    TaskbarProgress& operator=(const TaskbarProgress&) = delete;
    ~TaskbarProgress();
    enum class State { None, Normal, Error };
    void show(HWND window, State state, int percent);

private:
    ::ITaskbarList3* list_ = nullptr;
    bool tried_ = false;
};

} // namespace boxloom::frontend::league
