// Folder path rules and the presence test shared by the form programs.
// Portable: the directory search itself is supplied by the caller.
#pragma once

#include <functional>
#include <string>

namespace veskor {

enum class SeparatorMode { AddSeparator, StripSeparator, Unchanged };

// AddSeparator appends "\" unless the path already ends in one (so "" gives "\").
// StripSeparator removes every trailing "\" but keeps a drive root as "X:\".
std::string NormaliseFolder(const std::string& path, SeparatorMode mode);

// One entry reported by a directory search.
struct DirEntry {
    std::string name;
    bool hidden = false;
    bool system = false;
    bool directory = false;
};

// A directory search over a pattern that may hold wildcards. It calls visit for
// every matching entry, in the platform's order, until visit returns false.
using DirectorySearch =
    std::function<void(const std::string& pattern, const std::function<bool(const DirEntry&)>& visit)>;

enum class PresenceMode { File, Folder };

// The search pattern the presence test uses for a path: the path itself, with
// "*.*" after a trailing ":" or "\".
std::string PresencePattern(const std::string& path);

// True when an entry counts for the mode: never hidden or system; folders only in folder mode.
bool EntryQualifies(const DirEntry& entry, PresenceMode mode);

// The presence test: an empty path is never present; "." and ".." are skipped.
bool IsPresent(const DirectorySearch& search, const std::string& path, PresenceMode mode);

// FilePresent: folder (with a separator supplied) joined with name, or name alone.
bool FilePresent(const DirectorySearch& search, const std::string& folder, const std::string& name);
bool FolderPresent(const DirectorySearch& search, const std::string& path);

// The folder part of a program path, cut after its last ":", "/" or "\"; empty without one.
std::string FolderOfPath(const std::string& path);

}  // namespace veskor
