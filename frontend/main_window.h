#pragma once

// The Win32 main window: a thin layer over the window-free logic.

#include "event_handling.h"
#include "folder_settings.h"

#include <functional>
#include <string>

#include <windows.h>

namespace boxloom::frontend {

struct MainWindowHooks {
    // The pitcher-hitting message; by default the real, task-modal message box.
    std::function<void(const std::string&)> showPitcherHittingMessage;
    // The message that lists a failed run's problems.
    std::function<void(HWND owner, const std::string&)> showFailure;
    // The folder chooser; returns the chosen path or an empty string.
    std::function<std::string(HWND owner, const std::string& title)> chooseFolder;
    std::function<ExportOutcome(const ExportOptions&, const std::function<void(std::string_view)>&)>
        runExport;
};

// Registers the class on first use and creates the window with its controls,
// the focus on "Include Hitting Splits" and the remembered folders loaded.
HWND createMainWindow(HINSTANCE instance, MainWindowHooks hooks = {});

// Runs until the window is gone or the loop is told to end; returns the exit code.
int runEventLoop(HWND window);

// The folder settings files, read into and written from the boxes.
void loadFolderSettings(HWND window);
// Shows a chosen folder, clears the status box and remembers the folder; the
// reason when the settings file could not be written ("" otherwise, or when cancelled).
std::string changeFolder(HWND window, const FolderSetting& setting, const std::string& chosenPath);
// Writes a settings file as the export files are written: whole or not at all.
std::string rememberFolder(const FolderSetting& setting, const std::string& path);

std::string browseForFolder(HWND owner, const std::string& title, const std::string& startFolder,
                            POINT offset);

// Reads and sets the controls of a window by id.
class WindowControls : public ControlStates {
public:
    explicit WindowControls(HWND window) : window_(window) {}
    bool isChecked(int id) const override;
    void setChecked(int id, bool checked) override;
    std::string text(int id) const override;
    void setText(int id, const std::string& text) override;

private:
    HWND window_;
};

} // namespace boxloom::frontend
