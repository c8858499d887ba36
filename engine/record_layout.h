#pragma once

#include <cstdint>
#include <string_view>

namespace boxloom {

// League files are little-endian: words are signed 16-bit, bytes unsigned 8-bit.
enum class FieldType : std::uint8_t { Word, Byte, Text };

struct FieldLayout {
    std::uint16_t offset;
    std::uint8_t width;
    FieldType type;
};

inline constexpr FieldLayout word(std::uint16_t offset) { return {offset, 2, FieldType::Word}; }
inline constexpr FieldLayout byte(std::uint16_t offset) { return {offset, 1, FieldType::Byte}; }
inline constexpr FieldLayout text(std::uint16_t offset, std::uint8_t width) {
    return {offset, width, FieldType::Text};
}

inline int readNumber(const std::uint8_t* record, FieldLayout field) {
    const std::uint8_t* p = record + field.offset;
    if (field.type == FieldType::Byte) return p[0];
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

// The bytes up to the first zero byte, or the whole field when it has none.
inline std::string_view readText(const std::uint8_t* record, FieldLayout field) {
    const char* p = reinterpret_cast<const char*>(record + field.offset);
    std::size_t length = 0;
    while (length < field.width && p[length] != '\0')
        ++length;
    return {p, length};
}

// Writers exist for the demo-season generator and the tests, which build
// records through the same layouts that the engine reads with.
inline void writeNumber(std::uint8_t* record, FieldLayout field, int value) {
    std::uint8_t* p = record + field.offset;
    p[0] = static_cast<std::uint8_t>(value & 0xFF);
    if (field.type == FieldType::Word) p[1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

inline void writeText(std::uint8_t* record, FieldLayout field, std::string_view value) {
    std::uint8_t* p = record + field.offset;
    for (std::size_t i = 0; i < field.width; ++i)
        p[i] = i < value.size() ? static_cast<std::uint8_t>(value[i]) : 0;
}

} // namespace boxloom
