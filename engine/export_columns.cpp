#include "export_columns.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace boxloom {

namespace {

constexpr Column counter(std::string_view header, StatField field) {
    return {header, ColumnSource::Counter, static_cast<std::uint8_t>(field), {}};
}
constexpr Column counter(std::string_view header, PositionArray array) {
    return {header, ColumnSource::Counter, static_cast<std::uint8_t>(array), {}};
}
template <class Rate> constexpr Column rate(std::string_view header, Rate which, NumberMask mask) {
    return {header, ColumnSource::Rate, static_cast<std::uint8_t>(which), mask};
}

constexpr Column kPlayer{"Player", ColumnSource::Player};
constexpr Column kTeam{"Team", ColumnSource::Team};
constexpr Column kYear{"Year", ColumnSource::Year};
constexpr Column kStatType{"StatType", ColumnSource::StatType};

constexpr std::array kBattingColumns = {
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

constexpr std::array kPitchingColumns = {
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

constexpr std::array kFieldingColumns = {
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
constexpr std::array<std::string_view, kSplitFieldCount> kSplitCounterStems = {
    "AB", "H", "2B", "3B", "HR", "RBI", "HBP", "BB", "SO", "SH", "CI", "SF", "IW"};
constexpr std::array<std::string_view, kHittingRateCount> kSplitRateStems = {"AVG", "OBP", "SLG"};
constexpr std::array<std::string_view, 2> kSideSuffixes = {"vL", "vR"};

constexpr std::size_t kSplitHeaderCount = 2 * (kSplitFieldCount + kHittingRateCount);

const std::array<std::string, kSplitHeaderCount>& splitHeaders() {
    static const std::array<std::string, kSplitHeaderCount> headers = [] {
        std::array<std::string, kSplitHeaderCount> built;
        std::size_t next = 0;
        for (std::string_view side : kSideSuffixes) {
            for (std::string_view stem : kSplitCounterStems)
                built[next++] = std::string(stem) + std::string(side);
            for (std::string_view stem : kSplitRateStems)
                built[next++] = std::string(stem) + std::string(side);
        }
        return built;
    }();
    return headers;
}

// Batting splits use "##.000" throughout; pitching splits "#.000" for OBP and SLG.
std::vector<Column> buildSplitColumns(NumberMask onBaseMask) {
    std::vector<Column> columns = {kPlayer, kTeam, kYear, kStatType};
    const auto& headers = splitHeaders();
    std::size_t next = 0;
    for (int side = 0; side < 2; ++side) {
        for (std::size_t field = 0; field < kSplitFieldCount; ++field)
            columns.push_back({headers[next++], ColumnSource::Counter, SplitIndex::encode(side, field), {}});
        for (std::size_t rate = 0; rate < kHittingRateCount; ++rate) {
            const NumberMask mask =
                static_cast<HittingRate>(rate) == HittingRate::Avg ? kMaskRate : onBaseMask;
            columns.push_back({headers[next++], ColumnSource::Rate, SplitIndex::encode(side, rate), mask});
        }
    }
    return columns;
}

constexpr std::array kIdColumns = {Column{"PlayerID", ColumnSource::PlayerId},
                                   Column{"TeamID", ColumnSource::TeamId}};

std::vector<Column> baseColumns(ExportFileKind kind) {
    switch (kind) {
    case ExportFileKind::BattingStats: return {kBattingColumns.begin(), kBattingColumns.end()};
    case ExportFileKind::PitchingStats: return {kPitchingColumns.begin(), kPitchingColumns.end()};
    case ExportFileKind::FieldingStats: return {kFieldingColumns.begin(), kFieldingColumns.end()};
    case ExportFileKind::PitchingSplits: return buildSplitColumns(kMaskOnBase);
    case ExportFileKind::BattingSplits: return buildSplitColumns(kMaskRate);
    }
    return {};
}

// Every file's columns, without and with the id columns.
using ColumnLists = std::array<std::array<std::vector<Column>, 2>, kExportFileKindCount>;

ColumnLists buildColumnLists() {
    ColumnLists lists;
    for (ExportFileKind kind : kExportFileKinds) {
        auto& both = lists[indexOf(kind)];
        both[0] = baseColumns(kind);
        both[1] = both[0];
        both[1].insert(both[1].end(), kIdColumns.begin(), kIdColumns.end());
        if (both[1].size() > kMaxColumns) throw std::logic_error("a file has more columns than kMaxColumns");
    }
    return lists;
}

} // namespace

std::span<const Column> columnsOf(ExportFileKind kind, bool withIds) {
    static const ColumnLists lists = buildColumnLists();
    return lists[indexOf(kind)][withIds ? 1 : 0];
}

} // namespace boxloom
