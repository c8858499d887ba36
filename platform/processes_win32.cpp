#include "platform_files.h"

#include <windows.h>

namespace boxloom::platform {

std::uint32_t currentProcessId() { return GetCurrentProcessId(); }

bool processMayBeRunning(std::uint32_t processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
    DWORD exitCode = 0;
    const bool running = !GetExitCodeProcess(process, &exitCode) || exitCode == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

// The creation time is kept by the system as it was, whatever the clock does later.
std::optional<std::uint64_t> processStartStamp(std::uint32_t processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return std::nullopt;
    FILETIME created{}, exited{}, kernel{}, user{};
    const bool got = GetProcessTimes(process, &created, &exited, &kernel, &user) != 0;
    CloseHandle(process);
    const std::uint64_t stamp =
        (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    if (!got || stamp == 0) return std::nullopt;
    return stamp;
}

} // namespace boxloom::platform
