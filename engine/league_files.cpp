#include "league_files.h"

#include "record_reader.h"

#include <array>

namespace boxloom {

std::string seasonYearText(int year) { return " " + std::to_string(year); }

std::string teamDisplayName(const TeamRow& row, TeamNotation notation) {
    switch (notation) {
    case TeamNotation::City: return row.city;
    case TeamNotation::Nickname: return row.nickname;
    case TeamNotation::Abbreviation: return row.abbreviation;
    case TeamNotation::CityAndNickname: {
        std::string name = row.city;
        name += ' ';
        name += row.nickname;
        return name;
    }
    case TeamNotation::None: break;
    }
    return {};
}

namespace {

template <std::size_t Size, class Load> LoadResult readRecords(ByteSource& source, Load load) {
    LoadResult result;
    RecordReader reader(source, Size);
    std::array<std::uint8_t, Size> record{};
    while (reader.readNext(record.data())) {
        if (!load(record.data())) ++result.recordsOutOfRange;
    }
    result.recordsRead = reader.recordsFromFile();
    result.error = reader.error();
    result.lastRecordPartial = reader.lastRecordPartial();
    return result;
}

} // namespace

LoadResult loadTeamFile(ByteSource& source, TeamNotation notation, TeamTable& teams) {
    using L = TeamRecordLayout;
    return readRecords<kTeamRecordSize>(source, [&](const std::uint8_t* record) {
        const int year = readNumber(record, L::seasonYear);
        if (readNumber(record, L::recordMarker) != 0 || year <= 0) return true;
        const int number = readNumber(record, L::teamNumber);
        if (!TeamTable::contains(number)) return false;
        TeamRow& row = teams[number];
        row.loaded = true;
        row.city = readText(record, L::cityName);
        row.nickname = readText(record, L::teamNickname);
        row.abbreviation = readText(record, L::abbreviation);
        row.yearText = seasonYearText(year);
        row.year = year;
        if (notation != TeamNotation::None) row.displayName = teamDisplayName(row, notation);
        return true;
    });
}

LoadResult loadPlayerFile(ByteSource& source, PlayerTable& players) {
    using L = PlayerRecordLayout;
    return readRecords<kPlayerRecordSize>(source, [&](const std::uint8_t* record) {
        if (readNumber(record, L::recordMarker) != 0 || readNumber(record, L::loadCheckA) <= 0 ||
            readNumber(record, L::loadCheckB) <= 0)
            return true;
        const int number = readNumber(record, L::playerNumber);
        if (!PlayerTable::contains(number)) return false;
        PlayerRow& row = players[number];
        row.loaded = true;
        row.lastName.assign(readText(record, L::lastName));
        row.firstName.assign(readText(record, L::firstName));
        row.displayName = row.lastName + ',' + row.firstName;
        row.kind = readNumber(record, L::playerKind);
        return true;
    });
}

} // namespace boxloom
