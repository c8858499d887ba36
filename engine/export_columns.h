#pragma once

// The column list of every export file, written once as data: the header rows
// and the data rows are both produced from it.

#include "export_writer.h"
#include "number_masks.h"
#include "season_stats.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace boxloom {

enum class ColumnSource : std::uint8_t {
    Player,
    Team,
    Year,
    StatType,
    Games,   // the batting G column: a counter, or the text "x" in grouped rows
    Counter, // index: a field of the row kind (StatField, PositionArray, or side * 13 + SplitField)
    Rate,    // index: a rate of the row kind, formatted with `mask`
    Text,    // the row's own text (the fielding position)
};

struct Column {
    std::string_view header;
    ColumnSource source;
    std::uint8_t index = 0;
    NumberMask mask{};
};

enum class HittingRate : std::uint8_t { Avg, Obp, Slg, Count };
enum class PitchingRate : std::uint8_t { Era, Pct, Innings, Avg, Obp, Slg, Count };
enum class FieldingRate : std::uint8_t { Avg, Count };

// Split rows: 13 counters and 3 rates per side; side 0 is L, side 1 is R.
constexpr std::uint8_t splitCounterIndex(int side, SplitField field) {
    return static_cast<std::uint8_t>(side * kSplitFieldCount + static_cast<std::size_t>(field));
}
constexpr std::uint8_t splitRateIndex(int side, HittingRate rate) {
    return static_cast<std::uint8_t>(side * 3 + static_cast<int>(rate));
}

std::span<const Column> columnsOf(ExportFileKind kind);

inline constexpr std::size_t kMaxColumns = 36;

} // namespace boxloom
