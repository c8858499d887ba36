#pragma once

#include "record_layout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace boxloom {

inline constexpr std::size_t kSeasonRecordSize = 302;

enum class StatField : std::uint8_t {
    RecordMarker,
    PlayerNumber,
    StatTypeCode,
    TeamNumber,
    AtBats,
    Runs,
    RunsBattedIn,
    Hits,
    Doubles,
    Triples,
    HomeRuns,
    HitByPitch,
    Strikeouts,
    Walks,
    IntentionalWalks,
    StolenBases,
    CaughtStealing,
    GameWinningRbi,
    SacrificeHits,
    SacrificeFlies,
    GroundedDoublePlays,
    BattingGames,
    CatchersInterference,
    OutsPitched,
    OpponentAtBats,
    HitsAllowed,
    PitcherStrikeouts,
    WalksAllowed,
    HitBatsmen,
    RunsAllowed,
    EarnedRuns,
    DoublesAllowed,
    TriplesAllowed,
    HomeRunsAllowed,
    SacrificeFliesAllowed,
    Wins,
    Losses,
    CompleteGames,
    GamesPitched,
    GamesStarted,
    Count
};

inline constexpr std::array<FieldLayout, static_cast<std::size_t>(StatField::Count)> kStatFieldLayout = {{
    word(0),   word(2),   word(4),   word(8),   word(22),  word(24),  word(26),  word(28),
    byte(30),  byte(31),  byte(32),  byte(33),  word(34),  word(36),  byte(38),  byte(39),
    byte(40),  byte(41),  byte(42),  byte(43),  byte(44),  byte(45),  byte(47),  word(84),
    word(86),  word(88),  word(90),  word(92),  byte(95),  word(96),  word(98),  byte(100),
    byte(101), byte(102), byte(106), byte(109), byte(110), byte(123), byte(124), byte(126),
}};

enum class SplitField : std::uint8_t {
    AtBats,
    Hits,
    Doubles,
    Triples,
    HomeRuns,
    RunsBattedIn,
    HitByPitch,
    Walks,
    Strikeouts,
    SacrificeHits,
    CatchersInterference,
    SacrificeFlies,
    IntentionalWalks,
    Count
};
inline constexpr std::size_t kSplitFieldCount = static_cast<std::size_t>(SplitField::Count);

// Offsets inside one 16-byte block; the four blocks share this layout.
inline constexpr std::array<FieldLayout, kSplitFieldCount> kSplitFieldLayout = {{
    word(0),
    word(2),
    byte(4),
    byte(5),
    byte(6),
    byte(7),
    byte(8),
    byte(9),
    word(10),
    byte(12),
    byte(13),
    byte(14),
    byte(15),
}};

enum class SplitSide : std::uint8_t { BattingVsLeft, BattingVsRight, PitchingVsLeft, PitchingVsRight };
inline constexpr std::array<std::uint16_t, 4> kSplitBlockOffset = {48, 64, 130, 146};
inline constexpr std::size_t kSplitBlockSize = 16;

enum class PositionArray : std::uint8_t { Putouts, Assists, Errors, Games, Starts, Count };
// First element of each per-position array; element i lies at offset + i * width.
inline constexpr std::array<FieldLayout, static_cast<std::size_t>(PositionArray::Count)>
    kPositionArrayLayout = {{word(178), word(196), byte(214), byte(223), byte(268)}};
inline constexpr int kPositionCount = 9;

inline constexpr int kMaxStatTypeCode = 8;

constexpr FieldLayout statFieldLayout(StatField field) {
    return kStatFieldLayout[static_cast<std::size_t>(field)];
}

constexpr FieldLayout splitFieldLayout(SplitSide side, SplitField field) {
    FieldLayout layout = kSplitFieldLayout[static_cast<std::size_t>(field)];
    layout.offset =
        static_cast<std::uint16_t>(layout.offset + kSplitBlockOffset[static_cast<std::size_t>(side)]);
    return layout;
}

constexpr FieldLayout positionFieldLayout(PositionArray array, int position) {
    FieldLayout layout = kPositionArrayLayout[static_cast<std::size_t>(array)];
    layout.offset = static_cast<std::uint16_t>(layout.offset + position * layout.width);
    return layout;
}

// The counters against left- or right-handed opponents: a view into a record.
class SplitBlock {
public:
    explicit SplitBlock(const std::uint8_t* block) : block_(block) {}
    int get(SplitField field) const {
        return readNumber(block_, kSplitFieldLayout[static_cast<std::size_t>(field)]);
    }
    int atBats() const { return get(SplitField::AtBats); }
    int hits() const { return get(SplitField::Hits); }
    int doubles() const { return get(SplitField::Doubles); }
    int triples() const { return get(SplitField::Triples); }
    int homeRuns() const { return get(SplitField::HomeRuns); }
    int runsBattedIn() const { return get(SplitField::RunsBattedIn); }
    int hitByPitch() const { return get(SplitField::HitByPitch); }
    int walks() const { return get(SplitField::Walks); }
    int strikeouts() const { return get(SplitField::Strikeouts); }
    int sacrificeHits() const { return get(SplitField::SacrificeHits); }
    int catchersInterference() const { return get(SplitField::CatchersInterference); }
    int sacrificeFlies() const { return get(SplitField::SacrificeFlies); }
    int intentionalWalks() const { return get(SplitField::IntentionalWalks); }

private:
    const std::uint8_t* block_;
};

