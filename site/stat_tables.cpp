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

void appendHeader(std::string& out, std::string_view label, std::string_view meaning, bool numeric) {
    out += numeric ? "<th class=\"num\"" : "<th";
    if (!meaning.empty()) {
        out += " title=\"";
        appendEscaped(out, meaning);
        out += '"';
    }
    out += '>';
    appendEscaped(out, label);
    out += "</th>";
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

// Rows in blocks of kBlockRows rows. A row ends at its "</tr>\n": a name
// may hold a line break of its own.
std::vector<std::string> inBlocks(const std::string& rows) {
    constexpr std::string_view kRowEnd = "</tr>\n";
    std::vector<std::string> blocks;
    std::size_t count = 0;
    for (std::size_t start = 0; start < rows.size();) {
        const std::size_t end = rows.find(kRowEnd, start) + kRowEnd.size();
        if (count % TableData::kBlockRows == 0) blocks.emplace_back();
        blocks.back().append(rows, start, end - start);
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
        rows += " data-v=\"";
        appendSortValue(rows, cell.value, needed);
        rows += '"';
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

TableData::TableData(std::string id, std::vector<std::string> leadingLabels) : id_(std::move(id)) {
    for (const std::string& label : leadingLabels)
        addHeader(label, std::string(meaningOfLeading(label)), false);
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

// Numbers are the rule: only text cells are marked, to keep large tables small.
void TableData::appendCell(const Cell& cell) {
    if (!cell.numeric) {
        rows_ += "<td class=\"t\">";
    } else if (cell.sort) {
        rows_ += "<td data-v=\"";
        rows_ += *cell.sort;
        rows_ += "\">";
    } else {
        rows_ += "<td>";
    }
    if (cell.bold) rows_ += "<b>";
    if (!cell.link.empty()) {
        rows_ += "<a href=\"";
        appendEscaped(rows_, cell.link);
        rows_ += "\">";
    }
    appendEscaped(rows_, cell.text);
    if (!cell.link.empty()) rows_ += "</a>";
    if (cell.bold) rows_ += "</b>";
    rows_ += "</td>";
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
    rows_ += "</td>";
}

void TableData::addRow(const std::vector<Cell>& leading, const Counters& counters,
                       std::span<const StatColumn> columns, std::string_view rowClass,
                       const std::vector<std::string_view>& boldCategories) {
    if (rowClass.empty()) {
        rows_ += "<tr>";
    } else {
        rows_ += "<tr class=\"";
        appendEscaped(rows_, rowClass);
        rows_ += "\">";
    }
    for (const Cell& cell : leading)
        appendCell(cell);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const StatColumn& column = columns[i];
        const bool bold = !column.category.empty() && std::find(boldCategories.begin(), boldCategories.end(),
                                                                column.category) != boldCategories.end();
        appendNumber(column.value(counters), column.shown, bold, i);
    }
    rows_ += "</tr>\n";
    ++rowCount_;
}

namespace {

TableData madeTable(const StatTable& table, std::set<std::string_view>* explained = nullptr) {
    TableData made(table.id, table.leadingLabels);
    made.addColumns(table.columns, explained);
    for (const TableRow& row : table.rows)
        made.addRow(row.leading, row.counters, table.columns, row.rowClass, row.boldCategories);
    if (!table.qualifiedToggle.empty()) made.setQualifiedToggle(table.qualifiedToggle);
    return made;
}

} // namespace

PageData tableData(const StatTable& table) { return madeTable(table).data(table.heading); }

PageData tablesData(const std::vector<StatTable>& tables) {
    PageData list{PageData::type::list};
    std::set<std::string_view> explained;
    for (const StatTable& table : tables)
        list.push_back(madeTable(table, &explained).data(table.heading));
    return list;
}

PageData tableData(const TextTable& table) {
    TableData made(table.id, table.leadingLabels);
    for (const TextHeader& header : table.headers)
        made.addHeader(header.label, header.meaning, header.numeric);
    for (const std::vector<Cell>& row : table.rows)
        made.addRow(row, {}, {});
    return made.data(table.heading);
}

SplitTable splitTableData(const StatTable& table, const std::string& laterRowsLink) {
    const TableData made = madeTable(table);
    if (!made.isLong()) return {made.data(table.heading), {}};
    std::vector<std::string> blocks = made.rowBlocks();
    PageData data = made.data(table.heading, blocks.front());
    put(data, "laterRows", laterRowsLink);
    std::string script = "boxloomRows(";
    appendScriptString(script, table.id);
    script += ", [";
    for (std::size_t i = 1; i < blocks.size(); ++i) {
        script += i == 1 ? "\n" : ",\n";
        appendScriptString(script, blocks[i]);
    }
    script += "]);\n";
    return {std::move(data), std::move(script)};
}

PageData TableData::data(const std::string& heading) const { return data(heading, rowsHtml()); }

PageData TableData::data(const std::string& heading, const std::string& rows) const {
    PageData table;
    put(table, "heading", heading);
    put(table, "id", id_);
    put(table, "headers", headers_);
    put(table, "rows", rows);
    if (isLong()) put(table, "long", PageData(true));
    if (!qualifiedToggle_.empty()) put(table, "qualifiedToggle", qualifiedToggle_);
    return table;
}

} // namespace boxloom::site
