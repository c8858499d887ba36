#pragma once

// Rows on their way into SQLite: the engine's typed fields made into the values
// SQLite stores (texts in UTF-8, rates as printed, IP as text and outs), kept in
// batches that another thread binds into the tables' inserts.

#include "export_file_kinds.h"
#include "row_sink.h"
#include "sqlite_db.h"

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace boxloom::database {

// Sixteen bytes: a season's batches pass millions of them.
class StoredValue {
public:
    enum class Kind : std::uint8_t { Null, Integer, Real, Text };

    static StoredValue null() { return {}; }
    static StoredValue ofInteger(std::int64_t value) {
        StoredValue stored(Kind::Integer);
        stored.integer_ = value;
        return stored;
    }
    static StoredValue ofReal(double value) {
        StoredValue stored(Kind::Real);
        stored.real_ = value;
        return stored;
    }
    // The text must outlive the value: it is its batch's own.
    static StoredValue ofText(std::string_view text) {
        StoredValue stored(Kind::Text);
        stored.text_ = text.data();
        stored.size_ = static_cast<std::uint32_t>(text.size());
        return stored;
    }

    Kind kind() const { return kind_; }
    std::int64_t integer() const { return integer_; }
    double real() const { return real_; }
    std::string_view text() const { return {text_, size_}; }

private:
    StoredValue() = default;
    explicit StoredValue(Kind kind) : kind_(kind) {}

    Kind kind_ = Kind::Null;
    std::uint32_t size_ = 0;
    union {
        std::int64_t integer_ = 0;
        double real_;
        const char* text_;
    };
};
static_assert(sizeof(StoredValue) == 16);

class RowBatch {
public:
    static constexpr std::size_t kRows = 2048;

    // A row's fields as the values of its table's columns after the season.
    void add(ExportFileKind kind, std::span<const Field> fields);
    bool full() const { return rows_.size() >= kRows; }
    bool empty() const { return rows_.empty(); }
    void clear();

    struct Row {
        ExportFileKind kind;
        std::span<const StoredValue> values;
    };
    template <typename Visit> void forEachRow(Visit visit) const {
        std::size_t first = 0;
        for (const RowExtent& row : rows_) {
            visit(Row{row.kind, std::span<const StoredValue>(values_.data() + first, row.count)});
            first += row.count;
        }
    }

private:
    struct RowExtent {
        ExportFileKind kind;
        std::uint32_t count;
    };
    void addText(std::string_view text);
    std::string_view keep(std::string_view text);

    std::vector<RowExtent> rows_;
    std::vector<StoredValue> values_;
    // Texts are copied into blocks that never move, so the values' views stay valid.
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t blockUsed_ = 0;
    std::size_t blocksUsed_ = 0;
    std::deque<std::string> large_; // a text longer than a block
};

// The season's inserts, one per statistics table, each row bound after the
// season's label. Used by one thread at a time.
class TableInserts {
public:
    TableInserts(Connection& db, std::string season);

    // The reason the table's insert cannot be made, or "".
    std::string prepare(ExportFileKind kind);
    void insert(const RowBatch& batch);
    // A table's failure; "" for one that only followed another table's, so
    // that the cause is told first and once.
    std::string error(ExportFileKind kind) const;
    std::uint64_t rows(ExportFileKind kind) const { return tables_[indexOf(kind)].rows; }

private:
    struct Table {
        std::unique_ptr<Statement> insert;
        std::string error;
        std::uint64_t rows = 0;
    };
    void insertRow(Table& table, std::span<const StoredValue> values);

    Connection& db_;
    std::string season_;
    std::array<Table, kExportFileKindCount> tables_;
};

} // namespace boxloom::database
