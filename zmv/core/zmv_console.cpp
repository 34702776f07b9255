#include "zmv_console.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace veskor::zmv {

namespace {

struct CellRow {
    std::int64_t atLeast;
    std::int32_t width;
    std::int32_t height;
};

constexpr std::int64_t kBelowAll = INT64_MIN;

// TrueType cells of Windows 95 by console width.
constexpr CellRow kTrueType95[] = {
    {1600, 20, 37}, {1520, 19, 33}, {1440, 18, 33}, {1360, 17, 31}, {1280, 16, 30}, {1200, 15, 29},
    {1120, 14, 25}, {1040, 13, 23}, {1024, 12, 22}, {880, 11, 21},  {800, 10, 18},  {640, 8, 16},
    {560, 7, 14},   {480, 6, 13},   {400, 5, 8},    {kBelowAll, 4, 7},
};

// Raster cells on every platform by console width.
constexpr CellRow kRaster[] = {
    {1600, 20, 36}, {1440, 18, 24}, {1280, 16, 24}, {1120, 14, 24}, {1024, 12, 16}, {800, 10, 18},
    {640, 8, 12},   {560, 7, 12},   {480, 6, 8},    {400, 5, 12},   {kBelowAll, 4, 6},
};

template <std::size_t N>
FontCell FromTable(const CellRow (&rows)[N], std::int64_t consoleWidth) {
    for (const CellRow& row : rows)
        if (consoleWidth >= row.atLeast) return {row.width, row.height, false};
    return {rows[N - 1].width, rows[N - 1].height, false};
}

// A leading magnitude, 0 replaced by 8 and anything above limit cut to limit.
std::int32_t CellSide(std::string_view text, std::int64_t limit) {
    const std::int64_t n = LeadingMagnitude(text);
    if (n == 0) return 8;
    return static_cast<std::int32_t>(n > limit ? limit : n);
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

FontCell AutomaticCell(bool trueType, std::string_view fontSizeText, const PlatformFacts& facts,
                       std::int64_t workAreaWidth) {
    const std::size_t at = fontSizeText.find("max");
    std::int64_t percent = LeadingMagnitude(fontSizeText.substr(at + 3));
    if (percent < 10 || percent > 100) percent = 100;
    const std::int64_t width = NearestWhole(static_cast<double>(workAreaWidth) * static_cast<double>(percent) / 100.0);

    FontCell cell;
    if (trueType && (facts.platformId == kPlatformNt || facts.minor >= 10)) {
        // 80 columns fill the width; the height is the width / 0.6, rounded up.
        const std::int64_t w = width / 80;
        cell.width = static_cast<std::int32_t>(w);
        cell.height = static_cast<std::int32_t>(-FloorDiv(-5 * w, 3));
    } else {
        cell = trueType ? FromTable(kTrueType95, width) : FromTable(kRaster, width);
    }
    cell.trueType = trueType;
    return cell;
}

void Put(std::vector<std::uint8_t>& bytes, std::size_t at, std::initializer_list<std::uint8_t> values) {
    for (std::uint8_t v : values) bytes[at++] = v;
}

void PutText(std::vector<std::uint8_t>& bytes, std::size_t at, const char* text) {
    std::memcpy(bytes.data() + at, text, std::strlen(text));
}

// One extension header: 16-byte name (NUL-padded), next header, data offset, data length.
void PutHeader(std::vector<std::uint8_t>& bytes, std::size_t at, const char* name, std::uint16_t next,
               std::uint16_t dataOffset, std::uint16_t dataLength) {
    PutText(bytes, at, name);
    Put(bytes, at + 16,
        {static_cast<std::uint8_t>(next & 0xFF), static_cast<std::uint8_t>(next >> 8),
         static_cast<std::uint8_t>(dataOffset & 0xFF), static_cast<std::uint8_t>(dataOffset >> 8),
         static_cast<std::uint8_t>(dataLength & 0xFF), static_cast<std::uint8_t>(dataLength >> 8)});
}

std::uint8_t Low8(std::int64_t n) { return static_cast<std::uint8_t>(n & 0xFF); }

Message PifMessage(int fileError, char which, const std::string& programPath) {
    return {"Error " + std::to_string(fileError) + which +
                " creating ZMV file.\r\rThis program must be able to create a file in the target\rprogram's "
                "directory (" +
                programPath + ").",
            "Console Window Config (ZMV) Fatal Error"};
}

}  // namespace

bool NeedsWorkArea(std::string_view fontSizeText) { return Contains(fontSizeText, "max"); }

FontCell ComputeFontCell(bool trueType, std::string_view fontSizeText, const PlatformFacts& facts,
                         std::int64_t workAreaWidth) {
    if (NeedsWorkArea(fontSizeText)) return AutomaticCell(trueType, fontSizeText, facts, workAreaWidth);
    const std::size_t x = fontSizeText.find('x');
    FontCell cell;
    if (x == std::string_view::npos) {
        cell.height = CellSide(fontSizeText, 72);
        cell.width = (6 * cell.height + 5) / 10;  // 0.6 x height, nearest (never an exact half)
        cell.trueType = true;
    } else {
        cell.width = CellSide(fontSizeText, 48);
        cell.height = CellSide(fontSizeText.substr(x + 1), 72);
        cell.trueType = trueType;
    }
    return cell;
}

std::string ConsoleKeyName(std::string_view title, std::string_view windowsFolder, bool (*isLeadByte)(unsigned char)) {
    std::string name = "Console\\";
    if (!windowsFolder.empty() && EqualNoCase(title.substr(0, windowsFolder.size()), windowsFolder)) {
        name += "%SystemRoot%";
        title.remove_prefix(windowsFolder.size());
    }
    for (std::size_t i = 0; i < title.size(); ++i) {
        const char c = title[i];
        if (isLeadByte && isLeadByte(static_cast<unsigned char>(c)) && i + 1 < title.size()) {
            name += title.substr(i++, 2);
            continue;
        }
        name += c == '\\' ? '_' : c;
    }
    return name;
}

ConsoleValues ConsoleValuesFor(const FontCell& cell, const LaunchSettings& settings) {
    ConsoleValues v;
    v.fontSize = (static_cast<std::uint32_t>(Low8(cell.height)) << 16) | Low8(cell.width);
    v.faceName = cell.trueType ? "Lucida Console" : "Terminal";
    v.fontFamily = cell.trueType ? 0x36 : 0x30;
    v.fullScreen = settings.fullScreen ? 1 : 0;
    v.quickEdit = settings.quickEdit ? 1 : 0;
    return v;
}

std::vector<std::uint8_t> PifTemplate() {
    std::vector<std::uint8_t> b(kPifSize, 0);
    // Leading section (0-368).
    Put(b, 1, {0x78});
    Put(b, 32, {0x80, 0x02});
    Put(b, 96, {0x05});
    Put(b, 230, {0x01});
    Put(b, 232, {0xFF, 0x19, 0x50});
    Put(b, 237, {0x07});
    PutHeader(b, 369, "MICROSOFT PIFEX", 391, 0, 369);
    PutHeader(b, 391, "WINDOWS 386 3.0", 517, 413, 104);
    // 386-enhanced-mode data (413-516).
    Put(b, 413, {0x80, 0x02});
    Put(b, 417, {0x64});
    Put(b, 419, {0x32});
    Put(b, 421, {0xFF, 0xFF});
    Put(b, 425, {0xFF, 0xFF});
    Put(b, 429, {0x02, 0x10, 0x34});
    Put(b, 433, {0x1F});
    PutHeader(b, 517, "WINDOWS VMM 4.0", 0xFFFF, 539, 428);
    // Console-window data (539-966).
    PutText(b, 627, "PIFMGR.DLL");
    static constexpr std::pair<std::size_t, std::uint8_t> kSingles[] = {
        {707, 0x14}, {709, 0x0B}, {721, 0x32}, {723, 0x01}, {735, 0x01}, {739, 0x05},
        {741, 0x19}, {743, 0x03}, {745, 0xC8}, {751, 0x0A}, {753, 0x01},  // 723: video flags, 753: mouse flags
        {767, 0x10}, {769, 0x0A}, {771, 0x10},                            // font: height 16, width 10, height 16
        {839, 0x01}, {855, 0x16}, {965, 0x01}};                           // 839: window flags
    for (const auto& [at, value] : kSingles) b[at] = value;
    Put(b, 747, {0xE8, 0x03, 0x02});
    Put(b, 761, {0x0C, 0x08});
    PutText(b, 773, "Terminal");
    PutText(b, 805, "Lucida Console");
    return b;
}

std::vector<std::uint8_t> PatchPif(const std::vector<std::uint8_t>& pifTemplate, const FontCell& cell,
                                   const LaunchSettings& settings) {
    std::vector<std::uint8_t> b(pifTemplate.begin(),
                                pifTemplate.begin() + static_cast<std::ptrdiff_t>(std::min(pifTemplate.size(), kPifSize)));
    b.resize(kPifSize, 0);
    if (settings.fullScreen) {
        b[429] = 0x0A;
        b[724] = 0x01;
    }
    b[765] = Low8(cell.width);
    b[769] = Low8(cell.width);
    b[767] = Low8(cell.height);
    b[771] = Low8(cell.height);
    if (cell.trueType) {
        b[761] = b[762] = 0x08;
        b[765] = 0x00;
    } else {
        b[761] = b[762] = 0x04;
    }
    if (settings.toolbar) b[839] = 0x03;
    b[753] = settings.quickEdit ? 0x00 : 0x01;
    return b;
}

std::string PifPath(std::string_view programPath) {
    const std::size_t slash = programPath.rfind('\\');
    const std::string folder =
        slash == std::string_view::npos ? std::string() : std::string(programPath.substr(0, slash + 1));
    return folder + "Conagent.pif";
}

int FileErrorNumber(std::uint32_t platformError) {
    switch (platformError >= 40 ? 40 : platformError) {
        case 2: case 18: return 53;
        case 3: return 76;
        case 4: return 67;
        case 5: case 19: case 32: case 33: case 36: return 70;
        case 8: case 14: return 7;
        case 15: case 20: return 68;
        case 17: return 74;
        case 21: return 71;
        case 23: case 25: case 26: case 27: case 29: case 30: case 31: case 34: return 72;
        case 28: return 27;
        case 38: return 62;
        case 39: return 61;
        case 6: case 11: case 12: case 13: case 22: case 24: return 51;
        case 7: case 9: case 10: return 241;
        default: return 75;  // 1, 16, 35, 37, 40 and above; also 0, which no failure should report
    }
}

Message NetworkPathMessage(const std::string& launcherPath) {
    return {"Error: Windows 95 and 98 only allow this program...\r\r" + launcherPath +
                "\r\r...to be run 1) from a Local Drive or 2) from a Network\rDrive that has been mapped to a drive "
                "letter.",
            "Console Window Config (ZMV) Fatal Error"};
}

Message PifCreateMessage(int fileError, const std::string& programPath) { return PifMessage(fileError, 'A', programPath); }
Message PifWriteMessage(int fileError, const std::string& programPath) { return PifMessage(fileError, 'B', programPath); }

}  // namespace veskor::zmv
