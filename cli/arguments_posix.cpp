#include "arguments.h"

namespace boxloom::cli {

std::vector<std::string> programArguments(int argc, char** argv, std::string&) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace boxloom::cli
