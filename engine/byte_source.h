#pragma once

// Where league records are read from: a file, or bytes already in memory.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace boxloom {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Bytes read (0 at the end), or -1 with the reason in `reason`.
    virtual std::ptrdiff_t read(void* buffer, std::size_t size, std::string& reason) = 0;
};

// Reads a buffer that outlives it.
class MemoryByteSource final : public ByteSource {
public:
    explicit MemoryByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::ptrdiff_t read(void* buffer, std::size_t size, std::string& reason) override;

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

} // namespace boxloom
