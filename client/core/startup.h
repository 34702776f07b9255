// Start-up checks of the client launcher: which status for which installation,
// which paths, which command line. The platform is reached only through
// StartupPlatform, so the whole decision runs against any file tree.
#pragma once

#include <cstdint>
#include <string>

#include "file_failure.h"
#include "folders.h"

namespace veskor::client {

enum StartupStatus : std::int32_t {
    Ok = 0,
    StartupFilesMissing = 9,
    IniMissing = -1,
    IniUnreadable = -2,
    ApplicationFolderMissing = -5,
    DataFolderMissing = -6,
    SpoolFolderMissing = -7,
    UpdateLocked = 2,
    LockFileUnreadable = 3,
};

struct StartupState {
    std::string startupFolder;
    std::string ownFolder;
    std::string iniPath;
    std::string applicationFolder;
    std::string dataFolder;
    std::string spoolFolder;
    std::string lockPath;
    std::int32_t status = Ok;
    // The platform's words for why a file could not be read (IniUnreadable,
    // LockFileUnreadable).
    std::string failureReason;
};

inline constexpr const char* kLauncherExe = "VESKOR.EXE";
inline constexpr const char* kConsoleLauncherExe = "VESKOR1.EXE";
inline constexpr const char* kConfigExe = "VESKORCFG.EXE";
inline constexpr const char* kIniName = "VESKOR.INI";
inline constexpr const char* kLockName = "VESKORUPD.LCK";
inline constexpr int kLockAttempts = 5;
inline constexpr unsigned kLockPauseMs = 2000;
inline constexpr std::size_t kCommandLineLimit = 511;

class StartupPlatform {
public:
    virtual ~StartupPlatform() = default;
    virtual std::string CurrentFolder() = 0;
    virtual std::string ModulePath() = 0;
    virtual void SetCurrentFolder(const std::string& folder) = 0;
    virtual void Search(const std::string& pattern, const std::function<bool(const DirEntry&)>& visit) = 0;
    virtual std::string ReadSetting(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& fallback) = 0;
    // Opens the lock file for reading with read sharing (created when missing) and
    // closes it again; kind None when the open succeeded.
    virtual OpenFailure OpenAndCloseLockFile(const std::string& path) = 0;
    // Opens a file for reading as the profile functions do (shared with readers
    // and writers, a short hold by another program waited out) and closes it
    // again; kind None on success.
    virtual OpenFailure OpenAndCloseForReading(const std::string& path) = 0;
    virtual void Pause(unsigned milliseconds) = 0;
};

// Runs the checks in their fixed order and returns the filled state.
StartupState RunStartupChecks(StartupPlatform& platform);

// The lock-file check alone. Ok once an open succeeds or when the file is not
// there and cannot be created (nothing can hold a file that does not exist);
// LockFileUnreadable at once, with the platform's reason, when the file is
// there but refused; UpdateLocked when another program holds it through
// kLockAttempts attempts.
StartupStatus CheckLockFile(StartupPlatform& platform, const std::string& lockPath, std::string& reason);

// Command line that starts fileName from the startup folder. A path with a blank
// is enclosed in double quotes so that it cannot be read as a shorter program
// name followed by arguments. Cut to kCommandLineLimit characters.
std::string StartCommandLine(const std::string& startupFolder, const std::string& fileName);

}  // namespace veskor::client
