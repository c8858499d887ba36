#include "row_batches.h"

#include "league_schema.h"
#include "text_encoding.h"

#include <algorithm>
#include <cstring>

namespace boxloom::database {

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

StoredValue integer(std::int64_t value) { return StoredValue::ofInteger(value); }
StoredValue null() { return StoredValue::null(); }

} // namespace

void RowBatch::add(ExportFileKind kind, std::span<const Field> fields) {
    const std::size_t before = values_.size();
    for (const Field& field : fields) {
        switch (field.type) {
        case Field::Type::Text:
        case Field::Type::EncodedText: addText(field.text); break;
        case Field::Type::Year: values_.push_back(field.number > 0 ? integer(field.number) : null()); break;
        case Field::Type::Number: values_.push_back(integer(field.number)); break;
        case Field::Type::Rate:
            values_.push_back(StoredValue::ofReal(maskedValue(field.rate, field.mask)));
            break;
        case Field::Type::Innings: addText(inningsText(field.number, field.mask).view()); break;
        case Field::Type::Blank:
        case Field::Type::Grouped: values_.push_back(null()); break;
        }
    }
    // The outs behind IP close the row, where the table has its column for them.
    for (const Field& field : fields)
        if (field.type == Field::Type::Innings) values_.push_back(integer(field.number));
    rows_.push_back({kind, static_cast<std::uint32_t>(values_.size() - before)});
}

// The league files' texts are windows-1252; the database's are UTF-8.
void RowBatch::addText(std::string_view text) {
    const std::string_view kept = isAscii(text) ? keep(text) : keep(windows1252ToUtf8(text));
    values_.push_back(StoredValue::ofText(kept));
}

std::string_view RowBatch::keep(std::string_view text) {
    if (text.size() > kBlockSize) return large_.emplace_back(text);
    if (blocksUsed_ == 0 || blockUsed_ + text.size() > kBlockSize) {
        if (blocksUsed_ == blocks_.size()) blocks_.push_back(std::make_unique<char[]>(kBlockSize));
        ++blocksUsed_;
        blockUsed_ = 0;
    }
    char* at = blocks_[blocksUsed_ - 1].get() + blockUsed_;
    if (!text.empty()) std::memcpy(at, text.data(), text.size());
    blockUsed_ += text.size();
    return {at, text.size()};
}

void RowBatch::clear() {
    rows_.clear();
    values_.clear();
    large_.clear();
    blocksUsed_ = blockUsed_ = 0;
}

namespace {
constexpr std::string_view kTransactionEnded = "the import's transaction ended after an earlier failure";
}

std::string TableInserts::error(ExportFileKind kind) const {
    const std::string& own = tables_[indexOf(kind)].error;
    if (own != kTransactionEnded) return own;
    for (const Table& table : tables_)
        if (!table.error.empty() && table.error != kTransactionEnded) return {};
    return own;
}

TableInserts::TableInserts(Connection& db, std::string season) : db_(db), season_(std::move(season)) {}

std::string TableInserts::prepare(ExportFileKind kind) {
    auto insert = std::make_unique<Statement>(db_, insertSql(describeTable(kind)));
    if (!insert->ok()) return db_.reason();
    tables_[indexOf(kind)].insert = std::move(insert);
    return {};
}

void TableInserts::insert(const RowBatch& batch) {
    batch.forEachRow([this](const RowBatch::Row& row) { insertRow(tables_[indexOf(row.kind)], row.values); });
}

void TableInserts::insertRow(Table& table, std::span<const StoredValue> values) {
    if (!table.error.empty() || table.insert == nullptr) return;
    // After a full disk SQLite rolls the transaction back by itself: a row
    // written now would be committed on its own.
    if (!db_.inTransaction()) {
        table.error = kTransactionEnded;
        return;
    }
    Statement& insert = *table.insert;
    insert.resetKeepingBindings();
    insert.bindLastingText(1, season_);
    int parameter = 2;
    for (const StoredValue& value : values) {
        switch (value.kind()) {
        case StoredValue::Kind::Null: insert.bindNull(parameter); break;
        case StoredValue::Kind::Integer: insert.bindInteger(parameter, value.integer()); break;
        case StoredValue::Kind::Real: insert.bindReal(parameter, value.real()); break;
        case StoredValue::Kind::Text: insert.bindLastingText(parameter, value.text()); break;
        }
        ++parameter;
    }
    if (!insert.step()) table.error = db_.reason();
    ++table.rows;
}

} // namespace boxloom::database
