// Input from a folder anyone may write: relative paths are made full once
// checked.
#include <gtest/gtest.h>

#include "zmv_config.h"

namespace veskor::zmv {
namespace {

// The file test sees the path as resolved against the configuration's folder;
// only the title, once the test passed, carries the full one.
TEST(SharedFolder, ProgramPathIsMadeFullOnlyAfterTheFileTest) {
    const auto full = [](const std::string& p) { return "C:\\CUR\\" + p; };
    for (const bool present : {true, false}) {
        LaunchSettings s;
        s.configPath = "sub\\a.zmv";
        s.fullText = "PROGNAME: fix";
        std::string checked;
        const auto refusal = ParseLauncherConfig(s, [&](const std::string& p) { return checked = p, present; }, full);
        EXPECT_EQ(checked, "sub\\fix.exe");
        EXPECT_EQ(refusal ? refusal->text : s.title,
                  present ? "C:\\CUR\\sub\\fix.exe (ZMV)" : NoProgramFileMessage("sub\\fix.exe", "sub\\a.zmv").text);
    }
}
}  // namespace
}  // namespace veskor::zmv
