// What the launcher does with input from a folder that anyone may write: paths
// relative to the current folder are made full once checked, and a file of any
// size is either read whole or not at all.
#include <gtest/gtest.h>

#include <cstring>

#include "zmv_config.h"

namespace veskor::zmv {
namespace {

TEST(SharedFolder, ProgramPathIsMadeFullOnlyAfterTheFileTest) {
    const struct {
        const char* config;
        const char* text;
        const char* checked;  // what the file test was asked
        const char* program;  // programPath afterwards
    } rows[] = {
        {"D:\\INST\\VESKOR1.ZMV", "PROGNAME: bin\\fix", "bin\\fix.exe", "C:\\CUR\\bin\\fix.exe"},
        {"sub\\a.zmv", "PROGNAME: fix", "sub\\fix.exe", "C:\\CUR\\sub\\fix.exe"},
        {"sub\\a.zmv", "PROGNAME: C:\\APP\\fix.exe", "C:\\APP\\fix.exe", "C:\\APP\\fix.exe"},
    };
    for (const auto& r : rows) {
        LaunchSettings s;
        s.configPath = r.config;
        s.fullText = r.text;
        std::string checked;
        const auto full = [](const std::string& p) { return p.find(':') == 1 ? p : "C:\\CUR\\" + p; };
        ASSERT_EQ(ParseLauncherConfig(s, [&](const std::string& p) { return checked = p, true; }, full), std::nullopt);
        EXPECT_EQ(checked, r.checked);
        EXPECT_EQ(s.programPath, r.program);
        EXPECT_EQ(s.title, std::string(r.program) + " (ZMV)");
    }
    // A refused program is named as the file test saw it; nothing is made full.
    LaunchSettings s;
    s.configPath = "sub\\a.zmv";
    s.fullText = "PROGNAME: fix";
    const auto refusal = ParseLauncherConfig(
        s, [](const std::string&) { return false; }, [](const std::string&) { return std::string("X"); });
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->text, NoProgramFileMessage("sub\\fix.exe", "sub\\a.zmv").text);
}

// A file of the given size handed out in chunks of at most chunk bytes; a
// negative failAt makes the read fail once that many bytes were given.
std::string ReadFake(std::size_t size, std::size_t chunk, std::size_t limit, long failAt = -1) {
    std::size_t given = 0;
    return ReadWithinLimit(
        [&](char* buffer, std::size_t room) -> long {
            if (failAt >= 0 && given >= static_cast<std::size_t>(failAt)) return -1;
            const std::size_t n = std::min({room, chunk, size - given});
            std::memset(buffer, 'a' + static_cast<int>(given % 26), n);
            given += n;
            return static_cast<long>(n);
        },
        limit);
}

TEST(SharedFolder, FileIsReadWholeUpToTheLimitAndNotAtAllBeyond) {
    EXPECT_EQ(ReadFake(0, 10, 100), "");
    EXPECT_EQ(ReadFake(100, 7, 100).size(), 100u);
    EXPECT_EQ(ReadFake(100, 7, 100).substr(0, 8), "aaaaaaah");
    EXPECT_EQ(ReadFake(101, 7, 100), "");
    EXPECT_EQ(ReadFake(101, 200, 100), "");
    EXPECT_EQ(ReadFake(50, 7, 100, 14), "");  // a read error loses the whole file
    EXPECT_EQ(ReadFake(kConfigSizeLimit, 65536, kConfigSizeLimit).size(), kConfigSizeLimit);
    EXPECT_EQ(ReadFake(kConfigSizeLimit + 1, 65536, kConfigSizeLimit), "");
}

}  // namespace
}  // namespace veskor::zmv
