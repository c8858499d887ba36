#pragma once

#include "program_arguments.h"

#include <iostream>
#include <string>
#include <vector>

namespace boxloom::cli {

using CommandLine = int (*)(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// A program's main: its arguments as UTF-8 handed to `run`, or exit 2 when
// they cannot be represented.
inline int runProgram(int argc, char** argv, const char* name, CommandLine run) {
    std::ios::sync_with_stdio(false);
    std::string error;
    const std::vector<std::string> arguments = platform::programArguments(argc, argv, error);
    if (!error.empty()) {
        std::cerr << name << ": " << error << '\n';
        return 2;
    }
    return run(arguments, std::cout, std::cerr);
}

} // namespace boxloom::cli
