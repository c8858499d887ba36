#pragma once

// The one encoder of export lines: fields are formatted straight into a sink's
// buffer, which hands full buffers on.

#include "decimal_digits.h"
#include "row_sink.h"
#include "text_encoding.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace boxloom {

// A block of bytes that is never cleared: lines are written into it before they are read.
class ByteBuffer {
public:
    explicit ByteBuffer(std::size_t size) : bytes_(size > 0 ? new char[size] : nullptr), size_(size) {}
    char* data() { return bytes_.get(); }
    const char* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }
    // Keeps what the smaller of the two sizes holds.
    void resize(std::size_t size) {
        std::unique_ptr<char[]> bytes(size > 0 ? new char[size] : nullptr);
        if (size_ > 0 && size > 0) std::memcpy(bytes.get(), bytes_.get(), std::min(size_, size));
        bytes_ = std::move(bytes);
        size_ = size;
    }

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_;
};

// Where lines go: an export file's buffer, or a chunk's. Rows written to it
// become CSV lines.
struct LineSink : RowSink {
    static constexpr std::size_t kFileBuffer = 1 << 17;
    static constexpr std::size_t kFirstBuffer = 1 << 12;
    ByteBuffer buffer;
    std::size_t used = 0;
    std::uint64_t lines = 0;
    // Texts are decoded from windows-1252 and written as UTF-8.
    bool utf8 = false;

    // The buffer starts small and doubles up to `capacity` before it is first
    // flushed: a small file never takes a large block.
    explicit LineSink(std::size_t capacity = kFileBuffer)
        : buffer(std::min(capacity, kFirstBuffer)), capacity_(capacity) {
        csv = this;
    }
    LineSink(const LineSink&) = delete;
    LineSink& operator=(const LineSink&) = delete;
    virtual void flush() = 0;
    void writeRow(std::span<const Field> fields) final;

    // Room for `bytes` more bytes at the returned position.
    char* reserve(std::size_t bytes) {
        if (buffer.size() - used < bytes) {
            if (buffer.size() < capacity_)
                buffer.resize(std::min(capacity_, 2 * buffer.size()));
            else
                flush();
            if (bytes > buffer.size() - used) buffer.resize(used + bytes);
        }
        return buffer.data() + used;
    }
    void commit(const char* end) { used = static_cast<std::size_t>(end - buffer.data()); }
    // Ends the line at `out`, which has room for CR LF.
    void endLine(char* out) {
        out[0] = '\r';
        out[1] = '\n';
        commit(out + 2);
        ++lines;
    }

private:
    std::size_t capacity_;
};

// The bytes of a text field between its quotes: each double quote written twice
// (RFC 4180) and, for UTF-8, each windows-1252 byte decoded (up to three bytes
// each). `out` has room for 3 * text.size() bytes; returns the end.
inline char* encodeFieldText(char* out, std::string_view text, bool utf8) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"') {
            *out++ = '"';
            *out++ = '"';
        } else if (byte >= 0x80 && utf8) {
            const Utf8Bytes& encoded = kUtf8OfWindows1252[byte];
            std::memcpy(out, encoded.bytes.data(), encoded.size);
            out += encoded.size;
        } else {
            *out++ = c;
        }
    }
    return out;
}

inline std::string encodeFieldText(std::string_view text, bool utf8) {
    std::string encoded(text.size() * 3, '\0');
    encoded.resize(static_cast<std::size_t>(encodeFieldText(encoded.data(), text, utf8) - encoded.data()));
    return encoded;
}

