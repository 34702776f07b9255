// Portable rules of the form layer: font description texts, the points-to-pixels
// rule, centring, window class names and colour descriptions; the platform side
// turns them into fonts, brushes and windows.
#pragma once

#include <cstdint>
#include <string>

namespace veskor {

// A font description text: a face name followed by the thirteen numeric
// arguments of a font creation call, all comma-separated, for example
// "MS Sans Serif,-11,0,0,0,400,0,0,0,0,1,2,1,34".
struct FontDescription {
    std::string face;
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 0;
    int italic = 0;
    int underline = 0;
    int strikeOut = 0;
    int charSet = 0;
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
};

// Longest face name a font record holds (without its terminating zero).
inline constexpr std::size_t kMaxFaceLength = 31;

// Splits a description text. A missing or non-numeric field reads as 0 (the
// leading decimal number after blanks, with an optional sign; out-of-range
// numbers are clamped). The face is taken as written, cut to kMaxFaceLength.
FontDescription ParseFontDescription(const std::string& text);

// The leading decimal number of a text after leading blanks, 0 without one,
// clamped to the range of int.
int LeadingInteger(const std::string& text);

// The forms are laid out in pixels at 96 DPI. At another DPI every position,
// size and pixel font height is multiplied by dpi / 96 and rounded to the
// nearest pixel, halves away from zero, as the platform's MulDiv rounds (clamped
// to the range of int; a DPI of 0 or less leaves the value as it is).
inline constexpr int kLayoutDpi = 96;
int ScaleToDpi(int pixels, int dpi);

// The height passed to the font creation call: a negative height is a pixel
// height at 96 DPI and is scaled to logPixelsY (ScaleToDpi); a positive one is
// in points and becomes -(points * logPixelsY / 72), integer division; 0 stays
// 0 (the face's default).
int FontCreationHeight(int height, int logPixelsY);

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size& o) const { return width == o.width && height == o.height; }
};

// What a window's frame and caption add to its client area on each side, as
// the platform reports them for the window's styles at the DPI it draws at.
struct FrameInsets {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The outer size of a form: at 96 DPI the outer size it was designed with,
// whatever the platform's frame; at any other DPI its client area at 96 DPI
// scaled, with the frame around it.
Size FormOuterSize(Size outerAt96, Size clientAt96, const FrameInsets& frame, int dpi);

// Left or top of a window of the given size centred on a screen of the given
// size: (screen - size) / 2 with integer division.
int CentredOrigin(int screenSize, int windowSize);

// "FORM_" + program + "_" + form + "_CLASS", all in capitals.
std::string FormClassName(const std::string& program, const std::string& form);

// A text or background colour of a control: none (the platform's default),
// a system colour index, or red, green and blue.
struct Colour {
    enum class Kind : std::uint8_t { None, System, Rgb };
    Kind kind = Kind::None;
    std::uint32_t value = 0;  // system colour index, or 0x00BBGGRR

    static constexpr Colour System(int index) { return {Kind::System, static_cast<std::uint32_t>(index)}; }
    static constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return {Kind::Rgb, static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
                               (static_cast<std::uint32_t>(b) << 16)};
    }
    bool operator==(const Colour& o) const { return kind == o.kind && value == o.value; }
};

// How a control with colours paints the background behind its text.
enum class ControlKind { Edit, Other };
struct TextPaint {
    bool opaque = false;         // text background filled with the background colour
    bool useButtonFace = false;  // background is the button-face system colour instead of its own
};
TextPaint TextPaintFor(ControlKind kind, bool enabled);

}  // namespace veskor
