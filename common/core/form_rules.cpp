#include "form_rules.h"

#include <algorithm>
#include <cctype>
#include <climits>

#include "text.h"

namespace veskor {

int LeadingInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    // The magnitude stops at INT_MAX + 1, so only the positive side needs a bound.
    if (negative) return static_cast<int>(-value);
    return static_cast<int>(std::min<long long>(value, INT_MAX));
}

FontDescription ParseFontDescription(const std::string& text) {
    FontDescription d;
    int* const numbers[] = {&d.height,    &d.width,         &d.escapement, &d.orientation,  &d.weight,
                            &d.italic,    &d.underline,     &d.strikeOut,  &d.charSet,      &d.outPrecision,
                            &d.clipPrecision, &d.quality, &d.pitchAndFamily};
    std::size_t start = 0;
    for (int field = 0; start <= text.size(); ++field) {
        std::size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        const std::string part = text.substr(start, end - start);
        if (field == 0) {
            d.face = part.substr(0, kMaxFaceLength);
        } else if (field <= 13) {
            *numbers[field - 1] = LeadingInteger(part);
        } else {
            break;
        }
        start = end + 1;
    }
    return d;
}

int ScaleToDpi(int pixels, int dpi) {
    if (dpi <= 0) return pixels;
    const long long product = static_cast<long long>(pixels) * dpi;
    const long long half = kLayoutDpi / 2;
    const long long scaled = product >= 0 ? (product + half) / kLayoutDpi : -((-product + half) / kLayoutDpi);
    return static_cast<int>(std::clamp<long long>(scaled, INT_MIN, INT_MAX));
}

int FontCreationHeight(int height, int logPixelsY) {
    if (height <= 0) return ScaleToDpi(height, logPixelsY);
    // Points give a negative pixel height, at most INT_MAX pixels; a DPI below zero gives none.
    const long long pixels = static_cast<long long>(height) * logPixelsY / 72;
    return -static_cast<int>(std::clamp<long long>(pixels, 0, INT_MAX));
}

Size FormOuterSize(Size outerAt96, Size clientAt96, const FrameInsets& frame, int dpi) {
    if (dpi == kLayoutDpi) return outerAt96;
    return {ScaleToDpi(clientAt96.width, dpi) + frame.left + frame.right,
            ScaleToDpi(clientAt96.height, dpi) + frame.top + frame.bottom};
}

int CentredOrigin(int screenSize, int windowSize) { return (screenSize - windowSize) / 2; }

std::string FormClassName(const std::string& program, const std::string& form) {
    return UpperCase("FORM_" + program + "_" + form + "_CLASS");
}

TextPaint TextPaintFor(ControlKind kind, bool enabled) {
    if (kind != ControlKind::Edit) return {false, false};
    return {true, !enabled};
}

}  // namespace veskor
