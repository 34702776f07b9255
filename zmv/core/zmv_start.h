// The start of the configured program: start-up flags, command line, working
// folder, the wait for its window, the test-mode dump and the two messages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "zmv_config.h"
#include "zmv_console.h"

namespace veskor::zmv {

inline constexpr std::uint32_t kUseShowWindow = 0x01;   // STARTF_USESHOWWINDOW
inline constexpr std::uint32_t kUsePosition = 0x04;     // STARTF_USEPOSITION, positions left at 0
inline constexpr std::uint32_t kUseCountChars = 0x08;   // STARTF_USECOUNTCHARS
inline constexpr std::uint32_t kRunFullScreen = 0x20;   // STARTF_RUNFULLSCREEN
inline constexpr std::uint32_t kConsoleColumns = 80;
inline constexpr std::uint32_t kConsoleRows = 25;
inline constexpr std::int32_t kShowMaximised = 3;

// Unsuccessful looks for the window before giving up, 1 ms apart at least.
inline constexpr std::int32_t kWindowLookLimit = 30000;
inline constexpr unsigned kLookPauseMs = 1;
// Time the console host gets to read its settings before they are removed.
inline constexpr unsigned kCleanUpPauseMs = 250;

inline constexpr const char* kTestDumpName = "ZMV_TEST.TXT";
inline constexpr const char* kTestPifName = "ZMV_TEST.BIN";

std::uint32_t StartFlags(std::int32_t showCommand, bool fullScreen);

// --- Who hosts the new console -------------------------------------------------
//
// On current Windows the console host may hand a new console to the user's
// default terminal application, which ignores the per-title key. It never does
// so for a start that asks for a hidden or minimised window. The user's choice
// is a pair of class ids, the strings DelegationConsole and DelegationTerminal
// under HKCU\Console\%%Startup.

inline constexpr const char* kStartupKeyName = "Console\\%%Startup";
inline constexpr const char* kDelegationConsoleName = "DelegationConsole";
inline constexpr const char* kDelegationTerminalName = "DelegationTerminal";
// The classic console host, the one that reads the per-title key.
inline constexpr std::string_view kClassicConsoleHost = "{B23D10C0-E52E-411E-9D5B-C09FDF709C7D}";

// One value of the pair as the console host reads it (its delegation
// configuration, DelegationConfig::s_GetDelegationPair): a string of 39
// characters, the last of which it takes for the terminator, holding a class id
// in braces (hex digits in any case). Gives the id in upper case, or "" where
// the host reads zero: a value missing or of another form, or the zero id. A
// value that is not a class id counts as zero here, the reading that starts
// minimised. value is the string as read with its terminator, nullopt when
// absent or not a string.
std::string DelegationClassId(const std::optional<std::string>& value);

// True only where the classic console host surely keeps the new console: the
// Windows 95/98 family, or, as the host decides on the pair, neither value
// zero and one of them the classic host (the other may name any terminal).
// Where either is zero the host takes its default pair, which current Windows
// resolves to another terminal.
bool ClassicHostCertain(const PlatformFacts& facts, const std::optional<std::string>& console,
                        const std::optional<std::string>& terminal);

// The show code of the start, and the one to show the found window with.
struct ShowPlan {
    std::int32_t atStart = kShowMaximised;
    std::optional<std::int32_t> afterWait;  // nullopt: the window is left as it came up
};

// As configured where the classic host is certain or the state is hidden or
// minimised; otherwise minimised at the start (no hand-off then), without
// activation where the configured state does not activate, and the configured
// state once the window exists.
ShowPlan PlanShow(std::int32_t showCommand, bool classicHostCertain);

// The program path, quoted when it holds a blank, one blank, the arguments.
std::string CommandLine(std::string_view programPath, std::string_view arguments);

// The folder part of the application name, with its last "\"; empty without one.
std::string WorkingFolder(std::string_view applicationName);

// The test-mode dump: the four platform numbers, "-->", the file, "<--".
std::string TestDumpText(const PlatformFacts& facts, std::string_view fullText);

Message StartFailureMessage(const std::string& programPath, std::uint32_t platformError);
Message NoWindowMessage(const std::string& programPath);

}  // namespace veskor::zmv
