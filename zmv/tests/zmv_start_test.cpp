#include "zmv_start.h"

#include <gtest/gtest.h>

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

// Only a choice naming the classic host, or the Windows 95/98 family, keeps the
// configured start; then a visible state starts minimised and is shown after.
TEST(Start, ConsoleHostAndShowPlan) {
    const PlatformFacts nt{10, 0, 22631, 2}, win98{4, 10, 1998, 1};
    const std::string classic(kClassicConsoleHost);
    const struct {
        PlatformFacts facts;
        std::optional<std::string> choice;
        bool certain;
    } hosts[] = {
        {nt, classic, true},
        {nt, "{b23d10c0-e52e-411e-9d5b-c09fdf709c7d}" + std::string(1, '\0'), true},
        {nt, "{2EACA947-7F5F-4CFA-BA87-8F7FBEEFBE69}", false},
        {nt, "{00000000-0000-0000-0000-000000000000}", false},
        {nt, std::nullopt, false},
        {nt, " " + classic, false},
        {win98, std::nullopt, true},
    };
    for (const auto& h : hosts) EXPECT_EQ(ClassicHostCertain(h.facts, h.choice), h.certain) << h.choice.value_or("-");

    const int kNone = -1;
    const struct {
        int configured, handOverStart, handOverAfter;
    } plans[] = {{0, 0, kNone}, {1, 2, 1}, {2, 2, kNone}, {3, 2, 3}, {4, 7, 4}, {5, 2, 1}, {6, 6, kNone},
                 {7, 7, kNone}, {8, 7, 4}, {9, 2, 9}, {10, 2, 1}, {11, 11, kNone}};
    for (const auto& p : plans) {
        const ShowPlan classicPlan = PlanShow(p.configured, true), handOver = PlanShow(p.configured, false);
        EXPECT_TRUE(classicPlan.atStart == p.configured && !classicPlan.afterWait) << p.configured;
        EXPECT_EQ(handOver.atStart, p.handOverStart) << p.configured;
        EXPECT_EQ(handOver.afterWait.value_or(kNone), p.handOverAfter) << p.configured;
    }
}

}  // namespace
}  // namespace veskor::zmv
