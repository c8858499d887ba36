#include "file_layer.h"

#include "platform_files.h"
#include "temporary_names.h"

#include <atomic>

#include <windows.h>

namespace boxloom {

namespace {

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
    if (file == INVALID_HANDLE_VALUE) return platform::reasonForError(GetLastError());
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
        reason = platform::reasonForError(GetLastError());
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
    return platform::reasonForError(error);
}

std::string ReplacementFile::write(const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD written = 0;
        const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
        if (!WriteFile(nativeHandle(handle_), bytes, chunk, &written, nullptr))
            return platform::reasonForError(GetLastError());
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
    if (!flushed) return platform::reasonForError(error);
    if (!closed) return platform::reasonForError(GetLastError());
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
            return platform::reasonForError(GetLastError());
    }
    step();
    if (!MoveFileExA(temporaryPath_.c_str(), finalPath_.c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        if (hadEarlier) MoveFileExA(keptPath_.c_str(), finalPath_.c_str(), MOVEFILE_WRITE_THROUGH);
        return platform::reasonForError(error);
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
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? std::string()
                   : platform::reasonForError(error);
    }
    if (isFolder(attributes)) return "is a folder";
    if (attributes & FILE_ATTRIBUTE_READONLY) return "read-only";
    // An exclusive open fails while any other program holds the file.
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Some systems answer a held file with "access denied".
        return platform::reasonForError(error == ERROR_ACCESS_DENIED ? ERROR_SHARING_VIOLATION : error);
    }
    CloseHandle(file);
    return {};
}

} // namespace boxloom
