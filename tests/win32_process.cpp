#include "win32_process.h"

#include <windows.h>

namespace boxloom::testing {

namespace {

int exitCodeOf(BOOL started, PROCESS_INFORMATION& process) {
    if (!started) return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

} // namespace

int runProcess(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    return exitCodeOf(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &startup, &process),
                      process);
}

int runWideProcess(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    return exitCodeOf(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &startup, &process),
                      process);
}

} // namespace boxloom::testing
