#include "file_handles.h"

#include "platform_files.h"

#include <windows.h>

namespace boxloom::platform {

namespace {

HANDLE nativeHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

bool isFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Larger requests are made in pieces: ReadFile and WriteFile count in 32 bits.
DWORD chunkOf(std::size_t size) { return size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size); }

} // namespace

InputFile::~InputFile() { close(); }

std::string InputFile::open(const std::string& path) {
    close();
    if (isFolder(GetFileAttributesA(path.c_str()))) return "is a folder";
    // Sharing read access only: a program writing the file makes the open fail.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return reasonForError(GetLastError());
    // Pipes, consoles and devices could block or never end.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return "not a regular file";
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return {};
}

std::ptrdiff_t InputFile::read(void* buffer, std::size_t size, std::string& reason) {
    DWORD got = 0;
    if (!ReadFile(nativeHandle(handle_), buffer, chunkOf(size), &got, nullptr)) {
        reason = reasonForError(GetLastError());
        return -1;
    }
    return static_cast<std::ptrdiff_t>(got);
}

std::uint64_t InputFile::size(std::string& reason) const {
    LARGE_INTEGER bytes{};
    if (GetFileSizeEx(nativeHandle(handle_), &bytes)) return static_cast<std::uint64_t>(bytes.QuadPart);
    reason = reasonForError(GetLastError());
    return 0;
}

void InputFile::close() {
    if (handle_ == kClosed) return;
    CloseHandle(nativeHandle(handle_));
    handle_ = kClosed;
}

NewFile::~NewFile() { close(); }

std::string NewFile::create(const std::string& path, bool& existed) {
    close();
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD error = GetLastError();
    existed = file == INVALID_HANDLE_VALUE && error == ERROR_FILE_EXISTS;
    if (file == INVALID_HANDLE_VALUE) return reasonForError(error);
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return {};
}

std::string NewFile::write(const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(nativeHandle(handle_), bytes, chunkOf(size), &written, nullptr))
            return reasonForError(GetLastError());
        bytes += written;
        size -= written;
    }
    return {};
}

// Always to the disk: flushing a whole volume at once (what a later flush
// stands on elsewhere) takes an administrator here.
std::string NewFile::flushAndClose(bool) {
    const BOOL flushed = FlushFileBuffers(nativeHandle(handle_));
    const DWORD error = GetLastError();
    const BOOL closed = CloseHandle(nativeHandle(handle_));
    handle_ = kClosed;
    if (!flushed) return reasonForError(error);
    if (!closed) return reasonForError(GetLastError());
    return {};
}

void NewFile::close() {
    if (handle_ == kClosed) return;
    CloseHandle(nativeHandle(handle_));
    handle_ = kClosed;
}

std::string checkReplaceable(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        // Nothing to replace; a missing folder is reported when the file is created.
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? std::string()
                                                                              : reasonForError(error);
    }
    if (isFolder(attributes)) return "is a folder";
    if (attributes & FILE_ATTRIBUTE_READONLY) return "read-only";
    // An exclusive open fails while any other program holds the file.
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // Some systems answer a held file with "access denied".
        return reasonForError(error == ERROR_ACCESS_DENIED ? ERROR_SHARING_VIOLATION : error);
    }
    CloseHandle(file);
    return {};
}

std::string copyPermissions(const std::string&, const std::string&) { return {}; }

} // namespace boxloom::platform
