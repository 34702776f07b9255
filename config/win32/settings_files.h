// The configuration utility's settings files on disk: the working folder, the
// load and the save over the platform's file and private-profile calls.
#pragma once

#include <string>

#include "config_settings.h"
#include "handles.h"

namespace veskor::config::win32 {

// Every text file is opened for the single read or write and closed before the
// call returns: read shared with other readers, written without sharing, each
// waiting out for a moment another program that holds the file. A file is
// saved by writing a new one whole beside it, reading it back, and putting it
// in its place in one step, so that a reader finds the whole old or the whole
// new file and a failure leaves the old one as it was. A save holds the lock
// file of the folder without sharing while it runs.
class DiskSettingsStore : public SettingsStore {
public:
    // replacingRename false: the platform has no rename that replaces a file
    // (Windows 95/98), which a store otherwise finds out at its first write.
    explicit DiskSettingsStore(bool replacingRename = true) : replacing_(replacingRename) {}
    void Search(const std::string& pattern, const std::function<bool(const DirEntry&)>& visit) override;
    FileRead ReadFile(const std::string& path) override;
    std::string ReadSetting(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& fallback) override;
    WriteResult WriteFile(const std::string& path, const std::string& bytes) override;
    SaveLock BeginSave(const std::string& folder) override;
    void EndSave() override;
    // The lock file was there before BeginSave took it: a save was cut off.
    bool LockWasLeft() const { return lockWasLeft_; }

private:
    veskor::win32::UniqueFile lock_;
    std::string lockPath_;
    bool lockWasLeft_ = false;
    bool replacing_;
};

// Largest file the load reads; anything beyond is not part of the settings.
inline constexpr std::size_t kReadLimit = 16u * 1024u * 1024u;

// Fixes the working folder from the current folder and the program's own
// folder (as found at program start), and makes it the current folder when it
// differs.
std::string FixWorkingFolder(const std::string& ownFolder);

LoadResult LoadSettingsFromDisk(const std::string& workingFolder);
SaveReport SaveSettingsToDisk(const std::string& workingFolder, const ConfigSettings& settings);
// The message after a save that left files unsaved, with the platform's reasons.
std::string SaveFailureMessage(const std::string& workingFolder, const SaveReport& report);
// Tries once more to put back the earlier contents of each file a save left
// aside or damaged.
void PutBackEarlier(const std::string& workingFolder, const SaveReport& report);

}  // namespace veskor::config::win32
