#include "file_layer.h"

#include "folder_recovery.h"
#include "platform_files.h"
#include "temporary_names.h"

#include <atomic>
#include <map>
#include <mutex>

namespace boxloom {

namespace {

std::atomic<std::uint32_t> sideFileSequence{0};

std::string sidePath(const std::string& finalPath, SideFile kind) {
    return std::string(folderOf(finalPath)) +
           sideFileName(nameOf(finalPath), currentRun(), sideFileSequence++, kind);
}

} // namespace

// Without cleanUp() an earlier file kept aside stays: it may be the only copy.
ReplacementFile::~ReplacementFile() {
    file_.close();
    if (!temporaryPath_.empty()) platform::removeIfPresent(temporaryPath_);
}

std::string ReplacementFile::create(const std::string& finalPath) {
    cleanUp();
    finalPath_ = finalPath;
    replaced_ = hadEarlier_ = false;
    std::string reason;
    bool existed = true;
    for (int attempt = 0; attempt < 100 && existed; ++attempt) {
        temporaryPath_ = sidePath(finalPath, SideFile::Temporary);
        reason = file_.create(temporaryPath_, existed);
        if (reason.empty()) {
            // Named now, so that the commit record can say where the earlier file goes.
            keptPath_ = sidePath(finalPath, SideFile::KeptEarlier);
            return {};
        }
    }
    temporaryPath_.clear();
    return reason;
}

std::string ReplacementFile::write(const void* data, std::size_t size) { return file_.write(data, size); }

std::string ReplacementFile::finish() {
    if (!file_.isOpen()) return {};
    step();
    // On the disk before the commit record names it as complete.
    if (std::string reason = file_.flushAndClose(flush_ == Flush::ToDisk); !reason.empty()) return reason;
    hadEarlier_ = platform::pathExists(finalPath_);
    return {};
}

std::string ReplacementFile::replace() {
    // Another program may have opened the file since the run began.
    if (std::string reason = platform::checkReplaceable(finalPath_); !reason.empty()) return reason;
    const bool hadEarlier = platform::pathExists(finalPath_);
    if (hadEarlier != hadEarlier_) return "changed by another program during the export";
    if (hadEarlier) {
        if (std::string reason = platform::copyPermissions(finalPath_, temporaryPath_); !reason.empty())
            return reason;
        // Moved aside, not replaced: on ext4 a rename over an existing file makes
        // the kernel write the new file out at once, which costs a third of a run.
        // A run killed between the two moves is completed by the next run.
        step();
        if (std::string reason = platform::moveReplacing(finalPath_, keptPath_); !reason.empty())
            return reason;
    }
    return moveIntoPlace(hadEarlier);
}

std::string ReplacementFile::moveIntoPlace(bool hadEarlier) {
    step();
    if (std::string reason = platform::moveReplacing(temporaryPath_, finalPath_); !reason.empty()) {
        if (hadEarlier) platform::moveReplacing(keptPath_, finalPath_);
        return reason;
    }
    temporaryPath_.clear();
    if (!hadEarlier) keptPath_.clear();
    replaced_ = true;
    return {};
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
    file_.close();
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

std::string replaceWholeFile(const std::string& path, std::string_view bytes, Flush flush) {
    ReplacementFile file(nullptr, flush);
    std::string reason = file.create(path);
    if (reason.empty()) reason = file.write(bytes.data(), bytes.size());
    if (reason.empty()) reason = file.finish();
    if (reason.empty()) reason = file.replace();
    file.cleanUp();
    return reason;
}

std::string seasonFolderProblem(const std::string& folder) {
    if (!platform::pathExists(folder)) return "no such folder";
    return platform::isRegularFile(folder) ? "is not a folder" : "";
}

std::unique_ptr<ByteSource> FileSystemLeagueFiles::open(const std::string& path, std::string& reason) {
    auto file = std::make_unique<ReadOnlyFile>();
    reason = file->open(path);
    if (!reason.empty()) return nullptr;
    return file;
}

std::string FileSystemOutputs::checkReplaceable(const std::string& path) {
    return platform::checkReplaceable(path);
}

std::unique_ptr<OutputFile> FileSystemOutputs::create(const std::string& finalPath, std::string& reason) {
    auto file = std::make_unique<ReplacementFile>(&hook_);
    reason = file->create(finalPath);
    if (!reason.empty()) return nullptr;
    return file;
}

namespace {

// The records that this process's runs have written and not yet removed, by
// folder: any other record of this process is one of a run that has ended.
class RecordsInUse {
public:
    struct Names {
        std::string pending, placed;
    };
    Names add(const std::string& folder) {
        const std::uint32_t sequence = sideFileSequence++;
        const Names names{commitRecordName(currentRun(), sequence, true),
                          commitRecordName(currentRun(), sequence, false)};
        const std::lock_guard lock(mutex_);
        byFolder_[folder] = names;
        return names;
    }
    std::string take(const std::string& folder) {
        const std::lock_guard lock(mutex_);
        const auto found = byFolder_.find(folder);
        if (found == byFolder_.end()) return {};
        const std::string placed = found->second.placed;
        byFolder_.erase(found);
        return placed;
    }
    bool has(const std::string& name) {
        const std::lock_guard lock(mutex_);
        for (const auto& [folder, names] : byFolder_)
            if (name == names.pending || name == names.placed) return true;
        return false;
    }

private:
    std::mutex mutex_;
    std::map<std::string, Names> byFolder_;
};

RecordsInUse recordsInUse;

class PlatformFolderOps final : public FolderOps {
public:
    explicit PlatformFolderOps(const FileStepHook& hook) : hook_(hook) {}
    std::vector<std::string> names(const std::string& folder) override {
        return platform::namesInFolder(folder);
    }
    bool exists(const std::string& path) override { return platform::pathExists(path); }
    std::optional<std::string> read(const std::string& path, std::string& reason) override {
        std::string bytes;
        reason = platform::readSmallFile(path, bytes);
        return reason.empty() ? std::optional<std::string>(std::move(bytes)) : std::nullopt;
    }
    std::string move(const std::string& from, const std::string& to) override {
        step();
        return platform::moveReplacing(from, to);
    }
    std::string moveIfAbsent(const std::string& from, const std::string& to) override {
        step();
        return platform::moveIfAbsent(from, to).empty() ? std::string() : "cannot be moved back";
    }
    std::string remove(const std::string& path) override {
        step();
        return platform::removeIfPresent(path);
    }
    std::string flushFolder(const std::string& folder) override {
        step();
        return platform::flushFolder(folder);
    }
    RunId currentRun() override { return boxloom::currentRun(); }
    bool runMayBeGoing(const RunId& run) override { return boxloom::runMayBeGoing(run); }
    bool recordInUse(const std::string& name) override { return recordsInUse.has(name); }

private:
    void step() const {
        if (hook_) hook_();
    }
    const FileStepHook& hook_;
};

std::string folderPath(const std::string& folder) { return folder.empty() ? "." : folder; }

} // namespace

FolderRecovery FileSystemOutputs::recoverFolder(const std::string& folder, bool (*isOurs)(std::string_view)) {
    PlatformFolderOps ops(hook_);
    return boxloom::recoverFolder(ops, folder, isOurs);
}

// Written whole under its pending name first: a record in place is never a piece of one.
std::string FileSystemOutputs::beginCommit(const std::string& folder, const std::vector<CommitMove>& moves) {
    const std::string where = folderPath(folder);
    const RecordsInUse::Names names = recordsInUse.add(where);
    const std::string pending = joinPath(where, names.pending);
    step();
    std::string reason =
        platform::writeFileDurably(pending, formatCommitRecord({currentRun(), platform::utcNow(), moves}));
    if (reason.empty()) {
        step();
        reason = platform::moveReplacing(pending, joinPath(where, names.placed));
    }
    if (!reason.empty()) {
        platform::removeIfPresent(pending);
        return reason;
    }
    step();
    return platform::flushFolder(where);
}

std::string FileSystemOutputs::endCommit(const std::string& folder) {
    const std::string where = folderPath(folder);
    const std::string placed = recordsInUse.take(where);
    if (placed.empty()) return {};
    step();
    if (std::string reason = platform::removeIfPresent(joinPath(where, placed)); !reason.empty())
        return reason;
    step();
    return platform::flushFolder(where);
}

void FileSystemOutputs::step() const {
    if (hook_) hook_();
}

ExportIo fileSystemIo() {
    static FileSystemLeagueFiles leagueFiles;
    static FileSystemOutputs outputs;
    return {leagueFiles, outputs};
}

} // namespace boxloom
