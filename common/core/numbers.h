// The leading number of a text, as every settings reader of the system takes it.
#pragma once

#include <string_view>

namespace veskor {

// The decimal number a text begins with, after blanks, tabs and line feeds:
// sign, digits, fraction, exponent (E or D, either case). 0 without one. Can be
// infinite for numbers beyond the double range, never NaN.
double LeadingNumber(std::string_view text);

}  // namespace veskor
