#include "settings_files.h"

#include <windows.h>

#include <new>

#include "handles.h"
#include "platform.h"
#include "shared_files.h"

namespace veskor::config::win32 {

using veskor::win32::UniqueFile;

void DiskSettingsStore::Search(const std::string& pattern, const std::function<bool(const DirEntry&)>& visit) {
    veskor::win32::SearchDirectory(pattern, visit);
}

FileRead DiskSettingsStore::ReadFile(const std::string& path) {
    UniqueFile file(veskor::win32::OpenForReading(path.c_str()));
    if (!file) return {std::nullopt, veskor::win32::DescribeOpenFailure(path, ::GetLastError())};
    const auto failed = [](DWORD error) {
        return FileRead{std::nullopt, {FileFailure::Refused, veskor::win32::ErrorText(error)}};
    };
    try {
        std::string bytes;
        char chunk[65536];
        while (bytes.size() < kReadLimit) {
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(sizeof chunk, kReadLimit - bytes.size()));
            if (!::ReadFile(file.get(), chunk, want, &got, nullptr)) return failed(::GetLastError());
            if (got == 0) break;
            bytes.append(chunk, got);
        }
        return {std::move(bytes), {}};
    } catch (const std::bad_alloc&) {
        return failed(ERROR_NOT_ENOUGH_MEMORY);  // too large for this process
    }
}

std::string DiskSettingsStore::ReadSetting(const std::string& file, const std::string& section,
                                           const std::string& key, const std::string& fallback) {
    return veskor::win32::ReadSetting(file, section, key, fallback);
}

bool DiskSettingsStore::WriteFile(const std::string& path, const std::string& bytes) {
    UniqueFile file(veskor::win32::CreateForWriting(path.c_str()));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool DiskSettingsStore::WriteSetting(const std::string& file, const std::string& section, const std::string& key,
                                     const std::string& value) {
    return veskor::win32::RetryWhileBusy([&] {
        return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != FALSE;
    });
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
