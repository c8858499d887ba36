#include "file_layer.h"

#include "platform_files.h"
#include "temporary_names.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace boxloom {

namespace {

int fd(std::intptr_t handle) { return static_cast<int>(handle); }

std::atomic<std::uint32_t> sideFileSequence{0};

std::string sidePath(const std::string& finalPath, SideFile kind, std::uint32_t sequence) {
    return std::string(folderOf(finalPath)) +
           sideFileName(nameOf(finalPath), platform::currentProcessId(), sequence, kind);
}

// A file with no write permission for its owner is read-only, whoever runs the export.
std::string replaceableReason(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) return "is a folder";
    if (!S_ISREG(info.st_mode)) return "not a regular file";
    if ((info.st_mode & S_IWUSR) == 0) return "read-only";
    return {};
}

} // namespace

ReadOnlyFile::~ReadOnlyFile() { close(); }

std::string ReadOnlyFile::open(const std::string& path) {
    close();
    // Without O_NONBLOCK a FIFO would wait here for a writer.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0) return platform::reasonForError(errno);
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return S_ISDIR(info.st_mode) ? "is a folder" : "not a regular file";
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    handle_ = descriptor;
    return {};
}

std::ptrdiff_t ReadOnlyFile::read(void* buffer, std::size_t size, std::string& reason) {
    for (;;) {
        const ssize_t got = ::read(fd(handle_), buffer, size);
        if (got >= 0) return got;
        if (errno == EINTR) continue;
        reason = platform::reasonForError(errno);
        return -1;
    }
}

void ReadOnlyFile::close() {
    if (handle_ == kClosed) return;
    ::close(fd(handle_));
    handle_ = kClosed;
}

void ReplacementFile::closeHandle() {
    if (handle_ == kClosed) return;
    ::close(fd(handle_));
    handle_ = kClosed;
}

std::string ReplacementFile::create(const std::string& finalPath) {
    cleanUp();
    finalPath_ = finalPath;
    replaced_ = hadEarlier_ = false;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporaryPath_ = sidePath(finalPath, SideFile::Temporary, sideFileSequence++);
        const int descriptor = ::open(temporaryPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (descriptor >= 0) {
            handle_ = descriptor;
            // Named now, so that the commit record can say where the earlier file goes.
            keptPath_ = sidePath(finalPath, SideFile::KeptEarlier, sideFileSequence++);
            return {};
        }
        if (errno != EEXIST) break;
    }
    const std::string reason = platform::reasonForError(errno);
    temporaryPath_.clear();
    return reason;
}

std::string ReplacementFile::write(const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd(handle_), bytes, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return platform::reasonForError(errno);
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return {};
}

std::string ReplacementFile::finish() {
    if (handle_ == kClosed) return {};
    step();
    // On the disk before the commit record names it as complete.
    const bool synced = ::fsync(fd(handle_)) == 0;
    const int error = errno;
    const int closed = ::close(fd(handle_));
    handle_ = kClosed;
    if (!synced) return platform::reasonForError(error);
    if (closed != 0) return platform::reasonForError(errno);
    struct stat earlier {};
    hadEarlier_ = ::stat(finalPath_.c_str(), &earlier) == 0;
    return {};
}

std::string ReplacementFile::replace() {
    struct stat earlier {};
    const bool hadEarlier = ::stat(finalPath_.c_str(), &earlier) == 0;
    if (!hadEarlier && errno != ENOENT) return platform::reasonForError(errno);
    if (hadEarlier != hadEarlier_) return "changed by another program during the export";
    if (hadEarlier) {
        if (std::string reason = replaceableReason(earlier); !reason.empty()) return reason;
        // The new file takes the earlier file's permissions.
        if (::chmod(temporaryPath_.c_str(), earlier.st_mode & 07777) != 0)
            return platform::reasonForError(errno);
        // Moved aside, not replaced: on ext4 a rename over an existing file makes
        // the kernel write the new file out at once, which costs a third of a run.
        // A run killed between the two moves is completed by the next run.
        step();
        if (::rename(finalPath_.c_str(), keptPath_.c_str()) != 0) return platform::reasonForError(errno);
    }
    step();
    if (::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0) {
        const std::string reason = platform::reasonForError(errno);
        if (hadEarlier) ::rename(keptPath_.c_str(), finalPath_.c_str());
        return reason;
    }
    temporaryPath_.clear();
    if (!hadEarlier) keptPath_.clear();
    replaced_ = true;
    return {};
}

std::string checkReplaceable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return {};
        return platform::reasonForError(errno);
    }
    return replaceableReason(info);
}

} // namespace boxloom
