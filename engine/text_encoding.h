#pragma once

// The one place where league texts change code page: windows-1252 bytes are
// decoded as the WHATWG Encoding Standard does and written as UTF-8.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace boxloom {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The code point of a windows-1252 byte; the five unassigned bytes (0x81,
// 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same number.
char32_t windows1252CodePoint(std::uint8_t byte);

struct Utf8Bytes {
    std::uint8_t size;
    std::array<char, 3> bytes;
};

// Each windows-1252 byte as UTF-8: one to three bytes.
extern const std::array<Utf8Bytes, 256> kUtf8OfWindows1252;

// A whole windows-1252 text as UTF-8.
std::string windows1252ToUtf8(std::string_view text);

} // namespace boxloom
