#include "league_job.h"

#include <algorithm>
#include <tuple>

namespace boxloom::frontend::league {

namespace {

std::int64_t numberIn(const SeasonSummary& season, std::size_t column) {
    switch (column) {
    case 1: return season.year;
    case 2: return season.teams;
    case 3: return season.players;
    case 4: return season.rows;
    case 5: return season.games;
    default: return 0;
    }
}

const char* jobName(Job job) {
    switch (job) {
    case Job::Import: return "Import";
    case Job::Remove: return "Removal";
    case Job::Site: return "Site";
    }
    return "";
}

} // namespace

void sortSeasons(std::vector<SeasonSummary>& seasons, std::size_t column, bool ascending) {
    std::sort(seasons.begin(), seasons.end(), [&](const SeasonSummary& a, const SeasonSummary& b) {
        const SeasonSummary& first = ascending ? a : b;
        const SeasonSummary& second = ascending ? b : a;
        if (kSeasonColumns.at(column).numeric) {
            if (numberIn(first, column) != numberIn(second, column))
                return numberIn(first, column) < numberIn(second, column);
        } else if (column != 0) {
            const std::string left = seasonListCells(first)[column], right = seasonListCells(second)[column];
            if (left != right) return left < right;
        }
        return first.label < second.label;
    });
}

std::string gamesFoundText(const std::vector<SeasonSummary>& seasons) {
    if (seasons.empty()) return {};
    const auto [least, most] = std::minmax_element(
        seasons.begin(), seasons.end(), [](const auto& a, const auto& b) { return a.games < b.games; });
    if (least->games == most->games) return "blank: " + std::to_string(most->games) + " found";
    return "blank: " + std::to_string(least->games) + " to " + std::to_string(most->games) + " found";
}

int progressPercent(const Progress& progress) {
    if (progress.total == 0) return 0;
    return static_cast<int>(std::min(progress.done, progress.total) * 100 / progress.total);
}

std::string progressStatus(const Progress& progress) {
    const std::string of = std::to_string(progress.done) + " of " + std::to_string(progress.total);
    switch (progress.job) {
    case Job::Import: return "Importing: " + of + " seasons done...";
    case Job::Remove: return "Removing the season...";
    case Job::Site: return "Building the site: " + of + " groups of pages made...";
    }
    return {};
}

std::string endingStatus(Job job, Ending ending, std::size_t warnings) {
    const std::string name = jobName(job);
    switch (ending) {
    case Ending::Succeeded:
        if (warnings == 0) return name + " finished.";
        return name + " finished with " + std::to_string(warnings) +
               (warnings == 1 ? " warning" : " warnings") + "; the log says what.";
    case Ending::Failed: return name + " FAILED; the log says why.";
    case Ending::Cancelled:
        return job == Job::Site ? "Site cancelled; the pages not yet made were left as they were."
                                : name + " cancelled; the database was left as it was.";
    }
    return {};
}

std::string logText(const std::vector<ReportLine>& lines) {
    std::string text;
    for (const ReportLine& line : lines)
        text += line.text + "\r\n";
    return text;
}

bool enabledWhile(bool busy, int id) { return busy == (id == ids::kCancel); }

LeagueSettings settingsFrom(const ControlStates& controls) {
    return {controls.text(ids::kDatabaseBox), controls.text(ids::kSiteFolderBox),
            controls.text(ids::kTitleBox), controls.text(ids::kGamesBox), controls.text(ids::kTemplatesBox)};
}

void showSettings(const LeagueSettings& settings, ControlStates& controls) {
    controls.setText(ids::kDatabaseBox, settings.database);
    controls.setText(ids::kSiteFolderBox, settings.siteFolder);
    controls.setText(ids::kTitleBox, settings.title);
    controls.setText(ids::kGamesBox, settings.games);
    controls.setText(ids::kTemplatesBox, settings.templatesFolder);
}

} // namespace boxloom::frontend::league
