#include "zmv_console.h"

#include <gtest/gtest.h>

#include <tuple>

namespace veskor::zmv {
namespace {

const PlatformFacts kNt{6, 1, 7601, 2};
const PlatformFacts k98{4, 10, 1998, 1};
const PlatformFacts k95{4, 0, 950, 1};

TEST(FontCell, AutomaticExplicitAndSingleNumber) {
    // TrueType asked for, size text, platform and work area; the cell and whether it is TrueType.
    const std::tuple<bool, const char*, PlatformFacts, std::int64_t, std::int32_t, std::int32_t, bool> rows[] = {
        // Automatic: 80 columns of the (percentage of the) work area, or the cell tables. 50% of 1119 is 559.5,
        // which goes to the even 560: 7 columns of 80.
        {true, "max 90%", kNt, 1024, 11, 19, true}, {true, "max", k98, 1024, 12, 20, true},
        {false, "max", kNt, 1024, 12, 16, false},  {true, "max 50", kNt, 1119, 7, 12, true},
        {true, "max 10", kNt, 1024, 1, 2, true},   {true, "max 5", kNt, 1024, 12, 20, true},
        {true, "max 150", kNt, 1024, 12, 20, true}, {true, "max -50", kNt, 1280, 8, 14, true},
        {true, "max", k95, 399, 4, 7, true},       {true, "max", k95, 400, 5, 8, true},
        // Explicit "WxH" (0 is 8, at most 48 x 72) and a height alone (TrueType, 0.6 as wide).
        {false, "100x100", kNt, 0, 48, 72, false}, {true, "8x0", kNt, 0, 8, 8, true},
        {false, "-7x-9.5", kNt, 0, 7, 10, false},  {false, "0.3", kNt, 0, 5, 8, true},
        {false, "16", kNt, 0, 10, 16, true},       {false, "1e999", kNt, 0, 43, 72, true},
    };
    for (const auto& [trueType, size, facts, workArea, width, height, trueTypeAfter] : rows) {
        const FontCell c = ComputeFontCell(trueType, size, facts, workArea);
        EXPECT_TRUE(c.width == width && c.height == height && c.trueType == trueTypeAfter)
            << size << " " << workArea << ": " << c.width << "x" << c.height;
    }
}

TEST(RegistryForm, KeyNameAndValues) {
    // Only "\" changes, as the console host names the key; the Windows folder
    // (any case) it writes as "%SystemRoot%"; a trail byte is never a "\".
    const auto leadByte = [](unsigned char c) { return c == 0x95; };
    const std::tuple<const char*, const char*, bool, const char*> names[] = {  // title, Windows folder, DBCS, key
        {"A\\B", "", false, "Console\\A_B"},
        {"c:\\windows\\system32\\cmd.exe", "C:\\WINDOWS", false, "Console\\%SystemRoot%_system32_cmd.exe"},
        {"C:\\WIN", "C:\\WINDOWS", false, "Console\\C:_WIN"},
        {"D:\\WINDOWS\\x", "C:\\WINDOWS", false, "Console\\D:_WINDOWS_x"},
        {"\x95\\\\\x95", "", true, "Console\\\x95\\_\x95"},
        {"\x95\\", "", false, "Console\\\x95_"}};
    for (const auto& [title, windows, doubleByte, key] : names)
        EXPECT_EQ(ConsoleKeyName(title, windows, doubleByte ? +leadByte : nullptr), key);

    // Faces, families, weight and the usual cells are read back from the key end to end.
    LaunchSettings s;
    s.fullScreen = true;
    ConsoleValues v = ConsoleValuesFor({12, 20, true}, s);
    EXPECT_TRUE(v.fullScreen == 1 && v.quickEdit == 0);
    s.fullScreen = false;
    s.quickEdit = true;
    v = ConsoleValuesFor({300, -1, false}, s);  // cells beyond what the value holds
    EXPECT_EQ(v.fontSize, 255u * 65536 + 44);
    EXPECT_TRUE(v.fullScreen == 0 && v.quickEdit == 1);
}

std::uint16_t Word(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}

// The extension headers chain from the end of the leading section, each naming
// its section and pointing at the next header; the last one's data ends the file.
TEST(PifForm, TemplateHeadersChainThroughTheFile) {
    const auto t = PifTemplate();
    ASSERT_EQ(t.size(), kPifSize);
    std::vector<std::string> names;
    std::size_t dataEnd = 0;
    for (std::size_t at = 369; at != 0xFFFF && names.size() < 4; at = Word(t, at + 16)) {
        names.emplace_back(reinterpret_cast<const char*>(&t.at(at)));
        dataEnd = Word(t, at + 18) + Word(t, at + 20);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"MICROSOFT PIFEX", "WINDOWS 386 3.0", "WINDOWS VMM 4.0"}));
    EXPECT_EQ(dataEnd, kPifSize);
}

// A raster font with every switch on; the TrueType bytes are the end-to-end rows'.
TEST(PifForm, PatchesOnlyTheirBytes) {
    const auto t = PifTemplate();
    LaunchSettings s;
    s.fullScreen = s.toolbar = s.quickEdit = true;
    std::vector<std::uint8_t> expected = t;
    for (const auto& [at, value] : std::vector<std::pair<std::size_t, std::uint8_t>>{
             {429, 0x0A}, {724, 1}, {761, 4}, {762, 4}, {765, 12}, {767, 20}, {769, 12}, {771, 20}, {839, 3}, {753, 0}})
        expected[at] = value;
    EXPECT_EQ(PatchPif(t, {12, 20, false}, s), expected);
    // Low 8 bits only; a longer template is cut, a shorter one padded.
    std::vector<std::uint8_t> longer = t;
    longer.push_back(7);
    const auto p = PatchPif(longer, {0x1FF, 0x110, false}, LaunchSettings{});
    EXPECT_TRUE(p.size() == kPifSize && p[769] == 0xFF && p[771] == 0x10);
    EXPECT_EQ(PatchPif({}, {1, 2, false}, LaunchSettings{}).size(), kPifSize);
}

TEST(PifForm, PathsErrorNumbersAndMessages) {
    EXPECT_EQ(PifPath("C:\\My App\\VESKOR32.EXE"), "C:\\My App\\Conagent.pif");
    EXPECT_EQ(PifPath("run.exe"), "Conagent.pif");

    const std::pair<std::uint32_t, int> rows[] = {{2, 53}, {3, 76}, {4, 67}, {5, 70}, {8, 7}, {15, 68}, {17, 74}, {21, 71},
                {23, 72}, {28, 27}, {38, 62}, {39, 61}, {6, 51}, {7, 241}, {1, 75}, {0xFFFFFFFF, 75}};
    for (const auto& [code, number] : rows) EXPECT_EQ(FileErrorNumber(code), number) << code;
}

}  // namespace
}  // namespace veskor::zmv
