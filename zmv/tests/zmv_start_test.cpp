#include "zmv_start.h"

#include <gtest/gtest.h>

#include <tuple>

namespace veskor::zmv {
namespace {

TEST(Start, FlagsCommandLineFolderAndTestDump) {
    EXPECT_EQ(StartFlags(3, false), 1u | 4u | 8u);
    EXPECT_EQ(StartFlags(6, true), 1u | 8u | 32u);

    EXPECT_EQ(CommandLine("C:\\My App\\V.EXE", "a//b"), "\"C:\\My App\\V.EXE\" a//b");
    EXPECT_EQ(CommandLine("C:\\APP\\V.EXE", ""), "C:\\APP\\V.EXE ");
    EXPECT_EQ(WorkingFolder("C:\\MYAPP~1\\V.EXE"), "C:\\MYAPP~1\\");
    EXPECT_EQ(WorkingFolder("V.EXE"), "");
    EXPECT_EQ(TestDumpText({4, 10, 0xFFFFFFFE, 1}, "A\r\nCOMMENTS: b"),
              " 4 \r\n 10 \r\n-2 \r\n 1 \r\n-->\r\nA\r\nCOMMENTS: b\r\n<--\r\n");
    EXPECT_EQ(TestDumpText({0x80000000u, 0, 0, 0}, ""), "-2147483648 \r\n 0 \r\n 0 \r\n 0 \r\n-->\r\n\r\n<--\r\n");
}

// The classic host keeps the console only when neither value reads as zero
// and one names it (the Windows 95/98 family has no other); then a visible
// state starts as configured, else minimised and shown after.
TEST(Start, ConsoleHostAndShowPlan) {
    const PlatformFacts nt{10, 0, 22631, 2}, win98{4, 10, 1998, 1};
    const std::string nul(1, '\0'), classic = std::string(kClassicConsoleHost) + nul,
                      terminal = "{E12CFF52-A866-4C77-9A90-F570A7AA2C6B}" + nul,
                      zero = "{00000000-0000-0000-0000-000000000000}" + nul;
    const std::optional<std::string> none;
    const std::tuple<std::optional<std::string>, std::optional<std::string>, bool> pairs[] = {  // both values, certain
        {classic, classic, true},
        {terminal, classic, true},  // either one naming it keeps the console
        {"{b23d10c0-e52e-411e-9d5b-c09fdf709c7d}" + nul, terminal, true},
        {classic.substr(0, 38) + "x", classic, true},  // the 39th is taken for the terminator
        {classic, none, false},
        {zero, classic, false},
        {terminal, terminal, false},
        {classic, std::string(kClassicConsoleHost), false},  // stored without its terminator
        {classic, classic + "x", false},
        {"B23D10C0-E52E-411E-9D5B-C09FDF709C7D" + nul + nul + nul, classic, false},
        {"{B23D10C0-E52E-411E-9D5B+C09FDF709C7D}" + nul, classic, false},
        {"{B23D10C0-E52E-411E-9D5B-C09FDF709C7G}" + nul, classic, false},
    };
    for (const auto& [consoleValue, terminalValue, certain] : pairs)
        EXPECT_EQ(ClassicHostCertain(nt, consoleValue, terminalValue), certain)
            << consoleValue.value_or("-") << " " << terminalValue.value_or("-");
    EXPECT_TRUE(ClassicHostCertain(win98, none, none));
    EXPECT_EQ(DelegationClassId(terminal), terminal.substr(0, 38));

    const int kNone = -1;
    const std::tuple<int, int, int> plans[] = {{0, 0, kNone}, {1, 2, 1}, {2, 2, kNone}, {3, 2, 3}, {4, 7, 4},
        {5, 2, 1}, {6, 6, kNone}, {7, 7, kNone}, {8, 7, 4}, {9, 2, 9}, {10, 2, 1}, {11, 11, kNone}};
    for (const auto& [configured, handOverStart, handOverAfter] : plans) {
        const ShowPlan classicPlan = PlanShow(configured, true), handOver = PlanShow(configured, false);
        EXPECT_TRUE(classicPlan.atStart == configured && !classicPlan.afterWait) << configured;
        EXPECT_EQ(handOver.atStart, handOverStart) << configured;
        EXPECT_EQ(handOver.afterWait.value_or(kNone), handOverAfter) << configured;
    }
}

}  // namespace
}  // namespace veskor::zmv
