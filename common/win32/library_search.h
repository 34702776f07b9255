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
    if (!kernel) return;
    using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
    using SetDirectory = BOOL(WINAPI*)(LPCSTR);
    constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (const auto setDefault = reinterpret_cast<SetDefaultDirectories>(
            reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories"))))
        setDefault(kSearchSystem32);
    if (const auto setDirectory =
            reinterpret_cast<SetDirectory>(reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDllDirectoryA"))))
        setDirectory("");
}

}  // namespace veskor::win32
