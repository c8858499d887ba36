#pragma once

// Open files: one read from start to end, and one made new and written. The
// engine's file layer builds its league files and replacement files on these.

#include <cstddef>
#include <cstdint>
#include <string>

namespace boxloom::platform {

// Reasons are short plain words ("not found", "in use by another program", ...);
// an empty reason means success.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Never creates the file and never waits for a writer; only regular files open.
    // On Windows other readers are allowed, writers are not.
    std::string open(const std::string& path);
    // The bytes read, 0 at the end, or -1 with the reason.
    std::ptrdiff_t read(void* buffer, std::size_t size, std::string& reason);
    // The open file's size in bytes, or "" replaced by the reason it is not known.
    std::uint64_t size(std::string& reason) const;
    void close();
    bool isOpen() const { return handle_ != kClosed; }

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed;
};

class NewFile {
public:
    NewFile() = default;
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    // Creates the file, never opening one that exists: then `existed` is set.
    std::string create(const std::string& path, bool& existed);
    std::string write(const void* data, std::size_t size);
    // Flushes the bytes to the disk (unless `toDisk` is false: the system
    // writes them out in its own time), then closes the file.
    std::string flushAndClose(bool toDisk = true);
    void close();
    bool isOpen() const { return handle_ != kClosed; }

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed;
};

// Whether a file could be replaced now: not a folder, not read-only and, on
// Windows, not held open by another program. Empty when it can (or does not exist).
std::string checkReplaceable(const std::string& path);
// The file at `to` gets the permissions of the one at `from`; nothing to do on Windows.
std::string copyPermissions(const std::string& from, const std::string& to);

} // namespace boxloom::platform
