#include "new_database_files.h"

#include "paths.h"
#include "platform_files.h"
#include "temporary_names.h"

#include <optional>
#include <string_view>

namespace boxloom::database {

namespace {

// A work file of an import into a new database, or its journal: whose it is.
std::optional<SideFileOwner> workFileOwner(std::string_view name, std::string_view databaseName) {
    if (name.ends_with("-journal")) name.remove_suffix(std::string_view("-journal").size());
    std::optional<SideFileOwner> owner = parseSideFileName(name);
    if (!owner || owner->finalName != databaseName || owner->kind != SideFile::Temporary) return std::nullopt;
    return owner;
}

} // namespace

std::uint64_t removeWorkFilesOfGoneImports(const std::string& databasePath) {
    const std::string folder(folderOf(databasePath));
    std::uint64_t removed = 0;
    for (const std::string& name : platform::namesInFolder(folder.empty() ? "." : folder)) {
        const std::optional<SideFileOwner> owner = workFileOwner(name, nameOf(databasePath));
        if (!owner || owner->run == currentRun() || runMayBeGoing(owner->run)) continue;
        if (platform::removeIfPresent(folder + name).empty()) ++removed;
    }
    return removed;
}

// A name of this run that an earlier import of this process left is not to be opened.
std::string freeWorkPath(const std::string& databasePath) {
    const std::string folder(folderOf(databasePath));
    for (std::uint32_t sequence = 0;; ++sequence) {
        const std::string path =
            folder + sideFileName(nameOf(databasePath), currentRun(), sequence, SideFile::Temporary);
        if (!platform::pathExists(path) && !platform::pathExists(path + "-journal")) return path;
    }
}

} // namespace boxloom::database
