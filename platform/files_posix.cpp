#include "platform_files.h"

#include "paths.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace boxloom::platform {

namespace {

// A regular file whole, refused past `limit` bytes.
std::optional<std::string> readRegularFile(const std::string& path, std::size_t limit, std::string& reason) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (descriptor < 0) {
        reason = reasonForError(errno);
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        reason = S_ISDIR(info.st_mode) ? "is a folder" : "not a regular file";
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 || bytes.size() + static_cast<std::size_t>(got) > limit) {
            reason = got < 0 ? reasonForError(errno) : "too large";
            ::close(descriptor);
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(descriptor);
    return bytes;
}

} // namespace

std::string reasonForError(long code) {
    const int error = static_cast<int>(code);
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

std::string removeIfPresent(const std::string& path) {
    return ::unlink(path.c_str()) == 0 || errno == ENOENT ? std::string() : reasonForError(errno);
}

std::string moveReplacing(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? std::string() : reasonForError(errno);
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

bool pathExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::string writeFileDurably(const std::string& path, std::string_view text) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0) return reasonForError(errno);
    std::string reason;
    for (std::size_t done = 0; done < text.size() && reason.empty();) {
        const ssize_t written = ::write(descriptor, text.data() + done, text.size() - done);
        if (written >= 0)
            done += static_cast<std::size_t>(written);
        else if (errno != EINTR)
            reason = reasonForError(errno);
    }
    if (reason.empty() && ::fsync(descriptor) != 0) reason = reasonForError(errno);
    if (::close(descriptor) != 0 && reason.empty()) reason = reasonForError(errno);
    return reason;
}

namespace {

std::string readInto(const std::string& path, std::size_t limit, std::string& bytes) {
    std::string reason;
    std::optional<std::string> read = readRegularFile(path, limit, reason);
    if (read) bytes = std::move(*read);
    return reason;
}

} // namespace

std::string readSmallFile(const std::string& path, std::string& bytes) {
    return readInto(path, 64 * 1024, bytes);
}

namespace {

// `sync` on the folder's own descriptor: 0, or the error it met.
int syncFolder(const std::string& folder, int (*sync)(int)) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return errno;
    const int error = sync(descriptor) == 0 ? 0 : errno;
    ::close(descriptor);
    return error;
}

} // namespace

std::string flushFolder(const std::string& folder) {
    const int error = syncFolder(folder, ::fsync);
    // Some file systems cannot flush a folder; their entries are as safe as they get.
    return error == 0 || error == EINVAL || error == EROFS ? std::string() : reasonForError(error);
}

std::string flushFileSystemOf(const std::string& folder) {
    const int error = syncFolder(folder, ::syncfs);
    return error == 0 ? std::string() : reasonForError(error);
}

std::string makeFolders(const std::string& path, bool& created) {
    created = false;
    for (std::size_t end = 1; end <= path.size(); ++end) {
        if (end < path.size() && path[end] != '/') continue;
        if (::mkdir(path.substr(0, end).c_str(), 0777) == 0)
            created = true;
        else if (errno != EEXIST)
            return reasonForError(errno);
    }
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return reasonForError(errno);
    return S_ISDIR(info.st_mode) ? std::string() : "is not a folder";
}

std::string readWholeFile(const std::string& path, std::string& bytes) {
    return readInto(path, std::string().max_size(), bytes);
}

bool isRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool sameFile(const std::string& first, const std::string& second) {
    struct stat a {
    }, b{};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

std::string removeEmptyFolder(const std::string& path) {
    return ::rmdir(path.c_str()) == 0 ? std::string() : reasonForError(errno);
}

std::string moveIfAbsent(const std::string& from, const std::string& to) {
    // link + unlink never replaces an existing file.
    if (::link(from.c_str(), to.c_str()) != 0 || ::unlink(from.c_str()) != 0) return reasonForError(errno);
    return {};
}

} // namespace boxloom::platform
