#pragma once

// The columns of the site's tables, written once: the season tables, the team
// and player pages and the glossary all use them.

#include "exact_ratios.h"
#include "league_data.h"
#include "rules.h"

#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace boxloom::site {

struct StatColumn {
    std::string_view label;
    std::string_view meaning;
    Ratio (*value)(const Counters&);
    Shown shown;
    std::string_view category = {}; // the leader category it shows, for bold leading figures
};

std::span<const StatColumn> battingColumns();
std::span<const StatColumn> pitchingColumns();
std::span<const StatColumn> fieldingColumns();
std::span<const StatColumn> splitColumns();
inline constexpr std::size_t kColumnKinds = 4;
// The four above, each table's columns being one of them.
std::span<const std::span<const StatColumn>, kColumnKinds> allColumnKinds();
// What a leading column says ("" when it needs no saying).
std::string_view meaningOfLeading(const std::string& label);

struct Cell {
    Cell(std::string shown, std::string target = {}) : text(std::move(shown)), link(std::move(target)) {}
    std::string text;
    std::string link;
    bool numeric = false;
    // The exact value for the sorting script, where the text is rounded; a
    // numeric cell without one sorts by its text.
    std::optional<std::string> sort;
    bool bold = false;
};

// Text as HTML: & < > " and ' escaped.
void appendEscaped(std::string& out, std::string_view text);

// A table of a page as plain data: its rows, each its leading cells and the
// counters its stat columns show.
struct TableRow {
    std::vector<Cell> leading;
    Counters counters;
    std::string rowClass;                         // "total", ...
    std::vector<std::string_view> boldCategories; // the leader categories it leads
};
struct StatTable {
    std::string id;
    std::string heading;
    std::vector<std::string> leadingLabels;
    std::span<const StatColumn> columns;
    std::vector<TableRow> rows;
    std::string qualifiedToggle = {}; // the minimum, for the "Qualified only" box; "" for none
};

// A table as the table template shows it: its header and row cells already
// HTML.
struct TableMarkup {
    std::string heading;
    std::string id;
    std::string headers;
    std::string rows;
    bool isLong = false;
    std::size_t leadingText = 0; // the first columns, text unless a cell says otherwise
    std::string qualifiedToggle;
    std::string laterRows; // the script of the rows left out of the page, or ""
};

// A sortable table of the pages, made into its markup.
class TableData {
public:
    // The leading columns hold text; `explained` as for addColumns().
    TableData(std::string id, const std::vector<std::string>& leadingLabels,
              std::set<std::string_view>* explained = nullptr);
    // Each header says what its column is, unless `explained` holds it
    // already: a page of several tables says it once.
    void addColumns(std::span<const StatColumn> columns, std::set<std::string_view>* explained = nullptr);
    void addHeader(const std::string& label, const std::string& meaning, bool numeric);
    // A row: the leading cells, then one cell per stat column.
    void addRow(const std::vector<Cell>& leading, const Counters& counters,
                std::span<const StatColumn> columns, std::string_view rowClass = {},
                const std::vector<std::string_view>& boldCategories = {});
    void setQualifiedToggle(std::string text) { qualifiedToggle_ = std::move(text); }
    bool empty() const { return rows_.empty(); }
    TableMarkup markup(const std::string& heading) const;
    // The same with only these of its rows in the page.
    TableMarkup markup(const std::string& heading, std::string rows) const;
    // The rows' HTML, with the sort values the rate columns need, in blocks
    // of kBlockRows rows.
    std::vector<std::string> rowBlocks() const;
    // The blocks, each its own row group.
    std::string rowsHtml() const;
    bool isLong() const { return rowCount_ > kBlockRows; }

    // A browser lays out a long table a block at a time, and only the blocks
    // in view: a season of a thousand rows opens quickly on a phone, and
    // making one block's rows there is a short task.
    static constexpr std::size_t kBlockRows = 50;

private:
    // A rate cell's value, whose sort attribute goes in at `offset` of the rows
    // once the whole column is known.
    struct SortValue {
        std::size_t offset;
        std::size_t column;
        Shown shown;
        Ratio value;
    };

    std::string id_;
    std::string rowsWithSortValues() const;
    void appendCell(const Cell& cell, std::size_t position);
    void appendNumber(const Ratio& value, Shown shown, bool bold, std::size_t column);

    // The cells are made here, not by the template: a season has tens of
    // thousands of rows, too many for the template engine's data.
    std::string headers_;
    std::size_t leadingText_ = 0; // the first columns, text unless a cell says otherwise
    std::string rows_;
    std::size_t rowCount_ = 0;
    std::vector<SortValue> sortValues_;
    std::string qualifiedToggle_;
};

// A table of texts rather than counters (standings, a franchise's seasons).
struct TextHeader {
    std::string label;
    std::string meaning;
    bool numeric = false;
};
struct TextTable {
    std::string id;
    std::string heading;
    std::vector<std::string> leadingLabels; // explained as the stat tables' are
    std::vector<TextHeader> headers;
    std::vector<std::vector<Cell>> rows; // the leading cells, then one per header
};

TableMarkup tableMarkup(const StatTable& table);
// A page's tables, whose headers say what a column is the first time it shows.
std::vector<TableMarkup> tablesMarkup(const std::vector<StatTable>& tables);
TableMarkup tableMarkup(const TextTable& table);

// A long table with only its first block of rows in the page: the rest come
// from a script at `laterRowsLink` that the page loads once the reader starts
// using it, so that a phone opens the page without reading a thousand rows.
// A table of one block is whole in the page, without a script.
struct SplitTable {
    TableMarkup table;
    std::string laterRowsScript; // "" when the page holds every row
};
SplitTable splitTableData(const StatTable& table, const std::string& laterRowsLink);

} // namespace boxloom::site
