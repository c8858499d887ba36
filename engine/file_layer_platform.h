#pragma once

// The few platform primitives that the portable part of the file layer builds on.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom::platform {

std::vector<std::string> namesInFolder(const std::string& folder);
std::uint32_t currentProcessId();
// True also when it cannot tell: a side file is removed only when its process is surely gone.
bool processMayBeRunning(std::uint32_t processId);
bool pathExists(const std::string& path);
bool removeFile(const std::string& path);
// Reason of a failure, or "" (also when there was nothing to remove).
std::string removeIfPresent(const std::string& path);
// Replaces `to` when it exists; reason of a failure, or "".
std::string moveReplacing(const std::string& from, const std::string& to);
// Never replaces an existing file.
bool moveFile(const std::string& from, const std::string& to);
// Creates or truncates the file, writes the text and flushes it to the disk.
std::string writeFileDurably(const std::string& path, std::string_view text);
// A small file whole (a commit record), or nothing with the reason.
std::optional<std::string> readSmallFile(const std::string& path, std::string& reason);
// Makes the folder and its missing parents; "is not a folder" when something
// else has its name. `created` says whether it was missing.
std::string makeFolders(const std::string& path, bool& created);
// Makes the folder's entries (new names, moves, removals) durable; "" where the platform needs nothing.
std::string flushFolder(const std::string& folder);

} // namespace boxloom::platform
