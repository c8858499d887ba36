#include "mask_reference.h"
#include "number_masks.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace boxloom {
namespace {

// A mask also as its picture, as the export's column tables write them.
MaskedText masked(float value, const NumberMask& mask) { return formatWithMask(value, mask); }
MaskedText masked(float value, std::string_view mask) { return formatWithMask(value, parseMask(mask)); }

struct MaskCase {
    float value;
    const char* mask;
    const char* text;
};

// Names the case in test output.
void PrintTo(const MaskCase& c, std::ostream* os) { *os << c.value << " " << c.mask; }

class MaskTable : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskTable, FormatsExactly) {
    const MaskCase& c = GetParam();
    EXPECT_EQ(masked(c.value, c.mask).view(), c.text) << c.value << " with " << c.mask;
}

INSTANTIATE_TEST_SUITE_P(
    CommonRates, MaskTable,
    ::testing::Values(MaskCase{0.0f, "##.000", "0.000"}, MaskCase{0.5f, "##.000", "0.500"},
                      MaskCase{0.25f, "#.000", "0.250"}, MaskCase{1.0f, "##.000", "1.000"},
                      MaskCase{12.5f, "##.000", "12.500"}, MaskCase{2.0f / 3.0f, "##.000", "0.667"},
                      MaskCase{0.9995f, "##.000", "0.999"}, MaskCase{9.9996f, "#.000", "10.000"},
                      MaskCase{2.7f, "0.00", "2.70"}, MaskCase{270.0f, "0.00", "270.00"},
                      MaskCase{99.9999f, "0.00", "100.00"}, MaskCase{4567.0f, "0.00", "4567.00"},
                      MaskCase{0.0f, "0.0", "0.0"}, MaskCase{3.1f, "0.0", "3.1"},
                      MaskCase{233.1f, "0.0", "233.1"}, MaskCase{-0.5f, "##.000", "-0.500"},
                      MaskCase{-3.375f, "0.00", "-3.38"}, MaskCase{-0.0001f, "0.000", "-0.000"}));

// Exact binary values that sit on a rounding tie go to the even digit.
INSTANTIATE_TEST_SUITE_P(ExactTies, MaskTable,
                         ::testing::Values(MaskCase{0.0625f, "##.000", "0.062"},
                                           MaskCase{0.1875f, "##.000", "0.188"},
                                           MaskCase{3.375f, "0.00", "3.38"}, MaskCase{3.125f, "0.00", "3.12"},
                                           MaskCase{1.125f, "0.00", "1.12"},
                                           MaskCase{16.875f, "0.00", "16.88"}, MaskCase{0.25f, "0.0", "0.2"},
                                           MaskCase{0.75f, "0.0", "0.8"}));

INSTANTIATE_TEST_SUITE_P(Carries, MaskTable,
                         ::testing::Values(MaskCase{9.9996f, "##.000", "10.000"},
                                           MaskCase{99.9999f, "0.00", "100.00"},
                                           MaskCase{0.9999f, "0.0", "1.0"},
                                           MaskCase{-9.9996f, "#.000", "-10.000"}));

// Either side of 2^52 thousandths, where the exact double arithmetic gives way
// to the decimal expansion: the same digits.
INSTANTIATE_TEST_SUITE_P(FastPathEdge, MaskTable,
                         ::testing::Values(MaskCase{4503598792704.0f, "#.000", "4503598792704.000"},
                                           MaskCase{4503599841280.0f, "#.000", "4503599841280.000"},
                                           MaskCase{-4503599841280.0f, "0.00", "-4503599841280.00"},
                                           MaskCase{4600000151552.0f, "##.000", "4600000151552.000"}));

// Leading "0" placeholders pad; "#" placeholders never do; nothing is cut.
INSTANTIATE_TEST_SUITE_P(Placeholders, MaskTable,
                         ::testing::Values(MaskCase{5.0f, "00.0", "05.0"}, MaskCase{0.0f, "00.0", "00.0"},
                                           MaskCase{5.0f, "##.0", "5.0"}, MaskCase{123.0f, "0.0", "123.0"},
                                           MaskCase{-5.0f, "00.0", "-05.0"},
                                           MaskCase{-0.0f, "0.00", "0.00"}));

// Beyond 18 significant digits the expansion is rounded before the decimals.
INSTANTIATE_TEST_SUITE_P(EighteenDigits, MaskTable,
                         ::testing::Values(MaskCase{1e20f, "0.00", "100000002004087734000.00"},
                                           MaskCase{3.4028234663852886e38f, "#.000",
                                                    "340282346638528860000000000000000000000.000"},
                                           MaskCase{1e-30f, "0.000", "0.000"},
                                           MaskCase{1.0e-45f, "0.00", "0.00"}));

TEST(MaskText, NonFiniteValuesStillGiveText) {
    EXPECT_EQ(masked(INFINITY, "0.00").view(), "Infinity");
    EXPECT_EQ(masked(-INFINITY, "0.00").view(), "-Infinity");
    EXPECT_EQ(masked(NAN, "0.00").view(), "NaN");
}

