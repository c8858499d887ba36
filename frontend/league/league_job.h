#pragma once

// The league window's work as it shows it, without a window: the season
// list's cells and order, the progress and status of a job, the log's text,
// and the settings read from and shown in the controls.

#include "control_states.h"
#include "league_controls.h"
#include "league_settings.h"
#include "league_store.h"
#include "report_lines.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace boxloom::frontend::league {

using database::seasonListCells;
using database::SeasonSummary;

// By one column, numbers as numbers; equal values keep the labels' order.
void sortSeasons(std::vector<SeasonSummary>& seasons, std::size_t column, bool ascending);

// What a blank "Games per team" means for these seasons: "blank: 162 found",
// "blank: 154 to 162 found" when they differ, "" without seasons.
std::string gamesFoundText(const std::vector<SeasonSummary>& seasons);

enum class Job { Import, Remove, Site };

struct Progress {
    Job job = Job::Import;
    std::size_t done = 0;
    std::size_t total = 0;
};

// From 0 to 100.
int progressPercent(const Progress& progress);
std::string progressStatus(const Progress& progress);

enum class Ending { Succeeded, Failed, Cancelled };
// A job that succeeded with warnings (records skipped, a partial record) says so.
std::string endingStatus(Job job, Ending ending, std::size_t warnings = 0);

// Lines for the read-only log box, with Windows line ends.
std::string logText(const std::vector<ReportLine>& lines);

// While a job runs only Cancel works; otherwise everything but Cancel.
bool enabledWhile(bool busy, int id);

LeagueSettings settingsFrom(const ControlStates& controls);
void showSettings(const LeagueSettings& settings, ControlStates& controls);

} // namespace boxloom::frontend::league
