#include "site_writer.h"

#include "file_layer.h"
#include "platform_files.h"

#include <algorithm>
#include <set>

namespace boxloom::site {

namespace {

// Whether the file holds these bytes and no others; read only as far as they agree.
bool holdsExactly(const std::string& path, std::string_view bytes) {
    ReadOnlyFile file;
    if (!file.open(path).empty()) return false;
    char buffer[65536];
    std::string reason;
    for (std::ptrdiff_t got; (got = file.read(buffer, sizeof buffer, reason)) > 0;) {
        const auto size = static_cast<std::size_t>(got);
        if (bytes.substr(0, size) != std::string_view(buffer, size)) return false;
        bytes.remove_prefix(size);
    }
    return reason.empty() && bytes.empty();
}

std::string parentFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The file list: a path per line; a line "/KEY" begins the group of files
// made under that key, and "/" alone ends it. Lists of earlier versions have
// paths only.
template <class Line> void eachListedLine(const std::string& folder, Line line) {
    std::string bytes;
    if (!platform::readWholeFile(folder + "/" + std::string(kFileList), bytes).empty()) return;
    const std::string* list = &bytes;
    std::size_t start = 0;
    while (start < list->size()) {
        std::size_t end = list->find('\n', start);
        if (end == std::string::npos) end = list->size();
        line(std::string_view(*list).substr(start, end - start));
        start = end + 1;
    }
}

std::vector<std::string> listedFiles(const std::string& folder) {
    std::vector<std::string> paths;
    eachListedLine(folder, [&](std::string_view line) {
        if (isSitePath(line)) paths.emplace_back(line);
    });
    return paths;
}

std::map<std::string, std::vector<std::string>, std::less<>> listedGroups(const std::string& folder) {
    std::map<std::string, std::vector<std::string>, std::less<>> groups;
    std::vector<std::string>* group = nullptr;
    eachListedLine(folder, [&](std::string_view line) {
        if (line.starts_with('/'))
            group = line.size() > 1 ? &groups[std::string(line.substr(1))] : nullptr;
        else if (group != nullptr && isSitePath(line))
            group->emplace_back(line);
    });
    return groups;
}

void removeStale(const std::string& folder, const std::set<std::string>& current, WriteSummary& summary) {
    for (const std::string& path : listedFiles(folder)) {
        if (current.count(path) != 0) continue;
        const std::string fullPath = folder + "/" + path;
        const bool present = platform::pathExists(fullPath);
        if (std::string reason = platform::removeIfPresent(fullPath); !reason.empty())
            summary.problems.push_back(path + ": cannot be removed: " + reason);
        else if (present)
            ++summary.removed;
        // Folders left empty go too; one that still holds something stays.
        for (std::string parent = parentFolder(path); !parent.empty(); parent = parentFolder(parent))
            if (!platform::removeEmptyFolder(folder + "/" + parent).empty()) break;
    }
}

} // namespace

bool isSitePath(std::string_view path) {
    if (path.empty() || path.front() == '/' || path.find('\\') != std::string_view::npos ||
        path.find(':') != std::string_view::npos)
        return false;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

void SiteWriter::begin(std::size_t tasks) {
    tasks_.assign(tasks, {});
    tasksDone_ = 0;
    earlierGroups_ = listedGroups(folder_);
}

bool SiteWriter::reuse(std::size_t task, const std::string& key) {
    TaskFiles& files = tasks_.at(task);
    const auto found = earlierGroups_.find(key);
    const bool kept = found != earlierGroups_.end() && !failed_ && !stopped() &&
                      std::all_of(found->second.begin(), found->second.end(), [&](const std::string& path) {
                          return platform::pathExists(folder_ + "/" + path);
                      });
    files.groups.emplace_back(files.paths.size(), key);
    if (!kept) return false;
    files.paths.insert(files.paths.end(), found->second.begin(), found->second.end());
    files.summary.unchanged += found->second.size();
    files.groups.emplace_back(files.paths.size(), "");
    return true;
}

bool SiteWriter::stopped() const { return watch_.cancel != nullptr && watch_.cancel->load(); }

void SiteWriter::taskDone(std::size_t) {
    const std::size_t done = ++tasksDone_;
    if (watch_.progress) watch_.progress(done, tasks_.size());
}

void SiteWriter::put(std::size_t task, const std::string& path, const std::string& bytes) {
    TaskFiles& files = tasks_.at(task);
    files.paths.push_back(path);
    if (failed_ || stopped()) {
        if (!failed_) pagesSkipped_ = true;
        ++files.notWritten;
        return;
    }
    const std::string fullPath = folder_ + "/" + path;
    if (holdsExactly(fullPath, bytes)) {
        ++files.summary.unchanged;
        return;
    }
    if (const std::string parent = parentFolder(path); parent != files.lastFolder) {
        bool created = false;
        if (std::string reason = platform::makeFolders(folder_ + "/" + parent, created); !reason.empty())
            return fail(files, path, reason);
        files.lastFolder = parent;
    }
    // A page torn by a crash differs from the one the next run makes, which writes it again.
    if (std::string reason = replaceWholeFile(fullPath, bytes, Flush::Later); !reason.empty())
        return fail(files, path, reason);
    ++files.summary.written;
    files.written.push_back(path);
}

void SiteWriter::fail(TaskFiles& files, const std::string& path, const std::string& reason) {
    if (files.failure.empty()) files.failure = reason + " (" + path + ")";
    ++files.notWritten;
    failed_ = true;
}

bool SiteWriter::keepsEverything(const std::string& siteKey, WriteSummary& summary) const {
    if (siteKey.empty() || listedGroups(folder_).count(siteKey) == 0) return false;
    const std::vector<std::string> paths = listedFiles(folder_);
    for (const std::string& path : paths)
        if (!platform::pathExists(folder_ + "/" + path)) return false;
    summary = {};
    summary.unchanged = paths.size();
    return true;
}

WriteSummary SiteWriter::finish() {
    WriteSummary summary;
    std::set<std::string> paths;
    std::string list;
    std::string failure;
    std::size_t notWritten = 0;
    // The key of the group being listed, and of the one the task's file is in.
    std::string listedKey, groupKey;
    if (!siteKey_.empty()) list += "/" + siteKey_ + "\n/\n";
    for (const TaskFiles& files : tasks_) {
        summary.written += files.summary.written;
        summary.unchanged += files.summary.unchanged;
        if (failure.empty()) failure = files.failure;
        notWritten += files.notWritten;
        for (std::size_t i = 0, g = 0; i < files.paths.size(); ++i) {
            for (; g < files.groups.size() && files.groups[g].first <= i; ++g)
                groupKey = files.groups[g].second;
            if (groupKey != listedKey) list += "/" + groupKey + "\n";
            listedKey = groupKey;
            paths.insert(files.paths[i]);
            list += files.paths[i] + "\n";
        }
        groupKey.clear();
    }
    summary.cancelled = failure.empty() && (pagesSkipped_ || tasksDone_ < tasks_.size());
    if (!failure.empty() || summary.cancelled) {
        if (summary.cancelled)
            summary.problems.push_back(std::string(kSiteCancelled));
        else
            summary.problems.push_back(folder_ + ": pages cannot be written there: " + failure + "; " +
                                       std::to_string(notWritten) + " of " + std::to_string(paths.size()) +
                                       " pages were left as they were");
        keepEarlierList(tasks_, summary);
        tasks_.clear();
        return summary;
    }
    tasks_.clear();
    removeStale(folder_, paths, summary);
    // The list's keys let a later run keep pages unread: they must be whole on the disk first.
    if (summary.written > 0) {
        if (std::string reason = platform::flushFileSystemOf(folder_); !reason.empty()) {
            summary.problems.push_back(std::string(kFileList) + ": " + reason);
            return summary;
        }
    }
    const std::string listPath = folder_ + "/" + std::string(kFileList);
    if (holdsExactly(listPath, list)) return summary;
    if (std::string reason = replaceWholeFile(listPath, list); !reason.empty())
        summary.problems.push_back(std::string(kFileList) + ": " + reason);
    return summary;
}

// The earlier list, and after it the pages this run put in the folder that it
// did not name: a later run removes them if they are no longer the site's.
void SiteWriter::keepEarlierList(const std::vector<TaskFiles>& tasks, WriteSummary& summary) {
    const std::vector<std::string> earlier = listedFiles(folder_);
    std::set<std::string> named(earlier.begin(), earlier.end());
    std::string list;
    for (const std::string& path : earlier)
        list += path + "\n";
    bool added = false;
    for (const TaskFiles& files : tasks)
        for (const std::string& path : files.written)
            if (named.insert(path).second) {
                list += path + "\n";
                added = true;
            }
    if (!added) return;
    if (std::string reason = replaceWholeFile(folder_ + "/" + std::string(kFileList), list); !reason.empty())
        summary.problems.push_back(std::string(kFileList) + ": " + reason);
}

} // namespace boxloom::site
