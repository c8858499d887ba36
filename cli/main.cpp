#include "arguments.h"
#include "cli_main.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::string error;
    const std::vector<std::string> arguments = boxloom::cli::programArguments(argc, argv, error);
    if (!error.empty()) {
        std::cerr << "boxloom-export: " << error << '\n';
        return 2;
    }
    return boxloom::cli::runCommandLine(arguments, std::cout, std::cerr);
}
