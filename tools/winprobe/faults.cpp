#include "faults.h"

#include <windows.h>

#include "harness.h"

namespace e2e {

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

bool ArmSteps(const std::string& folder, StepMode mode, int n) {
    DeleteFileA(Join(folder, ".steplog").c_str());
    const INT32 state[4] = {mode == StepMode::CutOff ? 2 : static_cast<INT32>(mode), n, 0, 0};
    return WriteText(StepsMarker(folder), std::string(reinterpret_cast<const char*>(state), sizeof state));
}

int StepsTaken(const std::string& folder) {
    const std::optional<std::string> state = ReadText(StepsMarker(folder));
    INT32 count = -1;
    if (state && state->size() >= 12) CopyMemory(&count, state->data() + 8, sizeof count);
    return count;
}

std::string DisarmSteps(const std::string& folder) {
    DeleteFileA(StepsMarker(folder).c_str());
    const std::string log = ReadText(Join(folder, ".steplog")).value_or("");
    DeleteFileA(Join(folder, ".steplog").c_str());
    return log;
}

}  // namespace e2e
