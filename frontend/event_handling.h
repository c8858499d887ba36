#pragma once

// The window-free part of the event handling: what a click does, the rule that
// keeps one pitcher-hitting box checked, and the export started from the window.

#include "control_states.h"
#include "export_options.h"
#include "export_outcome.h"

#include <functional>
#include <string>
#include <string_view>

namespace boxloom::frontend {

enum class ClickAction {
    None,
    ChangeZelFolder,
    ChangeSeasonFolder,
    ExitProgram,
    PitcherHitting,
    ProcessSeason
};

ClickAction clickActionFor(int id);

inline constexpr std::string_view kPitcherHittingMessage =
    " You must select one of the Pitcher Hitting options ";

// Applies the rule after the toolkit flipped the clicked box. Returns true when
// the message must be shown: the user tried to leave no box checked.
bool applyPitcherHittingRule(int clickedId, ControlStates& controls);

// The run's options as the controls stand; the output folder is the working folder.
ExportOptions gatherExportOptions(const ControlStates& controls, const std::string& outputFolder);

// The text of the message box that follows a failed run.
std::string failureMessage(const ExportOutcome& outcome);

struct ExportHooks {
    std::function<void(std::string_view)> showStatus;    // writes and repaints the status box
    std::function<void(const std::string&)> showMessage; // one message box
    std::function<ExportOutcome(const ExportOptions&, const std::function<void(std::string_view)>&)>
        runExport;
};

// "Process Season Stats": gathers the options, runs the export, and on failure
// shows one message listing the problems.
void processSeason(ControlStates& controls, const std::string& outputFolder, const ExportHooks& hooks);

} // namespace boxloom::frontend
