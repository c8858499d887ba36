// The league window's jobs: started from its buttons, run on a worker thread,
// ended when the worker's last message arrives.

#include "league_window.h"

#include "controls.h"
#include "list_view.h"

#include <commctrl.h>

#include <algorithm>

namespace boxloom::frontend::league {

void LeagueWindow::importSeasons(bool replace) {
    ImportRequest request = importRequestOf(text(ids::kDatabaseBox), folders_);
    if (refused(request.problems)) return;
    request.replace = replace;
    remember();
    start(Job::Import, [request, importer = hooks_.importSeasons](const std::atomic<bool>& cancel,
                                                                  const ProgressReport& progress) {
        return importTask(request, cancel, progress, importer);
    });
}

// Problems that stop a job before it starts go into the log; the first one
// into the status line.
bool LeagueWindow::refused(const std::vector<std::string>& problems) {
    if (problems.empty()) return false;
    std::vector<ReportLine> lines;
    for (const std::string& problem : problems)
        lines.push_back({true, problem});
    log(lines);
    setStatus(problems.front(), true);
    return true;
}

void LeagueWindow::removeSeason() {
    const int row = selectedRow(control(ids::kSeasonList));
    if (row < 0 || static_cast<std::size_t>(row) >= seasons_.size())
        return setStatus("Choose the season to remove in the list first.", true);
    const std::string label = seasons_[static_cast<std::size_t>(row)].label;
    const std::string database = text(ids::kDatabaseBox);
    if (!hooks_.confirm(window_, "Remove season " + label + " and all its rows from " + database + "?"))
        return;
    start(Job::Remove, [database, label](const std::atomic<bool>&, const ProgressReport&) {
        return removeTask(database, label);
    });
}

void LeagueWindow::buildSite() {
    const SiteRequest request = siteRequestOf(settingsFrom(WindowControls(window_)), hooks_.version);
    if (refused(request.problems)) return;
    remember();
    start(Job::Site, [options = request.options, maker = hooks_.makeSite](const std::atomic<bool>& cancel,
                                                                          const ProgressReport& progress) {
        return siteTask(options, cancel, progress, maker);
    });
}

// The worker posts its progress and its end to the window; the window joins it
// when the end arrives.
void LeagueWindow::start(Job job, Work work) {
    running_ = job;
    cancel_ = false;
    setBusy(true);
    onJobProgress(0, 0);
    HWND window = window_;
    worker_ = std::thread([this, window, job, work = std::move(work)] {
        const ProgressReport progress = [window](std::size_t done, std::size_t total) {
            PostMessageA(window, kJobProgressMessage, done, static_cast<LPARAM>(total));
        };
        auto result = std::make_unique<JobResult>(JobResult{job, work(cancel_, progress)});
        if (PostMessageA(window, kJobDoneMessage, 0, reinterpret_cast<LPARAM>(result.get())))
            result.release();
    });
}

void LeagueWindow::onJobProgress(std::size_t done, std::size_t total) {
    if (!busy_ || cancel_) return;
    const Progress progress{running_, done, total};
    SendMessageA(control(ids::kProgress), PBM_SETPOS, static_cast<WPARAM>(progressPercent(progress)), 0);
    taskbar_.show(window_, TaskbarProgress::State::Normal, progressPercent(progress));
    setStatus(progressStatus(progress), false);
}

void LeagueWindow::onJobDone(std::unique_ptr<JobResult> result) {
    if (worker_.joinable()) worker_.join();
    setBusy(false);
    log(result->outcome.lines);
    const bool failed = result->outcome.ending == Ending::Failed;
    const auto& lines = result->outcome.lines;
    const auto warnings = static_cast<std::size_t>(
        std::count_if(lines.begin(), lines.end(), [](const ReportLine& line) { return line.problem; }));
    setStatus(endingStatus(result->job, result->outcome.ending, warnings), failed);
    SendMessageA(control(ids::kProgress), PBM_SETPOS, result->outcome.ending == Ending::Succeeded ? 100 : 0,
                 0);
    taskbar_.show(window_, failed ? TaskbarProgress::State::Error : TaskbarProgress::State::None, 100);
    if (result->job == Job::Import && result->outcome.ending == Ending::Succeeded) {
        folders_.clear();
        showFolders();
    }
    if (result->job != Job::Site) refreshSeasons();
    // Seasons refused because they would lose what the database holds go in
    // only when the user says so: the question's default is "No".
    const std::string& question = result->outcome.replaceQuestion;
    if (result->job == Job::Import && !question.empty() && hooks_.confirm(window_, question))
        importSeasons(true);
}

} // namespace boxloom::frontend::league
