#pragma once

// A row of an export file as typed fields, and where rows go: a CSV file's
// lines (csv_lines.h) or a database table.

#include "number_masks.h"
#include "rates.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace boxloom {

// One field of a row, typed: what it is, not how a file spells it. The CSV
// lines quote texts (a double quote in them doubled) and rates; a database
// binds the values.
struct Field {
    enum class Type : std::uint8_t {
        Text,        // a text from the league files
        Year,        // a team's year text, and its number (0 when there is none)
        EncodedText, // a text already made by encodeFieldText for the sink's encoding
        Number,      // a whole number
        Rate,        // a value that its mask prints
        Innings,     // outs, printed as innings and thirds by its mask
        Blank,       // nothing (a grouped row's player number)
        Grouped,     // "x": a counter that a grouped row does not have
    };
    Type type = Type::Number;
    std::string_view text;
    std::int32_t number = 0;
    float rate = 0;
    NumberMask mask{};

    static Field ofText(std::string_view value) { return {Type::Text, value, 0, 0, {}}; }
    static Field ofYear(std::string_view text, std::int32_t number) {
        return {Type::Year, text, number, 0, {}};
    }
    static Field ofEncodedText(std::string_view value) { return {Type::EncodedText, value, 0, 0, {}}; }
    static Field ofNumber(std::int32_t value) { return {Type::Number, {}, value, 0, {}}; }
    static Field ofRate(float value, NumberMask rateMask) { return {Type::Rate, {}, 0, value, rateMask}; }
    static Field ofInnings(std::int32_t outs, NumberMask inningsMask) {
        return {Type::Innings, {}, outs, 0, inningsMask};
    }
    static Field blank() { return {Type::Blank, {}, 0, 0, {}}; }
    static Field grouped() { return {Type::Grouped, "x", 0, 0, {}}; }
};

struct LineSink;

// The text of an IP field: the outs as innings and thirds, by its mask.
inline char* formatInningsInto(char* out, std::int32_t outs, const NumberMask& mask) {
    return formatWithMaskInto(out, inningsPitched(outs), mask);
}
inline MaskedText inningsText(std::int32_t outs, const NumberMask& mask) {
    MaskedText text;
    text.setSize(static_cast<std::size_t>(formatInningsInto(text.data(), outs, mask) - text.data()));
    return text;
}

// Where the rows of one export file go: its lines, or a database table.
struct RowSink {
    // A CSV file's lines, which the row writers encode straight into its buffer.
    LineSink* csv = nullptr;

    virtual ~RowSink() = default;
    virtual void writeRow(std::span<const Field> fields) = 0;
};

} // namespace boxloom
