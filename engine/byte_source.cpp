#include "byte_source.h"

#include <algorithm>
#include <cstring>

namespace boxloom {

std::ptrdiff_t MemoryByteSource::read(void* buffer, std::size_t size, std::string&) {
    const std::size_t count = std::min(size, bytes_.size() - position_);
    if (count > 0) std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return static_cast<std::ptrdiff_t>(count);
}

} // namespace boxloom
