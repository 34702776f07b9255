#include "zmv_setup.h"

#include <utility>

#include "form_probe.h"
#include "harness.h"
#include "winutil.h"

namespace e2e {

std::string ZmvLayout::zmv() const { return Join(inst, "VESKOR1.ZMV"); }
std::string ZmvLayout::launcher() const { return Join(inst, "VESKOR1.EXE"); }
std::string ZmvLayout::log() const {
    const std::string folder = program.substr(0, program.find_last_of('\\'));
    return Join(folder, "VESKOR32.LOG");
}

ZmvLayout MakeZmvLayout(const std::string& caseName, const std::string& programFolder) {
    ZmvLayout l;
    l.root = FreshFolder(caseName);
    l.inst = Join(l.root, "INST");
    MakeFolders(l.inst);
    MakeFolders(Join(l.root, programFolder));
    l.program = Join(Join(l.root, programFolder), "VESKOR32.EXE");
    CopyProgram("VESKOR1.EXE", l.launcher());
    CopyProgram("standin.exe", l.program);
    return l;
}

namespace {

BOOL CALLBACK LongestStatic(HWND child, LPARAM param) {
    auto* best = reinterpret_cast<std::string*>(param);
    if (lstrcmpiA(ClassOf(child).c_str(), "Static") == 0) {
        const std::string text = WindowText(child);
        if (text.size() > best->size()) *best = text;
    }
    return TRUE;
}

}  // namespace

std::optional<ConsoleKeySeen> ReadConsoleKey(const std::string& name, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return std::nullopt;
    ConsoleKeySeen seen;
    bool complete = true;
    const auto dword = [&](const char* value, DWORD& out) {
        DWORD type = 0, size = sizeof out;
        complete = complete && RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(&out), &size) ==
                                   ERROR_SUCCESS && type == REG_DWORD;
    };
    dword("FontSize", seen.fontSize);
    char face[64] = {};
    DWORD type = 0, size = sizeof face;
    complete = complete && RegQueryValueExA(key, "FaceName", nullptr, &type, reinterpret_cast<BYTE*>(face), &size) ==
                               ERROR_SUCCESS && type == REG_SZ;
    seen.faceName = face;
    seen.faceNameBytes = size;
    dword("FontFamily", seen.fontFamily);
    dword("FullScreen", seen.fullScreen);
    dword("FontWeight", seen.fontWeight);
    dword("QuickEdit", seen.quickEdit);
    RegCloseKey(key);
    if (!complete) return std::nullopt;
    return seen;
}

LaunchRun RunLauncher(const std::string& launcher, const std::string& tail, const std::string& folder,
                      const LaunchWatch& watch) {
    LaunchRun run;
    Process p;
    const double t0 = NowMs();
    if (!p.Start("\"" + launcher + "\"" + (tail.empty() ? "" : " " + tail), folder)) return run;
    for (;;) {
        const bool ended = WaitForSingleObject(p.handle(), 1) == WAIT_OBJECT_0;
        if (!watch.consoleKey.empty() && !run.key) run.key = ReadConsoleKey(watch.consoleKey);
        if (!watch.pifPath.empty() && run.pif.empty() && FileSize(watch.pifPath) == static_cast<long long>(watch.pifSize))
            run.pif = ReadText(watch.pifPath).value_or("");
        HWND found = FindProcessWindow(p.id(), "#32770");
        if (found && IsWindowVisible(found)) {
            MessageBoxSeen box{WindowText(found), ""};
            EnumChildWindows(found, LongestStatic, reinterpret_cast<LPARAM>(&box.text));
            run.boxes.push_back(box);
            PostMessageA(found, WM_COMMAND, IDOK, 0);
            while (IsWindow(found) && WaitForSingleObject(p.handle(), 5) == WAIT_TIMEOUT) {
            }
        }
        if (ended || NowMs() - t0 > 300000) break;
    }
    run.exitCode = p.WaitExit(0);
    run.elapsedMs = NowMs() - t0;
    run.cpuMs = CpuMs(p.handle());
    CHECK_MSG(run.exitCode != STILL_ACTIVE, launcher + " did not end");
    CHECK_MSG(p.WaitJobEmpty(15000), "processes left running after " + launcher);
    return run;
}

double CpuMs(HANDLE process) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return -1;
    const auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

bool KeyExists(const std::string& consoleKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, consoleKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool SetDefaultTerminal(const char* console, const char* terminal) {
    const char* const key = "Console\\%%Startup";
    bool done = true;
    for (const auto& [name, value] : {std::pair{"DelegationConsole", console}, std::pair{"DelegationTerminal", terminal}}) {
        if (value) {
            done = SetUserString(key, name, value) && done;
            continue;
        }
        HKEY h = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, &h) != ERROR_SUCCESS) continue;
        const LONG removed = RegDeleteValueA(h, name);
        RegCloseKey(h);
        done = (removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND) && done;
    }
    return done;
}

ScopedVariable::ScopedVariable(const char* name, const char* value) : name_(name) {
    char old[1024];
    const DWORD n = GetEnvironmentVariableA(name, old, sizeof old);
    if (n > 0 && n < sizeof old) old_ = std::string(old, n);
    SetEnvironmentVariableA(name, value);
}

ScopedVariable::~ScopedVariable() { SetEnvironmentVariableA(name_.c_str(), old_ ? old_->c_str() : nullptr); }

}  // namespace e2e