// The bytes of each kind of field, written at `out`; each returns the field's
// end. Every export line is encoded by these.
namespace field_text {

// A sign and ten digits; numbers of up to five digits write eight bytes.
inline constexpr std::size_t kMaxNumberChars = 11;
// With its quotes.
inline constexpr std::size_t kMaxRateChars = MaskedText::kCapacity + 2;
constexpr std::size_t maxTextChars(std::size_t size) { return 3 * size + 2; }

// A text already made by encodeFieldText for the sink's encoding.
[[gnu::always_inline]] inline char* encodedText(char* out, std::string_view value) {
    *out++ = '"';
    std::memcpy(out, value.data(), value.size());
    out += value.size();
    *out++ = '"';
    return out;
}

inline bool needsEscapingOrDecoding(std::string_view value, bool utf8) {
    if (!utf8) return std::memchr(value.data(), '"', value.size()) != nullptr;
    for (char c : value)
        if (c == '"' || static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

// A double quote is written twice (RFC 4180); in UTF-8, a byte takes up to three.
// Rare: kept out of line so that the common fields stay inlined.
[[gnu::noinline]] inline char* carefulText(char* out, std::string_view value, bool utf8) {
    *out++ = '"';
    out = encodeFieldText(out, value, utf8);
    *out++ = '"';
    return out;
}

inline char* text(char* out, std::string_view value, bool utf8) {
    if (needsEscapingOrDecoding(value, utf8)) return carefulText(out, value, utf8);
    return encodedText(out, value);
}

// Counters are 16-bit words: never past five digits.
[[gnu::always_inline]] inline char* number(char* out, std::int32_t value) {
    const auto small = static_cast<std::uint32_t>(value);
    if (small < 100000) [[likely]]
        return putUpToFiveDigits(out, small);
    if (value < 0 && value > -100000) {
        *out++ = '-';
        return putUpToFiveDigits(out, static_cast<std::uint32_t>(-value));
    }
    return std::to_chars(out, out + kMaxNumberChars, value).ptr;
}

[[gnu::always_inline]] inline char* rate(char* out, float value, const NumberMask& mask) {
    *out++ = '"';
    out = formatWithMaskInto(out, value, mask);
    *out++ = '"';
    return out;
}

[[gnu::always_inline]] inline char* innings(char* out, std::int32_t outs, const NumberMask& mask) {
    *out++ = '"';
    out = formatInningsInto(out, outs, mask);
    *out++ = '"';
    return out;
}

} // namespace field_text

// The field calls of a line, over its way of making room: `Line::start(bytes)`
// gives where a field of up to `bytes` bytes goes, after its separator, and
// `Line::finish(end)` takes the field's end. Each call writes through a local
// cursor: stores through char* could alias the line.
template <class Line> class LineFields {
public:
    void text(std::string_view value) {
        finish(field_text::text(start(field_text::maxTextChars(value.size())), value, line().utf8()));
    }
    [[gnu::always_inline]] void encodedText(std::string_view value) {
        finish(field_text::encodedText(start(value.size() + 2), value));
    }
    // A field with nothing in it.
    void empty() { finish(start(0)); }
    [[gnu::always_inline]] void number(std::int32_t value) {
        finish(field_text::number(start(field_text::kMaxNumberChars), value));
    }
    [[gnu::always_inline]] void rate(float value, const NumberMask& mask) {
        finish(field_text::rate(start(field_text::kMaxRateChars), value, mask));
    }
    [[gnu::always_inline]] void innings(std::int32_t outs, const NumberMask& mask) {
        finish(field_text::innings(start(field_text::kMaxRateChars), outs, mask));
    }
    void field(const Field& field) {
        switch (field.type) {
        case Field::Type::Text:
        case Field::Type::Year:
        case Field::Type::Grouped: text(field.text); break;
        case Field::Type::EncodedText: encodedText(field.text); break;
        case Field::Type::Number: number(field.number); break;
        case Field::Type::Rate: rate(field.rate, field.mask); break;
        case Field::Type::Innings: innings(field.number, field.mask); break;
        case Field::Type::Blank: empty(); break;
        }
    }

private:
    Line& line() { return static_cast<Line&>(*this); }
    [[gnu::always_inline]] char* start(std::size_t bytes) { return line().start(bytes); }
    [[gnu::always_inline]] void finish(char* end) { line().finish(end); }
};

// Appends one line field by field, making room for each; the line ends (CR LF)
// when the writer goes out of scope. For lines of any length: header lines,
// rows of typed fields.
class LineWriter : public LineFields<LineWriter> {
public:
    explicit LineWriter(LineSink& sink) : sink_(sink) { takeRoom(0); }
    ~LineWriter() {
        ensure(2);
        sink_.endLine(out_);
    }
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

private:
    friend class LineFields<LineWriter>;
    bool utf8() const { return sink_.utf8; }
    // The line is written at a cursor into the sink's buffer, handed back when
    // the buffer must be flushed and when the line ends.
    void takeRoom(std::size_t bytes) {
        out_ = sink_.reserve(bytes);
        end_ = sink_.buffer.data() + sink_.buffer.size();
    }
    void ensure(std::size_t bytes) {
        if (static_cast<std::size_t>(end_ - out_) >= bytes) return;
        sink_.commit(out_);
        takeRoom(bytes);
    }
    // Room for the separator and the field; returns where the field goes.
    char* start(std::size_t fieldBytes) {
        ensure(fieldBytes + 1);
        char* out = out_;
        if (!first_) *out++ = ',';
        first_ = false;
        return out;
    }
    void finish(char* end) { out_ = end; }

    LineSink& sink_;
    char* out_ = nullptr;
    char* end_ = nullptr;
    bool first_ = true;
};

// Writes one data row whose longest text is known before it starts: room for
// it is made once, and the fields go at a cursor that stays in a register.
class ReservedLine : public LineFields<ReservedLine> {
public:
    // `maxBytes`: the most that the row's fields and separators can take.
    ReservedLine(LineSink& sink, std::size_t maxBytes)
        : sink_(sink), out_(sink.reserve(maxBytes + 2)), limit_(out_ + maxBytes) {}
    ~ReservedLine() {
        char* out = out_;
        // A row longer than its bound has overwritten memory: stop before it spreads.
        if (out > limit_) [[unlikely]]
            std::abort();
        sink_.endLine(out);
    }
    ReservedLine(const ReservedLine&) = delete;
    ReservedLine& operator=(const ReservedLine&) = delete;

private:
    friend class LineFields<ReservedLine>;
    bool utf8() const { return sink_.utf8; }
    [[gnu::always_inline]] char* start(std::size_t) {
        char* out = out_;
        if (!first_) *out++ = ',';
        first_ = false;
        return out;
    }
    [[gnu::always_inline]] void finish(char* end) { out_ = end; }

    LineSink& sink_;
    char* out_;
    const char* limit_;
    bool first_ = true;
};

inline void LineSink::writeRow(std::span<const Field> fields) {
    LineWriter line(*this);
    for (const Field& field : fields)
        line.field(field);
}

} // namespace boxloom
