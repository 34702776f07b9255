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

// The launcher's message boxes, text and caption; the end-to-end cases take them from here.
TEST(Messages, TextsAndCaptions) {
    const char* const invalid = "Invalid Console Window Config (ZMV) File";
    const char* const failure = "Console Window Configuration (ZMV) Failure";
    const char* const fatal = "Console Window Config (ZMV) Fatal Error";
    const struct {
        Message message;
        const char *text, *caption;
    } rows[] = {
        {MissingFileMessage("C:\\A\\a.zmv"), "The file \"C:\\A\\a.zmv\" is missing.",
         "Console Window Config (ZMV) File Not Found"},
        {NoProgramMessage("a.zmv"),
         "The file \"a.zmv\" does not contain...\r\rPROGNAME: (followed by name of program to be run)", invalid},
        {NoProgramFileMessage("C:\\A\\x.exe", "a.zmv"), "The program C:\\A\\x.exe specified in a.zmv does not exist.",
         invalid},
        {StartFailureMessage("C:\\APP\\V.EXE", 193),
         "Unable to start \"C:\\APP\\V.EXE\".  Error 193 was reported by Windows.", failure},
        {NoWindowMessage("C:\\V.EXE"), "Console Application Failure.\r\rProgram (C:\\V.EXE) did not start.", failure},
        {NetworkPathMessage("\\\\S\\V1.EXE"),
         "Error: Windows 95 and 98 only allow this program...\r\r\\\\S\\V1.EXE\r\r...to be run 1) from a Local Drive "
         "or 2) from a Network\rDrive that has been mapped to a drive letter.",
         fatal},
        {PifCreateMessage(70, "C:\\V.EXE"),
         "Error 70A creating ZMV file.\r\rThis program must be able to create a file in the target\rprogram's "
         "directory (C:\\V.EXE).",
         fatal},
        {PifWriteMessage(61, "x"), "Error 61B creating ZMV file.\r\rThis program must be able to create a file in the "
                                   "target\rprogram's directory (x).",
         fatal},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.message.text, r.text);
        EXPECT_EQ(r.message.caption, r.caption) << r.text;
    }
}

}  // namespace
}  // namespace veskor::zmv
