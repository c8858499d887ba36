#include "file_handles.h"

#include "platform_files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace boxloom::platform {

namespace {

int fd(std::intptr_t handle) { return static_cast<int>(handle); }

// A file with no write permission for its owner is read-only, whoever runs the export.
std::string replaceableReason(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) return "is a folder";
    if (!S_ISREG(info.st_mode)) return "not a regular file";
    if ((info.st_mode & S_IWUSR) == 0) return "read-only";
    return {};
}

} // namespace

InputFile::~InputFile() { close(); }

std::string InputFile::open(const std::string& path) {
    close();
    // Without O_NONBLOCK a FIFO would wait here for a writer.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0) return reasonForError(errno);
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return S_ISDIR(info.st_mode) ? "is a folder" : "not a regular file";
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    handle_ = descriptor;
    return {};
}

std::ptrdiff_t InputFile::read(void* buffer, std::size_t size, std::string& reason) {
    for (;;) {
        const ssize_t got = ::read(fd(handle_), buffer, size);
        if (got >= 0) return got;
        if (errno == EINTR) continue;
        reason = reasonForError(errno);
        return -1;
    }
}

std::uint64_t InputFile::size(std::string& reason) const {
    struct stat info {};
    if (::fstat(fd(handle_), &info) == 0) return static_cast<std::uint64_t>(info.st_size);
    reason = reasonForError(errno);
    return 0;
}

void InputFile::close() {
    if (handle_ == kClosed) return;
    ::close(fd(handle_));
    handle_ = kClosed;
}

NewFile::~NewFile() { close(); }

std::string NewFile::create(const std::string& path, bool& existed) {
    close();
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    existed = descriptor < 0 && errno == EEXIST;
    if (descriptor < 0) return reasonForError(errno);
    handle_ = descriptor;
    return {};
}

std::string NewFile::write(const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd(handle_), bytes, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return reasonForError(errno);
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return {};
}

std::string NewFile::flushAndClose(bool toDisk) {
    const bool synced = !toDisk || ::fsync(fd(handle_)) == 0;
    const int error = errno;
    const int closed = ::close(fd(handle_));
    handle_ = kClosed;
    if (!synced) return reasonForError(error);
    if (closed != 0) return reasonForError(errno);
    return {};
}

void NewFile::close() {
    if (handle_ == kClosed) return;
    ::close(fd(handle_));
    handle_ = kClosed;
}

std::string checkReplaceable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return errno == ENOENT ? std::string() : reasonForError(errno);
    return replaceableReason(info);
}

std::string copyPermissions(const std::string& from, const std::string& to) {
    struct stat info {};
    if (::stat(from.c_str(), &info) != 0 || ::chmod(to.c_str(), info.st_mode & 07777) != 0)
        return reasonForError(errno);
    return {};
}

} // namespace boxloom::platform
