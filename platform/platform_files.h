#pragma once

// The platform's file, folder, process and clock calls: every other room goes
// through these (or the engine's file layer built on them). One implementation
// per platform. An operation that can fail returns its reason, short plain
// words ("not found", "permission denied"), or "" on success; what it reads
// comes back through a parameter. Questions (pathExists, isFolder) are bools.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom::platform {

// The plain reason for the platform's error code (errno, or GetLastError()).
std::string reasonForError(long code);

std::vector<std::string> namesInFolder(const std::string& folder);
std::uint32_t currentProcessId();
// True also when it cannot tell: a side file is removed only when its process is surely gone.
bool processMayBeRunning(std::uint32_t processId);
// When the process of that number started, as a number that no other process
// of that number has on this machine (never 0); nothing when it cannot be told.
std::optional<std::uint64_t> processStartStamp(std::uint32_t processId);
bool pathExists(const std::string& path);
// Reason of a failure, or "" (also when there was nothing to remove).
std::string removeIfPresent(const std::string& path);
// Replaces `to` when it exists; reason of a failure, or "".
std::string moveReplacing(const std::string& from, const std::string& to);
// Never replaces an existing file; reason of a failure, or "".
std::string moveIfAbsent(const std::string& from, const std::string& to);
// Creates or truncates the file, writes the text and flushes it to the disk.
std::string writeFileDurably(const std::string& path, std::string_view text);
// A small file whole (a commit record) into `bytes`; reason of a failure, or "".
std::string readSmallFile(const std::string& path, std::string& bytes);
// Makes the folder and its missing parents; "is not a folder" when something
// else has its name. `created` says whether it was missing.
std::string makeFolders(const std::string& path, bool& created);
// The whole file into `bytes`; reason of a failure, or "". Only regular files are read.
std::string readWholeFile(const std::string& path, std::string& bytes);
bool isRegularFile(const std::string& path);
bool isFolder(const std::string& path);
// Two names of one file (hard links); false when either cannot be looked at.
bool sameFile(const std::string& first, const std::string& second);
// Removes a folder when it is empty; reason it was not removed, or "".
std::string removeEmptyFolder(const std::string& path);
// Makes the folder's entries (new names, moves, removals) durable; "" where the platform needs nothing.
std::string flushFolder(const std::string& folder);
// Puts on the disk every file written to the folder's file system without a
// flush of its own, and their names; "" where each was flushed as it closed.
std::string flushFileSystemOf(const std::string& folder);
// The longest name of one file or folder, and the longest path, in bytes, that
// the platform's file calls take.
inline constexpr std::size_t kMaxNameLength = 255;
#ifdef _WIN32
inline constexpr std::size_t kMaxPathLength = 259; // the ANSI calls' MAX_PATH, less its terminator
#else
inline constexpr std::size_t kMaxPathLength = 4095;
#endif

// Now, as "2026-12-09T12:42:26Z".
std::string utcNow();

} // namespace boxloom::platform
