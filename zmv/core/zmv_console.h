// Console window settings for a window title: the font cell, the per-title
// registry values (NT family) and the program information file "Conagent.pif"
// (Windows 95 and 98), with the messages of the file form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zmv_config.h"

namespace veskor::zmv {

// What GetVersionExA reports.
struct PlatformFacts {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platformId = 0;
};

inline constexpr std::uint32_t kPlatformNt = 2;
inline bool UsesRegistryForm(const PlatformFacts& facts) { return facts.platformId == kPlatformNt; }

struct FontCell {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool trueType = false;  // a single-number size switches it on
};

// Only an automatic size ("max") needs the work-area width.
bool NeedsWorkArea(std::string_view fontSizeText);

// The console font cell for a font-size text; workAreaWidth is used for "max" only.
FontCell ComputeFontCell(bool trueType, std::string_view fontSizeText, const PlatformFacts& facts,
                         std::int64_t workAreaWidth);

// --- Registry form -----------------------------------------------------------

// The key the console host opens for a console of this title, built as the
// host turns a title into a key name: "Console\" and the title with each "\"
// made "_" and nothing else changed, except that a title beginning with the
// Windows folder (letters in any case) has "%SystemRoot%" in its place. The
// host works on wide characters: with isLeadByte given, the byte after a lead
// byte belongs to its character and is never taken for a "\".
std::string ConsoleKeyName(std::string_view title, std::string_view windowsFolder = {},
                           bool (*isLeadByte)(unsigned char) = nullptr);

struct ConsoleValues {
    std::uint32_t fontSize = 0;  // height in the high word, width in the low word, 8 bits each
    std::string faceName;
    std::uint32_t fontFamily = 0;
    std::uint32_t fullScreen = 0;
    std::uint32_t fontWeight = 400;
    std::uint32_t quickEdit = 0;
};

ConsoleValues ConsoleValuesFor(const FontCell& cell, const LaunchSettings& settings);

// --- Program information file ----------------------------------------------

inline constexpr std::size_t kPifSize = 967;
inline constexpr int kPifResourceId = 1001;
inline constexpr int kPifResourceType = 10;   // RT_RCDATA
inline constexpr int kPifResourceLanguage = 1033;

// The template the launcher carries as a resource, built from its layout.
std::vector<std::uint8_t> PifTemplate();

// The first kPifSize bytes of the template (padded with zeros if it is
// shorter) with the font cell and the switches patched in.
std::vector<std::uint8_t> PatchPif(const std::vector<std::uint8_t>& pifTemplate, const FontCell& cell,
                                   const LaunchSettings& settings);

// The program's folder followed by "Conagent.pif".
std::string PifPath(std::string_view programPath);


// The file error number reported for a platform error code.
int FileErrorNumber(std::uint32_t platformError);

Message NetworkPathMessage(const std::string& launcherPath);
Message PifCreateMessage(int fileError, const std::string& programPath);  // message A
Message PifWriteMessage(int fileError, const std::string& programPath);   // message B

}  // namespace veskor::zmv
