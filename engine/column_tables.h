#pragma once

// The columns of each export file as compile-time tables: the header rows read
// them through columnsOf, and the row writers are unrolled over them, so each
// counter's place in the record and each rate's mask is a constant there.

#include "export_columns.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace boxloom::columns {

constexpr Column counter(std::string_view header, StatField field) {
    return {header, ColumnSource::Counter, static_cast<std::uint8_t>(field), {}};
}
constexpr Column counter(std::string_view header, PositionArray array) {
    return {header, ColumnSource::Counter, static_cast<std::uint8_t>(array), {}};
}
template <class Rate> constexpr Column rate(std::string_view header, Rate which, NumberMask mask) {
    return {header, ColumnSource::Rate, static_cast<std::uint8_t>(which), mask};
}

inline constexpr Column kPlayer{"Player", ColumnSource::Player};
inline constexpr Column kTeam{"Team", ColumnSource::Team};
inline constexpr Column kYear{"Year", ColumnSource::Year};
inline constexpr Column kStatType{"StatType", ColumnSource::StatType};

inline constexpr std::array kBatting = {
    kPlayer,
    kTeam,
    kYear,
    kStatType,
    Column{"G", ColumnSource::Games, static_cast<std::uint8_t>(StatField::BattingGames)},
    counter("AB", StatField::AtBats),
    counter("R", StatField::Runs),
    counter("RBI", StatField::RunsBattedIn),
    counter("H", StatField::Hits),
    counter("2B", StatField::Doubles),
    counter("3B", StatField::Triples),
    counter("HR", StatField::HomeRuns),
    counter("HBP", StatField::HitByPitch),
    counter("SO", StatField::Strikeouts),
    counter("W", StatField::Walks),
    counter("IW", StatField::IntentionalWalks),
    counter("SB", StatField::StolenBases),
    counter("CS", StatField::CaughtStealing),
    counter("GWRBI", StatField::GameWinningRbi),
    counter("SH", StatField::SacrificeHits),
    counter("SF", StatField::SacrificeFlies),
    counter("GDP", StatField::GroundedDoublePlays),
    counter("CI", StatField::CatchersInterference),
    rate("AVG", HittingRate::Avg, kMaskRate),
    rate("OBP", HittingRate::Obp, kMaskRate),
    rate("SLG", HittingRate::Slg, kMaskRate),
};

inline constexpr std::array kPitching = {
    kPlayer,
    kTeam,
    kYear,
    kStatType,
    rate("ERA", PitchingRate::Era, kMaskEra),
    counter("W", StatField::Wins),
    counter("L", StatField::Losses),
    rate("PCT", PitchingRate::Pct, kMaskRate),
    counter("G", StatField::GamesPitched),
    counter("GS", StatField::GamesStarted),
    counter("CG", StatField::CompleteGames),
    Column{"IP", ColumnSource::Innings, 0, kMaskInnings},
    counter("R", StatField::RunsAllowed),
    counter("ER", StatField::EarnedRuns),
    counter("H", StatField::HitsAllowed),
    counter("BB", StatField::WalksAllowed),
    counter("SO", StatField::PitcherStrikeouts),
    rate("AVG", PitchingRate::Avg, kMaskRate),
    rate("OBP", PitchingRate::Obp, kMaskOnBase),
    rate("SLG", PitchingRate::Slg, kMaskOnBase),
};

inline constexpr std::array kFielding = {
    kPlayer,
    kTeam,
    kYear,
    kStatType,
    Column{"Pos", ColumnSource::Text},
    rate("Avg", FieldingRate::Avg, kMaskRate),
    counter("G", PositionArray::Games),
    counter("GS", PositionArray::Starts),
    counter("PO", PositionArray::Putouts),
    counter("A", PositionArray::Assists),
    counter("E", PositionArray::Errors),
};

