#include "stat_tables.h"

#include "script_text.h"

#include "league_adjusted.h"

#include <algorithm>
#include <array>
#include <map>

namespace boxloom::site {

void appendEscaped(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
}

namespace {

// Table markup is most of a site's bytes: cells and rows end where the next
// begins, as HTML lets them, and attribute values go bare where they may.
void appendAttribute(std::string& out, std::string_view name, std::string_view value) {
    constexpr std::string_view kBare = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-/";
    out += ' ';
    out += name;
    out += '=';
    if (!value.empty() && value.back() != '/' && value.find_first_not_of(kBare) == std::string_view::npos) {
        out += value;
        return;
    }
    out += '"';
    appendEscaped(out, value);
    out += '"';
}

void appendHeader(std::string& out, std::string_view label, std::string_view meaning, bool numeric) {
    out += "<th";
    if (!numeric) appendAttribute(out, "class", "t");
    if (!meaning.empty()) appendAttribute(out, "title", meaning);
    out += '>';
    appendEscaped(out, label);
}

// Without the zeros that end the decimals: .29374, not .293740.
void appendSortValue(std::string& out, const Ratio& value, int decimals) {
    std::string text;
    appendDecimals(text, value, decimals, true);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.ends_with('.')) text.pop_back();
    }
    out += text.empty() || text == "-" ? "0" : text;
}

// The fewest decimals that keep a column's distinct values apart; the printed
// decimals when they already do, and then the printed text is enough.
int sortDecimals(std::vector<Ratio> values, int printed) {
    const auto less = [](const Ratio& a, const Ratio& b) { return compareRatios(a, b) < 0; };
    std::sort(values.begin(), values.end(), less);
    values.erase(std::unique(values.begin(), values.end(),
                             [](const Ratio& a, const Ratio& b) { return compareRatios(a, b) == 0; }),
                 values.end());
    constexpr int kMostDecimals = 17;
    for (int decimals = printed; decimals < kMostDecimals; ++decimals) {
        bool apart = true;
        std::string previous, current;
        for (std::size_t i = 0; i < values.size() && apart; ++i) {
            current.clear();
            appendDecimals(current, values[i], decimals, true);
            apart = i == 0 || current != previous;
            previous.swap(current);
        }
        if (apart) return decimals;
    }
    return kMostDecimals;
}

// Rows in blocks of kBlockRows rows. A row starts at its "<tr": text
// inside one has every "<" escaped.
std::vector<std::string> inBlocks(const std::string& rows) {
    constexpr std::string_view kRowStart = "<tr";
    std::vector<std::string> blocks;
    std::size_t count = 0;
    for (std::size_t start = rows.find(kRowStart); start != std::string::npos;) {
        const std::size_t end = rows.find(kRowStart, start + kRowStart.size());
        if (count % TableData::kBlockRows == 0) blocks.emplace_back();
        blocks.back().append(rows, start, end == std::string::npos ? std::string::npos : end - start);
        ++count;
        start = end;
    }
    return blocks;
}

} // namespace

std::string TableData::rowsWithSortValues() const {
    struct ColumnValues {
        Shown shown{};
        std::vector<Ratio> values;
    };
    std::map<std::size_t, ColumnValues> columns;
    for (const SortValue& cell : sortValues_) {
        ColumnValues& column = columns[cell.column];
        column.shown = cell.shown;
        column.values.push_back(cell.value);
    }
    std::map<std::size_t, int> decimals;
    for (auto& [column, found] : columns)
        decimals[column] = sortDecimals(std::move(found.values), decimalsOf(found.shown));
    std::string rows;
    rows.reserve(rows_.size() + sortValues_.size() * 12);
    std::size_t copied = 0;
    for (const SortValue& cell : sortValues_) {
        const int needed = decimals[cell.column];
        if (needed == decimalsOf(cell.shown)) continue;
        rows.append(rows_, copied, cell.offset - copied);
        copied = cell.offset;
        rows += " data-v=";
        appendSortValue(rows, cell.value, needed);
    }
    rows.append(rows_, copied);
    return rows;
}

std::vector<std::string> TableData::rowBlocks() const { return inBlocks(rowsWithSortValues()); }

std::string TableData::rowsHtml() const {
    if (!isLong()) return rowsWithSortValues();
    std::string joined;
    for (const std::string& block : rowBlocks()) {
        if (!joined.empty()) joined += "</tbody>\n<tbody>\n";
        joined += block;
    }
    return joined;
}

TableData::TableData(std::string id, const std::vector<std::string>& leadingLabels,
                     std::set<std::string_view>* explained)
    : id_(std::move(id)), leadingText_(leadingLabels.size()) {
    for (const std::string& label : leadingLabels) {
        const std::string_view meaning = meaningOfLeading(label);
        appendHeader(headers_, label,
                     explained == nullptr || explained->insert(meaning).second ? meaning : "", false);
    }
}

