#include "arguments.h"
#include "cli_main.h"

int main(int argc, char** argv) {
    return boxloom::cli::runProgram(argc, argv, "boxloom-export", boxloom::cli::runCommandLine);
}
