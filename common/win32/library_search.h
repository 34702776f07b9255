// Libraries come from the system folder only: the programs run from a folder
// that every user may write, so nothing may be picked up from there or from
// the current folder by a bare library name.
#pragma once

#include <windows.h>

#include <string>

namespace veskor::win32 {

// The system folder as this (32-bit) program sees it, without a trailing "\".
inline std::string SystemFolder() {
    char buffer[MAX_PATH] = {};
    const UINT n = ::GetSystemDirectoryA(buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::string();
    std::string folder(buffer, n);
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

// A function of a loaded library as the given function pointer type; null when
// the library lacks it.
template <typename Function>
Function ProcAddress(HMODULE library, const char* name) {
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name))) : nullptr;
}

// Loads a system library by its full path; the libraries it needs are then
// searched for beside it rather than beside the program. Null when it is not
// there (no other folder is tried).
inline HMODULE LoadSystemLibrary(const char* name) {
    const std::string folder = SystemFolder();
    if (folder.empty()) return nullptr;
    const std::string path = folder + "\\" + name;
    return ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Takes the program's folder and the current folder out of the search for
// libraries loaded later by name (by the platform's own libraries, too), where
// the platform offers the calls; older systems lack them and keep their order.
inline void KeepLibrariesToSystemFolder() {
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (const auto setDefault = ProcAddress<BOOL(WINAPI*)(DWORD)>(kernel, "SetDefaultDllDirectories"))
        setDefault(kSearchSystem32);
    if (const auto setDirectory = ProcAddress<BOOL(WINAPI*)(LPCSTR)>(kernel, "SetDllDirectoryA"))
        setDirectory("");
}

}  // namespace veskor::win32
