// Fuzz target: any bytes as a configuration file, read the whole way through
// (keys, values, numbers, program path, font cell on every platform form,
// key name, PIF patch). The first input byte chooses the answers of
// the plain-file test and the work-area width; bytes from 0xF0 up stand for the
// keys and phrases of the file, so that the fuzzer forms them easily.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "zmv_config.h"
#include "zmv_console.h"

using namespace veskor::zmv;

namespace {

const char* const kTokens[] = {"PROGNAME:", "CMD_LINE:", "TITLEBAR:", "WINSTATE:", "TOOL_BAR:", "QUICK_ED:",
                               "FULLSCRN:", "FONTTYPE:", "FONTSIZE:", "COMMENTS:", "TESTMODE: 1", "CLEAN_UP: 0",
                               "max", "\r\n", "1e999", "TT"};

std::string Expand(const std::uint8_t* data, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] >= 0xF0) text += kTokens[data[i] - 0xF0];
        else text += static_cast<char>(data[i]);
    }
    return text;
}

void Require(bool condition) { if (!condition) std::abort(); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint8_t choice = size > 0 ? data[0] : 0;
    const std::string text = (choice & 2) ? Expand(data, size) : std::string(reinterpret_cast<const char*>(data), size);

    LaunchSettings s;
    s.launcherPath = "C:\\INST\\VESKOR1.EXE";
    s.configPath = ConfigPathFor(CommandTail(text.substr(0, 64)), s.launcherPath);
    s.fullText = text;
    const auto refusal = ParseLauncherConfig(s, [choice](const std::string& path) {
        return (choice & 1) != 0 && !path.empty();
    });
    if (refusal) {
        Require(!refusal->text.empty() && !refusal->caption.empty());
        return 0;
    }
    Require(!s.programPath.empty() && !s.title.empty());
    Require(s.showCommand >= 0 && s.showCommand <= 10);
    Require(s.effectiveText.size() <= s.fullText.size());

    const std::int64_t widths[] = {1024, 0, -1, 2147483647, -2147483647 - 1, 640 + choice};
    const PlatformFacts platforms[] = {{6, 1, 7601, 2}, {4, 10, 1998, 1}, {4, 0, 950, 1}};
    for (const PlatformFacts& facts : platforms) {
        const FontCell cell = ComputeFontCell(s.trueType, s.fontSizeText, facts, widths[choice % 6]);
        if (!NeedsWorkArea(s.fontSizeText))
            Require(cell.width >= 1 && cell.width <= 48 && cell.height >= 1 && cell.height <= 72);
        const ConsoleValues values = ConsoleValuesFor(cell, s);
        Require((values.fontSize & 0xFF00FF00u) == 0);
        Require(PatchPif(PifTemplate(), cell, s).size() == kPifSize);
    }
    const std::string key = ConsoleKeyName(s.title);
    Require(key.size() == s.title.size() + 8 && key.find('\\', 8) == std::string::npos);
    return 0;
}
