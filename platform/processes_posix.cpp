#include "platform_files.h"

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace boxloom::platform {

namespace {

// The process's start in clock ticks since the machine started: the 22nd field
// of its stat line, counted after the name, which may hold blanks and brackets.
std::optional<std::string> startTicks(std::uint32_t processId) {
    std::string bytes;
    if (!readSmallFile("/proc/" + std::to_string(processId) + "/stat", bytes).empty()) return std::nullopt;
    const std::string* line = &bytes;
    std::size_t at = line->rfind(')');
    for (int field = 2; field < 22 && at != std::string::npos; ++field)
        at = line->find(' ', at + 1);
    if (at == std::string::npos) return std::nullopt;
    const std::string ticks = line->substr(at + 1, line->find(' ', at + 1) - at - 1);
    if (ticks.empty() || ticks.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    return ticks;
}

// Ticks count from the machine's start, so the start's own id goes in too.
std::uint64_t stampOf(const std::string& bootId, const std::string& ticks) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bootId + "/" + ticks) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash == 0 ? 1 : hash;
}

} // namespace

std::uint32_t currentProcessId() { return static_cast<std::uint32_t>(::getpid()); }

bool processMayBeRunning(std::uint32_t processId) {
    if (processId == 0 || processId > 0x7FFFFFFF) return true;
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH;
}

std::optional<std::uint64_t> processStartStamp(std::uint32_t processId) {
    const auto ticks = startTicks(processId);
    if (!ticks) return std::nullopt;
    std::string bootId;
    readSmallFile("/proc/sys/kernel/random/boot_id", bootId); // none: the ticks alone
    return stampOf(bootId, *ticks);
}

} // namespace boxloom::platform
