#include "file_layer.h"

#include "file_layer_platform.h"
#include "temporary_names.h"

namespace boxloom {

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
