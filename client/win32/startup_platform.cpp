#include "startup_platform.h"

#include <windows.h>

#include "handles.h"
#include "platform.h"
#include "shared_files.h"

namespace veskor::client {

std::string Win32StartupPlatform::CurrentFolder() { return win32::CurrentFolder(); }
std::string Win32StartupPlatform::ModulePath() { return win32::ModulePath(); }

void Win32StartupPlatform::SetCurrentFolder(const std::string& folder) {
    ::SetCurrentDirectoryA(folder.c_str());
}

void Win32StartupPlatform::Search(const std::string& pattern,
                                  const std::function<bool(const DirEntry&)>& visit) {
    win32::SearchDirectory(pattern, visit);
}

std::string Win32StartupPlatform::ReadSetting(const std::string& file, const std::string& section,
                                              const std::string& key, const std::string& fallback) {
    return win32::ReadSetting(file, section, key, fallback);
}

OpenFailure Win32StartupPlatform::OpenAndCloseLockFile(const std::string& path) {
    // Read access with read sharing only: the open fails while another process
    // holds the file for writing, or without read sharing.
    win32::UniqueFile lock(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (lock) return {};
    return win32::DescribeOpenFailure(path, ::GetLastError());
}

OpenFailure Win32StartupPlatform::OpenAndCloseForReading(const std::string& path) {
    // Shared as the profile functions share it: only what stops them counts.
    win32::UniqueFile file(
        win32::OpenFileWaiting(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
    if (file) return {};
    return win32::DescribeOpenFailure(path, ::GetLastError());
}

void Win32StartupPlatform::Pause(unsigned milliseconds) { ::Sleep(milliseconds); }

}  // namespace veskor::client
