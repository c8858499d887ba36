#include "memory_io.h"

#include "byte_source.h"

#include <algorithm>
#include <optional>

namespace boxloom::testing {

namespace {

// Reads a file's bytes, failing with an I/O error at `failAt` when given.
class MemoryFile final : public ByteSource {
public:
    MemoryFile(const std::vector<std::uint8_t>& bytes, std::optional<std::size_t> failAt)
        : bytes_(bytes), failAt_(failAt) {}
    std::ptrdiff_t read(void* buffer, std::size_t size, std::string& reason) override {
        if (failAt_ && position_ >= *failAt_) {
            reason = "input/output error";
            return -1;
        }
        std::size_t count = std::min(size, bytes_.size() - position_);
        if (failAt_) count = std::min(count, *failAt_ - position_);
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(position_), count,
                    static_cast<std::uint8_t*>(buffer));
        position_ += count;
        return static_cast<std::ptrdiff_t>(count);
    }

private:
    const std::vector<std::uint8_t>& bytes_;
    std::optional<std::size_t> failAt_;
    std::size_t position_ = 0;
};

bool endsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

class MemoryOutput final : public OutputFile {
public:
    MemoryOutput(MemoryOutputs& outputs, std::string path)
        : outputs_(outputs), path_(std::move(path)), writing_(path_ + kWritingSuffix),
          kept_(path_ + kKeptSuffix) {
        outputs_.folder[writing_];
    }
    ~MemoryOutput() override {
        if (failure(FaultAt::CleanUp).empty()) outputs_.folder.erase(writing_);
    }

    std::string write(const void* data, std::size_t size) override {
        std::string& file = outputs_.folder[writing_];
        if (const Fault* fault = outputs_.faultFor(FaultAt::Write, path_);
            fault != nullptr && fault->byte < file.size() + size) {
            // The bytes before the failing one reach the file, as on a full disk.
            if (fault->byte > file.size())
                file.append(static_cast<const char*>(data), fault->byte - file.size());
            return fault->reason;
        }
        file.append(static_cast<const char*>(data), size);
        return {};
    }
    std::string finish() override { return failure(FaultAt::Finish); }
    std::string replace() override {
        if (std::string reason = failure(FaultAt::Replace); !reason.empty()) return reason;
        auto& folder = outputs_.folder;
        if (auto earlier = folder.find(path_); earlier != folder.end()) folder[kept_] = earlier->second;
        folder[path_] = std::move(folder[writing_]);
        folder.erase(writing_);
        replaced_ = true;
        return {};
    }
    std::string restore() override {
        if (!replaced_) return {};
        if (std::string reason = failure(FaultAt::Restore); !reason.empty()) return reason;
        auto& folder = outputs_.folder;
        if (auto kept = folder.find(kept_); kept != folder.end()) {
            folder[path_] = std::move(kept->second);
            folder.erase(kept_);
        } else {
            folder.erase(path_);
        }
        replaced_ = false;
        return {};
    }
    std::string cleanUp() override {
        if (std::string reason = failure(FaultAt::CleanUp); !reason.empty()) return reason;
        outputs_.folder.erase(writing_);
        outputs_.folder.erase(kept_);
        return {};
    }

private:
    std::string failure(FaultAt at) const {
        const Fault* fault = outputs_.faultFor(at, path_);
        return fault == nullptr ? std::string() : fault->reason;
    }

    MemoryOutputs& outputs_;
    std::string path_;
    std::string writing_;
    std::string kept_;
    bool replaced_ = false;
};

} // namespace

std::unique_ptr<ByteSource> MemoryLeagueFiles::open(const std::string& path, std::string& reason) {
    if (path == failingPath) {
        reason = failingReason;
        return nullptr;
    }
    const auto file = files.find(path);
    if (file == files.end()) {
        reason = "not found";
        return nullptr;
    }
    std::optional<std::size_t> failAt;
    if (path == unreadablePath) failAt = readableBytes;
    return std::make_unique<MemoryFile>(file->second, failAt);
}

std::string MemoryOutputs::checkReplaceable(const std::string&) { return {}; }

std::unique_ptr<OutputFile> MemoryOutputs::create(const std::string& finalPath, std::string& reason) {
    if (const Fault* fault = faultFor(FaultAt::Create, finalPath)) {
        reason = fault->reason;
        return nullptr;
    }
    return std::make_unique<MemoryOutput>(*this, finalPath);
}

FolderRecovery MemoryOutputs::recoverFolder(const std::string&, bool (*)(std::string_view)) {
    FolderRecovery recovery;
    recovery.sideFilesRemoved = staleSideFiles;
    return recovery;
}

std::string MemoryOutputs::beginCommit(const std::string& folderPath, const std::vector<CommitMove>& moves) {
    commitRecords.push_back(formatCommitRecord({{1}, "now", moves}));
    commitOpen = true;
    if (const Fault* fault = faultFor(FaultAt::CommitRecord, folderPath)) return fault->reason;
    return {};
}

std::string MemoryOutputs::endCommit(const std::string&) {
    commitOpen = false;
    return {};
}

const Fault* MemoryOutputs::faultFor(FaultAt at, const std::string& path) const {
    for (const Fault& fault : faults)
        if (fault.at == at && fault.path == path) return &fault;
    return nullptr;
}

std::vector<std::string> MemoryOutputs::sideFiles() const {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : folder)
        if (endsWith(name, kWritingSuffix) || endsWith(name, kKeptSuffix)) names.push_back(name);
    return names;
}

} // namespace boxloom::testing
