#include "platform_files.h"

#include "paths.h"

#include <windows.h>

namespace boxloom::platform {

namespace {

bool isFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

std::string reasonForError(long code) {
    const DWORD error = static_cast<DWORD>(code);
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

std::string removeIfPresent(const std::string& path) {
    if (DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) return {};
    return reasonForError(GetLastError());
}

std::string moveReplacing(const std::string& from, const std::string& to) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
    return reasonForError(GetLastError());
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

bool pathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string flushFileSystemOf(const std::string&) { return {}; }

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
            if (GetLastError() != ERROR_ALREADY_EXISTS) return reasonForError(GetLastError());
        } else {
            created = true;
        }
    }
    return isFolder(GetFileAttributesA(path.c_str())) ? std::string() : "is not a folder";
}

static std::optional<std::string> wholeFile(const std::string& path, std::string& reason) {
    if (isFolder(GetFileAttributesA(path.c_str()))) {
        reason = "is a folder";
        return std::nullopt;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = reasonForError(GetLastError());
        return std::nullopt;
    }
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        reason = "not a regular file";
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    BOOL read = FALSE;
    while ((read = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0)
        bytes.append(buffer, got);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!read) {
        reason = reasonForError(error);
        return std::nullopt;
    }
    return bytes;
}

// Folders and volume labels are not.
bool isFolder(const std::string& path) { return isFolder(GetFileAttributesA(path.c_str())); }

bool sameFile(const std::string& first, const std::string& second) {
    auto identity = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
        HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        const bool known = GetFileInformationByHandle(file, &info) != 0;
        CloseHandle(file);
        return known;
    };
    BY_HANDLE_FILE_INFORMATION a{}, b{};
    return identity(first, a) && identity(second, b) && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

bool isRegularFile(const std::string& path) {
    constexpr DWORD kVolumeLabel = 0x8;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | kVolumeLabel)) == 0;
}

std::string removeEmptyFolder(const std::string& path) {
    return RemoveDirectoryA(path.c_str()) != 0 ? std::string() : reasonForError(GetLastError());
}

std::string moveIfAbsent(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) != 0
               ? std::string()
               : reasonForError(GetLastError());
}

std::string writeFileDurably(const std::string& path, std::string_view text) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return reasonForError(GetLastError());
    DWORD written = 0;
    std::string reason;
    if (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size() || !FlushFileBuffers(file))
        reason = reasonForError(GetLastError());
    if (!CloseHandle(file) && reason.empty()) reason = reasonForError(GetLastError());
    return reason;
}

static std::optional<std::string> smallFile(const std::string& path, std::string& reason) {
    constexpr DWORD kLimit = 64 * 1024;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = reasonForError(GetLastError());
        return std::nullopt;
    }
    std::string text(kLimit + 1, '\0');
    DWORD got = 0;
    const BOOL read = ReadFile(file, text.data(), kLimit + 1, &got, nullptr);
    const DWORD error = GetLastError();
    CloseHandle(file);
    if (!read || got > kLimit) {
        reason = read ? "too large" : reasonForError(error);
        return std::nullopt;
    }
    text.resize(got);
    return text;
}

// Moves made with write-through are on the disk when they return.
std::string flushFolder(const std::string&) { return {}; }

namespace {

std::string readInto(std::optional<std::string> (*read)(const std::string&, std::string&),
                     const std::string& path, std::string& bytes) {
    std::string reason;
    std::optional<std::string> found = read(path, reason);
    if (found) bytes = std::move(*found);
    return reason;
}

} // namespace

std::string readWholeFile(const std::string& path, std::string& bytes) {
    return readInto(wholeFile, path, bytes);
}
std::string readSmallFile(const std::string& path, std::string& bytes) {
    return readInto(smallFile, path, bytes);
}

} // namespace boxloom::platform
