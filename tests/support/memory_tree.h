// An in-memory file tree with a directory search that behaves like the
// platform's: case-insensitive wildcard match on the last path element,
// "." and ".." reported for searches inside a non-root folder.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "folders.h"
#include "text.h"

namespace veskor::testing {

inline bool WildMatch(const char* pattern, const char* name) {
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*') return WildMatch(pattern + 1, name) || (*name && WildMatch(pattern, name + 1));
    if (*name == '\0') return false;
    if (*pattern == '?' || std::toupper(static_cast<unsigned char>(*pattern)) ==
                               std::toupper(static_cast<unsigned char>(*name)))
        return WildMatch(pattern + 1, name + 1);
    return false;
}

class MemoryTree {
public:
    enum Attr { Plain = 0, Hidden = 1, System = 2, Dir = 4 };

    // Adds an entry and every folder above it, e.g. Add("C:\\APP\\DATA01", Dir).
    void Add(const std::string& path, int attrs = Plain) {
        auto cut = path.find_last_of('\\');
        if (cut != std::string::npos && cut > 2) Add(path.substr(0, cut), Dir);
        entries_[UpperCase(path)] = Entry{path.substr(cut == std::string::npos ? 0 : cut + 1), attrs};
    }
    void Remove(const std::string& path) { entries_.erase(UpperCase(path)); }

    void Search(const std::string& pattern, const std::function<bool(const DirEntry&)>& visit) const {
        const auto cut = pattern.find_last_of('\\');
        if (cut == std::string::npos) return;
        const std::string parent = UpperCase(pattern.substr(0, cut));
        std::string last = pattern.substr(cut + 1);
        if (last == "*.*") last = "*";
        if (parent.size() != 2 || parent[1] != ':') {  // not a drive root: a folder, with "." and ".."
            const auto found = entries_.find(parent);
            if (found == entries_.end() || (found->second.attrs & Dir) == 0) return;
            for (const char* dot : {".", ".."})
                if (WildMatch(last.c_str(), dot) && !visit(DirEntry{dot, false, false, true})) return;
        }
        for (const auto& [key, entry] : entries_) {
            if (key.size() <= parent.size() + 1 || key.compare(0, parent.size(), parent) != 0 ||
                key[parent.size()] != '\\' || key.find('\\', parent.size() + 1) != std::string::npos)
                continue;
            if (!WildMatch(last.c_str(), entry.name.c_str())) continue;
            DirEntry found{entry.name, (entry.attrs & Hidden) != 0, (entry.attrs & System) != 0,
                           (entry.attrs & Dir) != 0};
            if (!visit(found)) return;
        }
    }

    DirectorySearch Searcher() const {
        return [this](const std::string& p, const std::function<bool(const DirEntry&)>& v) { Search(p, v); };
    }

private:
    struct Entry { std::string name; int attrs; };
    std::map<std::string, Entry> entries_;
};

}  // namespace veskor::testing
