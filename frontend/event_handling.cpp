#include "event_handling.h"

#include "control_table.h"

#include <array>
#include <utility>

namespace boxloom::frontend {

namespace {

constexpr std::array<std::pair<int, ClickAction>, 7> kClickActions = {{
    {ids::kChangeZelFolder, ClickAction::ChangeZelFolder},
    {ids::kChangeSeasonFolder, ClickAction::ChangeSeasonFolder},
    {ids::kExitProgram, ClickAction::ExitProgram},
    {ids::kIgnorePitcherHitting, ClickAction::PitcherHitting},
    {ids::kGroupPitcherHitting, ClickAction::PitcherHitting},
    {ids::kIncludePitcherHitting, ClickAction::PitcherHitting},
    {ids::kProcessSeason, ClickAction::ProcessSeason},
}};

constexpr std::array<int, 3> kPitcherHittingBoxes = {ids::kIncludePitcherHitting, ids::kGroupPitcherHitting,
                                                     ids::kIgnorePitcherHitting};

constexpr std::array<std::pair<int, TeamNotation>, 4> kNotationButtons = {{
    {ids::kCityName, TeamNotation::City},
    {ids::kNickname, TeamNotation::Nickname},
    {ids::kAbbreviation, TeamNotation::Abbreviation},
    {ids::kCityAndNickname, TeamNotation::CityAndNickname},
}};

constexpr std::array<std::pair<int, PitcherHittingMode>, 3> kModeBoxes = {{
    {ids::kIncludePitcherHitting, PitcherHittingMode::Include},
    {ids::kGroupPitcherHitting, PitcherHittingMode::GroupByTeam},
    {ids::kIgnorePitcherHitting, PitcherHittingMode::Ignore},
}};

} // namespace

ClickAction clickActionFor(int id) {
    for (const auto& [controlId, action] : kClickActions)
        if (controlId == id) return action;
    return ClickAction::None;
}

bool applyPitcherHittingRule(int clickedId, ControlStates& controls) {
    // Unchecking the checked box would leave none: it is checked again instead.
    const bool leftNone = !controls.isChecked(clickedId);
    if (leftNone) controls.setChecked(clickedId, true);
    for (int box : kPitcherHittingBoxes)
        if (box != clickedId) controls.setChecked(box, false);
    return leftNone;
}

ExportOptions gatherExportOptions(const ControlStates& controls, const std::string& outputFolder) {
    ExportOptions options;
    options.outputSuffix = controls.isChecked(ids::kSuffixTxt) ? "TXT" : "CSV";
    options.teamNotation = TeamNotation::None;
    for (const auto& [id, notation] : kNotationButtons)
        if (controls.isChecked(id)) options.teamNotation = notation;
    options.pitcherHitting = PitcherHittingMode::None;
    for (const auto& [id, mode] : kModeBoxes)
        if (controls.isChecked(id)) options.pitcherHitting = mode;
    options.includeFielding = controls.isChecked(ids::kFielding);
    options.includePitchingSplits = controls.isChecked(ids::kPitchingSplits);
    options.includeHittingSplits = controls.isChecked(ids::kHittingSplits);
    options.seasonFolder = controls.text(ids::kSeasonFolderBox);
    options.outputFolder = outputFolder;
    return options;
}

std::string failureMessage(const ExportOutcome& outcome) {
    std::string message = "The season statistics could not be exported:\r\n\r\n";
    for (const ExportProblem& problem : outcome.problems)
        message += problem.file + ": " + problem.reason + "\r\n";
    if (!outcome.recovery.problems.empty())
        message += "\r\nAn interrupted export could not be completed: the folder may hold files of two "
                   "exports, as listed above.";
    else
        message += outcome.earlierFilesKept ? "\r\nEarlier export files were left as they were."
                                            : "\r\nSome export files hold the new export, as listed above.";
    return message;
}

void processSeason(ControlStates& controls, const std::string& outputFolder, const ExportHooks& hooks) {
    const ExportOptions options = gatherExportOptions(controls, outputFolder);
    const ExportOutcome outcome = hooks.runExport(options, hooks.showStatus);
    if (!outcome.succeeded() && hooks.showMessage) hooks.showMessage(failureMessage(outcome));
}

} // namespace boxloom::frontend
