#include "file_layer.h"

#include "file_layer_platform.h"
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

std::string reasonFor(int error) {
    switch (error) {
    case ENOENT: return "not found";
    case ENOTDIR: return "a part of the path is not a folder";
    case EACCES:
    case EPERM: return "permission denied";
    case EISDIR: return "is a folder";
    case ENOSPC:
    case EDQUOT: return "disk full";
    case EFBIG: return "file too large for the file system or a size limit";
    case ENAMETOOLONG: return "path too long";
    case EBUSY:
    case ETXTBSY: return "in use by another program";
    case EROFS: return "read-only file system";
    default: return std::strerror(error);
    }
}

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
    if (descriptor < 0) return reasonFor(errno);
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
        reason = reasonFor(errno);
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

std::string ReplacementFile::finish() {
    if (handle_ == kClosed) return {};
    step();
    // On the disk before the commit record names it as complete.
    const bool synced = ::fsync(fd(handle_)) == 0;
    const int error = errno;
    const int closed = ::close(fd(handle_));
    handle_ = kClosed;
    if (!synced) return reasonFor(error);
    if (closed != 0) return reasonFor(errno);
    struct stat earlier {};
    hadEarlier_ = ::stat(finalPath_.c_str(), &earlier) == 0;
    return {};
}

std::string ReplacementFile::replace() {
    struct stat earlier {};
    const bool hadEarlier = ::stat(finalPath_.c_str(), &earlier) == 0;
    if (!hadEarlier && errno != ENOENT) return reasonFor(errno);
    if (hadEarlier != hadEarlier_) return "changed by another program during the export";
    if (hadEarlier) {
        if (std::string reason = replaceableReason(earlier); !reason.empty()) return reason;
        // The new file takes the earlier file's permissions.
        if (::chmod(temporaryPath_.c_str(), earlier.st_mode & 07777) != 0) return reasonFor(errno);
        // Moved aside, not replaced: on ext4 a rename over an existing file makes
        // the kernel write the new file out at once, which costs a third of a run.
        // A run killed between the two moves is completed by the next run.
        step();
        if (::rename(finalPath_.c_str(), keptPath_.c_str()) != 0) return reasonFor(errno);
    }
    step();
    if (::rename(temporaryPath_.c_str(), finalPath_.c_str()) != 0) {
        const std::string reason = reasonFor(errno);
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
        return reasonFor(errno);
    }
    return replaceableReason(info);
}

namespace platform {

std::string removeIfPresent(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT ? std::string() : reasonFor(errno);
}

std::string moveReplacing(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? std::string() : reasonFor(errno);
}

std::vector<std::string> namesInFolder(const std::string& folder) {
    std::vector<std::string> names;
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) return names;
    while (const dirent* entry = ::readdir(listing))
        names.emplace_back(entry->d_name);
    ::closedir(listing);
    return names;
}

std::uint32_t currentProcessId() { return static_cast<std::uint32_t>(::getpid()); }

bool processMayBeRunning(std::uint32_t processId) {
    if (processId == 0 || processId > 0x7FFFFFFF) return true;
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH;
}

bool pathExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::string writeFileDurably(const std::string& path, std::string_view text) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) return reasonFor(errno);
    std::string reason;
    for (std::size_t done = 0; done < text.size() && reason.empty();) {
        const ssize_t written = ::write(descriptor, text.data() + done, text.size() - done);
        if (written >= 0)
            done += static_cast<std::size_t>(written);
        else if (errno != EINTR)
            reason = reasonFor(errno);
    }
    if (reason.empty() && ::fsync(descriptor) != 0) reason = reasonFor(errno);
    if (::close(descriptor) != 0 && reason.empty()) reason = reasonFor(errno);
    return reason;
}

std::optional<std::string> readSmallFile(const std::string& path, std::string& reason) {
    constexpr std::size_t kLimit = 64 * 1024;
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0) {
        reason = reasonFor(errno);
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 || text.size() + static_cast<std::size_t>(got) > kLimit) {
            reason = got < 0 ? reasonFor(errno) : "too large";
            ::close(descriptor);
            return std::nullopt;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(descriptor);
    return text;
}

std::string flushFolder(const std::string& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return reasonFor(errno);
    const bool synced = ::fsync(descriptor) == 0;
    const int error = errno;
    ::close(descriptor);
    // Some file systems cannot flush a folder; their entries are as safe as they get.
    return synced || error == EINVAL || error == EROFS ? std::string() : reasonFor(error);
}

std::string makeFolders(const std::string& path, bool& created) {
    created = false;
    for (std::size_t end = 1; end <= path.size(); ++end) {
        if (end < path.size() && path[end] != '/') continue;
        if (::mkdir(path.substr(0, end).c_str(), 0777) == 0)
            created = true;
        else if (errno != EEXIST)
            return reasonFor(errno);
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return reasonFor(errno);
    return S_ISDIR(info.st_mode) ? std::string() : "is not a folder";
}

bool moveFile(const std::string& from, const std::string& to) {
    // link + unlink never replaces an existing file.
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    return ::unlink(from.c_str()) == 0;
}

} // namespace platform

} // namespace boxloom
