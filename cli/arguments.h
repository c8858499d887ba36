#pragma once

#include <iostream>
#include <string>
#include <vector>

namespace boxloom::cli {

// The program's arguments as UTF-8 (on Windows from the wide command line, so
// no character is replaced by a look-alike of the code page); empty with the
// reason in `error` when one cannot be represented.
std::vector<std::string> programArguments(int argc, char** argv, std::string& error);

using CommandLine = int (*)(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// A program's main: its arguments as UTF-8 handed to `run`, or exit 2 when
// they cannot be represented.
inline int runProgram(int argc, char** argv, const char* name, CommandLine run) {
    std::ios::sync_with_stdio(false);
    std::string error;
    const std::vector<std::string> arguments = programArguments(argc, argv, error);
    if (!error.empty()) {
        std::cerr << name << ": " << error << '\n';
        return 2;
    }
    return run(arguments, std::cout, std::cerr);
}

} // namespace boxloom::cli
