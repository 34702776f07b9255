// Input from a folder anyone may write: relative paths are made full once
// checked.
#include <gtest/gtest.h>

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
}  // namespace
}  // namespace veskor::zmv
