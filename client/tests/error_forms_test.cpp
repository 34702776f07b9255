#include "error_forms.h"

#include <gtest/gtest.h>

namespace veskor::client {
namespace {

StartupState StateWith(std::int32_t status) {
    return {"C:\\INST", "", "C:\\INST\\VESKOR.INI", "D:\\APP", "D:\\APP\\DATA01", "D:\\APP\\DATA01\\SPOOL",
            "D:\\APP\\VESKORUPD.LCK", status, "Access is denied."};
}

// The panel's lines as far as the row gives them; the fixed lines after them
// are the code's own texts, which the end-to-end cases show on the forms.
TEST(ErrorForm1, FillPerStatus) {
    const char* const kRun = "RUN THE 'Keldrin Veskor Configuration' UTILITY";
    const char* const kSetup = "TO SETUP THE CORRECT LOCATION FOR THE FOLDERS";
    const char* const kAccess = "THE ADMINISTRATOR MUST GIVE USERS READ ACCESS TO THIS FILE";
    struct Case { std::int32_t status; const char *firstLabel, *firstField, *secondLabel, *secondField; bool secondRow;
                  std::vector<std::string> lines; } cases[] = {
        {IniMissing, "Current Startup Folder", "C:\\INST", "Current Startup File", "C:\\INST\\VESKOR.INI", true,
         {"CANNOT FIND THE <CONFIGURATION INI FILE> SHOWN ABOVE"}},
        {IniUnreadable, "Current Startup Folder", "C:\\INST", "Current Startup File", "C:\\INST\\VESKOR.INI", true,
         {"CANNOT READ THE <CONFIGURATION INI FILE> SHOWN ABOVE", "Access is denied.", kAccess}},
        {LockFileUnreadable, "Keldrin Veskor Application Lock File", "D:\\APP\\VESKORUPD.LCK",
         "Keldrin Veskor Application DATA Folder", "Application Data Folder", false,
         {"CANNOT READ THE <UPDATE LOCK FILE> SHOWN ABOVE", "Access is denied.", kAccess}},
        {ApplicationFolderMissing, "Keldrin Veskor Application Folder", "D:\\APP",
         "Keldrin Veskor Application DATA Folder", "D:\\APP\\DATA01", true,
         {"CANNOT FIND THE <APPLICATION FOLDER> SHOWN ABOVE", kRun, kSetup}},
        {DataFolderMissing, "Keldrin Veskor Application Folder", "D:\\APP", "Keldrin Veskor Application DATA Folder",
         "D:\\APP\\DATA01", true, {"CANNOT FIND THE <APPLICATION DATA FOLDER> SHOWN ABOVE", kRun, kSetup}},
        {SpoolFolderMissing, "Keldrin Veskor Application DATA Folder", "D:\\APP\\DATA01",
         "Keldrin Veskor Application DATA SPOOL Folder", "D:\\APP\\DATA01\\SPOOL", true,
         {"CANNOT FIND THE <APPLICATION DATA SPOOL FOLDER> SHOWN ABOVE", kRun, kSetup}},
        {UpdateLocked, "Keldrin Veskor Application File Locked", "D:\\APP\\VESKORUPD.LCK",
         "Keldrin Veskor Application DATA Folder", "Application Data Folder", false,
         {"THE FILE ABOVE IS CURRENTLY LOCKED BY ANOTHER COMPUTER. "}},
    };
    for (const Case& c : cases) {
        const Error1Fill f = FillError1(StateWith(c.status));
        SCOPED_TRACE(c.status);
        EXPECT_TRUE(!f.handOver && f.secondRowVisible == c.secondRow);
        EXPECT_EQ(f.firstLabel + "|" + f.firstField + "|" + f.secondLabel + "|" + f.secondField,
                  std::string(c.firstLabel) + "|" + c.firstField + "|" + c.secondLabel + "|" + c.secondField);
        const std::string head = JoinLines(c.lines);
        EXPECT_TRUE(f.message == head || f.message.rfind(head + "\r\n", 0) == 0) << f.message;
    }
}

TEST(ErrorForm1, StartupFilesMissingHandsOverToTheSecondForm) {
    EXPECT_TRUE(FillError1(StateWith(StartupFilesMissing)).handOver);
    const Error2Fill g = FillError2(StateWith(StartupFilesMissing));
    EXPECT_EQ(g.label + "|" + g.field, "Keldrin Veskor Current Folder|C:\\INST");
}

}  // namespace
}  // namespace veskor::client
