#pragma once

// The engine's only contact with the platform's files: league files are opened
// read-only, export files are written beside their final name and moved over it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace boxloom {

enum class PathStyle { Windows, Posix };
#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// Adds one separator between folder and name unless the folder already ends in one.
std::string joinPath(std::string_view folder, std::string_view name, PathStyle style = kNativePathStyle);

// Reasons are short plain words ("not found", "in use by another program", ...);
// an empty reason means success.
class ReadOnlyFile {
public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Never creates the file; on Windows other readers are allowed, writers are not.
    std::string open(const std::string& path);
    // Bytes read (0 at the end), or -1 with the reason in `reason`.
    std::ptrdiff_t read(void* buffer, std::size_t size, std::string& reason);
    void close();
    bool isOpen() const { return handle_ != kClosed; }

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed;
};

class ReplacementFile {
public:
    ReplacementFile() = default;
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates a fresh temporary file in the folder of finalPath.
    std::string create(const std::string& finalPath);
    std::string write(const void* data, std::size_t size);
    // Closes the temporary file and moves it over the final name.
    std::string commit();
    // Closes and removes the temporary file, if any.
    void discard();
    const std::string& temporaryPath() const { return temporaryPath_; }

private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed;
    std::string finalPath_;
    std::string temporaryPath_;
};

// Whether an export file could be replaced now: not a folder and, on Windows,
// not held open by another program. Empty when it can (or does not exist yet).
std::string checkReplaceable(const std::string& path);

} // namespace boxloom
