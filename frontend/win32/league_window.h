#pragma once

// The Win32 league window: a thin layer over the window-free league logic.
// Imports, removals and site builds run on a worker thread; the window stays
// responsive and shows their progress, and Cancel stops them.

#include "league_job.h"
#include "league_requests.h"
#include "league_shell.h"
#include "league_tasks.h"
#include "season_import.h"
#include "site_run.h"
#include "window_base.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

namespace boxloom::frontend::league {

// What the window does through the system or the library; the tests put in their own.
struct LeagueWindowHooks {
    std::function<std::string(HWND owner, const std::string& title)> chooseFolder;
    std::function<std::string(HWND owner, const std::string& current)> chooseDatabase;
    std::function<bool(HWND owner, const std::string& question)> confirm;
    std::function<void(HWND owner, const std::string& path)> open;
    std::function<database::ImportOutcome(const std::string&, const std::vector<database::SeasonSource>&,
                                          const database::ImportControl&)>
        importSeasons;
    std::function<site::SiteOutcome(const site::SiteOptions&)> makeSite;
    std::string version;
};

// Posted by the worker: progress (done, total), then the end (a JobResult* to take over).
inline constexpr UINT kJobProgressMessage = WM_APP + 1;
inline constexpr UINT kJobDoneMessage = WM_APP + 2;

class LeagueWindow {
public:
    // Registers the class on first use and creates the window, sized for its
    // monitor's DPI, with the remembered settings. Null when it failed.
    static HWND create(HINSTANCE instance, LeagueWindowHooks hooks = {});
    // Whether a job is running in the window.
    static bool busy(HWND window);
    ~LeagueWindow();
    LeagueWindow(const LeagueWindow&) = delete;
    LeagueWindow& operator=(const LeagueWindow&) = delete;

private:
    struct JobResult {
        Job job;
        TaskResult outcome;
    };
    using Work = std::function<TaskResult(const std::atomic<bool>& cancel, const ProgressReport& progress)>;

    explicit LeagueWindow(LeagueWindowHooks hooks);
    template <typename State>
    friend LRESULT CALLBACK boxloom::frontend::routeToState(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onNotify(const NMHDR& header);

    void onCreate();
    void onCommand(int id, int code);
    void onDpiChanged(int dpi, const RECT& suggested);
    void onDropFiles(HDROP drop);
    void onMinMaxInfo(MINMAXINFO& info) const;
    void onJobProgress(std::size_t done, std::size_t total);
    void onJobDone(std::unique_ptr<JobResult> result);
    void onClose();

    void browseDatabase();
    void browseFolderInto(int boxId, const char* title);
    void addSeasonFolder(const std::string& folder);
    void importSeasons(bool replace = false);
    void removeSeason();
    void buildSite();
    void openSite(bool folderOnly);
    void start(Job job, Work work);
    bool refused(const std::vector<std::string>& problems);

    void createControls();
    void createColumns();
    void useDpi(int dpi);
    void layOut();
    void refreshSeasons();
    void showSeasons();
    void showFolders();
    void setBusy(bool busy);
    void log(const std::vector<ReportLine>& lines);
    void setStatus(const std::string& status, bool error);
    void remember();
    std::string text(int id) const;
    HWND control(int id) const { return GetDlgItem(window_, id); }

    HWND window_ = nullptr;
    LeagueWindowHooks hooks_;
    int dpi_ = kDesignDpi;
    HFONT font_ = nullptr;
    std::vector<database::SeasonSummary> seasons_;
    std::string listedDatabase_; // whose seasons the list shows
    std::size_t sortColumn_ = 0;
    bool sortAscending_ = true;
    std::vector<SeasonFolder> folders_;
    std::atomic<bool> cancel_{false};
    std::thread worker_;
    Job running_ = Job::Import;
    bool busy_ = false;
    HWND focusBeforeJob_ = nullptr;
    TaskbarProgress taskbar_;
};

} // namespace boxloom::frontend::league
