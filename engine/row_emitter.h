#pragma once

#include "export_columns.h"
#include "export_writer.h"
#include "number_masks.h"

#include <array>
#include <span>
#include <string_view>

namespace boxloom {

// The Player, Team, Year and StatType texts that open every row.
struct RowIdentity {
    std::string_view player;
    std::string_view team;
    std::string_view year;
    std::string_view statType;
};

// Builds one data row from the column list of its file. `values` supplies
// counter(index) and rate(index), and, where the file has them, games() and text().
template <class Values>
void emitRow(ExportFiles& files, ExportFileKind kind, const RowIdentity& identity, const Values& values) {
    const std::span<const Column> columns = columnsOf(kind);
    std::array<Field, kMaxColumns> fields;
    std::array<MaskedText, kMaxColumns> rateTexts;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Column& column = columns[i];
        switch (column.source) {
        case ColumnSource::Player: fields[i] = Field::ofText(identity.player); break;
        case ColumnSource::Team: fields[i] = Field::ofText(identity.team); break;
        case ColumnSource::Year: fields[i] = Field::ofText(identity.year); break;
        case ColumnSource::StatType: fields[i] = Field::ofText(identity.statType); break;
        case ColumnSource::Games:
            if constexpr (requires { values.games(); })
                fields[i] = values.games();
            else
                fields[i] = Field::ofNumber(values.counter(column.index));
            break;
        case ColumnSource::Counter: fields[i] = Field::ofNumber(values.counter(column.index)); break;
        case ColumnSource::Rate:
            rateTexts[i] = formatWithMask(values.rate(column.index), column.mask);
            fields[i] = Field::ofText(rateTexts[i].view());
            break;
        case ColumnSource::Text:
            if constexpr (requires { values.text(); }) fields[i] = Field::ofText(values.text());
            break;
        }
    }
    writeRow(files, kind, std::span<const Field>(fields.data(), columns.size()));
}

} // namespace boxloom
