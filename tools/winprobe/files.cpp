#include "files.h"

#include <windows.h>

#include <cstdio>

#include "handles.h"
#include "harness.h"

namespace e2e {

using veskor::win32::UniqueFile;
using veskor::win32::UniqueFind;

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
    UniqueFind find(FindFirstFileA(Join(path, "*").c_str(), &data));
    if (find) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = Join(path, name);
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
            else DeleteFileA(child.c_str());
        } while (FindNextFileA(find.get(), &data));
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
    UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Join(folder, "*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (found.cFileName[0] != '.') files[found.cFileName] = ReadText(Join(folder, found.cFileName)).value_or("<folder>");
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return files;
}

void RestoreFolder(const std::string& folder, const std::map<std::string, std::string>& files) {
    for (const auto& [name, text] : Snapshot(folder)) {
        const std::string path = Join(folder, name);
        if (!files.count(name)) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL), DeleteFileA(path.c_str());
        else if (files.at(name) != text) WriteText(path, files.at(name));
    }
    for (const auto& [name, text] : files)
        if (!Exists(Join(folder, name))) WriteText(Join(folder, name), text);
}

std::optional<std::string> ReadText(const std::string& path) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
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

void Report(const std::string& file, const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (Env().out.empty()) return;
    UniqueFile log(CreateFileA(Join(Env().out, file).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(log.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace e2e
