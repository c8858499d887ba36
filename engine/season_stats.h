#pragma once

#include "record_layout.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <new>
#include <string_view>
#include <type_traits>

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

inline constexpr std::size_t kStatFieldCount = static_cast<std::size_t>(StatField::Count);

template <class Field> struct LayoutRow {
    Field field;
    FieldLayout layout;
};

// Row i describes field i.
template <class Field, std::size_t N>
constexpr bool rowsInFieldOrder(const std::array<LayoutRow<Field>, N>& rows) {
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<std::size_t>(rows[i].field) != i) return false;
    return true;
}

inline constexpr std::array<LayoutRow<StatField>, kStatFieldCount> kStatFieldRows = {{
    {StatField::RecordMarker, word(0)},
    {StatField::PlayerNumber, word(2)},
    {StatField::StatTypeCode, word(4)},
    {StatField::TeamNumber, word(8)},
    {StatField::AtBats, word(22)},
    {StatField::Runs, word(24)},
    {StatField::RunsBattedIn, word(26)},
    {StatField::Hits, word(28)},
    {StatField::Doubles, byte(30)},
    {StatField::Triples, byte(31)},
    {StatField::HomeRuns, byte(32)},
    {StatField::HitByPitch, byte(33)},
    {StatField::Strikeouts, word(34)},
    {StatField::Walks, word(36)},
    {StatField::IntentionalWalks, byte(38)},
    {StatField::StolenBases, byte(39)},
    {StatField::CaughtStealing, byte(40)},
    {StatField::GameWinningRbi, byte(41)},
    {StatField::SacrificeHits, byte(42)},
    {StatField::SacrificeFlies, byte(43)},
    {StatField::GroundedDoublePlays, byte(44)},
    {StatField::BattingGames, byte(45)},
    {StatField::CatchersInterference, byte(47)},
    {StatField::OutsPitched, word(84)},
    {StatField::OpponentAtBats, word(86)},
    {StatField::HitsAllowed, word(88)},
    {StatField::PitcherStrikeouts, word(90)},
    {StatField::WalksAllowed, word(92)},
    {StatField::HitBatsmen, byte(95)},
    {StatField::RunsAllowed, word(96)},
    {StatField::EarnedRuns, word(98)},
    {StatField::DoublesAllowed, byte(100)},
    {StatField::TriplesAllowed, byte(101)},
    {StatField::HomeRunsAllowed, byte(102)},
    {StatField::SacrificeFliesAllowed, byte(106)},
    {StatField::Wins, byte(109)},
    {StatField::Losses, byte(110)},
    {StatField::CompleteGames, byte(123)},
    {StatField::GamesPitched, byte(124)},
    {StatField::GamesStarted, byte(126)},
}};
static_assert(rowsInFieldOrder(kStatFieldRows));

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
inline constexpr std::array<LayoutRow<SplitField>, kSplitFieldCount> kSplitFieldRows = {{
    {SplitField::AtBats, word(0)},
    {SplitField::Hits, word(2)},
    {SplitField::Doubles, byte(4)},
    {SplitField::Triples, byte(5)},
    {SplitField::HomeRuns, byte(6)},
    {SplitField::RunsBattedIn, byte(7)},
    {SplitField::HitByPitch, byte(8)},
    {SplitField::Walks, byte(9)},
    {SplitField::Strikeouts, word(10)},
    {SplitField::SacrificeHits, byte(12)},
    {SplitField::CatchersInterference, byte(13)},
    {SplitField::SacrificeFlies, byte(14)},
    {SplitField::IntentionalWalks, byte(15)},
}};
static_assert(rowsInFieldOrder(kSplitFieldRows));

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
    return kStatFieldRows[static_cast<std::size_t>(field)].layout;
}

constexpr FieldLayout splitFieldLayout(SplitSide side, SplitField field) {
    FieldLayout layout = kSplitFieldRows[static_cast<std::size_t>(field)].layout;
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
        return readNumber(block_, kSplitFieldRows[static_cast<std::size_t>(field)].layout);
    }

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
    int battingGames() const { return get(StatField::BattingGames); }
    int outsPitched() const { return get(StatField::OutsPitched); }
    int earnedRuns() const { return get(StatField::EarnedRuns); }
    int wins() const { return get(StatField::Wins); }
    int losses() const { return get(StatField::Losses); }
    int gamesPitched() const { return get(StatField::GamesPitched); }

    int putouts(int position) const { return atPosition(PositionArray::Putouts, position); }
    int assists(int position) const { return atPosition(PositionArray::Assists, position); }
    int errors(int position) const { return atPosition(PositionArray::Errors, position); }
    int gamesAtPosition(int position) const { return atPosition(PositionArray::Games, position); }

    // For the demo-season generator: set a counter through the same layout.
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

static_assert(sizeof(SeasonStatRecord) == kSeasonRecordSize && alignof(SeasonStatRecord) == 1);
static_assert(std::is_trivially_copyable_v<SeasonStatRecord>);

// Record `index` of a block of records read from the season file, where it
// lies: a record is its bytes and nothing else, so none is copied to be read.
inline const SeasonStatRecord& recordAt(const std::uint8_t* records, std::size_t index) {
    return *std::launder(reinterpret_cast<const SeasonStatRecord*>(records + index * kSeasonRecordSize));
}

// Stat type codes: the season phase of a record. Code 2 and codes 6 to 8 have no name.
enum class StatType : int { PreSeason = 0, Regular = 1, Unnamed = 2, Dcs = 3, Lcs = 4, Ws = 5 };

constexpr int code(StatType type) { return static_cast<int>(type); }

// The names of the stat types by code, as the export writes them; code 2 and 6 to 8 have none.
inline constexpr std::array<std::string_view, kMaxStatTypeCode + 1> kStatTypeNames = {
    "PreSeason", "Regular", "", "DCS", "LCS", "WS", "", "", ""};

constexpr std::string_view statTypeName(int statTypeCode) {
    if (statTypeCode < 0 || statTypeCode > kMaxStatTypeCode) return {};
    return kStatTypeNames[static_cast<std::size_t>(statTypeCode)];
}

} // namespace boxloom
