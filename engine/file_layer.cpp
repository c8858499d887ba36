#include "file_layer.h"

#include "folder_recovery.h"
#include "platform_files.h"
#include "temporary_names.h"

namespace boxloom {

// Without cleanUp() an earlier file kept aside stays: it may be the only copy.
ReplacementFile::~ReplacementFile() {
    closeHandle();
    if (!temporaryPath_.empty()) platform::removeIfPresent(temporaryPath_);
}

std::string ReplacementFile::restore() {
    if (!replaced_) return {};
    step();
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
        step();
        if (std::string failed = platform::removeIfPresent(*path); reason.empty()) reason = failed;
        path->clear();
    }
    return reason;
}

CommitMove ReplacementFile::commitMove() const {
    return {std::string(nameOf(finalPath_)), std::string(nameOf(temporaryPath_)),
            hadEarlier_ ? std::string(nameOf(keptPath_)) : std::string()};
}

std::string replaceWholeFile(const std::string& path, std::string_view bytes) {
    ReplacementFile file;
    std::string reason = file.create(path);
    if (reason.empty()) reason = file.write(bytes.data(), bytes.size());
    if (reason.empty()) reason = file.finish();
    if (reason.empty()) reason = file.replace();
    file.cleanUp();
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
    auto file = std::make_unique<ReplacementFile>(&hook_);
    reason = file->create(finalPath);
    if (!reason.empty()) return nullptr;
    return file;
}

namespace {

class PlatformFolderOps final : public FolderOps {
public:
    explicit PlatformFolderOps(const FileStepHook& hook) : hook_(hook) {}
    std::vector<std::string> names(const std::string& folder) override {
        return platform::namesInFolder(folder);
    }
    bool exists(const std::string& path) override { return platform::pathExists(path); }
    std::optional<std::string> read(const std::string& path, std::string& reason) override {
        return platform::readSmallFile(path, reason);
    }
    std::string move(const std::string& from, const std::string& to) override {
        step();
        return platform::moveReplacing(from, to);
    }
    std::string moveIfAbsent(const std::string& from, const std::string& to) override {
        step();
        return platform::moveFile(from, to) ? std::string() : "cannot be moved back";
    }
    std::string remove(const std::string& path) override {
        step();
        return platform::removeIfPresent(path);
    }
    std::string flushFolder(const std::string& folder) override {
        step();
        return platform::flushFolder(folder);
    }
    std::uint32_t currentProcessId() override { return platform::currentProcessId(); }
    bool processMayBeRunning(std::uint32_t processId) override {
        return platform::processMayBeRunning(processId);
    }

private:
    void step() const {
        if (hook_) hook_();
    }
    const FileStepHook& hook_;
};

std::string folderPath(const std::string& folder) { return folder.empty() ? "." : folder; }

std::string recordPath(const std::string& folder) {
    return joinPath(folderPath(folder), commitRecordName(platform::currentProcessId()));
}

} // namespace

FolderRecovery FileSystemOutputs::recoverFolder(const std::string& folder, bool (*isOurs)(std::string_view)) {
    PlatformFolderOps ops(hook_);
    return boxloom::recoverFolder(ops, folder, isOurs);
}

std::string FileSystemOutputs::beginCommit(const std::string& folder, const std::vector<CommitMove>& moves) {
    const CommitRecord record{platform::currentProcessId(), platform::utcNow(), moves};
    if (hook_) hook_();
    if (std::string reason = platform::writeFileDurably(recordPath(folder), formatCommitRecord(record));
        !reason.empty())
        return reason;
    if (hook_) hook_();
    return platform::flushFolder(folderPath(folder));
}

std::string FileSystemOutputs::endCommit(const std::string& folder) {
    if (hook_) hook_();
    if (std::string reason = platform::removeIfPresent(recordPath(folder)); !reason.empty()) return reason;
    if (hook_) hook_();
    return platform::flushFolder(folderPath(folder));
}

ExportIo fileSystemIo() {
    static FileSystemLeagueFiles leagueFiles;
    static FileSystemOutputs outputs;
    return {leagueFiles, outputs};
}

} // namespace boxloom
