#include "league_builder.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace boxloom {

std::vector<std::uint8_t> teamRecord(const TeamFields& team) {
    using L = TeamRecordLayout;
    std::vector<std::uint8_t> record(kTeamRecordSize, 0);
    writeNumber(record.data(), L::recordMarker, team.recordMarker);
    writeNumber(record.data(), L::teamNumber, team.number);
    writeNumber(record.data(), L::seasonYear, team.year);
    writeText(record.data(), L::cityName, team.city);
    writeText(record.data(), L::teamNickname, team.nickname);
    writeText(record.data(), L::abbreviation, team.abbreviation);
    return record;
}

std::vector<std::uint8_t> playerRecord(const PlayerFields& player) {
    using L = PlayerRecordLayout;
    std::vector<std::uint8_t> record(kPlayerRecordSize, 0);
    writeNumber(record.data(), L::recordMarker, player.recordMarker);
    writeNumber(record.data(), L::loadCheckA, player.loadCheckA);
    writeNumber(record.data(), L::loadCheckB, player.loadCheckB);
    writeNumber(record.data(), L::playerNumber, player.number);
    writeText(record.data(), L::firstName, player.firstName);
    writeText(record.data(), L::lastName, player.lastName);
    writeNumber(record.data(), L::playerKind, player.kind);
    return record;
}

SeasonStatRecord statRecord(int player, int team, int statType) {
    SeasonStatRecord record;
    record.set(StatField::PlayerNumber, player);
    record.set(StatField::TeamNumber, team);
    record.set(StatField::StatTypeCode, statType);
    return record;
}

bool createFolders(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return !error && std::filesystem::is_directory(path, error);
}

bool writeBinaryFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace boxloom
