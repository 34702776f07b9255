// Input from a folder anyone may write: relative paths are made full once
// checked, and a file of any size is read whole or not at all.
#include <gtest/gtest.h>

#include <cstring>

#include "zmv_config.h"

namespace veskor::zmv {
namespace {

TEST(SharedFolder, ProgramPathIsMadeFullOnlyAfterTheFileTest) {
    const struct {
        const char *config, *program, *checked, *full;
    } rows[] = {
        {"D:\\INST\\VESKOR1.ZMV", "bin\\fix", "bin\\fix.exe", "C:\\CUR\\bin\\fix.exe"},
        {"sub\\a.zmv", "fix", "sub\\fix.exe", "C:\\CUR\\sub\\fix.exe"},
    };
    const auto full = [](const std::string& p) { return p.find(':') == 1 ? p : "C:\\CUR\\" + p; };
    for (const auto& r : rows)
        for (const bool present : {true, false}) {
            LaunchSettings s;
            s.configPath = r.config;
            s.fullText = std::string("PROGNAME: ") + r.program;
            std::string checked;
            const auto refusal = ParseLauncherConfig(s, [&](const std::string& p) { return checked = p, present; }, full);
            EXPECT_EQ(checked, r.checked);
            EXPECT_EQ(refusal.has_value(), !present);
            EXPECT_EQ(refusal ? refusal->text : s.title,
                      present ? std::string(r.full) + " (ZMV)" : NoProgramFileMessage(r.checked, r.config).text);
        }
}

TEST(SharedFolder, FileIsReadWholeUpToTheLimitAndNotAtAllBeyond) {
    // size bytes handed out in chunks; the read fails once failAt bytes were given.
    const auto read = [](std::size_t size, std::size_t chunk, std::size_t limit, std::size_t failAt = SIZE_MAX) {
        std::size_t given = 0;
        return ReadWithinLimit(
            [&](char* buffer, std::size_t room) -> long {
                if (given >= failAt) return -1;
                const std::size_t n = std::min({room, chunk, size - given});
                std::memset(buffer, 'a' + static_cast<int>(given % 26), n);
                given += n;
                return static_cast<long>(n);
            },
            limit);
    };
    EXPECT_EQ(read(100, 7, 100).substr(0, 8), "aaaaaaah");
    EXPECT_EQ(read(100, 7, 100).size(), 100u);
    EXPECT_EQ(read(101, 7, 100), "");
    EXPECT_EQ(read(50, 7, 100, 14), "");  // a read error loses the whole file
}

}  // namespace
}  // namespace veskor::zmv
