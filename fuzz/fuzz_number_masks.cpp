// The number-mask formatter against the slow exact reference, for any float
// and any mask up to the limits; longer masks must be rejected, never overrun.

#include "mask_reference.h"
#include "number_masks.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string_view>

using namespace boxloom;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    float value = 0;
    std::memcpy(&value, data, sizeof value);
    const NumberMask mask{data[4] % (kMaxMaskDecimals + 1), data[5] % (kMaxMaskIntegerDigits + 1)};
    const MaskedText text = formatWithMask(value, mask);
    if (text.view() != testing::referenceMaskText(value, mask.minimumIntegerDigits, mask.decimals))
        std::abort();

    // The rest of the input as a mask picture.
    const std::string_view picture(reinterpret_cast<const char*>(data + 6), size - 6);
    try {
        const MaskedText pictured = formatWithMask(value, parseMask(picture));
        if (pictured.view().size() > MaskedText::kCapacity) std::abort();
    } catch (const std::invalid_argument&) {
        const std::size_t point = picture.find('.');
        const std::size_t before = std::min(point, picture.size());
        const std::size_t after = point == std::string_view::npos ? 0 : picture.size() - point - 1;
        if (before <= kMaxMaskIntegerDigits && after <= kMaxMaskDecimals) std::abort();
    }
    return 0;
}
