#include "file_layer.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace boxloom {

namespace {

std::string reasonFor(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return "not found";
    case EACCES:
    case EPERM: return "permission denied";
    case EISDIR: return "is a folder";
    case ENOSPC:
    case EDQUOT: return "disk full";
    case EBUSY:
    case ETXTBSY: return "in use by another program";
    case EROFS: return "read-only file system";
    default: return std::strerror(error);
    }
}

int fd(std::intptr_t handle) { return static_cast<int>(handle); }

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

ReadOnlyFile::~ReadOnlyFile() { close(); }

std::string ReadOnlyFile::open(const std::string& path) {
    close();
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return reasonFor(errno);
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return S_ISDIR(info.st_mode) ? "is a folder" : "not a regular file";
    }
    handle_ = descriptor;
    return {};
}

std::ptrdiff_t ReadOnlyFile::read(void* buffer, std::size_t size, std::string& reason) {
    for (;;) {
        const ssize_t got = ::read(fd(handle_), buffer, size);
        if (got >= 0) return got;
        if (errno == EINTR) continue;
        reason = reasonFor(errno);
        return -1;
    }
}

void ReadOnlyFile::close() {
    if (handle_ == kClosed) return;
    ::close(fd(handle_));
    handle_ = kClosed;
}

ReplacementFile::~ReplacementFile() { discard(); }

std::string ReplacementFile::create(const std::string& finalPath) {
    discard();
    static std::atomic<unsigned> sequence{0};
    finalPath_ = finalPath;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath_ = folderOf(finalPath) + "~" + nameOf(finalPath) + "." + std::to_string(::getpid()) +
                         "-" + std::to_string(sequence++) + ".tmp";
        const int descriptor = ::open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (descriptor >= 0) {
            handle_ = descriptor;
            return {};
        }
        if (errno != EEXIST) break;
    }
    const std::string reason = reasonFor(errno);
    temporaryPath_.clear();
    return reason;
}

std::string ReplacementFile::write(const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd(handle_), bytes, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return reasonFor(errno);
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return {};
}

std::string ReplacementFile::commit() {
    if (handle_ != kClosed) {
        const int closed = ::close(fd(handle_));
        handle_ = kClosed;
        if (closed != 0) return reasonFor(errno);
    }
    if (::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0) return reasonFor(errno);
    temporaryPath_.clear();
    return {};
}

void ReplacementFile::discard() {
    if (handle_ != kClosed) {
        ::close(fd(handle_));
        handle_ = kClosed;
    }
    if (!temporaryPath_.empty()) {
        ::unlink(temporaryPath_.c_str());
        temporaryPath_.clear();
    }
}

std::string checkReplaceable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return {};
        return reasonFor(errno);
    }
    if (S_ISDIR(info.st_mode)) return "is a folder";
    return {};
}

} // namespace boxloom
