#include "settings_files.h"

#include <windows.h>

#include "handles.h"
#include "platform.h"

namespace veskor::config::win32 {

using veskor::win32::UniqueFile;

void DiskSettingsStore::Search(const std::string& pattern, const std::function<bool(const DirEntry&)>& visit) {
    veskor::win32::SearchDirectory(pattern, visit);
}

std::optional<std::string> DiskSettingsStore::ReadFile(const std::string& path) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[65536];
    while (bytes.size() < kReadLimit) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(sizeof chunk, kReadLimit - bytes.size()));
        if (!::ReadFile(file.get(), chunk, want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        bytes.append(chunk, got);
    }
    return bytes;
}

std::string DiskSettingsStore::ReadSetting(const std::string& file, const std::string& section,
                                           const std::string& key, const std::string& fallback) {
    return veskor::win32::ReadSetting(file, section, key, fallback);
}

bool DiskSettingsStore::WriteFile(const std::string& path, const std::string& bytes) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool DiskSettingsStore::WriteSetting(const std::string& file, const std::string& section, const std::string& key,
                                     const std::string& value) {
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

std::string FixWorkingFolder(const std::string& ownFolder) {
    const WorkingFolder w =
        ChooseWorkingFolder(veskor::win32::PlatformSearch(), veskor::win32::CurrentFolder(), ownFolder);
    if (w.changeCurrent) ::SetCurrentDirectoryA(w.folder.c_str());
    return w.folder;
}

LoadResult LoadSettingsFromDisk(const std::string& workingFolder) {
    DiskSettingsStore store;
    return LoadSettings(workingFolder, store);
}

SaveReport SaveSettingsToDisk(const std::string& workingFolder, const ConfigSettings& settings) {
    DiskSettingsStore store;
    return SaveSettings(workingFolder, settings, store);
}

}  // namespace veskor::config::win32
