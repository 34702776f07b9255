#include "numbers.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace veskor {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n')) ++i;

    // Copy what makes up the number into a form strtod reads the same way on
    // every platform: sign, digits, ".", digits, "e", sign, digits.
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
    bool anyDigit = false;
    while (i < text.size() && IsDigit(text[i])) number += text[i++], anyDigit = true;
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && IsDigit(text[i])) number += text[i++], anyDigit = true;
    }
    if (!anyDigit) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) exponent += text[j++];
            number += exponent;
        }
    }
    const double value = std::strtod(number.c_str(), nullptr);
    return std::isnan(value) ? 0 : value;
}

}  // namespace veskor
