#include "arguments.h"
#include "site_cli.h"

int main(int argc, char** argv) {
    return boxloom::cli::runProgram(argc, argv, "boxloom-site", boxloom::cli::runSiteCommandLine);
}
