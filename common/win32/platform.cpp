#include "platform.h"

#include <windows.h>

#include <vector>

#include "handles.h"

namespace veskor::win32 {

namespace {
DirEntry ToEntry(const WIN32_FIND_DATAA& data) {
    DirEntry e;
    e.name = data.cFileName;
    e.hidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    e.system = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
    e.directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return e;
}
}  // namespace

void SearchDirectory(const std::string& pattern, const std::function<bool(const DirEntry&)>& visit) {
    WIN32_FIND_DATAA data;
    UniqueFind find(::FindFirstFileA(pattern.c_str(), &data));
    if (!find) return;
    do {
        if (!visit(ToEntry(data))) return;
    } while (::FindNextFileA(find.get(), &data));
}

DirectorySearch PlatformSearch() { return SearchDirectory; }

std::string CurrentFolder() {
    // The call reports the size it needs when the buffer is too small, and then
    // leaves the buffer unfilled: ask again with room for it.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (n == 0) return std::string();
        if (n < buffer.size()) return std::string(buffer.data(), n);
        buffer.resize(n + 1);
    }
}

std::string ReadSetting(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& fallback) {
    char buffer[512] = {};
    ::GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer, sizeof buffer,
                               file.c_str());
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

std::string ErrorText(unsigned long error) {
    char buffer[512] = {};
    DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                               MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, sizeof buffer, nullptr);
    while (n > 0 && (buffer[n - 1] == '\r' || buffer[n - 1] == '\n' || buffer[n - 1] == ' ')) --n;
    if (n == 0) return "Error " + std::to_string(error) + ".";
    std::string text(buffer, n);
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    return text;
}

OpenFailure DescribeOpenFailure(const std::string& path, unsigned long error) {
    const bool absent = ::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES &&
                        ClassifyOpenFailure(::GetLastError(), false) == FileFailure::Missing;
    return {ClassifyOpenFailure(error, absent), ErrorText(error)};
}

void WriteSetting(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value) {
    ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str());
}

}  // namespace veskor::win32
