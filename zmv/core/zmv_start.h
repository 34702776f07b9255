// The start of the configured program: start-up flags, command line, working
// folder, the wait for its window, the test-mode dump and the two messages.
#pragma once

#include <cstdint>
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

// The program path, quoted when it holds a blank, one blank, the arguments.
std::string CommandLine(std::string_view programPath, std::string_view arguments);

// The folder part of the application name, with its last "\"; empty without one.
std::string WorkingFolder(std::string_view applicationName);

// The test-mode dump: the four platform numbers, "-->", the file, "<--".
std::string TestDumpText(const PlatformFacts& facts, std::string_view fullText);

Message StartFailureMessage(const std::string& programPath, std::uint32_t platformError);
Message NoWindowMessage(const std::string& programPath);

}  // namespace veskor::zmv
