#include "file_layer.h"

#include "file_layer_platform.h"
#include "temporary_names.h"

namespace boxloom {

// Without cleanUp() an earlier file kept aside stays: it may be the only copy.
ReplacementFile::~ReplacementFile() {
    closeHandle();
    if (!temporaryPath_.empty()) platform::removeIfPresent(temporaryPath_);
}

std::string ReplacementFile::restore() {
    if (!replaced_) return {};
    const std::string reason = keptPath_.empty() ? platform::removeIfPresent(finalPath_)
                                                 : platform::moveReplacing(keptPath_, finalPath_);
    if (!reason.empty()) return reason;
    keptPath_.clear();
    replaced_ = false;
    return {};
}

std::string ReplacementFile::cleanUp() {
    closeHandle();
    std::string reason;
    for (std::string* path : {&temporaryPath_, &keptPath_}) {
        if (path->empty()) continue;
        if (std::string failed = platform::removeIfPresent(*path); reason.empty()) reason = failed;
        path->clear();
    }
    return reason;
}

std::unique_ptr<ByteSource> FileSystemLeagueFiles::open(const std::string& path, std::string& reason) {
    auto file = std::make_unique<ReadOnlyFile>();
    reason = file->open(path);
    if (!reason.empty()) return nullptr;
    return file;
}

std::string FileSystemOutputs::checkReplaceable(const std::string& path) {
    return boxloom::checkReplaceable(path);
}

std::unique_ptr<OutputFile> FileSystemOutputs::create(const std::string& finalPath, std::string& reason) {
    auto file = std::make_unique<ReplacementFile>();
    reason = file->create(finalPath);
    if (!reason.empty()) return nullptr;
    return file;
}

std::size_t FileSystemOutputs::removeStaleSideFiles(const std::string& folder,
                                                    bool (*isOurs)(std::string_view)) {
    const std::string prefix = folder.empty() ? std::string() : joinPath(folder, "");
    std::size_t removed = 0;
    for (const std::string& name : platform::namesInFolder(folder.empty() ? "." : folder)) {
        const auto owner = parseSideFileName(name);
        if (!owner || !isOurs(owner->finalName) || owner->processId == platform::currentProcessId() ||
            platform::processMayBeRunning(owner->processId))
            continue;
        const std::string path = prefix + name;
        // An earlier export moved aside by a run that died before putting it back.
        const std::string finalPath = prefix + owner->finalName;
        if (owner->kind == SideFile::KeptEarlier && !platform::pathExists(finalPath)) {
            if (platform::moveFile(path, finalPath)) continue;
        }
        if (platform::removeFile(path)) ++removed;
    }
    return removed;
}

ExportIo fileSystemIo() {
    static FileSystemLeagueFiles leagueFiles;
    static FileSystemOutputs outputs;
    return {leagueFiles, outputs};
}

} // namespace boxloom
