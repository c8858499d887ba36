#include "arguments.h"
#include "site_cli.h"

#include <iostream>

int main(int argc, char** argv) {
    std::string error;
    const std::vector<std::string> arguments = boxloom::cli::programArguments(argc, argv, error);
    if (!error.empty()) {
        std::cerr << "boxloom-site: " << error << '\n';
        return 2;
    }
    return boxloom::cli::runSiteCommandLine(arguments, std::cout, std::cerr);
}
