#include "form_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

namespace veskor {
namespace {

// Every field of a parsed description, written back in the text's order.
std::string Fields(const FontDescription& d) {
    std::string text = d.face;
    for (int n : {d.height, d.width, d.escapement, d.orientation, d.weight, d.italic, d.underline, d.strikeOut,
                  d.charSet, d.outPrecision, d.clipPrecision, d.quality, d.pitchAndFamily})
        text += "," + std::to_string(n);
    return text;
}

TEST(FontDescription, FourteenFieldsAndBadOnesGiveDefinedValues) {
    const std::pair<const char*, const char*> cases[] = {
        {"Arial,-13,1,2,3,700,1,0,1,0,3,2,1,34", "Arial,-13,1,2,3,700,1,0,1,0,3,2,1,34"},
        {"", ",0,0,0,0,0,0,0,0,0,0,0,0,0"},                                              // numbers missing
        {"MS Sans Serif,-11", "MS Sans Serif,-11,0,0,0,0,0,0,0,0,0,0,0,0"},              // cut short
        {"Arial,abc,0,0,0,bold,0,0,0,0,0,0,0,x", "Arial,0,0,0,0,0,0,0,0,0,0,0,0,0"},      // not numbers
        {"Arial, 12pt,0,0,0, +700", "Arial,12,0,0,0,700,0,0,0,0,0,0,0,0"},               // blanks, sign, trailing text
        {",-11,0,0,0,400", ",-11,0,0,0,400,0,0,0,0,0,0,0,0"},                            // empty face
        {"Arial,-11,0,0,0,400,0,0,0,0,0,0,0,34,99,100", "Arial,-11,0,0,0,400,0,0,0,0,0,0,0,34"},  // extra fields ignored
        {"Arial,99999999999999999999,0,0,0,-99999999999", "Arial,2147483647,0,0,0,-2147483648,0,0,0,0,0,0,0,0"},
        {"Arial,-2147483647,0,0,0,2147483647,0,0,0,0,0,0,0,-2147483648",
         "Arial,-2147483647,0,0,0,2147483647,0,0,0,0,0,0,0,-2147483648"},
        {"A face name that is far longer than a font record holds,-11", "A face name that is far longer ,-11,0,0,0,0,0,0,0,0,0,0,0,0"},
    };
    for (const auto& [text, fields] : cases) EXPECT_EQ(Fields(ParseFontDescription(text)), fields) << text;
}

TEST(FontCreationHeight, PixelsScaleWithTheDpiPointsConvert) {
    // Pixels (zero or below) are scaled as the layout is, below; points convert at 72 to the inch.
    struct Case { int height, dpi, expected; } cases[] = {
        {-11, 144, -17}, {9, 96, -12}, {9, 120, -15}, {10, 96, -13} /* 13.33 truncated */, {INT_MAX, 96, -INT_MAX},
        {9, -120, 0},    {1, 96, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(FontCreationHeight(c.height, c.dpi), c.expected) << c.height << "@" << c.dpi;
}

TEST(LayoutScale, NearestPixelHalvesAwayFromZero) {
    struct Case { int pixels, dpi, expected; } cases[] = {
        {573, 144, 860}, {333, 144, 500}, {17, 120, 21}, {3, 120, 4}, {1, 144, 2}, {-1, 144, -2}, {-3, 120, -4},
        {5, 96, 5},      {7, 72, 5},      {0, 192, 0},   {5, 0, 5},   {INT_MAX, 192, INT_MAX}, {INT_MIN, 120, INT_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(ScaleToDpi(c.pixels, c.dpi), c.expected) << c.pixels << "@" << c.dpi;
    // The outer size: as designed at 96 DPI whatever the frame, else the scaled client area framed.
    const std::tuple<int, FrameInsets, Size> outer[] = {{96, {3, 22, 3, 3}, {579, 358}}, {144, {3, 28, 3, 3}, {866, 531}},
                                                        {120, {4, 27, 4, 4}, {724, 447}}, {192, {}, {1146, 666}}};
    for (const auto& [dpi, frame, size] : outer) EXPECT_EQ(FormOuterSize({579, 358}, {573, 333}, frame, dpi), size) << dpi;
}

TEST(FormWindow, CentringClassNamesAndTextBackgrounds) {
    EXPECT_EQ(CentredOrigin(1023, 492), 265);
    EXPECT_EQ(CentredOrigin(400, 595), -97);  // larger than the screen: truncated toward zero
    EXPECT_EQ(FormClassName("VESKORCFG", "frmConfig"), "FORM_VESKORCFG_FRMCONFIG_CLASS");
    // Only an edit box paints its text background, the button face when disabled.
    const TextPaint edit = TextPaintFor(ControlKind::Edit, true), disabled = TextPaintFor(ControlKind::Edit, false),
                    label = TextPaintFor(ControlKind::Other, false);
    EXPECT_TRUE(edit.opaque && !edit.useButtonFace && disabled.opaque && disabled.useButtonFace);
    EXPECT_TRUE(!label.opaque && !label.useButtonFace);
}

}  // namespace
}  // namespace veskor