// Column stems of a split side, in SplitField order, then its three rates.
inline constexpr std::array<std::string_view, kSplitFieldCount> kSplitCounterStems = {
    "AB", "H", "2B", "3B", "HR", "RBI", "HBP", "BB", "SO", "SH", "CI", "SF", "IW"};
inline constexpr std::array<std::string_view, kHittingRateCount> kSplitRateStems = {"AVG", "OBP", "SLG"};
inline constexpr std::array<std::string_view, 2> kSideSuffixes = {"vL", "vR"};

inline constexpr std::size_t kSplitSideColumns = kSplitFieldCount + kHittingRateCount;
inline constexpr std::size_t kSplitHeaderCount = 2 * kSplitSideColumns;

// "ABvL" and so on: each stem followed by its side, in column order.
struct SplitHeaders {
    static constexpr std::size_t kLongest = 8;
    std::array<std::array<char, kLongest>, kSplitHeaderCount> text{};
    std::array<std::size_t, kSplitHeaderCount> size{};

    constexpr std::string_view operator[](std::size_t i) const { return {text[i].data(), size[i]}; }
};

constexpr std::string_view splitStem(std::size_t item) {
    return item < kSplitFieldCount ? kSplitCounterStems[item] : kSplitRateStems[item - kSplitFieldCount];
}

constexpr SplitHeaders makeSplitHeaders() {
    SplitHeaders headers;
    for (std::size_t i = 0; i < kSplitHeaderCount; ++i) {
        const std::string_view stem = splitStem(i % kSplitSideColumns);
        const std::string_view side = kSideSuffixes[i / kSplitSideColumns];
        std::size_t size = 0;
        for (char c : stem)
            headers.text[i][size++] = c;
        for (char c : side)
            headers.text[i][size++] = c;
        headers.size[i] = size;
    }
    return headers;
}
inline constexpr SplitHeaders kSplitHeaders = makeSplitHeaders();

// Batting splits use "##.000" throughout; pitching splits "#.000" for OBP and SLG.
constexpr std::array<Column, 4 + kSplitHeaderCount> splitColumns(NumberMask onBaseMask) {
    std::array<Column, 4 + kSplitHeaderCount> built = {kPlayer, kTeam, kYear, kStatType};
    for (std::size_t i = 0; i < kSplitHeaderCount; ++i) {
        const int side = static_cast<int>(i / kSplitSideColumns);
        const std::size_t item = i % kSplitSideColumns;
        Column& column = built[4 + i];
        column.header = kSplitHeaders[i];
        if (item < kSplitFieldCount) {
            column.source = ColumnSource::Counter;
            column.index = SplitIndex::encode(side, item);
        } else {
            const std::size_t rate = item - kSplitFieldCount;
            column.source = ColumnSource::Rate;
            column.index = SplitIndex::encode(side, rate);
            column.mask = static_cast<HittingRate>(rate) == HittingRate::Avg ? kMaskRate : onBaseMask;
        }
    }
    return built;
}
inline constexpr auto kBattingSplits = splitColumns(kMaskRate);
inline constexpr auto kPitchingSplits = splitColumns(kMaskOnBase);

inline constexpr std::array kIds = {Column{"PlayerID", ColumnSource::PlayerId},
                                    Column{"TeamID", ColumnSource::TeamId}};

// A file's columns before the id columns.
template <ExportFileKind Kind> constexpr const auto& of() {
    if constexpr (Kind == ExportFileKind::BattingStats)
        return kBatting;
    else if constexpr (Kind == ExportFileKind::PitchingStats)
        return kPitching;
    else if constexpr (Kind == ExportFileKind::FieldingStats)
        return kFielding;
    else if constexpr (Kind == ExportFileKind::PitchingSplits)
        return kPitchingSplits;
    else
        return kBattingSplits;
}

static_assert(kSplitHeaders[0] == "ABvL" && kSplitHeaders[kSplitHeaderCount - 1] == "SLGvR");
static_assert(kBattingSplits.size() + kIds.size() <= kMaxColumns);

} // namespace boxloom::columns
