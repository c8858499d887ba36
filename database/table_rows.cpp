#include "table_rows.h"

#include "league_schema.h"
#include "line_writer.h"
#include "text_encoding.h"

#include <algorithm>

namespace boxloom::database {

// One statistics table of the season: a row's fields bound in column order
// after the season, then, for pitching, the outs behind IP.
class TableRows final : public RowSink {
public:
    TableRows(Connection& db, ExportFileKind kind, const std::string& season)
        : db_(db), season_(season), insert_(db, insertSql(describeTable(kind))) {}

    bool prepared() const { return insert_.ok(); }
    const std::string& error() const { return error_; }
    std::uint64_t rows() const { return rows_; }

    void writeRow(std::span<const Field> fields) override {
        if (!error_.empty()) return;
        // After a full disk SQLite rolls the transaction back by itself: a row
        // written now would be committed on its own.
        if (!db_.inTransaction()) {
            error_ = "the import's transaction ended after an earlier failure";
            return;
        }
        insert_.resetKeepingBindings();
        insert_.bindLastingText(1, season_);
        int parameter = 2;
        for (const Field& field : fields)
            bind(parameter++, field);
        if (outs_) insert_.bindInteger(parameter, *outs_);
        outs_.reset();
        if (!insert_.step()) error_ = db_.reason();
        ++rows_;
    }

private:
    void bind(int parameter, const Field& field) {
        switch (field.type) {
        case Field::Type::Text:
        case Field::Type::EncodedText: bindText(parameter, field.text); break;
        case Field::Type::Year:
            if (field.number > 0)
                insert_.bindInteger(parameter, field.number);
            else
                insert_.bindNull(parameter);
            break;
        case Field::Type::Number: insert_.bindInteger(parameter, field.number); break;
        case Field::Type::Rate: insert_.bindReal(parameter, maskedValue(field.rate, field.mask)); break;
        case Field::Type::Innings:
            insert_.bindText(parameter, inningsText(field.number, field.mask).view());
            outs_ = field.number;
            break;
        case Field::Type::Blank:
        case Field::Type::Grouped: insert_.bindNull(parameter); break;
        }
    }

    // The league files' texts are windows-1252; the database's are UTF-8.
    void bindText(int parameter, std::string_view text) {
        if (std::all_of(text.begin(), text.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            return insert_.bindLastingText(parameter, text);
        insert_.bindText(parameter, windows1252ToUtf8(text));
    }

    Connection& db_;
    const std::string& season_;
    Statement insert_;
    std::optional<std::int32_t> outs_;
    std::string error_;
    std::uint64_t rows_ = 0;
};

SeasonTables::SeasonTables(Connection& db, std::string season) : db_(db), season_(std::move(season)) {}
SeasonTables::~SeasonTables() = default;

RowSink* SeasonTables::open(ExportFileKind kind, std::string& reason) {
    auto table = std::make_unique<TableRows>(db_, kind, season_);
    if (!table->prepared()) {
        reason = db_.reason();
        return nullptr;
    }
    tables_[indexOf(kind)] = std::move(table);
    return tables_[indexOf(kind)].get();
}

std::string SeasonTables::finish(ExportFileKind kind) {
    return tables_[indexOf(kind)] ? tables_[indexOf(kind)]->error() : std::string();
}

std::uint64_t SeasonTables::rowsWritten(ExportFileKind kind) const {
    return tables_[indexOf(kind)] ? tables_[indexOf(kind)]->rows() : 0;
}

} // namespace boxloom::database
