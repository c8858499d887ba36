#pragma once

#include "column_tables.h"
#include "csv_lines.h"
#include "export_columns.h"
#include "row_targets.h"

#include <array>
#include <string_view>
#include <utility>

namespace boxloom {

// The Player, Team, Year and StatType texts that open every row, and the
// numbers of the id columns (a negative player number leaves its field empty).
struct RowIdentity {
    std::string_view player;
    std::string_view team;
    std::string_view year;
    std::string_view statType;
    int playerId = -1;
    int teamId = 0;
    // The texts were made by encodeFieldText for the files' encoding.
    bool encoded = false;
    int yearNumber = 0; // behind `year`; 0 when there is none
};

// Collects a row's typed fields for a sink that is not a CSV file.
class FieldCollector {
public:
    void text(std::string_view value) { add(Field::ofText(value)); }
    void year(std::string_view text, int number) { add(Field::ofYear(text, number)); }
    void encodedText(std::string_view value) { add(Field::ofEncodedText(value)); }
    void number(std::int32_t value) { add(Field::ofNumber(value)); }
    void rate(float value, const NumberMask& mask) { add(Field::ofRate(value, mask)); }
    void innings(std::int32_t outs, const NumberMask& mask) { add(Field::ofInnings(outs, mask)); }
    void empty() { add(Field::blank()); }
    void field(const Field& field) { add(field); }
    std::span<const Field> fields() const { return {fields_.data(), count_}; }

private:
    void add(const Field& field) { fields_[count_++] = field; }
    std::array<Field, kMaxColumns> fields_;
    std::size_t count_ = 0;
};

// Writes one field of a data row into `out`: a CSV line (ReservedLine) or typed
// fields (FieldCollector), the same calls for both. The column is a constant,
// so no column is looked up or dispatched on while a row is written.
// `values` supplies counter(index) and rate(index), and, where the file has
// them, innings(), games() and text().
template <const auto& Table, std::size_t I, class Out, class Values>
[[gnu::always_inline]] inline void writeColumn(Out& out, const RowIdentity& identity, const Values& values) {
    constexpr Column column = Table[I];
    constexpr ColumnSource source = column.source;
    const auto identityText = [&](std::string_view text) {
        if (identity.encoded)
            out.encodedText(text);
        else
            out.text(text);
    };
    if constexpr (source == ColumnSource::Player) {
        identityText(identity.player);
    } else if constexpr (source == ColumnSource::Team) {
        identityText(identity.team);
    } else if constexpr (source == ColumnSource::Year) {
        if constexpr (requires { out.year(identity.year, identity.yearNumber); })
            out.year(identity.year, identity.yearNumber);
        else
            identityText(identity.year);
    } else if constexpr (source == ColumnSource::StatType) {
        identityText(identity.statType);
    } else if constexpr (source == ColumnSource::Games) {
        if constexpr (requires { values.games(); })
            out.field(values.games());
        else
            out.number(values.counter(column.index));
    } else if constexpr (source == ColumnSource::Counter) {
        out.number(values.counter(column.index));
    } else if constexpr (source == ColumnSource::Rate) {
        out.rate(values.rate(column.index), column.mask);
    } else if constexpr (source == ColumnSource::Innings) {
        out.innings(values.innings(), column.mask);
    } else if constexpr (source == ColumnSource::Text) {
        out.text(values.text());
    } else if constexpr (source == ColumnSource::PlayerId) {
        if (identity.playerId < 0)
            out.empty();
        else
            out.number(identity.playerId);
    } else {
        static_assert(source == ColumnSource::TeamId);
        out.number(identity.teamId);
    }
}

template <const auto& Table, class Out, class Values, std::size_t... I>
[[gnu::always_inline]] inline void writeColumns(Out& out, const RowIdentity& identity, const Values& values,
                                                std::index_sequence<I...>) {
    (writeColumn<Table, I>(out, identity, values), ...);
}

// Writes one data row of a file, with its id columns when the run has them.
template <ExportFileKind Kind, class Out, class Values>
[[gnu::always_inline]] inline void writeRowFields(Out& out, bool withIds, const RowIdentity& identity,
                                                  const Values& values) {
    constexpr const auto& table = columns::of<Kind>();
    writeColumns<table>(out, identity, values, std::make_index_sequence<table.size()>{});
    if (withIds) writeColumns<columns::kIds>(out, identity, values, std::make_index_sequence<2>{});
}

// The most bytes a row's fields and separators can take: the numbers and rates
// of its columns, known at compile time, and its texts, known per row.
constexpr std::size_t maxFieldBytes(ColumnSource source) {
    switch (source) {
    case ColumnSource::Games:
    case ColumnSource::Counter:
    case ColumnSource::PlayerId:
    case ColumnSource::TeamId: return field_text::kMaxNumberChars;
    case ColumnSource::Rate:
    case ColumnSource::Innings: return field_text::kMaxRateChars;
    default: return 0; // texts
    }
}

template <const auto& Table> constexpr std::size_t maxNumberBytes() {
    std::size_t bytes = 0;
    for (const Column& column : Table)
        bytes += maxFieldBytes(column.source) + 1;
    return bytes;
}

template <ExportFileKind Kind, class Values>
std::size_t maxRowBytes(bool withIds, const RowIdentity& identity, const Values& values) {
    const auto textBytes = [&](std::string_view text) {
        return (identity.encoded ? text.size() + 2 : field_text::maxTextChars(text.size())) + 1;
    };
    std::size_t bytes = maxNumberBytes<columns::of<Kind>()>() + textBytes(identity.player) +
                        textBytes(identity.team) + textBytes(identity.year) + textBytes(identity.statType);
    if constexpr (requires { values.text(); }) bytes += field_text::maxTextChars(values.text().size()) + 1;
    if (withIds) bytes += maxNumberBytes<columns::kIds>();
    return bytes;
}

// Writes one data row of a file to its sink, if the run writes that file. A
// CSV sink's line is encoded as the fields come, with nothing in between.
template <ExportFileKind Kind, class Values>
void emitRow(const RowTargets& rows, const RowIdentity& identity, const Values& values) {
    RowSink* sink = rows.sink(Kind);
    if (sink == nullptr) return;
    if (LineSink* csv = sink->csv) {
        // Copies that no byte written can alias: they stay in registers.
        const Values local = values;
        const RowIdentity row = identity;
        ReservedLine line(*csv, maxRowBytes<Kind>(rows.withIds, row, local));
        writeRowFields<Kind>(line, rows.withIds, row, local);
        return;
    }
    FieldCollector fields;
    writeRowFields<Kind>(fields, rows.withIds, identity, values);
    sink->writeRow(fields.fields());
}

} // namespace boxloom
