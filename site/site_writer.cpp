#include "site_writer.h"

#include "file_layer.h"

#include <filesystem>
#include <set>

namespace boxloom::site {

namespace {

namespace fs = std::filesystem;

// The whole file, or nullopt when there is none to read.
std::optional<std::string> readWhole(const std::string& path) {
    ReadOnlyFile file;
    if (!file.open(path).empty()) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    std::string reason;
    for (std::ptrdiff_t got; (got = file.read(buffer, sizeof buffer, reason)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(got));
    if (!reason.empty()) return std::nullopt;
    return bytes;
}

std::string replaceWhole(const std::string& path, const std::string& bytes) {
    ReplacementFile file;
    std::string reason = file.create(path);
    if (reason.empty()) reason = file.write(bytes.data(), bytes.size());
    if (reason.empty()) reason = file.finish();
    if (reason.empty()) reason = file.replace();
    file.cleanUp();
    return reason;
}

std::string parentFolder(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::vector<std::string> listedFiles(const std::string& folder) {
    std::vector<std::string> paths;
    const std::optional<std::string> list = readWhole(folder + "/" + std::string(kFileList));
    if (!list) return paths;
    std::size_t start = 0;
    while (start < list->size()) {
        std::size_t end = list->find('\n', start);
        if (end == std::string::npos) end = list->size();
        const std::string path = list->substr(start, end - start);
        if (isSitePath(path)) paths.push_back(path);
        start = end + 1;
    }
    return paths;
}

void removeStale(const std::string& folder, const std::set<std::string>& current, WriteSummary& summary) {
    for (const std::string& path : listedFiles(folder)) {
        if (current.count(path) != 0) continue;
        std::error_code error;
        if (fs::remove(folder + "/" + path, error))
            ++summary.removed;
        else if (error)
            summary.problems.push_back(path + ": cannot be removed: " + error.message());
        // Folders left empty go too; one that still holds something stays.
        for (std::string parent = parentFolder(path); !parent.empty(); parent = parentFolder(parent))
            if (!fs::remove(folder + "/" + parent, error)) break;
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

WriteSummary writeSite(const std::string& folder, const std::vector<SiteFile>& files) {
    WriteSummary summary;
    std::set<std::string> paths;
    std::string list;
    for (const SiteFile& file : files) {
        paths.insert(file.path);
        list += file.path + "\n";
        const std::string path = folder + "/" + file.path;
        if (readWhole(path) == file.bytes) {
            ++summary.unchanged;
            continue;
        }
        std::error_code error;
        fs::create_directories(folder + "/" + parentFolder(file.path), error);
        if (std::string reason = replaceWhole(path, file.bytes); !reason.empty()) {
            summary.problems.push_back(file.path + ": " + reason);
            continue;
        }
        ++summary.written;
    }
    if (!summary.problems.empty()) return summary;
    removeStale(folder, paths, summary);
    const std::string listPath = folder + "/" + std::string(kFileList);
    if (readWhole(listPath) == list) return summary;
    if (std::string reason = replaceWhole(listPath, list); !reason.empty())
        summary.problems.push_back(std::string(kFileList) + ": " + reason);
    return summary;
}

} // namespace boxloom::site
