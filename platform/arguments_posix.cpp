#include "program_arguments.h"

#include <string>
#include <vector>

namespace boxloom::platform {

std::vector<std::string> programArguments(int argc, char** argv, std::string&) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace boxloom::platform
