#include "zmv_platform.h"

#include "handles.h"

namespace veskor::zmv {

std::string LauncherPath() {
    char buffer[1024] = {};
    const DWORD n = ::GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    std::string path(buffer, n < sizeof buffer ? n : sizeof buffer);
    while (!path.empty() && path.back() == '\0') path.pop_back();
    return path;
}

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
    win32::UniqueFile file(
        ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::string();
    std::string text;
    char buffer[65536];
    DWORD got = 0;
    for (;;) {
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return std::string();
        if (got == 0) return text;
        text.append(buffer, got);
    }
}

DWORD WriteWholeFile(const std::string& path, const void* bytes, std::size_t size, bool* failedAtCreate) {
    QuietErrors quiet;
    if (failedAtCreate) *failedAtCreate = true;
    win32::UniqueFile file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
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

void ShowMessage(const Message& message) {
    ::MessageBoxA(nullptr, message.text.c_str(), message.caption.c_str(), MB_OK);
}

}  // namespace veskor::zmv
