#include "league_settings.h"

#include "folder_settings.h"

#include <array>

namespace boxloom::frontend {

namespace {

struct SettingLine {
    std::string_view name;
    std::string LeagueSettings::*value;
};

constexpr std::array<SettingLine, 5> kLines = {{
    {"Database", &LeagueSettings::database},
    {"SiteFolder", &LeagueSettings::siteFolder},
    {"Title", &LeagueSettings::title},
    {"Games", &LeagueSettings::games},
    {"Templates", &LeagueSettings::templatesFolder},
}};

// A value is one line: a line break typed into a box would end it early.
std::string oneLine(const std::string& value) {
    std::string line;
    for (char c : value)
        if (c != '\r' && c != '\n') line += c;
    return line;
}

} // namespace

std::string leagueSettingsBytes(const LeagueSettings& settings) {
    std::string bytes;
    for (const SettingLine& line : kLines) {
        bytes += line.name;
        bytes += '=';
        bytes += oneLine(settings.*line.value);
        bytes += "\r\n";
    }
    return bytes;
}

LeagueSettings parseLeagueSettings(std::string_view bytes, std::string (*fromLegacy)(std::string_view)) {
    LeagueSettings settings;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        for (const SettingLine& known : kLines)
            if (line.substr(0, equals) == known.name)
                settings.*known.value = settingValueAsUtf8(line.substr(equals + 1), fromLegacy);
    }
    return settings;
}

} // namespace boxloom::frontend
