#include "zmv_start.h"

#include <gtest/gtest.h>

namespace veskor::zmv {
namespace {

TEST(Start, FlagsCommandLineAndFolder) {
    EXPECT_EQ(StartFlags(3, false), 1u | 4u | 8u);
    EXPECT_EQ(StartFlags(6, true), 1u | 8u | 32u);
    EXPECT_EQ(StartFlags(0, false), 9u);

    EXPECT_EQ(CommandLine("C:\\My App\\V.EXE", "a//b"), "\"C:\\My App\\V.EXE\" a//b");
    EXPECT_EQ(CommandLine("C:\\APP\\V.EXE", ""), "C:\\APP\\V.EXE ");
    EXPECT_EQ(WorkingFolder("C:\\MYAPP~1\\V.EXE"), "C:\\MYAPP~1\\");
    EXPECT_EQ(WorkingFolder("V.EXE"), "");
}

TEST(Start, TestDumpAndMessages) {
    EXPECT_EQ(TestDumpText({4, 10, 0xFFFFFFFE, 1}, "A\r\nCOMMENTS: b"),
              " 4 \r\n 10 \r\n-2 \r\n 1 \r\n-->\r\nA\r\nCOMMENTS: b\r\n<--\r\n");
    EXPECT_EQ(TestDumpText({0x80000000u, 0, 0, 0}, "").substr(0, 14), "-2147483648 \r\n");

    const Message failed = StartFailureMessage("C:\\APP\\V.EXE", 193);
    EXPECT_EQ(failed.text, "Unable to start \"C:\\APP\\V.EXE\".  Error 193 was reported by Windows.");
    EXPECT_EQ(failed.caption, "Console Window Configuration (ZMV) Failure");
}

}  // namespace
}  // namespace veskor::zmv
