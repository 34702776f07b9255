// Files in a folder that many desktops use at once: another program may hold
// one for a moment (a launcher reading it, the utility saving it, a backup).
// Opens and writes that fail for that reason are tried again for about a
// second before they count as failed.
#pragma once

#include <windows.h>

#include <new>
#include <optional>
#include <string>

#include "file_failure.h"
#include "handles.h"
#include "whole_file.h"

namespace veskor::win32 {

inline constexpr int kBusyAttempts = 11;
inline constexpr DWORD kBusyPauseMs = 100;

// Runs attempt() until it succeeds, fails for another reason than a busy file,
// or the attempts are used up. attempt() returns success and leaves the
// platform's last error set on failure.
template <typename Attempt>
bool RetryWhileBusy(Attempt attempt) {
    for (int i = 1;; ++i) {
        if (attempt()) return true;
        if (i >= kBusyAttempts || !IsBusyError(::GetLastError())) return false;
        ::Sleep(kBusyPauseMs);
    }
}

// CreateFileA with the retry above; INVALID_HANDLE_VALUE when it failed, with
// the last error of the final attempt.
inline HANDLE OpenFileWaiting(const char* path, DWORD access, DWORD share, DWORD disposition) {
    HANDLE file = INVALID_HANDLE_VALUE;
    RetryWhileBusy([&] {
        file = ::CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
        return file != INVALID_HANDLE_VALUE;
    });
    return file;
}

// A file only read is shared with other readers; a writer (which opens without
// sharing) is waited out, so the whole old or the whole new file is read.
inline HANDLE OpenForReading(const char* path) {
    return OpenFileWaiting(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
}

// A file written whole is created or emptied without sharing: nobody reads it
// half written.
inline HANDLE CreateForWriting(const char* path) {
    return OpenFileWaiting(path, GENERIC_WRITE, 0, CREATE_ALWAYS);
}

// A whole file read as ReadWithinLimit reads it, after an open for reading.
// bytes is nullopt when the open failed (opened false, error its code), the
// read failed (error its code) or the file was refused for its size (error 0).
struct WholeFile {
    std::optional<std::string> bytes;
    bool opened = false;
    DWORD error = 0;
};

inline WholeFile ReadWholeFile(const std::string& path, std::size_t limit, OverLimit over) {
    UniqueFile file(OpenForReading(path.c_str()));
    if (!file) return {std::nullopt, false, ::GetLastError()};
    DWORD error = 0;
    try {
        std::optional<std::string> bytes = ReadWithinLimit(
            [&](char* buffer, std::size_t size) -> long {
                DWORD got = 0;
                if (::ReadFile(file.get(), buffer, static_cast<DWORD>(size), &got, nullptr))
                    return static_cast<long>(got);
                error = ::GetLastError();
                return -1;
            },
            limit, over);
        return {std::move(bytes), true, error};
    } catch (const std::bad_alloc&) {
        return {std::nullopt, true, ERROR_NOT_ENOUGH_MEMORY};  // too large for this process
    }
}

}  // namespace veskor::win32
