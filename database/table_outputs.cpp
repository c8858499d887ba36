#include "table_outputs.h"

#include "paths.h"

#include <charconv>
#include <optional>
#include <vector>

namespace boxloom::database {

namespace {

std::optional<std::int64_t> parseInteger(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<double> parseReal(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return text;
}

// Splits the export lines written to it and inserts each but the header as a row.
class TableOutput final : public OutputFile {
public:
    TableOutput(Connection& db, ExportFileKind kind, std::string season)
        : kind_(kind), columns_(storedColumns(kind)), season_(std::move(season)), insert_(db, insertSql()),
          db_(db) {}

    bool prepared() const { return insert_.ok(); }

    std::string write(const void* data, std::size_t size) override {
        // After a full disk SQLite rolls the transaction back by itself: a row
        // written now would be committed on its own.
        if (!db_.inTransaction()) return "the import's transaction ended after an earlier failure";
        pending_.append(static_cast<const char*>(data), size);
        std::size_t consumed = 0;
        for (std::size_t end; (end = recordEnd(consumed)) != std::string::npos; consumed = end + 2) {
            if (std::string reason = row(std::string_view(pending_).substr(consumed, end - consumed));
                !reason.empty())
                return reason;
        }
        pending_.erase(0, consumed);
        return {};
    }
    std::string finish() override { return pending_.empty() ? std::string() : "a line without its end"; }
    std::string replace() override { return {}; }
    std::string restore() override { return {}; }
    std::string cleanUp() override { return {}; }

private:
    std::string insertSql() const {
        std::string sql = "INSERT INTO \"" + tableName(kind_) + "\" VALUES (?";
        for (std::size_t i = 0; i < columns_.size() + (hasInningsOuts(kind_) ? 1 : 0); ++i)
            sql += ", ?";
        return sql + ")";
    }

    // The CR LF that ends the record starting at `from`, outside quotes.
    std::size_t recordEnd(std::size_t from) {
        bool quoted = false;
        for (std::size_t i = from; i + 1 < pending_.size(); ++i) {
            if (pending_[i] == '"') quoted = !quoted;
            if (!quoted && pending_[i] == '\r' && pending_[i + 1] == '\n') return i;
        }
        return std::string::npos;
    }

    // Splits a line into its fields, unquoted; reuses the strings of the last line.
    const std::vector<std::string>& fields(std::string_view line) {
        std::size_t count = 1;
        std::vector<std::string>& found = fields_;
        if (found.empty()) found.emplace_back();
        found[0].clear();
        bool quoted = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char c = line[i];
            if (c == '"') {
                if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    found[count - 1] += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
            } else if (c == ',' && !quoted) {
                if (found.size() <= count) found.emplace_back();
                found[count++].clear();
            } else {
                found[count - 1] += c;
            }
        }
        found.resize(count);
        return found;
    }

    std::string row(std::string_view line) {
        if (!headerSeen_) {
            headerSeen_ = true;
            return {};
        }
        const std::vector<std::string>& values = fields(line);
        if (values.size() != columns_.size())
            return "a row with " + std::to_string(values.size()) + " fields";
        insert_.reset();
        insert_.bindLastingText(1, season_);
        int parameter = 2;
        std::optional<std::int64_t> outs;
        for (std::size_t i = 0; i < values.size(); ++i, ++parameter) {
            const std::string& value = values[i];
            switch (columns_[i].stored) {
            case Stored::Text: insert_.bindLastingText(parameter, value); break;
            case Stored::InningsText:
                insert_.bindLastingText(parameter, value);
                outs = outsOfInnings(value);
                break;
            case Stored::Rate: bindReal(parameter, value); break;
            case Stored::Year: bindInteger(parameter, trimmed(value)); break;
            case Stored::Counter:
            case Stored::OptionalId: bindInteger(parameter, value); break;
            }
        }
        if (hasInningsOuts(kind_)) {
            if (outs)
                insert_.bindInteger(parameter, *outs);
            else
                insert_.bindNull(parameter);
        }
        return insert_.step() ? std::string() : db_.reason();
    }

    // Not a number ("x", blank): NULL.
    void bindInteger(int parameter, std::string_view text) {
        if (const auto number = parseInteger(text))
            insert_.bindInteger(parameter, *number);
        else
            insert_.bindNull(parameter);
    }
    void bindReal(int parameter, std::string_view text) {
        if (const auto number = parseReal(text))
            insert_.bindReal(parameter, *number);
        else
            insert_.bindNull(parameter);
    }

    ExportFileKind kind_;
    std::vector<StoredColumn> columns_;
    std::string season_;
    Statement insert_;
    Connection& db_;
    std::string pending_;
    std::vector<std::string> fields_;
    bool headerSeen_ = false;
};

} // namespace

std::optional<std::int64_t> outsOfInnings(std::string_view innings) {
    const bool negative = !innings.empty() && innings.front() == '-';
    if (negative) innings.remove_prefix(1);
    const auto point = innings.find('.');
    if (point == std::string_view::npos || point + 2 != innings.size()) return std::nullopt;
    const auto whole = parseInteger(innings.substr(0, point));
    const auto thirds = parseInteger(innings.substr(point + 1));
    if (!whole || !thirds) return std::nullopt;
    const std::int64_t outs = *whole * 3 + *thirds;
    return negative ? -outs : outs;
}

std::unique_ptr<OutputFile> TableOutputs::create(const std::string& finalPath, std::string& reason) {
    const std::string_view name = nameOf(finalPath);
    for (ExportFileKind kind : kExportFileKinds) {
        if (name.substr(0, exportFileStem(kind).size()) != exportFileStem(kind)) continue;
        auto table = std::make_unique<TableOutput>(db_, kind, season_);
        if (!table->prepared()) {
            reason = db_.reason();
            return nullptr;
        }
        return table;
    }
    reason = "not a statistics table";
    return nullptr;
}

} // namespace boxloom::database
