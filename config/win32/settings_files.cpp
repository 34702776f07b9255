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
    if (!read.opened) return {std::nullopt, veskor::win32::DescribeOpenFailure(path, read.error), read.error};
    if (!read.bytes) return {std::nullopt, {FileFailure::Refused, veskor::win32::ErrorText(read.error)}, read.error};
    return {std::move(read.bytes), {}, 0};
}

std::string DiskSettingsStore::ReadSetting(const std::string& file, const std::string& section,
                                           const std::string& key, const std::string& fallback) {
    return veskor::win32::ReadSetting(file, section, key, fallback);
}

namespace {

constexpr int kLockAttempts = 50;  // about five seconds for another save to finish
constexpr DWORD kRetryPauseMs = 100;

WriteResult Failed(DWORD error) { return {error, LeftAs::Old, std::string()}; }

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool Remove(const std::string& path) {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return veskor::win32::RetryWhileBusy([&] { return ::DeleteFileA(path.c_str()) != FALSE; });
}

DWORD LastErrorOr(DWORD fallback) {
    const DWORD error = ::GetLastError();
    return error != 0 ? error : fallback;
}

// Whether a file that a rename or delete was refused on is held by another
// program: Wine answers "access denied" for both, the file itself tells.
bool HeldByAnother(const std::string& path) {
    UniqueFile probe(::CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    return !probe && veskor::IsBusyError(::GetLastError());
}

// Moves from to to, replacing it in one step; waits out a reader of to for a moment.
bool MoveReplacing(const std::string& from, const std::string& to) {
    return veskor::win32::RetryWhileBusy([&] {
        if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD error = ::GetLastError();
        ::SetLastError(error == ERROR_ACCESS_DENIED && HeldByAnother(to) ? ERROR_SHARING_VIOLATION : error);
        return false;
    });
}

bool Move(const std::string& from, const std::string& to) {
    return veskor::win32::RetryWhileBusy([&] { return ::MoveFileA(from.c_str(), to.c_str()) != FALSE; });
}

// The old file's permissions (where the platform keeps them) and attributes
// given to the new one, so that it takes the name as the old one was: 0, or why not.
DWORD CopyRights(const std::string& from, const std::string& to) {
    const DWORD attributes = ::GetFileAttributesA(from.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
    using GetSecurity = BOOL(WINAPI*)(LPCSTR, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR, DWORD, LPDWORD);
    using SetSecurity = BOOL(WINAPI*)(LPCSTR, SECURITY_INFORMATION, PSECURITY_DESCRIPTOR);
    static const HMODULE advapi = veskor::win32::LoadSystemLibrary("advapi32.dll");
    static const auto get = veskor::win32::ProcAddress<GetSecurity>(advapi, "GetFileSecurityA");
    static const auto set = veskor::win32::ProcAddress<SetSecurity>(advapi, "SetFileSecurityA");
    DWORD size = 0;
    if (get && set && !get(from.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size) &&
        ::GetLastError() == ERROR_INSUFFICIENT_BUFFER && size > 0) {
        std::string descriptor(size, '\0');
        if (get(from.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size, &size) &&
            !set(to.c_str(), DACL_SECURITY_INFORMATION, descriptor.data()))
            return LastErrorOr(ERROR_WRITE_FAULT);
    }
    constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if ((attributes & kKept) != 0 && !::SetFileAttributesA(to.c_str(), attributes & (kKept | FILE_ATTRIBUTE_ARCHIVE)))
        return LastErrorOr(ERROR_WRITE_FAULT);
    return 0;
}

// Puts fresh in place of path in one step, so that a reader finds the whole
// old or the whole new file and never none. Windows 95/98 have no such step:
// the old file is moved aside for a moment, the new one moved in and the old
// one removed, or moved back when the new one could not follow; when even that
// fails it stays aside and the result says where. replacing is cleared once the
// platform turns out to have no such step.
WriteResult PutInPlace(const std::string& fresh, const std::string& path, bool& replacing) {
    if (const DWORD error = CopyRights(path, fresh)) return Failed(error);
    DWORD error = 0;
    if (replacing) {
        if (MoveReplacing(fresh, path)) return {};
        error = LastErrorOr(ERROR_WRITE_FAULT);
        if (error != ERROR_CALL_NOT_IMPLEMENTED) return Failed(error);
        replacing = false;
    }
    const std::string old = OldFileOf(path);
    const bool aside = Exists(path);
    if (aside && !Move(path, old)) return Failed(LastErrorOr(ERROR_WRITE_FAULT));
    if (Move(fresh, path)) {
        if (aside) Remove(old);
        return {};
    }
    error = LastErrorOr(ERROR_WRITE_FAULT);
    if (aside && !Move(old, path)) return {error, LeftAs::Aside, NameOf(old)};
    return Failed(error);
}

DWORD FlushToDisk(HANDLE file) { return ::FlushFileBuffers(file) ? 0 : ::GetLastError(); }

// Writes bytes whole into target (created or emptied, or rewritten where it
// stands), flushes it and reads it back: 0 only when it holds exactly bytes.
DWORD WriteBytes(const std::string& target, const std::string& bytes, DWORD disposition) {
    {
        UniqueFile file(veskor::win32::OpenFileWaiting(target.c_str(), GENERIC_WRITE, 0, disposition));
        if (!file) return LastErrorOr(ERROR_WRITE_FAULT);
        DWORD written = 0;
        if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size() || !::SetEndOfFile(file.get()))
            return LastErrorOr(ERROR_WRITE_FAULT);
        if (const DWORD error = FlushToDisk(file.get())) return error;
    }
    const veskor::win32::WholeFile back = veskor::win32::ReadWholeFile(target, kReadLimit, OverLimit::Refuse);
    if (!back.bytes) return back.error != 0 ? back.error : ERROR_WRITE_FAULT;
    return *back.bytes == bytes ? 0 : ERROR_WRITE_FAULT;
}

// A copy of a file's earlier contents in the user's temporary folder, checked:
// its path, or empty when none could be made.
std::string KeepCopy(const std::string& bytes) {
    char folder[MAX_PATH] = {}, name[MAX_PATH] = {};
    const DWORD n = ::GetTempPathA(MAX_PATH, folder);
    if (n == 0 || n >= MAX_PATH || !::GetTempFileNameA(folder, "VSK", 0, name)) return std::string();
    if (WriteBytes(name, bytes, CREATE_ALWAYS) == 0) return name;
    Remove(name);
    return std::string();
}

// In a folder that takes no new files the file itself is the only way left to
// change it: its earlier contents are first kept safe in a copy elsewhere, then
// the new ones written; should they fail, the earlier ones are written back,
// checked, a few times. Only when that fails too is the file left damaged, with
// the copy named.
WriteResult WriteInPlace(const std::string& path, const std::string& bytes) {
    const veskor::win32::WholeFile earlier = veskor::win32::ReadWholeFile(path, kReadLimit, OverLimit::Refuse);
    // A file too large is more than could be written back.
    if (!earlier.bytes) return Failed(earlier.error != 0 ? earlier.error : static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
    if (*earlier.bytes == bytes) return {};
    const std::string copy = KeepCopy(*earlier.bytes);
    if (copy.empty()) return Failed(LastErrorOr(ERROR_WRITE_FAULT));
    const DWORD error = WriteBytes(path, bytes, OPEN_EXISTING);
    for (int attempt = 0; error != 0 && attempt < 3; ++attempt, ::Sleep(kRetryPauseMs))
        if (WriteBytes(path, *earlier.bytes, OPEN_EXISTING) == 0) {
            Remove(copy);
            return Failed(error);
        }
    if (error == 0) Remove(copy);
    return error == 0 ? WriteResult{} : WriteResult{error, LeftAs::Damaged, copy};
}

}  // namespace

WriteResult DiskSettingsStore::WriteFile(const std::string& path, const std::string& bytes) {
    const std::string fresh = NewFileOf(path);
    if (Exists(fresh)) Remove(fresh);
    const DWORD error = WriteBytes(fresh, bytes, CREATE_ALWAYS);
    if (error == ERROR_ACCESS_DENIED && !Exists(fresh) && Exists(path)) return WriteInPlace(path, bytes);
    WriteResult result = error == 0 ? PutInPlace(fresh, path, replacing_) : Failed(error);
    if (result.error != 0) Remove(fresh);
    return result;
}

SaveLock DiskSettingsStore::BeginSave(const std::string& folder) {
    const std::string path = SettingsPath(folder, kSaveLockName);
    DWORD error = 0;
    for (int attempt = 0; attempt < kLockAttempts; ++attempt, ::Sleep(kRetryPauseMs)) {
        lock_.reset(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        error = ::GetLastError();
        if (lock_) {
            lockWasLeft_ = error == ERROR_ALREADY_EXISTS;
            lockPath_ = path;
            return {};
        }
        if (!veskor::IsBusyError(error)) break;
    }
    // A folder that takes no new files takes no lock either: the save goes on.
    if (error == ERROR_ACCESS_DENIED && !Exists(path)) return {};
    return {error, veskor::IsBusyError(error)};
}

void DiskSettingsStore::EndSave() {
    if (!lock_) return;
    lock_.reset();
    Remove(lockPath_);  // a scanner may look at it for a moment once it is closed
}

std::string FixWorkingFolder(const std::string& ownFolder) {
    const WorkingFolder w =
        ChooseWorkingFolder(veskor::win32::PlatformSearch(), veskor::win32::CurrentFolder(), ownFolder);
    if (w.changeCurrent) ::SetCurrentDirectoryA(w.folder.c_str());
    return w.folder;
}

LoadResult LoadSettingsFromDisk(const std::string& workingFolder) {
    // What a save that was cut off left is cleared away first, with the folder
    // kept from any save running meanwhile (whose files these would be): its
    // lock, its new files, and an old file moved aside, which goes back to its
    // name when that is missing and is removed when a newer file is there.
    // Without the lock nothing is changed, and a file found only aside is read
    // from there.
    DiskSettingsStore store;
    std::vector<NotPutBack> notBack;
    const SaveLock lock = store.BeginSave(workingFolder);
    bool cutOff = lock.error == 0 && store.LockWasLeft();
    for (const char* name : {kListName, kIniName, kCfgName, kZmvName}) {
        const std::string path = SettingsPath(workingFolder, name), old = OldFileOf(path);
        if (lock.error == 0 && Exists(NewFileOf(path))) cutOff = true, Remove(NewFileOf(path));
        if (!Exists(old)) continue;
        if (Exists(path)) {
            if (lock.error == 0) Remove(old);
        } else if (lock.error != 0 || !Move(old, path)) {
            const DWORD error = lock.error != 0 ? lock.error : ::GetLastError();
            notBack.push_back({name, NameOf(old), veskor::win32::ErrorText(error)});
        }
    }
    store.EndSave();
    LoadResult load = LoadSettings(workingFolder, store, notBack);
    load.cutOff = cutOff;
    return load;
}

SaveReport SaveSettingsToDisk(const std::string& workingFolder, const ConfigSettings& settings) {
    DiskSettingsStore store;
    return SaveSettings(workingFolder, settings, store);
}

std::string SaveFailureMessage(const std::string& workingFolder, const SaveReport& report) {
    return SaveFailureText(workingFolder, report, [](FileError e) { return veskor::win32::ErrorText(e); });
}

void PutBackEarlier(const std::string& workingFolder, const SaveReport& report) {
    for (const SavedFile& f : report) {
        const std::string path = SettingsPath(workingFolder, f.name);
        if (f.left == LeftAs::Aside && !Exists(path)) Move(SettingsPath(workingFolder, f.copy.c_str()), path);
        if (f.left != LeftAs::Damaged || f.copy.empty()) continue;
        const veskor::win32::WholeFile earlier = veskor::win32::ReadWholeFile(f.copy, kReadLimit, OverLimit::Refuse);
        if (earlier.bytes && WriteBytes(path, *earlier.bytes, OPEN_EXISTING) == 0) Remove(f.copy);
    }
}

}  // namespace veskor::config::win32