class SeasonStatRecord {
public:
    using Bytes = std::array<std::uint8_t, kSeasonRecordSize>;

    SeasonStatRecord() : bytes_{} {}
    explicit SeasonStatRecord(const Bytes& bytes) : bytes_(bytes) {}

    const Bytes& bytes() const { return bytes_; }
    Bytes& mutableBytes() { return bytes_; }

    int get(StatField field) const { return readNumber(bytes_.data(), statFieldLayout(field)); }
    SplitBlock split(SplitSide side) const {
        return SplitBlock(bytes_.data() + kSplitBlockOffset[static_cast<std::size_t>(side)]);
    }
    int atPosition(PositionArray array, int position) const {
        return readNumber(bytes_.data(), positionFieldLayout(array, position));
    }

    int recordMarker() const { return get(StatField::RecordMarker); }
    int playerNumber() const { return get(StatField::PlayerNumber); }
    int statTypeCode() const { return get(StatField::StatTypeCode); }
    int teamNumber() const { return get(StatField::TeamNumber); }
    int atBats() const { return get(StatField::AtBats); }
    int runs() const { return get(StatField::Runs); }
    int runsBattedIn() const { return get(StatField::RunsBattedIn); }
    int hits() const { return get(StatField::Hits); }
    int doubles() const { return get(StatField::Doubles); }
    int triples() const { return get(StatField::Triples); }
    int homeRuns() const { return get(StatField::HomeRuns); }
    int hitByPitch() const { return get(StatField::HitByPitch); }
    int strikeouts() const { return get(StatField::Strikeouts); }
    int walks() const { return get(StatField::Walks); }
    int intentionalWalks() const { return get(StatField::IntentionalWalks); }
    int stolenBases() const { return get(StatField::StolenBases); }
    int caughtStealing() const { return get(StatField::CaughtStealing); }
    int gameWinningRbi() const { return get(StatField::GameWinningRbi); }
    int sacrificeHits() const { return get(StatField::SacrificeHits); }
    int sacrificeFlies() const { return get(StatField::SacrificeFlies); }
    int groundedDoublePlays() const { return get(StatField::GroundedDoublePlays); }
    int battingGames() const { return get(StatField::BattingGames); }
    int catchersInterference() const { return get(StatField::CatchersInterference); }
    int outsPitched() const { return get(StatField::OutsPitched); }
    int opponentAtBats() const { return get(StatField::OpponentAtBats); }
    int hitsAllowed() const { return get(StatField::HitsAllowed); }
    int pitcherStrikeouts() const { return get(StatField::PitcherStrikeouts); }
    int walksAllowed() const { return get(StatField::WalksAllowed); }
    int hitBatsmen() const { return get(StatField::HitBatsmen); }
    int runsAllowed() const { return get(StatField::RunsAllowed); }
    int earnedRuns() const { return get(StatField::EarnedRuns); }
    int doublesAllowed() const { return get(StatField::DoublesAllowed); }
    int triplesAllowed() const { return get(StatField::TriplesAllowed); }
    int homeRunsAllowed() const { return get(StatField::HomeRunsAllowed); }
    int sacrificeFliesAllowed() const { return get(StatField::SacrificeFliesAllowed); }
    int wins() const { return get(StatField::Wins); }
    int losses() const { return get(StatField::Losses); }
    int completeGames() const { return get(StatField::CompleteGames); }
    int gamesPitched() const { return get(StatField::GamesPitched); }
    int gamesStarted() const { return get(StatField::GamesStarted); }

    SplitBlock battingVsLeft() const { return split(SplitSide::BattingVsLeft); }
    SplitBlock battingVsRight() const { return split(SplitSide::BattingVsRight); }
    SplitBlock pitchingVsLeft() const { return split(SplitSide::PitchingVsLeft); }
    SplitBlock pitchingVsRight() const { return split(SplitSide::PitchingVsRight); }

    int putouts(int position) const { return atPosition(PositionArray::Putouts, position); }
    int assists(int position) const { return atPosition(PositionArray::Assists, position); }
    int errors(int position) const { return atPosition(PositionArray::Errors, position); }
    int gamesAtPosition(int position) const { return atPosition(PositionArray::Games, position); }
    int startsAtPosition(int position) const { return atPosition(PositionArray::Starts, position); }

    // For builders (tests, demo season): set a counter through the same layout.
    void set(StatField field, int value) { writeNumber(bytes_.data(), statFieldLayout(field), value); }
    void set(SplitSide side, SplitField field, int value) {
        writeNumber(bytes_.data(), splitFieldLayout(side, field), value);
    }
    void set(PositionArray array, int position, int value) {
        writeNumber(bytes_.data(), positionFieldLayout(array, position), value);
    }

private:
    Bytes bytes_;
};

// Stat type codes: the season phase of a record. Code 2 and codes 6 to 8 have no name.
enum class StatType : int { PreSeason = 0, Regular = 1, Unnamed = 2, Dcs = 3, Lcs = 4, Ws = 5 };

constexpr int code(StatType type) { return static_cast<int>(type); }

// "PreSeason", "Regular", "", "DCS", "LCS", "WS", then empty for 6 to 8.
std::string_view statTypeName(int statTypeCode);

} // namespace boxloom
