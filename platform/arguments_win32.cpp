#include "program_arguments.h"

#include <windows.h>

#include <shellapi.h>

namespace boxloom::platform {

namespace {

bool toUtf8(const wchar_t* wide, std::string& utf8) {
    const int bytes =
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return false;
    utf8.assign(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, -1, utf8.data(), bytes, nullptr, nullptr);
    utf8.pop_back(); // the terminating zero
    return true;
}

} // namespace

std::vector<std::string> programArguments(int, char**, std::string& error) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (wide == nullptr) {
        error = "cannot read the command line";
        return arguments;
    }
    for (int i = 1; i < count; ++i) {
        std::string argument;
        if (!toUtf8(wide[i], argument)) {
            error = "argument " + std::to_string(i) + " is not valid Unicode";
            arguments.clear();
            break;
        }
        arguments.push_back(std::move(argument));
    }
    LocalFree(wide);
    return arguments;
}

} // namespace boxloom::platform
