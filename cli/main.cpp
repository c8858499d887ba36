#include "cli_main.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return boxloom::cli::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                        std::cerr);
}
