#pragma once

// The grammar both programs read their arguments with: options from a table
// ("-o DIR", "-oDIR", "--output DIR", "--output=DIR", flags), "--" before
// operands that begin with "-", and the help text made from the same table.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom::cli {

enum ExitStatus : int { kExitSuccess = 0, kExitFailed = 1, kExitUsage = 2 };

template <class Command> struct Option {
    std::string_view name;      // "--output"
    std::string_view shortName; // "-o", or empty
    std::string_view value;     // "DIR"; empty for a flag
    std::string_view help;      // its lines are set under one another
    // Sets it in the command; a usage error, or "".
    std::string (*set)(Command& command, const std::string& value);
    bool filesOnly = false; // does nothing when the export writes a database
    bool ends = false;      // the rest is not read (help, version)
};

// One argument as the grammar reads it.
struct Argument {
    enum Kind { Operand, OptionName, EndOfOptions } kind = Operand;
    std::string name; // the option's name, or the operand
    bool hasInlineValue = false;
    std::string inlineValue;
};
// `shortWithValue` lists the short names that take their value joined ("-oDIR").
Argument readArgument(const std::string& argument, bool optionsEnded,
                      std::span<const std::string_view> shortWithValue);

// "  -o, --output DIR      help" lines, help from the 25th column on.
std::string optionHelp(std::string_view shortName, std::string_view name, std::string_view value,
                       std::string_view help);

template <class Command> struct Parsed {
    std::string error; // a usage error, or ""
    std::vector<std::string> operands;
    std::vector<const Option<Command>*> given;
};

template <class Command>
Parsed<Command> parseArguments(const std::vector<std::string>& arguments,
                               std::span<const Option<Command>> options, Command& command) {
    std::vector<std::string_view> joined;
    for (const Option<Command>& option : options)
        if (!option.shortName.empty() && !option.value.empty()) joined.push_back(option.shortName);
    Parsed<Command> parsed;
    bool optionsEnded = false;
    for (std::size_t next = 0; next < arguments.size() && parsed.error.empty();) {
        const Argument argument = readArgument(arguments[next++], optionsEnded, joined);
        if (argument.kind == Argument::Operand) {
            parsed.operands.push_back(argument.name);
            continue;
        }
        if (argument.kind == Argument::EndOfOptions) {
            optionsEnded = true;
            continue;
        }
        const Option<Command>* found = nullptr;
        for (const Option<Command>& option : options)
            if (argument.name == option.name || argument.name == option.shortName) found = &option;
        if (found == nullptr) {
            parsed.error = "unknown option '" + arguments[next - 1] + "'";
        } else if (found->value.empty() && argument.hasInlineValue) {
            parsed.error = "option " + argument.name + " takes no value";
        } else if (!found->value.empty() && !argument.hasInlineValue && next >= arguments.size()) {
            parsed.error = "option " + argument.name + " needs a value";
        } else {
            const std::string value = found->value.empty()      ? ""
                                      : argument.hasInlineValue ? argument.inlineValue
                                                                : arguments[next++];
            parsed.error = found->set(command, value);
            parsed.given.push_back(found);
            if (found->ends) break;
        }
    }
    return parsed;
}

template <class Command>
std::string helpText(std::string_view usage, std::span<const Option<Command>> options,
                     std::string_view footer) {
    std::string text(usage);
    text += '\n';
    for (const Option<Command>& option : options)
        text += optionHelp(option.shortName, option.name, option.value, option.help);
    text += '\n';
    text += footer;
    return text;
}

} // namespace boxloom::cli
