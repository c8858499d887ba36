#pragma once

// Writes the site's files into a folder: a file is replaced only when its bytes
// change, and the pages of an earlier site that this one no longer has are
// removed. The site remembers its files in a list beside them; nothing else in
// the folder is touched.

#include "site_pages.h"

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom::site {

inline constexpr std::string_view kFileList = ".boxloom-site";

struct WriteSummary {
    std::size_t written = 0;
    std::size_t unchanged = 0;
    std::size_t removed = 0;
    std::vector<std::string> problems; // "PATH: reason"
    bool cancelled = false;
};

inline constexpr std::string_view kSiteCancelled =
    "the site was cancelled; the pages it had not made yet were left as they were";

// What a window needs of a long run: how far it has got, and a way to stop it
// between pages. Called on the site's threads.
struct SiteWatch {
    std::function<void(std::size_t tasksDone, std::size_t tasks)> progress;
    const std::atomic<bool>* cancel = nullptr;
};

// Writes each page as it comes; then `finish` puts the site's file list right.
// After the first page that cannot be written no other is tried: a folder that
// refuses one page refuses them all, and one line with the true reason says more
// than a line per page.
class SiteWriter final : public PageSink {
public:
    explicit SiteWriter(std::string folder, SiteWatch watch = {})
        : folder_(std::move(folder)), watch_(std::move(watch)) {}
    void begin(std::size_t tasks) override;
    void put(std::size_t task, const std::string& path, const std::string& bytes) override;
    void taskDone(std::size_t task) override;
    bool stopped() const override;
    bool reuse(std::size_t task, const std::string& key) override;
    // After the last page: unless a page failed or the run was cancelled,
    // removes the pages of the earlier site that this one no longer has and
    // writes the new file list. Otherwise the earlier list stays, with the
    // pages this run added to the folder, so it still names what is there.
    WriteSummary finish();

    // The whole site's key, from what the run knows before it reads a season:
    // when the earlier run that wrote the folder's list had the same one and
    // every file it listed is there, nothing need be read or made.
    bool keepsEverything(const std::string& siteKey, WriteSummary& summary) const;
    // Listed first by `finish`, for the next run to compare.
    void setSiteKey(std::string siteKey) { siteKey_ = std::move(siteKey); }

private:
    // Kept per task and joined in task order, so the list and the problems
    // come out the same whatever the threads did first.
    struct TaskFiles {
        std::vector<std::string> paths;
        // Where each group begins in `paths`, and its key ("" for files of no group).
        std::vector<std::pair<std::size_t, std::string>> groups;
        std::vector<std::string> written;
        WriteSummary summary;
        std::string lastFolder; // made already
        std::string failure;    // "reason (PATH)" of the task's first page that failed
        std::size_t notWritten = 0;
    };
    void fail(TaskFiles& files, const std::string& path, const std::string& reason);
    void keepEarlierList(const std::vector<TaskFiles>& tasks, WriteSummary& summary);

    std::string folder_;
    SiteWatch watch_;
    std::vector<TaskFiles> tasks_;
    std::map<std::string, std::vector<std::string>, std::less<>> earlierGroups_; // by key
    std::string siteKey_;
    std::atomic<bool> failed_{false};
    std::atomic<std::size_t> tasksDone_{0};
    std::atomic<bool> pagesSkipped_{false};
};

// Whether a path from the file list is one the site may have written: relative,
// without "..", drive letters or backslashes.
bool isSitePath(std::string_view path);

} // namespace boxloom::site
