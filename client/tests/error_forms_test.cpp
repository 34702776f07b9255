#include "error_forms.h"

#include <gtest/gtest.h>

namespace veskor::client {
namespace {

StartupState StateWith(std::int32_t status) {
    return {"C:\\INST", "", "C:\\INST\\VESKOR.INI", "D:\\APP", "D:\\APP\\DATA01", "D:\\APP\\DATA01\\SPOOL",
            "D:\\APP\\VESKORUPD.LCK", status, "Access is denied."};
}

// The fields a status fills and the message's first line (with the reason a
// file could not be read); the fixed texts around them are the code's own.
TEST(ErrorForm1, FillPerStatus) {
    struct Case { std::int32_t status; const char *firstField, *secondField, *head; } cases[] = {
        {IniMissing, "C:\\INST", "C:\\INST\\VESKOR.INI", "CANNOT FIND THE <CONFIGURATION INI FILE> SHOWN ABOVE"},
        {IniUnreadable, "C:\\INST", "C:\\INST\\VESKOR.INI",
         "CANNOT READ THE <CONFIGURATION INI FILE> SHOWN ABOVE\r\nAccess is denied."},
        {LockFileUnreadable, "D:\\APP\\VESKORUPD.LCK", nullptr,
         "CANNOT READ THE <UPDATE LOCK FILE> SHOWN ABOVE\r\nAccess is denied."},
        {ApplicationFolderMissing, "D:\\APP", "D:\\APP\\DATA01", "CANNOT FIND THE <APPLICATION FOLDER> SHOWN ABOVE"},
        {DataFolderMissing, "D:\\APP", "D:\\APP\\DATA01", "CANNOT FIND THE <APPLICATION DATA FOLDER> SHOWN ABOVE"},
        {SpoolFolderMissing, "D:\\APP\\DATA01", "D:\\APP\\DATA01\\SPOOL",
         "CANNOT FIND THE <APPLICATION DATA SPOOL FOLDER> SHOWN ABOVE"},
        {UpdateLocked, "D:\\APP\\VESKORUPD.LCK", nullptr, "THE FILE ABOVE IS CURRENTLY LOCKED BY ANOTHER COMPUTER. "},
    };
    for (const Case& c : cases) {
        const Error1Fill f = FillError1(StateWith(c.status));
        SCOPED_TRACE(c.status);
        EXPECT_TRUE(!f.handOver && f.secondRowVisible == (c.secondField != nullptr));
        EXPECT_EQ(f.firstField, c.firstField);
        EXPECT_TRUE(!c.secondField || f.secondField == c.secondField) << f.secondField;
        EXPECT_EQ(f.message.rfind(std::string(c.head) + "\r\n", 0), 0u) << f.message;
    }
    // Missing start-up files hand over to the second form.
    EXPECT_TRUE(FillError1(StateWith(StartupFilesMissing)).handOver);
    EXPECT_EQ(FillError2(StateWith(StartupFilesMissing)).field, "C:\\INST");
}

}  // namespace
}  // namespace veskor::client
