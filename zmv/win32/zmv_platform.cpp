#include "zmv_platform.h"

#include "handles.h"
#include "library_search.h"
#include "shared_files.h"
#include "zmv_start.h"

namespace veskor::zmv {

PlatformFacts ReadPlatformFacts() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
    ::GetVersionExA(&info);
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.dwPlatformId};
}

std::int64_t WorkAreaWidth() {
    RECT area = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return static_cast<std::int64_t>(area.right) - area.left;
}

bool IsPlainFile(const std::string& path) {
    QuietErrors quiet;
    WIN32_FIND_DATAA data;
    win32::UniqueFind find(::FindFirstFileA(path.c_str(), &data));
    if (!find) return false;
    const DWORD excluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((data.dwFileAttributes & excluded) == 0) return true;
    } while (::FindNextFileA(find.get(), &data));
    return false;
}

std::string ReadWholeFile(const std::string& path) {
    QuietErrors quiet;
    return win32::ReadWholeFile(path, kConfigSizeLimit, OverLimit::Refuse).bytes.value_or(std::string());
}

std::string FullPath(const std::string& path) {
    char buffer[1024] = {};
    char* name = nullptr;
    const DWORD n = ::GetFullPathNameA(path.c_str(), sizeof buffer, buffer, &name);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : path;
}

DWORD WriteWholeFile(const std::string& path, const void* bytes, std::size_t size, bool* failedAtCreate) {
    QuietErrors quiet;
    if (failedAtCreate) *failedAtCreate = true;
    win32::UniqueFile file(win32::CreateForWriting(path.c_str()));
    if (!file) return ::GetLastError();
    if (failedAtCreate) *failedAtCreate = false;
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes, static_cast<DWORD>(size), &written, nullptr)) return ::GetLastError();
    if (written != size) return ERROR_HANDLE_DISK_FULL;
    return 0;
}

void DeleteQuietly(const std::string& path) {
    QuietErrors quiet;
    ::DeleteFileA(path.c_str());
}

std::optional<std::string> ReadDelegationValue(const char* name) {
    win32::UniqueHkey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kStartupKeyName, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return std::nullopt;
    char buffer[128] = {};
    DWORD type = 0, size = sizeof buffer;
    if (::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        type != REG_SZ || size > sizeof buffer)
        return std::nullopt;
    return std::string(buffer, size);
}

std::string WindowsFolder() {
    char buffer[MAX_PATH] = {};
    const UINT n = ::GetWindowsDirectoryA(buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

HWND ConsoleWindowOf(DWORD processId) {
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    static const auto attach = win32::ProcAddress<BOOL(WINAPI*)(DWORD)>(kernel, "AttachConsole");
    static const auto window = win32::ProcAddress<HWND(WINAPI*)()>(kernel, "GetConsoleWindow");
    static const auto release = win32::ProcAddress<BOOL(WINAPI*)()>(kernel, "FreeConsole");
    if (!attach || !window || !release) return nullptr;
    ::SetConsoleCtrlHandler(nullptr, TRUE);  // a Ctrl+C in that console meanwhile must not end the launcher
    // Refused while the launcher holds a console already, one a console
    // program that started it passed on: of no use to it, so left.
    if (!attach(processId) && (::GetLastError() != ERROR_ACCESS_DENIED || !release() || !attach(processId)))
        return nullptr;
    HWND found = window();
    release();
    return found;
}

void ShowWindowPosted(HWND window, int showCommand) {
    using ShowFunction = BOOL(WINAPI*)(HWND, int);
    static const auto posted = win32::ProcAddress<ShowFunction>(::GetModuleHandleA("user32.dll"), "ShowWindowAsync");
    (posted ? posted : &::ShowWindow)(window, showCommand);
}

void ShowMessage(const Message& message) {
    ::MessageBoxA(nullptr, message.text.c_str(), message.caption.c_str(), MB_OK);
}

}  // namespace veskor::zmv
