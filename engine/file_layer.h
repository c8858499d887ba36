#pragma once

// The engine's only contact with the platform's files: league files are opened
// read-only, export files are written beside their final name and moved over it.
// One implementation per platform.

#include "byte_source.h"
#include "export_io.h"
#include "file_handles.h"
#include "paths.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace boxloom {

// A league file: reasons are short plain words ("not found", "in use by
// another program", ...); an empty reason means success.
class ReadOnlyFile final : public ByteSource {
public:
    // Never creates the file and never waits for a writer; only regular files open.
    // On Windows other readers are allowed, writers are not.
    std::string open(const std::string& path) { return file_.open(path); }
    std::ptrdiff_t read(void* buffer, std::size_t size, std::string& reason) override {
        return file_.read(buffer, size, reason);
    }
    std::uint64_t size(std::string& reason) const { return file_.size(reason); }
    void close() { file_.close(); }
    bool isOpen() const { return file_.isOpen(); }

private:
    platform::InputFile file_;
};

// Called before every step of a replacement that changes the disk (a flush, a
// move, a removal): a test can end the process at any of them.
using FileStepHook = std::function<void()>;

// Whether a replacement's new file is on the disk before it takes the name:
// files that the next run makes again whole (a site's pages) need not wait.
enum class Flush { ToDisk, Later };

class ReplacementFile final : public OutputFile {
public:
    explicit ReplacementFile(const FileStepHook* hook = nullptr, Flush flush = Flush::ToDisk)
        : hook_(hook), flush_(flush) {}
    ~ReplacementFile() override;
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates a fresh temporary file in the folder of finalPath.
    std::string create(const std::string& finalPath);
    std::string write(const void* data, std::size_t size) override;
    std::string finish() override;
    std::string replace() override;
    std::string restore() override;
    std::string cleanUp() override;
    CommitMove commitMove() const override;

private:
    void step() const {
        if (hook_ != nullptr && *hook_) (*hook_)();
    }
    std::string moveIntoPlace(bool hadEarlier);

    platform::NewFile file_;
    std::string finalPath_;
    std::string temporaryPath_;
    std::string keptPath_; // where replace() moves the earlier file
    bool hadEarlier_ = false;
    bool replaced_ = false;
    const FileStepHook* hook_;
    Flush flush_;
};

// Writes a whole file through a replacement file: the earlier file stays whole
// until the new one is complete. The reason it failed, or "".
std::string replaceWholeFile(const std::string& path, std::string_view bytes, Flush flush = Flush::ToDisk);

// Why a season folder whose files would not open is not one: "no such folder",
// "is not a folder", or "" when it is a folder.
std::string seasonFolderProblem(const std::string& folder);

class FileSystemLeagueFiles final : public LeagueFileOpener {
public:
    std::unique_ptr<ByteSource> open(const std::string& path, std::string& reason) override;
};

class FileSystemOutputs final : public OutputFileFactory {
public:
    explicit FileSystemOutputs(FileStepHook hook = {}) : hook_(std::move(hook)) {}
    std::string checkReplaceable(const std::string& path) override;
    std::unique_ptr<OutputFile> create(const std::string& finalPath, std::string& reason) override;
    FolderRecovery recoverFolder(const std::string& folder, bool (*isOurs)(std::string_view)) override;
    std::string beginCommit(const std::string& folder, const std::vector<CommitMove>& moves) override;
    std::string endCommit(const std::string& folder) override;

private:
    void step() const;
    FileStepHook hook_;
};

} // namespace boxloom
