#include "file_layer.h"

#include "file_layer_platform.h"
#include "temporary_names.h"

#include <atomic>

#include <windows.h>

namespace boxloom {

namespace {

std::string reasonFor(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH: return "not found";
    case ERROR_DIRECTORY: return "a part of the path is not a folder";
    case ERROR_ACCESS_DENIED: return "permission denied";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return "in use by another program";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "disk full";
    case ERROR_FILE_TOO_LARGE: return "file too large for the file system or a size limit";
    case ERROR_FILENAME_EXCED_RANGE: return "path too long";
    case ERROR_WRITE_PROTECT: return "write-protected";
    default: return "system error " + std::to_string(error);
    }
}

HANDLE nativeHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

bool isFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::atomic<std::uint32_t> sideFileSequence{0};

std::string sidePath(const std::string& finalPath, SideFile kind, std::uint32_t sequence) {
    return std::string(folderOf(finalPath)) +
           sideFileName(nameOf(finalPath), platform::currentProcessId(), sequence, kind);
}

} // namespace

ReadOnlyFile::~ReadOnlyFile() { close(); }

std::string ReadOnlyFile::open(const std::string& path) {
    close();
    if (isFolder(GetFileAttributesA(path.c_str()))) return "is a folder";
    // Sharing read access only: a program writing the file makes the open fail.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return reasonFor(GetLastError());
    // Pipes, consoles and devices could block or never end.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return "not a regular file";
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return {};
}

std::ptrdiff_t ReadOnlyFile::read(void* buffer, std::size_t size, std::string& reason) {
    DWORD got = 0;
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    if (!ReadFile(nativeHandle(handle_), buffer, chunk, &got, nullptr)) {
        reason = reasonFor(GetLastError());
        return -1;
    }
    return static_cast<std::ptrdiff_t>(got);
}

void ReadOnlyFile::close() {
    if (handle_ == kClosed) return;
    CloseHandle(nativeHandle(handle_));
    handle_ = kClosed;
}

void ReplacementFile::closeHandle() {
    if (handle_ == kClosed) return;
    CloseHandle(nativeHandle(handle_));
    handle_ = kClosed;
}

std::string ReplacementFile::create(const std::string& finalPath) {
    cleanUp();
    finalPath_ = finalPath;
    replaced_ = hadEarlier_ = false;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
        temporaryPath_ = sidePath(finalPath, SideFile::Temporary, sideFileSequence++);
        HANDLE file = CreateFileA(temporaryPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = reinterpret_cast<std::intptr_t>(file);
            // Named now, so that the commit record can say where the earlier file goes.
            keptPath_ = sidePath(finalPath, SideFile::KeptEarlier, sideFileSequence++);
            return {};
        }
        error = GetLastError();
    }
    temporaryPath_.clear();
    return reasonFor(error);
}

std::string ReplacementFile::write(const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD written = 0;
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        if (!WriteFile(nativeHandle(handle_), bytes, chunk, &written, nullptr))
            return reasonFor(GetLastError());
        bytes += written;
        size -= written;
    }
    return {};
}

std::string ReplacementFile::finish() {
    if (handle_ == kClosed) return {};
    step();
    // On the disk before the commit record names it as complete.
    const BOOL flushed = FlushFileBuffers(nativeHandle(handle_));
    const DWORD error = GetLastError();
    const BOOL closed = CloseHandle(nativeHandle(handle_));
    handle_ = kClosed;
    if (!flushed) return reasonFor(error);
    if (!closed) return reasonFor(GetLastError());
    hadEarlier_ = GetFileAttributesA(finalPath_.c_str()) != INVALID_FILE_ATTRIBUTES;
    return {};
}

std::string ReplacementFile::replace() {
    // Another program may have opened the file since the run began.
    if (std::string reason = checkReplaceable(finalPath_); !reason.empty()) return reason;
    const bool hadEarlier = GetFileAttributesA(finalPath_.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (hadEarlier != hadEarlier_) return "changed by another program during the export";
    if (hadEarlier) {
        step();
        if (!MoveFileExA(finalPath_.c_str(), keptPath_.c_str(), MOVEFILE_WRITE_THROUGH))
            return reasonFor(GetLastError());
    }
    step();
    if (!MoveFileExA(temporaryPath_.c_str(), finalPath_.c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        if (hadEarlier) MoveFileExA(keptPath_.c_str(), finalPath_.c_str(), MOVEFILE_WRITE_THROUGH);
        return reasonFor(error);
    }
    temporaryPath_.clear();
    if (!hadEarlier) keptPath_.clear();
    replaced_ = true;
    return {};
}

std::string checkReplaceable(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // Nothing to replace; a missing folder is reported when the file is created.
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? std::string()
                                                                              : reasonFor(error);
    }
    if (isFolder(attributes)) return "is a folder";
    if (attributes & FILE_ATTRIBUTE_READONLY) return "read-only";
    // An exclusive open fails while any other program holds the file.
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Some systems answer a held file with "access denied".
        return reasonFor(error == ERROR_ACCESS_DENIED ? ERROR_SHARING_VIOLATION : error);
    }
    CloseHandle(file);
    return {};
}

namespace platform {

std::string removeIfPresent(const std::string& path) {
    if (DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) return {};
    return reasonFor(GetLastError());
}

std::string moveReplacing(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
    return reasonFor(GetLastError());
}

std::vector<std::string> namesInFolder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(joinPath(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::uint32_t currentProcessId() { return GetCurrentProcessId(); }

bool processMayBeRunning(std::uint32_t processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD exitCode = 0;
    const bool running = !GetExitCodeProcess(process, &exitCode) || exitCode == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

bool pathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool removeFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

std::string makeFolders(const std::string& path, bool& created) {
    created = false;
    // A share's "\\\\" and server ("\\\\server\\share") are no folders to make.
    int skip = path.starts_with("\\\\") || path.starts_with("//") ? 2 : 0;
    for (std::size_t end = 1; end <= path.size(); ++end) {
        if (end < path.size() && path[end] != '\\' && path[end] != '/') continue;
        if (skip > 0) {
            --skip;
            continue;
        }
        const std::string prefix = path.substr(0, end);
        if (GetFileAttributesA(prefix.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
        if (!CreateDirectoryA(prefix.c_str(), nullptr)) {
            if (GetLastError() != ERROR_ALREADY_EXISTS) return reasonFor(GetLastError());
        } else {
            created = true;
        }
    }
    return isFolder(GetFileAttributesA(path.c_str())) ? std::string() : "is not a folder";
}

bool moveFile(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

std::string writeFileDurably(const std::string& path, std::string_view text) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return reasonFor(GetLastError());
    DWORD written = 0;
    std::string reason;
    if (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size() || !FlushFileBuffers(file))
        reason = reasonFor(GetLastError());
    if (!CloseHandle(file) && reason.empty()) reason = reasonFor(GetLastError());
    return reason;
}

std::optional<std::string> readSmallFile(const std::string& path, std::string& reason) {
    constexpr DWORD kLimit = 64 * 1024;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = reasonFor(GetLastError());
        return std::nullopt;
    }
    std::string text(kLimit + 1, '\0');
    DWORD got = 0;
    const BOOL read = ReadFile(file, text.data(), kLimit + 1, &got, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!read || got > kLimit) {
        reason = read ? "too large" : reasonFor(error);
        return std::nullopt;
    }
    text.resize(got);
    return text;
}

// Moves made with write-through are on the disk when they return.
std::string flushFolder(const std::string&) { return {}; }

} // namespace platform

} // namespace boxloom
