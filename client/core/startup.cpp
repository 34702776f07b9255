#include "startup.h"

namespace veskor::client {

namespace {

std::string Join(const std::string& folder, const std::string& name) {
    return NormaliseFolder(folder, SeparatorMode::AddSeparator) + name;
}

}  // namespace

StartupStatus CheckLockFile(StartupPlatform& platform, const std::string& lockPath, std::string& reason) {
    for (int attempt = 1;; ++attempt) {
        const OpenFailure failure = platform.OpenAndCloseLockFile(lockPath);
        switch (failure.kind) {
        case FileFailure::None:
        case FileFailure::Missing: return Ok;
        case FileFailure::Refused: reason = failure.reason; return LockFileUnreadable;
        case FileFailure::Busy: break;
        }
        if (attempt >= kLockAttempts) return UpdateLocked;
        platform.Pause(kLockPauseMs);
    }
}

StartupState RunStartupChecks(StartupPlatform& platform) {
    const DirectorySearch search = [&platform](const std::string& pattern,
                                               const std::function<bool(const DirEntry&)>& visit) {
        platform.Search(pattern, visit);
    };

    StartupState state;
    state.startupFolder = platform.CurrentFolder();
    state.ownFolder = FolderOfPath(platform.ModulePath());

    if (!FilePresent(search, state.startupFolder, kLauncherExe)) {
        if (!FilePresent(search, state.ownFolder, kLauncherExe)) {
            state.status = StartupFilesMissing;
            return state;
        }
        state.startupFolder = NormaliseFolder(state.ownFolder, SeparatorMode::StripSeparator);
        platform.SetCurrentFolder(state.startupFolder);
    }
    if (!FilePresent(search, state.startupFolder, kConsoleLauncherExe)) {
        state.status = StartupFilesMissing;
        return state;
    }

    state.iniPath = Join(state.startupFolder, kIniName);
    if (!FilePresent(search, std::string(), state.iniPath)) {
        state.status = IniMissing;
        return state;
    }
    // The profile reads below give their defaults for a file they cannot open,
    // which would look like a settings file without folders.
    const OpenFailure iniFailure = platform.OpenAndCloseForReading(state.iniPath);
    if (iniFailure.kind == FileFailure::Missing) {
        state.status = IniMissing;  // gone since the search
        return state;
    }
    if (iniFailure.kind != FileFailure::None) {
        state.status = IniUnreadable;
        state.failureReason = iniFailure.reason;
        return state;
    }

    state.applicationFolder = platform.ReadSetting(state.iniPath, "FOLDERS", "APPLFOLDER", "");
    const std::string dataName = platform.ReadSetting(state.iniPath, "FOLDERS", "DATAFOLDER", "");
    const std::string spoolName = platform.ReadSetting(state.iniPath, "FOLDERS", "SPOOLFOLDER", "SPOOL");
    state.dataFolder = Join(state.applicationFolder, dataName);
    state.spoolFolder = Join(state.dataFolder, spoolName);
    state.lockPath = Join(state.applicationFolder, kLockName);

    if (!FolderPresent(search, state.applicationFolder)) {
        state.status = ApplicationFolderMissing;
    } else if (!FolderPresent(search, state.dataFolder)) {
        state.status = DataFolderMissing;
    } else if (!FolderPresent(search, state.spoolFolder)) {
        state.status = SpoolFolderMissing;
    } else {
        state.status = CheckLockFile(platform, state.lockPath, state.failureReason);
    }
    return state;
}

std::string StartCommandLine(const std::string& startupFolder, const std::string& fileName) {
    std::string path = Join(startupFolder, fileName);
    if (path.find(' ') != std::string::npos) path = '"' + path + '"';
    if (path.size() > kCommandLineLimit) path.resize(kCommandLineLimit);
    return path;
}

}  // namespace veskor::client
