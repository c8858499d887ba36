#include "option_grammar.h"

#include <algorithm>

namespace boxloom::cli {

namespace {

constexpr std::size_t kHelpColumn = 24;

} // namespace

Argument readArgument(const std::string& argument, bool optionsEnded,
                      std::span<const std::string_view> shortWithValue) {
    Argument read;
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
        read.name = argument;
        return read;
    }
    if (argument == "--") {
        read.kind = Argument::EndOfOptions;
        return read;
    }
    read.kind = Argument::OptionName;
    read.name = argument;
    if (const auto equals = argument.find('='); argument.starts_with("--") && equals != std::string::npos) {
        read.name = argument.substr(0, equals);
        read.hasInlineValue = true;
        read.inlineValue = argument.substr(equals + 1);
    } else if (!argument.starts_with("--") && argument.size() > 2 &&
               std::find(shortWithValue.begin(), shortWithValue.end(), argument.substr(0, 2)) !=
                   shortWithValue.end()) {
        read.name = argument.substr(0, 2);
        read.hasInlineValue = true;
        read.inlineValue = argument.substr(2);
    }
    return read;
}

std::string optionHelp(std::string_view shortName, std::string_view name, std::string_view value,
                       std::string_view help) {
    std::string line = "  ";
    if (!shortName.empty()) (line += shortName) += ", ";
    line += name;
    if (!value.empty()) (line += ' ') += value;
    line += line.size() + 2 <= kHelpColumn ? std::string(kHelpColumn - line.size(), ' ')
                                           : "\n" + std::string(kHelpColumn, ' ');
    for (std::size_t start = 0; start < help.size();) {
        const std::size_t end = std::min(help.find('\n', start), help.size());
        if (start > 0) line += std::string(kHelpColumn, ' ');
        (line += help.substr(start, end - start)) += '\n';
        start = end + 1;
    }
    return line;
}

} // namespace boxloom::cli
