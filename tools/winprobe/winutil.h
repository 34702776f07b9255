// Platform helpers for the end-to-end driver: files, folders, processes in a
// job (so that every process they start is counted), named events.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

std::string Join(const std::string& folder, const std::string& name);
void MakeFolders(const std::string& path);
void RemoveTree(const std::string& path);
// A fresh, empty scratch folder for a case.
std::string FreshFolder(const std::string& name);
bool WriteText(const std::string& path, const std::string& text);
std::optional<std::string> ReadText(const std::string& path);
bool Exists(const std::string& path);
long long FileSize(const std::string& path);  // -1 when missing
bool CopyProgram(const std::string& builtName, const std::string& destination);
std::vector<std::string> Lines(const std::string& text);
int CountOf(const std::string& text, const std::string& needle);
// Value of "KEY=value" in a fixture log's first block.
std::string LogValue(const std::string& log, const std::string& key);

// A named event that fixtures set when they start (via VESKOR_TEST_EVENT).
class StartSignal {
public:
    StartSignal();
    ~StartSignal();
    bool Wait(DWORD ms);

private:
    HANDLE event_;
};

// A process started inside a job object of its own: every process it starts
// joins the same job, so the driver can tell how many were started.
class Process {
public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();

    bool Start(const std::string& commandLine, const std::string& folder);
    // Exit code, or STILL_ACTIVE after a time-out.
    DWORD WaitExit(DWORD ms);
    // Waits until no process of the job is left.
    bool WaitJobEmpty(DWORD ms);
    // Processes ever started in the job, this one included.
    DWORD TotalProcesses() const;
    DWORD ActiveProcesses() const;
    void Kill();
    HANDLE handle() const { return process_; }
    DWORD id() const { return id_; }

private:
    HANDLE job_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// Sets a string value under HKEY_CURRENT_USER, creating the key.
bool SetUserString(const std::string& key, const char* name, const char* value);

// Polls until done() holds; false after ms.
bool WaitUntil(const std::function<bool()>& done, DWORD ms = 3000);

// File-system failures for a case, under Wine only. Unchangeable: the host's
// "chattr +i" on a file or folder (refuses every change, even to root; the
// platform reports "Access is denied"), taken back when the owner goes. The
// session's fault library (tests/fixtures/fault_preload.c) fails every write
// into a folder that holds NoSpaceMarker(folder) with "no space", every open
// of a file beside which NoReadMarker(path) exists and every rename into a
// name beside which NoRenameMarker(path) exists with "access denied".
class Unchangeable {
public:
    explicit Unchangeable(std::string path);
    ~Unchangeable();
    Unchangeable(const Unchangeable&) = delete;
    Unchangeable& operator=(const Unchangeable&) = delete;
    bool ok() const { return ok_; }

private:
    std::string path_;
    bool ok_;
};
inline std::string NoSpaceMarker(const std::string& folder) { return Join(folder, ".nospace"); }
inline std::string NoReadMarker(const std::string& path) { return path + ".noread"; }
inline std::string NoRenameMarker(const std::string& path) { return path + ".norename"; }

// Starts lockholder.exe on path (ACCESS SHARE MS as the fixture takes them) and
// waits until it holds the file.
bool HoldLock(Process& holder, const std::string& path, const std::string& accessShareMs, const std::string& folder);

}  // namespace e2e

namespace e2e {

// What the screen shows of a window's outer rectangle: with 24 bits, bottom-up
// rows padded to 4 bytes as a BMP holds them; with 32, top-down 0x00RRGGBB values.
struct ScreenImage {
    int width = 0;
    int height = 0;
    std::string bits;
};
ScreenImage CaptureWindow(HWND window, int bitCount);

// Saves what the screen shows of a window (its outer rectangle) as a 24-bit BMP.
bool SaveWindowBitmap(HWND window, const std::string& bmpPath);

// Milliseconds from a high-resolution counter.
double NowMs();

// A text line for the run's report (stdout and VESKOR_OUT\<file>).
void Report(const std::string& file, const std::string& line);

}  // namespace e2e