// An independent exact method: long division of the float's binary fraction,
// then rounding of the digit string with ties to even.
std::string longDivisionText(float value, int decimals) {
    int exponent = 0;
    const double fraction = std::frexp(static_cast<double>(value), &exponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 24));
    const int shift = 24 - exponent; // value = mantissa / 2^shift, here 0 < shift < 60
    std::uint64_t integerPart = mantissa >> shift;
    std::uint64_t remainder = mantissa & ((std::uint64_t{1} << shift) - 1);
    std::string digits;
    while (remainder != 0) {
        remainder *= 10;
        digits += static_cast<char>('0' + (remainder >> shift));
        remainder &= (std::uint64_t{1} << shift) - 1;
    }
    digits.resize(std::max<std::size_t>(digits.size(), static_cast<std::size_t>(decimals) + 1), '0');
    std::uint64_t kept = integerPart;
    for (int i = 0; i < decimals; ++i)
        kept = kept * 10 + static_cast<std::uint64_t>(digits[i] - '0');
    const char firstDropped = digits[static_cast<std::size_t>(decimals)];
    const bool laterNonZero =
        digits.find_first_not_of('0', static_cast<std::size_t>(decimals) + 1) != std::string::npos;
    if (firstDropped > '5' || (firstDropped == '5' && (laterNonZero || kept % 2 == 1))) ++kept;
    std::uint64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    std::string fractionText = std::to_string(kept % scale);
    fractionText.insert(0, static_cast<std::size_t>(decimals) - fractionText.size(), '0');
    return std::to_string(kept / scale) + "." + fractionText;
}

const char* maskFor(int decimals) { return decimals == 3 ? "##.000" : decimals == 2 ? "0.00" : "0.0"; }

TEST(MaskCrossCheck, EveryRatioUpToAThousandMatchesLongDivision) {
    int mismatches = 0;
    for (int n = 1; n <= 1000; ++n) {
        for (int k = 1; k <= n; ++k) {
            const float ratio = static_cast<float>(static_cast<double>(k) / n);
            for (int decimals = 1; decimals <= 3; ++decimals) {
                const std::string expected = longDivisionText(ratio, decimals);
                if (masked(ratio, maskFor(decimals)).view() != expected && ++mismatches < 10)
                    ADD_FAILURE() << k << "/" << n << " with " << decimals << " decimals: expected "
                                  << expected;
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(MaskCrossCheck, RandomFloatsMatchLongDivision) {
    std::mt19937 random(20120225);
    // Exponents that keep the long division within 64 bits: values from about 1e-10 to 1e6.
    std::uniform_int_distribution<std::uint32_t> biased(127 - 34, 127 + 19);
    std::uniform_int_distribution<std::uint32_t> fraction(0, 0x7FFFFF);
    int mismatches = 0;
    for (int i = 0; i < 300000; ++i) {
        const std::uint32_t bits = (biased(random) << 23) | fraction(random);
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        for (int decimals = 1; decimals <= 3; ++decimals) {
            const std::string expected = longDivisionText(value, decimals);
            if (masked(value, maskFor(decimals)).view() != expected && ++mismatches < 10)
                ADD_FAILURE() << value << " with " << decimals << " decimals: expected " << expected;
            if (masked(-value, maskFor(decimals)).view() != "-" + expected && ++mismatches < 10)
                ADD_FAILURE() << -value << " with " << decimals << " decimals: expected -" << expected;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

float floatFromBits(std::uint32_t bits) {
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Every exponent, subnormals and the largest floats included, with masks up to the limits.
TEST(MaskCrossCheck, AnyFloatAndAnyMaskMatchTheReference) {
    std::mt19937 random(19860707);
    std::uniform_int_distribution<std::uint32_t> bits(0, 0xFF7FFFFF);
    std::uniform_int_distribution<int> places(0, kMaxMaskDecimals);
    int mismatches = 0;
    for (int i = 0; i < 20000; ++i) {
        const float value = floatFromBits(bits(random));
        const NumberMask mask{places(random),
                              std::uniform_int_distribution<int>(1, kMaxMaskIntegerDigits)(random)};
        const std::string expected =
            testing::referenceMaskText(value, mask.minimumIntegerDigits, mask.decimals);
        if (masked(value, mask).view() != expected && ++mismatches < 10)
            ADD_FAILURE() << value << " with " << mask.minimumIntegerDigits << "/" << mask.decimals
                          << ": expected " << expected;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(MaskLimits, TheLongestMasksFormatExactly) {
    const std::string longest = std::string(40, '0') + "." + std::string(40, '0');
    for (float value : {3.4028234663852886e38f, -3.4028234663852886e38f, 1.0f / 3.0f, 1e-45f, 0.0f}) {
        const MaskedText text = masked(value, longest);
        EXPECT_EQ(text.view(), testing::referenceMaskText(value, 40, 40)) << value;
        EXPECT_LE(text.view().size(), MaskedText::kCapacity);
    }
    EXPECT_EQ(masked(0.5f, std::string(40, '#') + ".0").view(), "0.5");
}

TEST(MaskLimits, LongerMasksAreRejected) {
    const std::string tooManyPlaces[] = {std::string(41, '#') + ".0", "0." + std::string(41, '0'),
                                         std::string(96, '#'), std::string(200, '0') + ".000"};
    for (const std::string& mask : tooManyPlaces)
        EXPECT_THROW(masked(1.5f, mask), std::invalid_argument) << mask.size();
    EXPECT_THROW(masked(1.5f, NumberMask{41, 1}), std::invalid_argument);
    EXPECT_THROW(masked(1.5f, NumberMask{3, 96}), std::invalid_argument);
    EXPECT_THROW(masked(1.5f, NumberMask{-1, 1}), std::invalid_argument);
}

} // namespace
} // namespace boxloom
