// An in-memory settings store: files as byte strings, private-profile keys as
// a map, presence through a memory tree, and paths that refuse every access.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "config_settings.h"
#include "../../tests/support/memory_tree.h"

namespace veskor::config::testing {

class FakeStore : public SettingsStore {
public:
    void Search(const std::string& pattern, const std::function<bool(const DirEntry&)>& visit) override {
        tree.Search(pattern, visit);
    }
    FileRead ReadFile(const std::string& path) override {
        auto it = files.find(path);
        if (it == files.end()) return {std::nullopt, {FileFailure::Missing, "not found"}, 2};
        if (locked.count(path)) return {std::nullopt, {FileFailure::Refused, "Access to " + path + " is denied."}, kBusy};
        return {it->second, {}, 0};
    }
    std::string ReadSetting(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& fallback) override {
        auto it = ini.find(file + "|" + section + "|" + key);
        return it == ini.end() || locked.count(file) ? fallback : it->second;
    }
    // A locked file fails as busy and is left as it was; one in results fails as given there.
    WriteResult WriteFile(const std::string& path, const std::string& bytes) override {
        writes.push_back(path);
        if (!held) return {99, LeftAs::Old, ""};
        if (results.count(path)) return results[path];
        if (locked.count(path)) return {kBusy, LeftAs::Old, ""};
        Put(path, bytes);
        return {0, LeftAs::Old, ""};
    }
    SaveLock BeginSave(const std::string&) override {
        held = lock.error == 0 && !lock.busy;
        return lock;
    }
    void EndSave() override { held = false, ++ended; }

    static constexpr FileError kBusy = 32;
    void Put(const std::string& path, const std::string& bytes) {
        files[path] = bytes;
        tree.Add(path);
    }

    veskor::testing::MemoryTree tree;
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> ini;  // "file|section|key"
    std::set<std::string> locked;
    std::map<std::string, WriteResult> results;
    SaveLock lock;
    bool held = false;
    int ended = 0;
    std::vector<std::string> writes;
};

}  // namespace veskor::config::testing
