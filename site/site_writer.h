#pragma once

// Writes the site's files into a folder: a file is replaced only when its bytes
// change, and the pages of an earlier site that this one no longer has are
// removed. The site remembers its files in a list beside them; nothing else in
// the folder is touched.

#include "site_pages.h"

#include <atomic>
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
};

// Writes each page as it comes; then `finish` puts the site's file list right.
// After the first page that cannot be written no other is tried: a folder that
// refuses one page refuses them all, and one line with the true reason says more
// than a line per page.
class SiteWriter final : public PageSink {
public:
    explicit SiteWriter(std::string folder) : folder_(std::move(folder)) {}
    void begin(std::size_t tasks) override;
    void put(std::size_t task, const std::string& path, const std::string& bytes) override;
    // After the last page: unless a page failed, removes the pages of the
    // earlier site that this one no longer has and writes the new file list.
    WriteSummary finish();

private:
    // Kept per task and joined in task order, so the list and the problems
    // come out the same whatever the threads did first.
    struct TaskFiles {
        std::vector<std::string> paths;
        WriteSummary summary;
        std::string lastFolder; // made already
        std::string failure;    // "reason (PATH)" of the task's first page that failed
        std::size_t notWritten = 0;
    };
    void fail(TaskFiles& files, const std::string& path, const std::string& reason);

    std::string folder_;
    std::vector<TaskFiles> tasks_;
    std::atomic<bool> failed_{false};
};

// Whether a path from the file list is one the site may have written: relative,
// without "..", drive letters or backslashes.
bool isSitePath(std::string_view path);

} // namespace boxloom::site
