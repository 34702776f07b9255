// Console window launcher cases: a launcher folder with VESKOR1.EXE and its
// .zmv file, the stand-in console application as the configured program, and
// a run of the launcher that answers its message boxes and watches the console
// settings it writes while they exist.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct ZmvLayout {
    std::string root;     // the case's folder
    std::string inst;     // VESKOR1.EXE and VESKOR1.ZMV
    std::string program;  // the stand-in, copied as VESKOR32.EXE
    std::string zmv() const;
    std::string launcher() const;
    std::string log() const;  // the stand-in's log
};

// A fresh layout; programFolder is the stand-in's folder below the case folder.
ZmvLayout MakeZmvLayout(const std::string& caseName, const std::string& programFolder = "APP");

struct MessageBoxSeen {
    std::string caption;
    std::string text;
};

// Values of a console settings key, read while it existed with all six values.
struct ConsoleKeySeen {
    DWORD fontSize = 0, fontFamily = 0, fullScreen = 0, fontWeight = 0, quickEdit = 0;
    std::string faceName;
    DWORD faceNameBytes = 0;
};

// The console settings key NAME in the registry VIEW (0: the program's own), when it holds all six values.
std::optional<ConsoleKeySeen> ReadConsoleKey(const std::string& name, REGSAM view = 0);

struct LaunchRun {
    DWORD exitCode = STILL_ACTIVE;
    double elapsedMs = 0;
    double cpuMs = 0;  // the launcher's own processor time, kernel and user
    std::vector<MessageBoxSeen> boxes;
    std::optional<ConsoleKeySeen> key;
    std::string pif;  // the watched file's bytes, when seen complete
};

struct LaunchWatch {
    std::string consoleKey;  // e.g. "Console\\Title"; "" for none
    std::string pifPath;     // file to capture while it exists; "" for none
    std::size_t pifSize = 967;
};

// Runs "launcher" [tail] from folder, clicks OK on each of its message boxes,
// and waits until it and everything it started have ended.
LaunchRun RunLauncher(const std::string& launcher, const std::string& tail, const std::string& folder,
                      const LaunchWatch& watch = {});

// Processor time (kernel and user) a process has used, in milliseconds.
double CpuMs(HANDLE process);

bool KeyExists(const std::string& consoleKey);

// The user's default terminal choice, DelegationConsole and DelegationTerminal
// under HKCU\Console\%%Startup: each set to its text, or removed for nullptr
// (as in a fresh profile). Windows Terminal's pair, and the zero id of "Let
// Windows decide".
inline constexpr const char* kTerminalConsole = "{2EACA947-7F5F-4CFA-BA87-8F7FBEEFBE69}";
inline constexpr const char* kTerminalTerminal = "{E12CFF52-A866-4C77-9A90-F570A7AA2C6B}";
inline constexpr const char* kLetWindowsDecide = "{00000000-0000-0000-0000-000000000000}";
bool SetDefaultTerminal(const char* console, const char* terminal);

// Sets an environment variable for the programs the driver starts, while it lives.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value);
    ~ScopedVariable();
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace e2e
