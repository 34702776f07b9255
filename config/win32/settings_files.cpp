#include "settings_files.h"

#include <windows.h>

#include "handles.h"
#include "library_search.h"
#include "platform.h"
#include "shared_files.h"

namespace veskor::config::win32 {

using veskor::win32::UniqueFile;

void DiskSettingsStore::Search(const std::string& pattern, const std::function<bool(const DirEntry&)>& visit) {
    veskor::win32::SearchDirectory(pattern, visit);
}

FileRead DiskSettingsStore::ReadFile(const std::string& path) {
    veskor::win32::WholeFile read = veskor::win32::ReadWholeFile(path, kReadLimit, OverLimit::Cut);
    if (!read.opened) return {std::nullopt, veskor::win32::DescribeOpenFailure(path, read.error)};
    if (!read.bytes) return {std::nullopt, {FileFailure::Refused, veskor::win32::ErrorText(read.error)}};
    return {std::move(read.bytes), {}};
}

std::string DiskSettingsStore::ReadSetting(const std::string& file, const std::string& section,
                                           const std::string& key, const std::string& fallback) {
    return veskor::win32::ReadSetting(file, section, key, fallback);
}

namespace {

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void Remove(const std::string& path) {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
}

DWORD LastErrorOr(DWORD fallback) {
    const DWORD error = ::GetLastError();
    return error != 0 ? error : fallback;
}

// A file's earlier contents are never deleted while they are its only copy:
// "<name>.old" goes only once a file, new or old, is back at "<name>". When
// nothing is at "<name>", the old file is moved back there: 0, or why not.
DWORD PutBackOld(const std::string& path) {
    const std::string old = OldFileOf(path);
    if (Exists(path) || !Exists(old)) return 0;
    return ::MoveFileA(old.c_str(), path.c_str()) ? 0 : LastErrorOr(ERROR_WRITE_FAULT);
}

void RemoveOldOnceBack(const std::string& path) {
    if (Exists(path)) Remove(OldFileOf(path));
}

// Puts fresh in place of path in one step, waiting out a reader of path for a
// moment. ReplaceFileA keeps the old file's attributes and permissions; it
// moves the old file to "<name>.old" on the way, which is moved back when the
// new file could not follow. Windows 95/98 have neither call: the old file is
// moved aside, the new one moved in, and the old one moved back on failure.
// When even that last move fails, the old file stays at "<name>.old".
DWORD PutInPlace(const std::string& fresh, const std::string& path) {
    using Replace = BOOL(WINAPI*)(LPCSTR, LPCSTR, LPCSTR, DWORD, LPVOID, LPVOID);
    using MoveEx = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    constexpr DWORD kIgnoreMergeErrors = 0x2;  // REPLACEFILE_IGNORE_MERGE_ERRORS
    const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    static const auto replace = veskor::win32::ProcAddress<Replace>(kernel, "ReplaceFileA");
    static const auto moveEx = veskor::win32::ProcAddress<MoveEx>(kernel, "MoveFileExA");
    const std::string old = OldFileOf(path);
    const auto attempt = [&]() -> bool {
        if (replace && Exists(path)) {
            if (replace(path.c_str(), fresh.c_str(), old.c_str(), kIgnoreMergeErrors, nullptr, nullptr)) return true;
            // "Unable to remove the file to be replaced": ask the file why.
            if (::GetLastError() == ERROR_UNABLE_TO_REMOVE_REPLACED) {
                UniqueFile probe(::CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                               nullptr, OPEN_EXISTING, 0, nullptr));
                ::SetLastError(probe ? ERROR_UNABLE_TO_REMOVE_REPLACED : ::GetLastError());
            }
            return false;
        }
        if (moveEx) {
            if (moveEx(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
            if (::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
        }
        return (!Exists(path) || ::MoveFileA(path.c_str(), old.c_str())) && ::MoveFileA(fresh.c_str(), path.c_str());
    };
    DWORD error = 0;
    const bool done = veskor::win32::RetryWhileBusy([&] {
        const bool ok = attempt();
        error = ok ? 0 : LastErrorOr(ERROR_WRITE_FAULT);
        // The old file left aside and not replaced goes back; if it cannot,
        // the reason it is not at its name is the one to tell.
        if (const DWORD back = ok ? 0 : PutBackOld(path)) error = back;
        ::SetLastError(error);
        return ok;
    });
    RemoveOldOnceBack(path);
    return done ? 0 : error;
}

DWORD FlushToDisk(HANDLE file) { return ::FlushFileBuffers(file) ? 0 : ::GetLastError(); }

// Writes bytes whole into target, created or emptied, or (inPlace) rewritten
// where it stands.
DWORD WriteBytes(const std::string& target, const std::string& bytes, bool inPlace) {
    UniqueFile file(
        veskor::win32::OpenFileWaiting(target.c_str(), GENERIC_WRITE, 0, inPlace ? OPEN_EXISTING : CREATE_ALWAYS));
    if (!file) return LastErrorOr(ERROR_WRITE_FAULT);
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !::SetEndOfFile(file.get()))
        return LastErrorOr(ERROR_WRITE_FAULT);
    return FlushToDisk(file.get());
}

// Writes the file through fill(target, inPlace): into a new file beside path
// that then takes its place, or, in a folder that takes no new files, into
// path itself (as the only way left to change it; its earlier contents are
// held meanwhile and written back should the new ones fail). On failure the
// new file is removed and path is as it was, or, when the old file could not
// be moved back, at "<name>.old".
DWORD SaveWhole(const std::string& path, const std::function<DWORD(const std::string&, bool)>& fill) {
    const std::string fresh = NewFileOf(path);
    // What a save that was cut off left: its new file goes; an old file it
    // had moved aside and not yet replaced is put back.
    Remove(fresh);
    PutBackOld(path);
    RemoveOldOnceBack(path);
    DWORD error = fill(fresh, false);
    if (error == ERROR_ACCESS_DENIED && !Exists(fresh) && Exists(path)) {
        const veskor::win32::WholeFile earlier = veskor::win32::ReadWholeFile(path, kReadLimit, OverLimit::Refuse);
        // A file too large is more than could be written back.
        if (!earlier.bytes) return earlier.error != 0 ? earlier.error : ERROR_FILE_TOO_LARGE;
        error = fill(path, true);
        if (error != 0) WriteBytes(path, *earlier.bytes, true);
        return error;
    }
    if (error == 0) error = PutInPlace(fresh, path);
    if (error != 0) Remove(fresh);
    return error;
}

}  // namespace

FileError DiskSettingsStore::WriteFile(const std::string& path, const std::string& bytes) {
    return SaveWhole(path, [&](const std::string& target, bool inPlace) { return WriteBytes(target, bytes, inPlace); });
}

FileError DiskSettingsStore::WriteSettings(const std::string& path, const std::vector<IniEntry>& entries) {
    return SaveWhole(path, [&](const std::string& target, bool inPlace) -> DWORD {
        if (!inPlace) {
            if (!UniqueFile(veskor::win32::OpenFileWaiting(target.c_str(), GENERIC_WRITE, 0, CREATE_ALWAYS)))
                return LastErrorOr(ERROR_WRITE_FAULT);
            // The other lines come from the current file, or from the old one
            // a cut-off save left aside when it could not be put back.
            const std::string current = Exists(path) ? path : OldFileOf(path);
            const bool copied = veskor::win32::RetryWhileBusy(
                [&] { return ::CopyFileA(current.c_str(), target.c_str(), FALSE) != FALSE; });
            if (!copied && ::GetLastError() != ERROR_FILE_NOT_FOUND) return LastErrorOr(ERROR_WRITE_FAULT);
            ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        DWORD error = 0;
        for (const IniEntry& e : entries) {
            if (!veskor::win32::RetryWhileBusy([&] {
                    return ::WritePrivateProfileStringA(e.section, e.key, e.value.c_str(), target.c_str()) != FALSE;
                })) {
                error = LastErrorOr(ERROR_WRITE_FAULT);
                break;
            }
        }
        // Leaves nothing of the file in the profile functions' cache.
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, target.c_str());
        if (error != 0) return error;
        // Some platforms drop a profile write that failed on the disk without
        // a word: the file itself must show every value.
        const std::optional<std::string> text = ReadFile(target).bytes;
        if (!text || !IniHoldsEntries(*text, entries)) return ERROR_WRITE_FAULT;
        UniqueFile file(veskor::win32::OpenFileWaiting(target.c_str(), GENERIC_WRITE, 0, OPEN_EXISTING));
        return file ? FlushToDisk(file.get()) : LastErrorOr(ERROR_WRITE_FAULT);
    });
}

std::string FixWorkingFolder(const std::string& ownFolder) {
    const WorkingFolder w =
        ChooseWorkingFolder(veskor::win32::PlatformSearch(), veskor::win32::CurrentFolder(), ownFolder);
    if (w.changeCurrent) ::SetCurrentDirectoryA(w.folder.c_str());
    return w.folder;
}

LoadResult LoadSettingsFromDisk(const std::string& workingFolder) {
    // A save cut off between its two moves left a file only at "<name>.old":
    // it goes back to its name before anything is read. One of the two files
    // the load reads that stays away is named as unreadable.
    std::vector<UnreadableFile> away;
    for (const char* name : {kListName, kIniName, kCfgName, kZmvName}) {
        const std::string path = SettingsPath(workingFolder, name);
        const DWORD error = PutBackOld(path);
        if (error != 0 && (name == kIniName || name == kListName))
            away.push_back({path, veskor::win32::ErrorText(error)});
    }
    DiskSettingsStore store;
    LoadResult load = LoadSettings(workingFolder, store);
    for (const UnreadableFile& f : away)
        if (load.source != SettingsSource::Ini || f.path == SettingsPath(workingFolder, kIniName))
            load.unreadable.push_back(f);
    return load;
}

SaveReport SaveSettingsToDisk(const std::string& workingFolder, const ConfigSettings& settings) {
    DiskSettingsStore store;
    return SaveSettings(workingFolder, settings, store);
}

std::string SaveFailureMessage(const std::string& workingFolder, const SaveReport& report) {
    return SaveFailureText(workingFolder, report, [](FileError e) { return veskor::win32::ErrorText(e); });
}

}  // namespace veskor::config::win32
