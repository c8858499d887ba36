// A season whose counters use the full range of digits, for the export's speed
// figures: the demo season's records with every counter replaced by a number of
// one to five digits (negative in one field in a hundred) and every player's
// name as long as the file holds.
//   boxloom_varied_season DEMO_SEASON_FOLDER OUT_FOLDER

#include "league_builder.h"
#include "league_files.h"
#include "season_stats.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

using namespace boxloom;

namespace {

std::vector<std::uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Numbers {
public:
    // 1 to 5 digits for a word, 1 to 3 for a byte; some words negative.
    int next(const FieldLayout& field) {
        const bool word = field.type == FieldType::Word;
        const int digits = std::uniform_int_distribution<int>(1, word ? 5 : 3)(random_);
        static constexpr int kLimits[] = {0, 9, 99, 999, 9999, 32767};
        int value = std::uniform_int_distribution<int>(0, word ? kLimits[digits]
                                                               : std::min(kLimits[digits], 255))(random_);
        if (word && std::uniform_int_distribution<int>(0, 99)(random_) == 0) value = -value;
        return value;
    }
    char letter() { return static_cast<char>('a' + std::uniform_int_distribution<int>(0, 25)(random_)); }

private:
    std::mt19937 random_{20261209};
};

// Every counter of the record but those that decide which rows it makes: its
// keys, its batting and pitching games, its positions' games and starts.
void vary(SeasonStatRecord& record, Numbers& numbers) {
    for (int f = static_cast<int>(StatField::AtBats); f < static_cast<int>(StatField::Count); ++f) {
        const auto field = static_cast<StatField>(f);
        if (field == StatField::BattingGames || field == StatField::GamesPitched) continue;
        record.set(field, numbers.next(statFieldLayout(field)));
    }
    for (int side = 0; side < 4; ++side)
        for (std::size_t f = 0; f < kSplitFieldCount; ++f) {
            const auto at = static_cast<SplitSide>(side);
            const auto field = static_cast<SplitField>(f);
            record.set(at, field, numbers.next(splitFieldLayout(at, field)));
        }
    for (int position = 0; position < kPositionCount; ++position) {
        if (record.gamesAtPosition(position) == 0) continue;
        for (PositionArray array : {PositionArray::Putouts, PositionArray::Assists, PositionArray::Errors})
            record.set(array, position, numbers.next(positionFieldLayout(array, position)));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: boxloom_varied_season DEMO_SEASON_FOLDER OUT_FOLDER\n");
        return 2;
    }
    const std::string from = argv[1], to = argv[2];
    Numbers numbers;
    std::vector<std::uint8_t> players = readAll(from + "/zelplyr.dat");
    for (std::size_t at = 0; at + kPlayerRecordSize <= players.size(); at += kPlayerRecordSize) {
        std::string first, last;
        for (std::size_t i = 0; i < PlayerRecordLayout::firstName.width; ++i)
            first += numbers.letter();
        for (std::size_t i = 0; i < PlayerRecordLayout::lastName.width; ++i)
            last += numbers.letter();
        writeText(players.data() + at, PlayerRecordLayout::firstName, first);
        writeText(players.data() + at, PlayerRecordLayout::lastName, last);
    }
    std::vector<std::uint8_t> season = readAll(from + "/zelgs.dat");
    for (std::size_t at = 0; at + kSeasonRecordSize <= season.size(); at += kSeasonRecordSize) {
        SeasonStatRecord::Bytes bytes;
        std::copy_n(season.begin() + static_cast<std::ptrdiff_t>(at), kSeasonRecordSize, bytes.begin());
        SeasonStatRecord record(bytes);
        if (record.recordMarker() == 0) vary(record, numbers);
        std::copy(record.bytes().begin(), record.bytes().end(),
                  season.begin() + static_cast<std::ptrdiff_t>(at));
    }
    const bool written =
        createFolders(to) && writeBinaryFile(to + "/zelteam.dat", readAll(from + "/zelteam.dat")) &&
        writeBinaryFile(to + "/zelplyr.dat", players) && writeBinaryFile(to + "/zelgs.dat", season);
    if (!written) std::fprintf(stderr, "boxloom_varied_season: %s cannot be written\n", to.c_str());
    return written ? 0 : 1;
}