void TableData::addColumns(std::span<const StatColumn> columns, std::set<std::string_view>* explained) {
    if (explained != nullptr) {
        for (const StatColumn& column : columns)
            appendHeader(headers_, column.label,
                         explained->insert(column.meaning).second ? column.meaning : "", true);
        return;
    }
    // Every table of a kind has the same headers: made once, for all pages.
    static const std::array<std::string, kColumnKinds> made = [] {
        std::array<std::string, kColumnKinds> headers;
        for (std::size_t i = 0; i < kColumnKinds; ++i)
            for (const StatColumn& column : allColumnKinds()[i])
                appendHeader(headers[i], column.label, column.meaning, true);
        return headers;
    }();
    for (std::size_t i = 0; i < allColumnKinds().size(); ++i) {
        if (allColumnKinds()[i].data() == columns.data() && allColumnKinds()[i].size() == columns.size()) {
            headers_ += made[i];
            return;
        }
    }
    for (const StatColumn& column : columns)
        appendHeader(headers_, column.label, column.meaning, true);
}

void TableData::addHeader(const std::string& label, const std::string& meaning, bool numeric) {
    appendHeader(headers_, label, meaning, numeric);
}

// Numbers are the rule, and text in the leading columns: only the cells
// that are not are marked, to keep large tables small.
void TableData::appendCell(const Cell& cell, std::size_t position) {
    rows_ += "<td";
    if (cell.numeric == (position < leadingText_)) appendAttribute(rows_, "class", cell.numeric ? "n" : "t");
    if (cell.numeric && cell.sort) appendAttribute(rows_, "data-v", *cell.sort);
    rows_ += '>';
    if (cell.bold) rows_ += "<b>";
    if (!cell.link.empty()) {
        rows_ += "<a";
        appendAttribute(rows_, "href", cell.link);
        rows_ += '>';
    }
    appendEscaped(rows_, cell.text);
    if (!cell.link.empty()) rows_ += "</a>";
    if (cell.bold) rows_ += "</b>";
}

void TableData::appendNumber(const Ratio& value, Shown shown, bool bold, std::size_t column) {
    // Rates are printed rounded: where that ties distinct values, the value
    // goes along for sorting, to as many decimals as the column needs.
    rows_ += "<td";
    if (shown != Shown::Count && shown != Shown::Innings && value.defined())
        sortValues_.push_back({rows_.size(), column, shown, value});
    rows_ += '>';
    if (bold) rows_ += "<b>";
    appendValue(rows_, value, shown);
    if (bold) rows_ += "</b>";
}

void TableData::addRow(const std::vector<Cell>& leading, const Counters& counters,
                       std::span<const StatColumn> columns, std::string_view rowClass,
                       const std::vector<std::string_view>& boldCategories) {
    rows_ += "<tr";
    if (!rowClass.empty()) appendAttribute(rows_, "class", rowClass);
    rows_ += '>';
    for (std::size_t i = 0; i < leading.size(); ++i)
        appendCell(leading[i], i);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const StatColumn& column = columns[i];
        const bool bold = !column.category.empty() && std::find(boldCategories.begin(), boldCategories.end(),
                                                                column.category) != boldCategories.end();
        appendNumber(column.value(counters), column.shown, bold, i);
    }
    rows_ += '\n';
    ++rowCount_;
}

namespace {

TableData madeTable(const StatTable& table, std::set<std::string_view>* explained = nullptr) {
    TableData made(table.id, table.leadingLabels, explained);
    made.addColumns(table.columns, explained);
    for (const TableRow& row : table.rows)
        made.addRow(row.leading, row.counters, table.columns, row.rowClass, row.boldCategories);
    if (!table.qualifiedToggle.empty()) made.setQualifiedToggle(table.qualifiedToggle);
    return made;
}

} // namespace

TableMarkup tableMarkup(const StatTable& table) { return madeTable(table).markup(table.heading); }

std::vector<TableMarkup> tablesMarkup(const std::vector<StatTable>& tables) {
    std::vector<TableMarkup> all;
    std::set<std::string_view> explained;
    for (const StatTable& table : tables)
        all.push_back(madeTable(table, &explained).markup(table.heading));
    return all;
}

TableMarkup tableMarkup(const TextTable& table) {
    TableData made(table.id, table.leadingLabels);
    for (const TextHeader& header : table.headers)
        made.addHeader(header.label, header.meaning, header.numeric);
    for (const std::vector<Cell>& row : table.rows)
        made.addRow(row, {}, {});
    return made.markup(table.heading);
}

SplitTable splitTableData(const StatTable& table, const std::string& laterRowsLink) {
    const TableData made = madeTable(table);
    if (!made.isLong()) return {made.markup(table.heading), {}};
    std::vector<std::string> blocks = made.rowBlocks();
    TableMarkup markup = made.markup(table.heading, std::move(blocks.front()));
    markup.laterRows = laterRowsLink;
    std::string script = "boxloomRows(";
    appendScriptString(script, table.id);
    script += ", [";
    for (std::size_t i = 1; i < blocks.size(); ++i) {
        script += i == 1 ? "\n" : ",\n";
        appendScriptString(script, blocks[i]);
    }
    script += "]);\n";
    return {std::move(markup), std::move(script)};
}

TableMarkup TableData::markup(const std::string& heading) const { return markup(heading, rowsHtml()); }

TableMarkup TableData::markup(const std::string& heading, std::string rows) const {
    return {heading, id_, headers_, std::move(rows), isLong(), leadingText_, qualifiedToggle_, {}};
}

} // namespace boxloom::site
