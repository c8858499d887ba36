#include "file_layer.h"

#include <windows.h>

namespace boxloom {

namespace {

std::string reasonFor(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH: return "not found";
    case ERROR_ACCESS_DENIED: return "permission denied";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return "in use by another program";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "disk full";
    case ERROR_WRITE_PROTECT: return "write-protected";
    default: return "system error " + std::to_string(error);
    }
}

HANDLE nativeHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::string folderOf(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string nameOf(const std::string& path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool isFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
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
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return {};
}

std::ptrdiff_t ReadOnlyFile::read(void* buffer, std::size_t size, std::string& reason) {
    DWORD got = 0;
    if (!ReadFile(nativeHandle(handle_), buffer, static_cast<DWORD>(size), &got, nullptr)) {
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

ReplacementFile::~ReplacementFile() { discard(); }

std::string ReplacementFile::create(const std::string& finalPath) {
    discard();
    static unsigned sequence = 0;
    finalPath_ = finalPath;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && error == ERROR_FILE_EXISTS; ++attempt) {
        temporaryPath_ = folderOf(finalPath) + "~" + nameOf(finalPath) + "." +
                         std::to_string(GetCurrentProcessId()) + "-" + std::to_string(sequence++) + ".tmp";
        HANDLE file = CreateFileA(temporaryPath_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = reinterpret_cast<std::intptr_t>(file);
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

std::string ReplacementFile::commit() {
    if (handle_ != kClosed) {
        const BOOL closed = CloseHandle(nativeHandle(handle_));
        handle_ = kClosed;
        if (!closed) return reasonFor(GetLastError());
    }
    if (!MoveFileExA(temporaryPath_.c_str(), finalPath_.c_str(), MOVEFILE_REPLACE_EXISTING))
        return reasonFor(GetLastError());
    temporaryPath_.clear();
    return {};
}

void ReplacementFile::discard() {
    if (handle_ != kClosed) {
        CloseHandle(nativeHandle(handle_));
        handle_ = kClosed;
    }
    if (!temporaryPath_.empty()) {
        DeleteFileA(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
}

std::string checkReplaceable(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // Nothing to replace; a missing folder is reported when the file is created.
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? std::string() : reasonFor(error);
    }
    if (isFolder(attributes)) return "is a folder";
    if (attributes & FILE_ATTRIBUTE_READONLY) return "read-only";
    // An exclusive open fails while any other program holds the file.
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return reasonFor(GetLastError());
    CloseHandle(file);
    return {};
}

} // namespace boxloom
