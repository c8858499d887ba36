#pragma once

// What a run does first in its output folder: it completes the replacement of
// any run that died while moving its files into place (or puts the earlier
// files back where that cannot be done), then clears the side files and
// half-written records of runs that have ended.

#include "commit_record.h"
#include "export_outcome.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace boxloom {

// The file operations recovery needs; the file layer provides the real ones.
class FolderOps {
public:
    virtual ~FolderOps() = default;
    virtual std::vector<std::string> names(const std::string& folder) = 0;
    virtual bool exists(const std::string& path) = 0;
    // A small text file whole, or nothing with the reason.
    virtual std::optional<std::string> read(const std::string& path, std::string& reason) = 0;
    // Each returns the reason of a failure, or "".
    virtual std::string move(const std::string& from, const std::string& to) = 0; // replaces `to`
    virtual std::string moveIfAbsent(const std::string& from, const std::string& to) = 0;
    virtual std::string remove(const std::string& path) = 0; // "" also when it was not there
    virtual std::string flushFolder(const std::string& folder) = 0;
    virtual RunId currentRun() = 0;
    virtual bool runMayBeGoing(const RunId& run) = 0;
    // Whether a run of this process is between writing that record and removing it.
    virtual bool recordInUse(const std::string& name) = 0;
};

FolderRecovery recoverFolder(FolderOps& ops, const std::string& folder, bool (*isOurs)(std::string_view));

} // namespace boxloom
