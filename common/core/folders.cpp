#include "folders.h"

namespace veskor {

std::string NormaliseFolder(const std::string& path, SeparatorMode mode) {
    switch (mode) {
    case SeparatorMode::AddSeparator:
        if (path.empty() || path.back() != '\\') return path + '\\';
        return path;
    case SeparatorMode::StripSeparator: {
        std::string out = path;
        while (!out.empty() && out.back() == '\\') out.pop_back();
        if (out.size() == 2 && out[1] == ':') out += '\\';
        // A path that was nothing but separators stays empty.
        return out;
    }
    case SeparatorMode::Unchanged:
        break;
    }
    return path;
}

std::string PresencePattern(const std::string& path) {
    if (!path.empty() && (path.back() == ':' || path.back() == '\\')) return path + "*.*";
    return path;
}

bool EntryQualifies(const DirEntry& entry, PresenceMode mode) {
    if (entry.hidden || entry.system) return false;
    if (entry.directory && mode == PresenceMode::File) return false;
    return true;
}

bool IsPresent(const DirectorySearch& search, const std::string& path, PresenceMode mode) {
    if (path.empty()) return false;
    bool found = false;
    search(PresencePattern(path), [&](const DirEntry& entry) {
        if (entry.name == "." || entry.name == "..") return true;
        found = EntryQualifies(entry, mode);
        return !found;
    });
    return found;
}

bool FilePresent(const DirectorySearch& search, const std::string& folder, const std::string& name) {
    const std::string path =
        folder.empty() ? name : NormaliseFolder(folder, SeparatorMode::AddSeparator) + name;
    return IsPresent(search, path, PresenceMode::File);
}

bool FolderPresent(const DirectorySearch& search, const std::string& path) {
    return IsPresent(search, path, PresenceMode::Folder);
}

std::string FolderOfPath(const std::string& path) {
    const auto cut = path.find_last_of(":/\\");
    if (cut == std::string::npos) return std::string();
    return path.substr(0, cut + 1);
}

}  // namespace veskor
