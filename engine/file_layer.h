#pragma once

// The engine's only contact with the platform's files: league files are opened
// read-only, export files are written beside their final name and moved over it.
// One implementation per platform.

#include "byte_source.h"
#include "export_io.h"
#include "paths.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace boxloom {

// Reasons are short plain words ("not found", "in use by another program", ...);
// an empty reason means success.
class ReadOnlyFile final : public ByteSource {
public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile() override;
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Never creates the file and never waits for a writer; only regular files open.
    // On Windows other readers are allowed, writers are not.
    std::string open(const std::string& path);
    std::ptrdiff_t read(void* buffer, std::size_t size, std::string& reason) override;
    void close();
    bool isOpen() const { return handle_ != kClosed; }

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed;
};

class ReplacementFile final : public OutputFile {
public:
    ReplacementFile() = default;
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
    const std::string& temporaryPath() const { return temporaryPath_; }

private:
    void closeHandle();

    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed;
    std::string finalPath_;
    std::string temporaryPath_;
    std::string keptPath_; // the earlier file, moved or linked aside by replace()
    bool replaced_ = false;
};

// Whether an export file could be replaced now: not a folder, not read-only and,
// on Windows, not held open by another program. Empty when it can (or does not exist).
std::string checkReplaceable(const std::string& path);

class FileSystemLeagueFiles final : public LeagueFileOpener {
public:
    std::unique_ptr<ByteSource> open(const std::string& path, std::string& reason) override;
};

class FileSystemOutputs final : public OutputFileFactory {
public:
    std::string checkReplaceable(const std::string& path) override;
    std::unique_ptr<OutputFile> create(const std::string& finalPath, std::string& reason) override;
    std::size_t removeStaleSideFiles(const std::string& folder, bool (*isOurs)(std::string_view)) override;
};

} // namespace boxloom
