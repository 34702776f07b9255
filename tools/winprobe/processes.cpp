#include "processes.h"

#include <cstdio>
#include <vector>

#include "files.h"
#include "harness.h"

namespace e2e {

StartSignal::StartSignal() {
    static int counter = 0;
    char name[96];
    std::snprintf(name, sizeof name, "veskor-e2e-%lu-%d", GetCurrentProcessId(), ++counter);
    event_.reset(CreateEventA(nullptr, TRUE, FALSE, name));
    SetEnvironmentVariableA("VESKOR_TEST_EVENT", name);
}

StartSignal::~StartSignal() { SetEnvironmentVariableA("VESKOR_TEST_EVENT", nullptr); }

bool StartSignal::Wait(DWORD ms) { return WaitForSingleObject(event_.get(), ms) == WAIT_OBJECT_0; }

Process::~Process() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) Kill();
    if (job_) {
        WaitJobEmpty(5000);
        TerminateJobObject(job_.get(), 1);
    }
}

bool Process::Start(const std::string& commandLine, const std::string& folder) {
    job_.reset(CreateJobObjectA(nullptr, nullptr));
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &pi)) {
        Fail(__FILE__, __LINE__, "cannot start " + commandLine);
        return false;
    }
    const veskor::win32::UniqueHandle thread(pi.hThread);
    process_.reset(pi.hProcess);
    AssignProcessToJobObject(job_.get(), pi.hProcess);
    ResumeThread(thread.get());
    id_ = pi.dwProcessId;
    return true;
}

DWORD Process::WaitExit(DWORD ms) {
    if (!process_ || WaitForSingleObject(process_.get(), ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

namespace {
JOBOBJECT_BASIC_ACCOUNTING_INFORMATION Accounting(HANDLE job) {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
    if (job) QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr);
    return info;
}
}  // namespace

DWORD Process::TotalProcesses() const { return Accounting(job_.get()).TotalProcesses; }
DWORD Process::ActiveProcesses() const { return Accounting(job_.get()).ActiveProcesses; }

bool Process::WaitJobEmpty(DWORD ms) {
    const DWORD start = GetTickCount();
    while (ActiveProcesses() > 0) {
        if (GetTickCount() - start > ms) return false;
        Sleep(20);
    }
    return true;
}

void Process::Kill() {
    if (job_) TerminateJobObject(job_.get(), 1);
    else if (process_) TerminateProcess(process_.get(), 1);
}

bool HoldLock(Process& holder, const std::string& path, const std::string& accessShareMs, const std::string& folder) {
    StartSignal held;
    if (!holder.Start("\"" + Join(Env().bin, "lockholder.exe") + "\" \"" + path + "\" " + accessShareMs, folder))
        return false;
    const bool ok = held.Wait(10000);
    if (!ok) Fail(__FILE__, __LINE__, "lock holder did not open " + path);
    return ok;
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD t0 = GetTickCount();
    while (!done()) {
        if (GetTickCount() - t0 > ms) return false;
        Sleep(5);
    }
    return true;
}

double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace e2e
