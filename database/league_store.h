#pragma once

// The league database as the site reads it: read-only, checked, in typed
// seasons. Nothing outside the store knows its SQL.

#include "export_file_kinds.h"
#include "league_data.h"
#include "season_list.h"
#include "sqlite_db.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom::database {

// A season is read in parts, so that its parts can be read at once, each
// through its own store.
enum class SeasonPart { Batting, Pitching, Fielding, Teams, Players };
inline constexpr SeasonPart kSeasonParts[] = {SeasonPart::Batting, SeasonPart::Pitching, SeasonPart::Fielding,
                                              SeasonPart::Teams, SeasonPart::Players};

class LeagueStore {
public:
    // The reason it cannot be read as a league database of this schema, or "".
    std::string open(const std::string& path);
    // The same for a database file's bytes, read in memory.
    std::string openBytes(std::string_view bytes);
    // The season labels in the order they sort.
    std::vector<std::string> seasons();
    // Every season in label order; the reason it failed, or "".
    std::string summaries(std::vector<SeasonSummary>& list);
    // Reads one part of a season into its members of `season`; the reason it
    // failed, or "". Every counter is checked against what an export can hold.
    std::string load(const std::string& label, SeasonPart part, SeasonData& season);
    // A season's export file as the import stored it (UTF-8, with ids); the
    // reason it failed, or "".
    std::string exportFile(const std::string& label, ExportFileKind kind, std::string& bytes);
    // The database as its file holds it, for a copy; "" when it cannot be had.
    std::string bytes() { return db_.bytes(); }

private:
    Connection db_;
};

// Once every part is read: what the parts make together (the stat types).
void completeSeason(SeasonData& season);

} // namespace boxloom::database
