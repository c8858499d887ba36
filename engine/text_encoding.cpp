#include "text_encoding.h"

namespace boxloom {

namespace {

// 0x80..0x9F differ from Latin-1; the rest of the page is Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t codePoint(std::uint8_t byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char32_t{byte};
}

constexpr Utf8Bytes encode(char32_t point) {
    if (point < 0x80) return {1, {static_cast<char>(point), 0, 0}};
    if (point < 0x800)
        return {2, {static_cast<char>(0xC0 | (point >> 6)), static_cast<char>(0x80 | (point & 0x3F)), 0}};
    return {3,
            {static_cast<char>(0xE0 | (point >> 12)), static_cast<char>(0x80 | ((point >> 6) & 0x3F)),
             static_cast<char>(0x80 | (point & 0x3F))}};
}

constexpr std::array<Utf8Bytes, 256> buildTable() {
    std::array<Utf8Bytes, 256> table{};
    for (int byte = 0; byte < 256; ++byte)
        table[static_cast<std::size_t>(byte)] = encode(codePoint(static_cast<std::uint8_t>(byte)));
    return table;
}

} // namespace

const std::array<Utf8Bytes, 256> kUtf8OfWindows1252 = buildTable();

char32_t windows1252CodePoint(std::uint8_t byte) { return codePoint(byte); }

std::string windows1252ToUtf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (char c : text) {
        const Utf8Bytes& encoded = kUtf8OfWindows1252[static_cast<std::uint8_t>(c)];
        utf8.append(encoded.bytes.data(), encoded.size);
    }
    return utf8;
}

} // namespace boxloom
