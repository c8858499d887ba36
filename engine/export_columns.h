#pragma once

// The column list of every export file, written once as data: the header rows
// and the data rows are both produced from it.

#include "export_file_kinds.h"
#include "number_masks.h"
#include "rates.h"
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
    Games,    // the batting G column: a counter, or the text "x" in grouped rows
    Counter,  // index: a field of the row kind (StatField, PositionArray, or a SplitIndex)
    Rate,     // index: a rate of the row kind, formatted with `mask`
    Innings,  // the outs pitched, formatted with `mask` as innings and thirds
    Text,     // the row's own text (the fielding position)
    PlayerId, // the record's player number; empty in grouped rows
    TeamId,   // the record's team number
};

struct Column {
    std::string_view header;
    ColumnSource source;
    std::uint8_t index = 0;
    NumberMask mask{};
};

enum class PitchingRate : std::uint8_t { Era, Pct, Avg, Obp, Slg, Count };
enum class FieldingRate : std::uint8_t { Avg, Count };

inline constexpr std::size_t kHittingRateCount = static_cast<std::size_t>(HittingRate::Count);

// The column index of a split row names a side (0 L, 1 R) and, within it, a
// SplitField for counters or a HittingRate for rates; every split file and
// every split row reads it the same way.
struct SplitIndex {
    static constexpr std::uint8_t kSideStride = 16;
    static_assert(kSplitFieldCount <= kSideStride && kHittingRateCount <= kSideStride);

    int side = 0;
    std::size_t item = 0;

    static constexpr std::uint8_t encode(int side, std::size_t item) {
        return static_cast<std::uint8_t>(side * kSideStride + static_cast<int>(item));
    }
    static constexpr SplitIndex decode(std::uint8_t index) {
        return {index / kSideStride, static_cast<std::size_t>(index % kSideStride)};
    }
    SplitField field() const { return static_cast<SplitField>(item); }
    HittingRate rate() const { return static_cast<HittingRate>(item); }
};

// With `withIds`, the file's columns are followed by "PlayerID" and "TeamID".
std::span<const Column> columnsOf(ExportFileKind kind, bool withIds = false);

// The most columns a file has: a split file with its ids.
inline constexpr std::size_t kMaxColumns = 4 + 2 * (kSplitFieldCount + kHittingRateCount) + 2;

} // namespace boxloom
