#pragma once

#include <string>

namespace boxloom {

enum class PitcherHittingMode { Include, GroupByTeam, Ignore, None };

// How teams are named in the Team column; None leaves the column empty.
enum class TeamNotation { City, Nickname, Abbreviation, CityAndNickname, None };

// How texts from the league files are written: as stored (the Windows ANSI
// code page of the leagues served), or decoded from windows-1252 into UTF-8,
// optionally behind a byte-order mark.
enum class TextEncoding { Windows1252, Utf8, Utf8WithBom };

struct ExportOptions {
    std::string seasonFolder;
    std::string outputFolder;
    std::string outputSuffix = "CSV";
    TeamNotation teamNotation = TeamNotation::CityAndNickname;
    PitcherHittingMode pitcherHitting = PitcherHittingMode::Include;
    bool includeFielding = false;
    bool includePitchingSplits = false;
    bool includeHittingSplits = false;
    TextEncoding encoding = TextEncoding::Windows1252;
    // Adds "PlayerID" and "TeamID" columns to every file.
    bool includeIds = false;
    // Threads that format records: 0 for one per hardware thread (at most 8), 1 for none besides the run's
    // own.
    unsigned threads = 0;
};

} // namespace boxloom
