// Processes for the end-to-end driver and the tools: each started in a job of
// its own (so that every process it starts is counted), the start signal the
// fixtures give, waiting and timing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "handles.h"

namespace e2e {

// A named event that fixtures set when they start (via VESKOR_TEST_EVENT).
class StartSignal {
public:
    StartSignal();
    ~StartSignal();
    StartSignal(const StartSignal&) = delete;
    StartSignal& operator=(const StartSignal&) = delete;
    bool Wait(DWORD ms);

private:
    veskor::win32::UniqueHandle event_;
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
    HANDLE handle() const { return process_.get(); }
    DWORD id() const { return id_; }

private:
    veskor::win32::UniqueHandle job_;
    veskor::win32::UniqueHandle process_;
    DWORD id_ = 0;
};

// Starts lockholder.exe on path (ACCESS SHARE MS as the fixture takes them) and
// waits until it holds the file.
bool HoldLock(Process& holder, const std::string& path, const std::string& accessShareMs, const std::string& folder);

// Polls until done() holds; false after ms.
bool WaitUntil(const std::function<bool()>& done, DWORD ms = 3000);

// Milliseconds from a high-resolution counter.
double NowMs();

}  // namespace e2e
