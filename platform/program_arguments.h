#pragma once

#include <string>
#include <vector>

namespace boxloom::platform {

// The program's arguments as UTF-8 (on Windows from the wide command line, so
// no character is replaced by a look-alike of the code page); empty with the
// reason in `error` when one cannot be represented.
std::vector<std::string> programArguments(int argc, char** argv, std::string& error);

} // namespace boxloom::platform
