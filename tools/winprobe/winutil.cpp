#include "winutil.h"

#include <algorithm>
#include <cstdio>

#include "harness.h"

namespace e2e {

std::string Join(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

void MakeFolders(const std::string& path) {
    for (std::size_t i = 3; i <= path.size(); ++i)
        if (i == path.size() || path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
}

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(Join(path, "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = Join(path, name);
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
            else DeleteFileA(child.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

std::string FreshFolder(const std::string& name) {
    const std::string path = Join(Env().work, name);
    RemoveTree(path);
    MakeFolders(path);
    return path;
}

bool WriteText(const std::string& path, const std::string& text) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == text.size();
}

std::optional<std::string> ReadText(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    CloseHandle(h);
    return text;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool CopyProgram(const std::string& builtName, const std::string& destination) {
    const bool ok = CopyFileA(Join(Env().bin, builtName).c_str(), destination.c_str(), FALSE) != 0;
    if (!ok) Fail(__FILE__, __LINE__, "cannot copy " + builtName + " to " + destination);
    return ok;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

int CountOf(const std::string& text, const std::string& needle) {
    int n = 0;
    for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size())) ++n;
    return n;
}

std::string LogValue(const std::string& log, const std::string& key) {
    for (const std::string& line : Lines(log))
        if (line.compare(0, key.size() + 1, key + "=") == 0) return line.substr(key.size() + 1);
    return "<no " + key + ">";
}

StartSignal::StartSignal() {
    static int counter = 0;
    char name[96];
    std::snprintf(name, sizeof name, "veskor-e2e-%lu-%d", GetCurrentProcessId(), ++counter);
    event_ = CreateEventA(nullptr, TRUE, FALSE, name);
    SetEnvironmentVariableA("VESKOR_TEST_EVENT", name);
}

StartSignal::~StartSignal() {
    SetEnvironmentVariableA("VESKOR_TEST_EVENT", nullptr);
    CloseHandle(event_);
}

bool StartSignal::Wait(DWORD ms) { return WaitForSingleObject(event_, ms) == WAIT_OBJECT_0; }

Process::~Process() {
    if (process_) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) Kill();
        CloseHandle(process_);
    }
    if (job_) {
        WaitJobEmpty(5000);
        TerminateJobObject(job_, 1);
        CloseHandle(job_);
    }
}

bool Process::Start(const std::string& commandLine, const std::string& folder) {
    job_ = CreateJobObjectA(nullptr, nullptr);
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
    AssignProcessToJobObject(job_, pi.hProcess);
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    id_ = pi.dwProcessId;
    return true;
}

DWORD Process::WaitExit(DWORD ms) {
    if (!process_ || WaitForSingleObject(process_, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_, &code);
    return code;
}

namespace {
JOBOBJECT_BASIC_ACCOUNTING_INFORMATION Accounting(HANDLE job) {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = {};
    if (job) QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr);
    return info;
}
}  // namespace

DWORD Process::TotalProcesses() const { return Accounting(job_).TotalProcesses; }
DWORD Process::ActiveProcesses() const { return Accounting(job_).ActiveProcesses; }

bool Process::WaitJobEmpty(DWORD ms) {
    const DWORD start = GetTickCount();
    while (ActiveProcesses() > 0) {
        if (GetTickCount() - start > ms) return false;
        Sleep(20);
    }
    return true;
}

void Process::Kill() {
    if (job_) TerminateJobObject(job_, 1);
    else if (process_) TerminateProcess(process_, 1);
}

bool SetUserString(const std::string& key, const char* name, const char* value) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const LONG set = RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                                    static_cast<DWORD>(lstrlenA(value) + 1));
    RegCloseKey(h);
    return set == ERROR_SUCCESS;
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD t0 = GetTickCount();
    while (!done()) {
        if (GetTickCount() - t0 > ms) return false;
        Sleep(5);
    }
    return true;
}

namespace {

// Runs the host's chattr on a file of the prefix through Wine's own exports.
bool Chattr(const std::string& path, const char* flag) {
    using UnixName = char*(__cdecl*)(const WCHAR*);
    using Spawn = LONG(WINAPI*)(char* const*, int);
    // Through void*: the exports' real types are not FARPROC's.
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    const auto spawn = reinterpret_cast<Spawn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    WCHAR wide[MAX_PATH] = {};
    if (!unixName || !spawn || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH)) return false;
    char* name = unixName(wide);
    if (!name) return false;
    char chattr[] = "chattr", option[4] = {};
    lstrcpynA(option, flag, sizeof option);
    char* const argv[] = {chattr, option, name, nullptr};
    const LONG status = spawn(argv, TRUE);
    HeapFree(GetProcessHeap(), 0, name);
    return status == 0;
}

}  // namespace

Unchangeable::Unchangeable(std::string path) : path_(std::move(path)), ok_(Chattr(path_, "+i")) {
    if (!ok_) Fail(__FILE__, __LINE__, "cannot make " + path_ + " unchangeable");
}

Unchangeable::~Unchangeable() {
    if (ok_) Chattr(path_, "-i");
}

bool HoldLock(Process& holder, const std::string& path, const std::string& accessShareMs, const std::string& folder) {
    StartSignal held;
    if (!holder.Start("\"" + Join(Env().bin, "lockholder.exe") + "\" \"" + path + "\" " + accessShareMs, folder))
        return false;
    const bool ok = held.Wait(10000);
    if (!ok) Fail(__FILE__, __LINE__, "lock holder did not open " + path);
    return ok;
}

}  // namespace e2e

namespace e2e {

ScreenImage CaptureWindow(HWND window, int bitCount) {
    ScreenImage image;
    RECT r;
    if (!GetWindowRect(window, &r)) return image;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return image;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = bitCount == 32 ? -h : h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib) {
        HGDIOBJ old = SelectObject(mem, dib);
        const DWORD rowBytes = ((w * bitCount / 8 + 3) / 4) * 4;
        // Under Wine the screen DC holds what windows drawn straight onto the
        // display show, while a window inside the desktop's frame (the console
        // window) reads back black there: take the window's own DC for those.
        BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        const char* p = static_cast<const char*>(bits);
        if (std::all_of(p, p + rowBytes * h, [](char c) { return c == 0; })) {
            HDC source = GetWindowDC(window);
            BitBlt(mem, 0, 0, w, h, source, 0, 0, SRCCOPY);
            ReleaseDC(window, source);
        }
        GdiFlush();
        image.width = w;
        image.height = h;
        image.bits.assign(static_cast<const char*>(bits), rowBytes * h);
        SelectObject(mem, old);
        DeleteObject(dib);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return image;
}

bool SaveWindowBitmap(HWND window, const std::string& bmpPath) {
    const ScreenImage image = CaptureWindow(window, 24);
    if (image.bits.empty()) return false;
    BITMAPINFOHEADER bh = {};
    bh.biSize = sizeof bh;
    bh.biWidth = image.width;
    bh.biHeight = image.height;
    bh.biPlanes = 1;
    bh.biBitCount = 24;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bh;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(image.bits.size());
    std::string data(reinterpret_cast<const char*>(&fh), sizeof fh);
    data.append(reinterpret_cast<const char*>(&bh), sizeof bh);
    data += image.bits;
    return WriteText(bmpPath, data);
}

double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

void Report(const std::string& file, const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (Env().out.empty()) return;
    HANDLE h = CreateFileA(Join(Env().out, file).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
}

}  // namespace e2e
