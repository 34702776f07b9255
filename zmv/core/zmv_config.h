// The console window launcher's configuration file (".zmv"): where it is found,
// how its keys and values are read, and the LaunchSettings record it yields.
// Everything here works on plain text; the file test is supplied by the caller.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "numbers.h"
#include "text.h"

namespace veskor::zmv {

struct LaunchSettings {
    std::string launcherPath;   // the running launcher's own file name
    std::string configPath;     // the configuration file in use
    std::string fullText;       // the whole file as read
    std::string effectiveText;  // fullText up to the first "COMMENTS:"
    std::string programPath;    // resolved program to start; never empty
    std::string arguments;      // argument text for the program
    std::string title;          // console window title; never empty
    std::int32_t showCommand = 3;
    bool toolbar = false;
    bool quickEdit = false;
    bool fullScreen = false;
    bool trueType = false;
    std::string fontSizeText = "max";
};

// A message box of the launcher: text with single CR line breaks, and caption.
struct Message {
    std::string text;
    std::string caption;
};

// True when path names an existing file that is neither a folder nor hidden nor
// a system file; "?" and "*" in it match as wildcards.
using PlainFileTest = std::function<bool(const std::string& path)>;
// The full path of a path that may be relative to the current folder (the same
// path when the platform cannot tell).
using FullPathOf = std::function<std::string(const std::string& path)>;

// --- Numbers -------------------------------------------------------------

using veskor::LeadingNumber;

// Nearest whole number, an exact half going to the even neighbour. Magnitudes
// beyond kWholeLimit (and infinities) saturate there, so every input has a
// defined result.
inline constexpr std::int64_t kWholeLimit = std::int64_t{1} << 40;
std::int64_t NearestWhole(double value);

// The leading number with the sign dropped, to the nearest whole number.
std::int64_t LeadingMagnitude(std::string_view text);

// --- Text helpers ----------------------------------------------------------

std::string LowerAscii(std::string_view text);
bool Contains(std::string_view text, std::string_view part);

// --- Locating the file -----------------------------------------------------

// The command line after the program's own name (quoted up to its closing
// quote, else up to the first blank) and the blanks after it.
std::string CommandTail(std::string_view commandLine);

// The configuration file for a command tail: the tail, blanks trimmed and one
// enclosing pair of double quotes removed, when not empty; otherwise the
// launcher's own path with ".zmv" in place of its last four characters.
std::string ConfigPathFor(std::string_view commandTail, std::string_view launcherPath);

// Largest configuration file that is read at all. A real one is under a
// kilobyte; a megabyte leaves room for any amount of hand-written comments
// while a file of the wrong kind (or a huge one) is refused at once instead of
// being held in memory several times over.
inline constexpr std::size_t kConfigSizeLimit = std::size_t{1} << 20;

// --- Keys and values ---------------------------------------------------------

inline constexpr std::string_view kCommentsKey = "COMMENTS:";
inline constexpr std::string_view kProgramKey = "PROGNAME:";

// fullText cut just before the first "COMMENTS:" in any case.
std::string EffectiveText(std::string_view fullText);

// The value of the first occurrence of key (upper case, with its colon) in
// text: what follows the colon up to the next CR or the end. upperText is the
// upper-cased copy of text, searched in its place.
std::optional<std::string> KeyValue(std::string_view text, std::string_view upperText, std::string_view key);

// Yes when the value holds any of "Y", "y" or "1".
bool YesValue(std::string_view value);

// Show-window code for a raw "WINSTATE:" value.
std::int32_t ShowCommandFor(std::string_view value);

// The "FONTSIZE:" text for a raw value (nullopt: key absent).
std::string FontSizeTextFor(const std::optional<std::string>& value);

// The program path for a raw "PROGNAME:" value: blanks and quotes trimmed,
// the configuration file's folder put in front of a name without "\", ".exe"
// appended unless present, wildcards replaced by "-".
std::string ResolveProgramPath(std::string_view value, std::string_view configPath);

// "TESTMODE: 1", exactly so.
bool TestModeIn(std::string_view text);
// "CLEAN_UP: 0" in any case.
bool CleanUpSuppressed(std::string_view effectiveText);

// --- Refusals ----------------------------------------------------------------

Message MissingFileMessage(const std::string& configPath);
Message NoProgramMessage(const std::string& configPath);
Message NoProgramFileMessage(const std::string& programPath, const std::string& configPath);

// Everything after the file was read: settings must hold launcherPath,
// configPath and fullText. Fills the rest, or returns the refusal. Once the
// program has passed the file test, programPath is made full with fullPath
// (when given), so that later changes of the current folder do not move it.
std::optional<Message> ParseLauncherConfig(LaunchSettings& settings, const PlainFileTest& isPlainFile,
                                           const FullPathOf& fullPath = {});

}  // namespace veskor::zmv
