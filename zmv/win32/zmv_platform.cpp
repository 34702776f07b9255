#include "zmv_platform.h"

#include <new>

#include "handles.h"
#include "shared_files.h"
#include "zmv_start.h"

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
    win32::UniqueFile file(win32::OpenForReading(path.c_str()));
    if (!file) return std::string();
    try {
        return ReadWithinLimit([&file](char* buffer, std::size_t size) -> long {
            DWORD got = 0;
            if (!::ReadFile(file.get(), buffer, static_cast<DWORD>(size), &got, nullptr)) return -1;
            return static_cast<long>(got);
        });
    } catch (const std::bad_alloc&) {
        return std::string();
    }
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

std::optional<std::string> ReadDelegationChoice() {
    win32::UniqueHkey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kStartupKeyName, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return std::nullopt;
    char buffer[128] = {};
    DWORD type = 0, size = sizeof buffer;
    if (::RegQueryValueExA(key.get(), kDelegationValueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ || size > sizeof buffer)
        return std::nullopt;
    return std::string(buffer, size);
}

void ShowMessage(const Message& message) {
    ::MessageBoxA(nullptr, message.text.c_str(), message.caption.c_str(), MB_OK);
}

}  // namespace veskor::zmv
