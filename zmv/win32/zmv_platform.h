// The console window launcher's platform calls: files (with the system's error
// boxes switched off), version facts, work area, message boxes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "zmv_console.h"

namespace veskor::zmv {

// Switches off the critical-error and open-file error boxes for one call and
// restores the previous mode afterwards.
class QuietErrors {
public:
    QuietErrors() : previous_(::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~QuietErrors() { ::SetErrorMode(previous_); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

private:
    UINT previous_;
};

PlatformFacts ReadPlatformFacts();
std::int64_t WorkAreaWidth();

// Any match of path (wildcards allowed) that is not a folder, hidden or system.
bool IsPlainFile(const std::string& path);
// The whole file, shared with other readers (a writer is waited out for a
// moment); empty when it cannot be read or is larger than kConfigSizeLimit.
std::string ReadWholeFile(const std::string& path);
// The full path of path (relative to the current folder); path itself when
// the platform cannot make it full.
std::string FullPath(const std::string& path);
// Creates or replaces path (no sharing; a holder is waited out for a moment)
// and writes bytes. 0 on success, else
// the platform error code; failedAtCreate tells which step failed.
DWORD WriteWholeFile(const std::string& path, const void* bytes, std::size_t size, bool* failedAtCreate = nullptr);
void DeleteQuietly(const std::string& path);

// One value of the user's default terminal choice (kDelegationConsoleName or
// kDelegationTerminalName), only read, with its terminator: nullopt when the
// key or value is missing, not a string, or longer than any choice.
std::optional<std::string> ReadDelegationValue(const char* name);

// The Windows folder as GetWindowsDirectoryA gives it; empty on failure.
std::string WindowsFolder();

// The console window of a running process, through a moment's attachment to
// its console; null where it has none yet or the platform lacks the calls
// (Windows 95, 98 and NT 4). The launcher has no console of its own.
HWND ConsoleWindowOf(DWORD processId);

// ShowWindowAsync, looked up where the platform has it (ShowWindow elsewhere).
void ShowWindowPosted(HWND window, int showCommand);

void ShowMessage(const Message& message);

}  // namespace veskor::zmv
