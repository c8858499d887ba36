#pragma once

#include "export_columns.h"
#include "line_writer.h"
#include "row_targets.h"

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
};

// Builds one data row from the column list of its file. `values` supplies
// counter(index) and rate(index), and, where the file has them, games() and text().
template <class Values>
void emitRow(const RowTargets& rows, ExportFileKind kind, const RowIdentity& identity, const Values& values) {
    LineSink* sink = rows.sink(kind);
    if (sink == nullptr) return;
    LineWriter line(sink);
    const auto identityText = [&](std::string_view text) {
        if (identity.encoded)
            line.encodedText(text);
        else
            line.text(text);
    };
    for (const Column& column : columnsOf(kind, rows.withIds)) {
        switch (column.source) {
        case ColumnSource::Player: identityText(identity.player); break;
        case ColumnSource::Team: identityText(identity.team); break;
        case ColumnSource::Year: identityText(identity.year); break;
        case ColumnSource::StatType: identityText(identity.statType); break;
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
        case ColumnSource::PlayerId:
            if (identity.playerId < 0)
                line.empty();
            else
                line.number(identity.playerId);
            break;
        case ColumnSource::TeamId: line.number(identity.teamId); break;
        }
    }
}

} // namespace boxloom
