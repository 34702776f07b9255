#include "startup.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "memory_tree.h"

namespace veskor::client {
namespace {

using veskor::testing::MemoryTree;

// A platform with a complete installation: programs, settings file and the three folders.
class FakePlatform : public StartupPlatform {
public:
    FakePlatform() {
        for (const char* file : {"VESKOR.EXE", "VESKOR1.EXE", "VESKOR.INI"}) tree.Add(std::string("C:\\INST\\") + file);
        tree.Add("C:\\APP\\DATA01\\SPOOL", MemoryTree::Dir);
    }
    std::string CurrentFolder() override { return current; }
    std::string ModulePath() override { return module; }
    void SetCurrentFolder(const std::string& folder) override { current = folder; }
    void Search(const std::string& pattern, const std::function<bool(const DirEntry&)>& visit) override {
        tree.Search(pattern, visit);
    }
    std::string ReadSetting(const std::string& file, const std::string& /*section*/, const std::string& key,
                            const std::string& fallback) override {
        EXPECT_EQ(file, "C:\\INST\\VESKOR.INI");
        auto it = settings.find(key);
        return it == settings.end() ? fallback : it->second;
    }
    OpenFailure OpenAndCloseLockFile(const std::string& path) override {
        lockOpens.push_back(path);
        if (failingOpens == 0) return {};
        --failingOpens;
        return {lockFailure, "Access is denied."};
    }
    OpenFailure OpenAndCloseForReading(const std::string& path) override {
        EXPECT_EQ(path, "C:\\INST\\VESKOR.INI");
        return iniFailure;
    }
    void Pause(unsigned milliseconds) override { pauses.push_back(milliseconds); }

    MemoryTree tree;
    std::string current = "C:\\INST", module = "C:\\INST\\VESKOR.EXE";
    std::map<std::string, std::string> settings = {
        {"APPLFOLDER", "C:\\APP"}, {"DATAFOLDER", "DATA01"}, {"SPOOLFOLDER", "SPOOL"}};
    int failingOpens = 0;
    FileFailure lockFailure = FileFailure::Busy;
    OpenFailure iniFailure;
    std::vector<std::string> lockOpens;
    std::vector<unsigned> pauses;
};

// Each case changes a complete installation in one way. Started from another
// folder, the launcher takes its own folder when that holds both programs.
TEST(StartupChecks, EveryStatusFromItsTree) {
    using P = FakePlatform&;
    const struct {
        const char* what;
        std::function<void(P)> change;
        std::int32_t status;
        const char* startupFolder = "C:\\INST";
    } cases[] = {
        {"complete, APPLFOLDER with separator", [](P p) { p.settings["APPLFOLDER"] = "C:\\APP\\"; }, Ok},
        {"started elsewhere", [](P p) { p.current = "C:\\ELSE"; }, Ok},
        {"started elsewhere, own folder lacks VESKOR.EXE",
         [](P p) { p.current = "C:\\ELSE", p.tree.Remove("C:\\INST\\VESKOR.EXE"); }, StartupFilesMissing, "C:\\ELSE"},
        {"working folder has only VESKOR.EXE", [](P p) { p.current = "C:\\ELSE", p.tree.Add("C:\\ELSE\\VESKOR.EXE"); },
         StartupFilesMissing, "C:\\ELSE"},
        {"VESKOR.INI gone after the search", [](P p) { p.iniFailure = {FileFailure::Missing, "x"}; }, IniMissing},
        {"VESKOR.INI refused", [](P p) { p.iniFailure = {FileFailure::Refused, "Access is denied."}; },
         IniUnreadable},
        {"APPLFOLDER missing", [](P p) { p.settings.erase("APPLFOLDER"); }, ApplicationFolderMissing},
        {"absolute data folder", [](P p) { p.settings["DATAFOLDER"] = "C:\\APP\\DATA01"; }, DataFolderMissing},
        {"spool folder missing", [](P p) { p.settings["SPOOLFOLDER"] = "PRINT"; }, SpoolFolderMissing},
    };
    for (const auto& c : cases) {
        FakePlatform p;
        c.change(p);
        const StartupState s = RunStartupChecks(p);
        EXPECT_EQ(s.status, c.status) << c.what;
        EXPECT_EQ(s.startupFolder + "|" + p.current, c.startupFolder + ("|" + std::string(c.startupFolder))) << c.what;
        EXPECT_EQ(s.failureReason, c.status == IniUnreadable ? "Access is denied." : "") << c.what;
        // The lock file is opened (and so made) only once every folder was found.
        EXPECT_EQ(p.lockOpens, std::vector<std::string>(c.status == Ok, "C:\\APP\\VESKORUPD.LCK")) << c.what;
    }
}

// Only a file another program holds is tried again; one that is not there
// cannot be held, and one that is refused stays refused.
TEST(LockFileCheck, AttemptsAndPauses) {
    struct Case { FileFailure failure; int failingOpens; StartupStatus status; std::size_t opens, pauses; };
    const Case cases[] = {{FileFailure::Busy, 4, Ok, 5, 4}, {FileFailure::Busy, 5, UpdateLocked, 5, 4},
                          {FileFailure::Missing, 99, Ok, 1, 0}, {FileFailure::Refused, 99, LockFileUnreadable, 1, 0}};
    for (const auto& c : cases) {
        FakePlatform p;
        p.failingOpens = c.failingOpens;
        p.lockFailure = c.failure;
        std::string reason;
        SCOPED_TRACE(c.failingOpens);
        EXPECT_EQ(CheckLockFile(p, "C:\\APP\\VESKORUPD.LCK", reason), c.status);
        EXPECT_TRUE(p.lockOpens.size() == c.opens && p.pauses == std::vector<unsigned>(c.pauses, 2000u));
        EXPECT_EQ(reason, c.status == LockFileUnreadable ? "Access is denied." : "");
    }
}

TEST(StartCommandLine, QuotedOnlyWithABlank) {
    EXPECT_EQ(StartCommandLine("C:\\INST", "VESKOR1.EXE"), "C:\\INST\\VESKOR1.EXE");
    EXPECT_EQ(StartCommandLine("C:\\My Apps", "VESKOR1.EXE"), "\"C:\\My Apps\\VESKOR1.EXE\"");
    EXPECT_EQ(StartCommandLine(std::string(600, 'A'), "VESKOR1.EXE").size(), kCommandLineLimit);
}

}  // namespace
}  // namespace veskor::client
