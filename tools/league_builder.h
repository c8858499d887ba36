#pragma once

// Builds league records through the engine's own layouts, for the demo season
// and the tests.

#include "league_files.h"
#include "season_stats.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom {

struct TeamFields {
    int number = 0;
    int year = 0;
    std::string city;
    std::string nickname;
    std::string abbreviation;
    int recordMarker = 0;
};

struct PlayerFields {
    int number = 0;
    std::string firstName;
    std::string lastName;
    int kind = 0;
    int recordMarker = 0;
    int loadCheckA = 1;
    int loadCheckB = 1;
};

std::vector<std::uint8_t> teamRecord(const TeamFields& team);
std::vector<std::uint8_t> playerRecord(const PlayerFields& player);

// A season statistics record in use (marker 0) for the given keys.
SeasonStatRecord statRecord(int player, int team, int statType);

// Appends the records of one file, in order.
class LeagueFileBytes {
public:
    void append(const std::vector<std::uint8_t>& record) {
        bytes_.insert(bytes_.end(), record.begin(), record.end());
    }
    void append(const SeasonStatRecord& record) {
        bytes_.insert(bytes_.end(), record.bytes().begin(), record.bytes().end());
    }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Creates a folder with its parents; false when it cannot.
bool createFolders(const std::string& path);

// Writes bytes to a new file; false when it cannot.
bool writeBinaryFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace boxloom
