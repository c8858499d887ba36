#pragma once

#include <string>

namespace boxloom::testing {

// The text a number mask must give, by a slow independent method: the float's
// exact value as a binary fraction, decimal digits by long division, then the
// rounding rules (18 significant digits, then the decimals, ties to even) on
// the digit string.
std::string referenceMaskText(float value, int minimumIntegerDigits, int decimals);

} // namespace boxloom::testing
