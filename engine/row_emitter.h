#pragma once

#include "export_columns.h"
#include "line_writer.h"
#include "row_targets.h"

#include <array>
#include <string_view>

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

// Writes one data row from the column list of its file into `out`: a CSV
// line (LineWriter) or typed fields (FieldCollector), the same calls for both.
// `values` supplies counter(index) and rate(index), and, where the file has
// them, innings(), games() and text().
template <class Out, class Values>
void writeFields(Out& out, std::span<const Column> columns, const RowIdentity& identity,
                 const Values& values) {
    const auto identityText = [&](std::string_view text) {
        if (identity.encoded)
            out.encodedText(text);
        else
            out.text(text);
    };
    for (const Column& column : columns) {
        switch (column.source) {
        case ColumnSource::Player: identityText(identity.player); break;
        case ColumnSource::Team: identityText(identity.team); break;
        case ColumnSource::Year:
            if constexpr (requires { out.year(identity.year, identity.yearNumber); })
                out.year(identity.year, identity.yearNumber);
            else
                identityText(identity.year);
            break;
        case ColumnSource::StatType: identityText(identity.statType); break;
        case ColumnSource::Games:
            if constexpr (requires { values.games(); })
                out.field(values.games());
            else
                out.number(values.counter(column.index));
            break;
        case ColumnSource::Counter: out.number(values.counter(column.index)); break;
        case ColumnSource::Rate: out.rate(values.rate(column.index), column.mask); break;
        case ColumnSource::Innings:
            if constexpr (requires { values.innings(); }) out.innings(values.innings(), column.mask);
            break;
        case ColumnSource::Text:
            if constexpr (requires { values.text(); }) out.text(values.text());
            break;
        case ColumnSource::PlayerId:
            if (identity.playerId < 0)
                out.empty();
            else
                out.number(identity.playerId);
            break;
        case ColumnSource::TeamId: out.number(identity.teamId); break;
        }
    }
}

// Writes one data row of a file to its sink, if the run writes that file. A
// CSV sink's line is encoded as the fields come, with nothing in between.
template <class Values>
void emitRow(const RowTargets& rows, ExportFileKind kind, const RowIdentity& identity, const Values& values) {
    RowSink* sink = rows.sink(kind);
    if (sink == nullptr) return;
    const std::span<const Column> columns = columnsOf(kind, rows.withIds);
    if (LineSink* csv = sink->csv) {
        LineWriter line(csv);
        writeFields(line, columns, identity, values);
        return;
    }
    FieldCollector fields;
    writeFields(fields, columns, identity, values);
    sink->writeRow(fields.fields());
}

} // namespace boxloom
