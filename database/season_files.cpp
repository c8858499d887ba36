#include "season_files.h"

#include "csv_lines.h"
#include "export_columns.h"
#include "league_files.h"
#include "league_schema.h"
#include "sqlite_db.h"

#include <vector>

namespace boxloom::database {

namespace {

// Lines gathered into a string.
struct StringLines : LineSink {
    explicit StringLines(std::string& out) : out_(out) { utf8 = true; }
    void flush() override {
        out_.append(buffer.data(), used);
        used = 0;
    }

private:
    std::string& out_;
};

// What the import stored, as the field the export wrote: a NULL is the empty
// player number or the year of a team without one, otherwise a grouped row's "x".
Field fieldOf(const Column& column, const Statement& row, int index, int outsIndex, std::string& text) {
    const bool null = row.isNull(index);
    switch (column.source) {
    case ColumnSource::Player:
    case ColumnSource::Team:
    case ColumnSource::StatType:
    case ColumnSource::Text:
        // Already UTF-8: only its double quotes are doubled.
        text = encodeFieldText(row.textColumn(index), false);
        return Field::ofEncodedText(text);
    case ColumnSource::Year:
        text = null ? std::string() : seasonYearText(static_cast<int>(row.integerColumn(index)));
        return Field::ofYear(text, null ? 0 : static_cast<std::int32_t>(row.integerColumn(index)));
    case ColumnSource::PlayerId:
        return null ? Field::blank() : Field::ofNumber(static_cast<std::int32_t>(row.integerColumn(index)));
    case ColumnSource::Rate:
        return null ? Field::grouped()
                    : Field::ofRate(static_cast<float>(row.realColumn(index)), column.mask);
    case ColumnSource::Innings:
        return row.isNull(outsIndex)
                   ? Field::grouped()
                   : Field::ofInnings(static_cast<std::int32_t>(row.integerColumn(outsIndex)), column.mask);
    case ColumnSource::Games:
    case ColumnSource::Counter:
    case ColumnSource::TeamId:
        return null ? Field::grouped() : Field::ofNumber(static_cast<std::int32_t>(row.integerColumn(index)));
    }
    return Field::blank();
}

} // namespace

std::string seasonFileBytes(Connection& db, const std::string& label, ExportFileKind kind,
                            std::string& bytes) {
    const TableDescription& table = describeTable(kind);
    const std::span<const Column> columns = columnsOf(kind, true);
    // The table's columns after "Season" are the file's, then the outs behind IP.
    std::string select;
    for (std::size_t i = 1; i < table.columns.size(); ++i)
        select += (select.empty() ? "\"" : ", \"") + table.columns[i].name + "\"";
    int outsIndex = -1;
    for (std::size_t i = 1; i < table.columns.size(); ++i)
        if (table.columns[i].stored == Stored::InningsOuts) outsIndex = static_cast<int>(i - 1);
    Statement query(db,
                    "SELECT " + select + " FROM \"" + table.name + "\" WHERE \"Season\" = ? ORDER BY rowid");
    if (!query.ok()) return db.reason();
    query.bindText(1, label);
    bytes.clear();
    StringLines lines(bytes);
    {
        LineWriter header(lines);
        for (const Column& column : columns)
            header.text(column.header);
    }
    std::vector<Field> fields(columns.size());
    std::vector<std::string> texts(columns.size());
    for (;;) {
        if (!query.step()) return db.reason();
        if (!query.hasRow()) break;
        for (std::size_t i = 0; i < columns.size(); ++i)
            fields[i] = fieldOf(columns[i], query, static_cast<int>(i), outsIndex, texts[i]);
        lines.writeRow(fields);
    }
    lines.flush();
    return {};
}

} // namespace boxloom::database
