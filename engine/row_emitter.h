#pragma once

#include "export_columns.h"
#include "export_writer.h"
#include "line_writer.h"

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
    LineSink* sink = files.sink(kind);
    if (sink == nullptr) return;
    LineWriter line(sink);
    for (const Column& column : columnsOf(kind)) {
        switch (column.source) {
        case ColumnSource::Player: line.text(identity.player); break;
        case ColumnSource::Team: line.text(identity.team); break;
        case ColumnSource::Year: line.text(identity.year); break;
        case ColumnSource::StatType: line.text(identity.statType); break;
        case ColumnSource::Games:
            if constexpr (requires { values.games(); })
                line.field(values.games());
            else
                line.number(values.counter(column.index));
            break;
        case ColumnSource::Counter: line.number(values.counter(column.index)); break;
        case ColumnSource::Rate: line.rate(values.rate(column.index), column.mask); break;
        case ColumnSource::Text:
            if constexpr (requires { values.text(); }) line.text(values.text());
            break;
        }
    }
}

} // namespace boxloom
