#pragma once

// A folder in memory for the recovery of interrupted exports: paths are
// "FOLDER/NAME"; moves and removals of one path can be made to fail.

#include "folder_recovery.h"
#include "paths.h"

#include <map>
#include <set>
#include <string>

namespace boxloom::testing {

// A name in the folder "out", with the platform's separator as recovery joins it.
inline std::string inPath(const std::string& name) { return joinPath("out", name); }

// A folder in memory; any operation can be made to fail.
class MemoryFolder final : public FolderOps {
public:
    std::map<std::string, std::string> files; // by path, as inPath() makes it
    RunId current{1, 0x1111};
    std::set<RunId> running = {current};
    std::set<std::string> recordsInUse; // this process's, by name
    std::string failingPath;            // moves and removals of this path fail
    int flushes = 0;

    std::vector<std::string> names(const std::string& folder) override {
        std::vector<std::string> found;
        for (const auto& [path, text] : files)
            if (path.starts_with(joinPath(folder, "")))
                found.push_back(path.substr(joinPath(folder, "").size()));
        return found;
    }
    bool exists(const std::string& path) override { return files.count(path) != 0; }
    std::optional<std::string> read(const std::string& path, std::string& reason) override {
        if (!exists(path)) reason = "not found";
        return exists(path) ? std::optional<std::string>(files[path]) : std::nullopt;
    }
    std::string move(const std::string& from, const std::string& to) override {
        if (from == failingPath || to == failingPath) return "permission denied";
        if (!exists(from)) return "not found";
        files[to] = files[from];
        files.erase(from);
        return {};
    }
    std::string moveIfAbsent(const std::string& from, const std::string& to) override {
        return exists(to) ? "exists" : move(from, to);
    }
    std::string remove(const std::string& path) override {
        if (path == failingPath) return "permission denied";
        files.erase(path);
        return {};
    }
    std::string flushFolder(const std::string&) override {
        ++flushes;
        return {};
    }
    RunId currentRun() override { return current; }
    // A run named by its number alone may be any running process of that number.
    bool runMayBeGoing(const RunId& run) override {
        for (const RunId& going : running)
            if (going == run || (run.started == 0 && going.processId == run.processId)) return true;
        return false;
    }
    bool recordInUse(const std::string& name) override { return recordsInUse.count(name) != 0; }
};

} // namespace boxloom::testing
