#pragma once

// What the league window remembers between runs: one settings file beside the
// export window's two, a "Name=value" line each, in UTF-8.

#include <string>
#include <string_view>

namespace boxloom::frontend {

struct LeagueSettings {
    std::string database;
    std::string siteFolder;
    std::string title;
    std::string games; // as typed: blank when the site finds it from the data
    std::string templatesFolder;
    bool operator==(const LeagueSettings&) const = default;
};

inline constexpr std::string_view kLeagueSettingsFile = "zelleague.txt";

std::string leagueSettingsBytes(const LeagueSettings& settings);

// Unknown names and lines without '=' are passed over; a value that is not
// UTF-8 was written in the legacy code page, which `fromLegacy` converts.
LeagueSettings parseLeagueSettings(std::string_view bytes, std::string (*fromLegacy)(std::string_view));

} // namespace boxloom::frontend
