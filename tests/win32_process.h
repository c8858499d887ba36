#pragma once

// Windows programs started as processes by the tests, under Wine.

#include <string>

namespace boxloom::testing {

// The exit code of the command line's program, or -1 when it could not start.
int runProcess(std::string commandLine);
int runWideProcess(std::wstring commandLine);

inline std::string quoted(const std::string& text) { return "\"" + text + "\""; }

} // namespace boxloom::testing
