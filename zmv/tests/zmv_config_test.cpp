#include "zmv_config.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace veskor::zmv {
namespace {

TEST(LeadingNumber, ReadsTheNumberTheTextBeginsWith) {
    const std::pair<const char*, double> rows[] = {
        {" \t\n-6x", -6}, {"+2.5", 2.5}, {"1e3", 1000}, {"1D2", 100}, {"2.5e-1", 0.25}, {"1e", 1}, {"1e+", 1},
        {".5", 0.5}, {"5.", 5}, {"abc", 0}, {"", 0}, {"-", 0}, {"nan", 0}, {"\r12", 0}, {"0e999", 0},
    };
    for (const auto& [text, value] : rows) EXPECT_EQ(LeadingNumber(text), value) << text;
    EXPECT_TRUE(std::isinf(LeadingNumber("1e999")));
}

TEST(NearestWhole, HalvesGoToEvenAndLargeValuesSaturate) {
    const std::pair<double, std::int64_t> rows[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {2.5001, 3},
                {HUGE_VAL, kWholeLimit}, {-HUGE_VAL, -kWholeLimit}, {NAN, 0}, {1e300, kWholeLimit}};
    for (const auto& [value, whole] : rows) EXPECT_EQ(NearestWhole(value), whole) << value;
}

TEST(ConfigPath, FromTheCommandTailOrTheOwnName) {
    const std::pair<const char*, const char*> tails[] = {{"\"C:\\My Dir\\VESKOR1.EXE\"  a.zmv ", "a.zmv "},
        {"VESKOR1.EXE   b c", "b c"}, {"VESKOR1.EXE", ""}, {"\"unclosed", ""}, {"\"V1.EXE\"a.zmv", "a.zmv"}};
    for (const auto& [line, tail] : tails) EXPECT_EQ(CommandTail(line), tail) << line;

    // One enclosing pair of quotes is taken off; other quotes stay.
    const std::pair<const char*, const char*> paths[] = {{"", "C:\\INST\\VESKOR1.zmv"}, {"  other.zmv  ", "other.zmv"},
        {"\"D:\\My Configs\\a.zmv\"", "D:\\My Configs\\a.zmv"}, {"\"a\" \"b\"", "\"a\" \"b\""}, {"\"a.zmv", "\"a.zmv"}, {"\"\"", ""}};
    for (const auto& [tail, path] : paths) EXPECT_EQ(ConfigPathFor(tail, "C:\\INST\\VESKOR1.EXE"), path) << tail;
    EXPECT_EQ(ConfigPathFor("", "ab"), ".zmv");
}

TEST(Values, YesRuleWindowStatesAndFontSizes) {
    for (const char* yes : {"Y", "Yes", "1", "10", "Maybe", "y"}) EXPECT_TRUE(YesValue(yes)) << yes;
    for (const char* no : {"N", "No", "0", "", "true"}) EXPECT_FALSE(YesValue(no)) << no;

    const std::pair<const char*, std::int32_t> states[] = {
        {"MAX", 3}, {" min ", 6}, {"Hidden", 0}, {"show", 5},  {"", 3},     {"   ", 3},    {"NORMAL", 0},
        {"-6", 6},  {"11", 3},    {"2.5", 2},    {"SHOWMAX", 3}, {"1e999", 3}, {"10.4", 10}, {"\t7", 7}, {"9 HID", 0}};
    for (const auto& [value, show] : states) EXPECT_EQ(ShowCommandFor(value), show) << value;

    const std::pair<std::optional<std::string>, const char*> sizes[] = {{std::nullopt, "max"}, {"", "max"},       {" 0", "max"},    {" auto", "max"}, {"0x12", "max"},
                 {" 8X12", " 8x12"},    {" Max 90%", " max 90%"}, {"12", "12"}, {"-0", "max"}, {"0.3", "0.3"}};
    for (const auto& [value, text] : sizes) EXPECT_EQ(FontSizeTextFor(value), text) << value.value_or("<absent>");
}

TEST(ProgramPath, ResolvedAgainstTheConfigFolder) {
    const char* config = "C:\\CFG\\VESKOR1.ZMV";
    const std::pair<const char*, const char*> rows[] = {
        {" \"C:\\My Apps\\Prog\" ", "C:\\My Apps\\Prog.exe"}, {"", "C:\\CFG\\.exe"}, {"App.EXE", "C:\\CFG\\App.EXE"},
        {"tool.com", "C:\\CFG\\tool.com.exe"}, {"a?b", "C:\\CFG\\a-b.exe"}, {"\" \"*\"", "C:\\CFG\\-.exe"},
        {"run\t", "C:\\CFG\\run\t.exe"},
    };
    for (const auto& [value, path] : rows) EXPECT_EQ(ResolveProgramPath(value, config), path) << value;
    EXPECT_EQ(ResolveProgramPath("x", "local.zmv"), "x.exe");
    EXPECT_EQ(ResolveProgramPath(".EXE", "local.zmv"), ".EXE");
}

struct ParseCase : ::testing::Test {
    LaunchSettings s;
    std::set<std::string> files{"C:\\CFG\\run.exe", "C:\\APP\\VESKOR32.EXE"};
    std::optional<Message> Parse(const std::string& text) {
        s.configPath = "C:\\CFG\\a.zmv";
        s.fullText = text;
        return ParseLauncherConfig(s, [this](const std::string& p) { return files.count(p) > 0; });
    }
};

// Each file as "program|arguments|title|font size|show command|" and the
// switches that are on (T tool bar, Q quick edit, F full screen, t TrueType).
// A key counts wherever it stands, in any case; its value runs to the line end.
TEST_F(ParseCase, ReadsEveryKeyOrItsDefault) {
    const std::pair<const char*, const char*> rows[] = {
        {"PROGNAME: C:\\APP\\VESKOR32.EXE\r\nCMD_LINE:  a//b  \r\nTITLEBAR:  Veskor Console \r\nWINSTATE: min\r\n"
         "TOOL_BAR: Y\r\nQUICK_ED: yes\r\nFULLSCRN: 1\r\nFONTTYPE: tt\r\nFONTSIZE: 8X12\r\nCOMMENTS:\r\nTITLEBAR: later",
         "C:\\APP\\VESKOR32.EXE|a//b|Veskor Console| 8x12|6|TQFt"},
        {"PROGNAME: run\r\nTITLEBAR:   \r\nFONTTYPE: Lucida", "C:\\CFG\\run.exe||C:\\CFG\\run.exe (ZMV)|max|3|"},
        {"x progname: run COMMENTS: CLEAN_UP: 0", "C:\\CFG\\run.exe||C:\\CFG\\run.exe (ZMV)|max|3|"},
    };
    for (const auto& [text, settings] : rows) {
        ASSERT_EQ(Parse(text), std::nullopt) << text;
        EXPECT_EQ(s.programPath + "|" + s.arguments + "|" + s.title + "|" + s.fontSizeText + "|" +
                      std::to_string(s.showCommand) + "|" + (s.toolbar ? "T" : "") + (s.quickEdit ? "Q" : "") +
                      (s.fullScreen ? "F" : "") + (s.trueType ? "t" : ""),
                  settings);
    }
    EXPECT_FALSE(CleanUpSuppressed(s.effectiveText));  // only what comes before COMMENTS counts
    EXPECT_TRUE(CleanUpSuppressed("clean_up: 0") && !TestModeIn("testmode: 1"));  // TESTMODE only as written
}

TEST_F(ParseCase, RefusesWithoutAProgramKey) {
    for (const char* text : {"", "PROGNAME : run\r\n", "COMMENTS:\r\nPROGNAME: run"})
        EXPECT_EQ(Parse(text).value_or(Message{}).text, NoProgramMessage("C:\\CFG\\a.zmv").text) << text;
}

// A relative configuration path, from a folder anyone may write: the file test
// sees the program path as resolved against the configuration's folder; only
// the title, once the test passed, carries the full one.
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
