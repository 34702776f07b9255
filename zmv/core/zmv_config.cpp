#include "zmv_config.h"

#include <cmath>
#include <cstdlib>

namespace veskor::zmv {

namespace {

// Only blanks are trimmed: tabs stay part of the text.
std::string Trim(std::string_view text) { return std::string(Trimmed(text, " ")); }

constexpr char kCr = '\r';
constexpr const char* kFileCaption = "Console Window Config (ZMV) File Not Found";
constexpr const char* kInvalidCaption = "Invalid Console Window Config (ZMV) File";

}  // namespace

std::int64_t NearestWhole(double value) {
    if (std::isnan(value)) return 0;
    const double limit = static_cast<double>(kWholeLimit);
    if (value >= limit) return kWholeLimit;
    if (value <= -limit) return -kWholeLimit;
    // Round half to even, independent of the floating-point rounding mode.
    double whole = std::floor(value);
    const double rest = value - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0)) whole += 1;
    return static_cast<std::int64_t>(whole);
}

std::int64_t LeadingMagnitude(std::string_view text) { return NearestWhole(std::fabs(LeadingNumber(text))); }

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

std::string CommandTail(std::string_view commandLine) {
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t close = commandLine.find('"', 1);
        i = close == std::string_view::npos ? commandLine.size() : close + 1;
    } else {
        i = commandLine.find(' ');
        if (i == std::string_view::npos) i = commandLine.size();
    }
    while (i < commandLine.size() && commandLine[i] == ' ') ++i;
    return std::string(commandLine.substr(i));
}

std::string ConfigPathFor(std::string_view commandTail, std::string_view launcherPath) {
    std::string path = Trim(commandTail);
    if (path.empty()) {
        const std::size_t keep = launcherPath.size() >= 4 ? launcherPath.size() - 4 : 0;
        return std::string(launcherPath.substr(0, keep)) + ".zmv";
    }
    // A path with blanks is passed the usual way, in one pair of double quotes.
    // No file name holds a double quote, so the pair is taken off; a tail with
    // quotes anywhere else is left as it stands.
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"' &&
        path.find('"', 1) == path.size() - 1)
        path = path.substr(1, path.size() - 2);
    return path;
}

std::string EffectiveText(std::string_view fullText) {
    const std::size_t at = UpperCase(fullText).find(kCommentsKey);
    return std::string(fullText.substr(0, at));
}

std::optional<std::string> KeyValue(std::string_view text, std::string_view upperText, std::string_view key) {
    const std::size_t at = upperText.find(key);
    if (at == std::string_view::npos) return std::nullopt;
    const std::size_t start = at + key.size();
    const std::size_t end = text.find(kCr, start);
    return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

bool YesValue(std::string_view value) { return value.find_first_of("Yy1") != std::string_view::npos; }

std::int32_t ShowCommandFor(std::string_view value) {
    const std::string v = Trim(UpperCase(value));
    if (Contains(v, "MAX")) return 3;
    if (Contains(v, "MIN")) return 6;
    if (Contains(v, "HID")) return 0;
    if (Contains(v, "SHO")) return 5;
    if (v.empty()) return 3;
    const std::int64_t n = LeadingMagnitude(v);
    return n > 10 ? 3 : static_cast<std::int32_t>(n);
}

std::string FontSizeTextFor(const std::optional<std::string>& value) {
    if (!value) return "max";
    std::string text = LowerAscii(*value);
    if (!Contains(text, "max") && LeadingNumber(text) == 0) return "max";
    return text;
}

std::string ResolveProgramPath(std::string_view value, std::string_view configPath) {
    const std::size_t first = value.find_first_not_of(" \"");
    std::string path;
    if (first != std::string_view::npos)
        path = std::string(value.substr(first, value.find_last_not_of(" \"") - first + 1));
    if (path.find('\\') == std::string::npos) {
        const std::size_t slash = configPath.rfind('\\');
        if (slash != std::string_view::npos) path = std::string(configPath.substr(0, slash + 1)) + path;
    }
    if (path.size() < 4 || LowerAscii(path.substr(path.size() - 4)) != ".exe") path += ".exe";
    for (char& c : path)
        if (c == '?' || c == '*') c = '-';
    return path;
}

bool TestModeIn(std::string_view text) { return Contains(text, "TESTMODE: 1"); }
bool CleanUpSuppressed(std::string_view effectiveText) { return Contains(UpperCase(effectiveText), "CLEAN_UP: 0"); }

Message MissingFileMessage(const std::string& configPath) {
    return {"The file \"" + configPath + "\" is missing.", kFileCaption};
}

Message NoProgramMessage(const std::string& configPath) {
    return {"The file \"" + configPath + "\" does not contain...\r\rPROGNAME: (followed by name of program to be run)",
            kInvalidCaption};
}

Message NoProgramFileMessage(const std::string& programPath, const std::string& configPath) {
    return {"The program " + programPath + " specified in " + configPath + " does not exist.", kInvalidCaption};
}

std::optional<Message> ParseLauncherConfig(LaunchSettings& s, const PlainFileTest& isPlainFile,
                                           const FullPathOf& fullPath) {
    s.effectiveText = EffectiveText(s.fullText);
    const std::string upper = UpperCase(s.effectiveText);
    const auto value = [&](std::string_view key) { return KeyValue(s.effectiveText, upper, key); };

    const std::optional<std::string> program = value(kProgramKey);
    if (!program) return NoProgramMessage(s.configPath);
    s.programPath = ResolveProgramPath(*program, s.configPath);
    if (!isPlainFile(s.programPath)) return NoProgramFileMessage(s.programPath, s.configPath);
    if (fullPath) s.programPath = fullPath(s.programPath);

    s.toolbar = YesValue(value("TOOL_BAR:").value_or(""));
    s.showCommand = ShowCommandFor(value("WINSTATE:").value_or(""));
    s.arguments = Trim(value("CMD_LINE:").value_or(""));
    s.quickEdit = YesValue(value("QUICK_ED:").value_or(""));
    s.title = Trim(value("TITLEBAR:").value_or(""));
    if (s.title.empty()) s.title = s.programPath + " (ZMV)";
    s.fullScreen = YesValue(value("FULLSCRN:").value_or(""));
    const std::string fontType = UpperCase(value("FONTTYPE:").value_or(""));
    s.trueType = Contains(fontType, "TT") || Contains(fontType, "TRUETYPE");
    s.fontSizeText = FontSizeTextFor(value("FONTSIZE:"));
    return std::nullopt;
}

}  // namespace veskor::zmv
