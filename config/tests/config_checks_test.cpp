#include "config_checks.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "config_layout.h"
#include "memory_tree.h"

namespace veskor::config {
namespace {

using veskor::testing::MemoryTree;

// A status line as "R:text", "B:text" or "=:text" (colour left unchanged).
std::string Line(const StatusLine& l) {
    return std::string(!l.colour ? "=" : *l.colour == kRed ? "R" : "B") + ":" + l.text;
}

TEST(ConfigFolderCheck, LinesAndColoursInTestOrder) {
    const std::string app = "APPLICATION 'VESKOR32.EXE' HAS BEEN FOUND IN CURRENT FOLDER";
    const std::string noApp = "R:APPLICATION 'VESKOR32.EXE' HAS NOT BEEN FOUND IN CURRENT FOLDER";
    const std::string found = "' FOLDER HAS BEEN FOUND IN CURRENT FOLDER", missing = "' FOLDER HAS NOT BEEN FOUND IN CURRENT FOLDER";
    const std::tuple<std::string, std::string, std::string, std::array<std::string, 3>> cases[] = {  // folders, lines
        {"C:\\NONE", "DATA01", "SPOOL", {noApp, "=:", "=:"}},
        {"C:\\APP\\", "DATA01", "SPOOL", {"B:" + app, "B:'DATA01" + found, "B:'SPOOL" + found}},
        {"C:\\APP", "DATA02", "SPOOL", {"B:" + app, "R:'DATA02" + missing, "=:"}},
        {"C:\\APP", "DATA03", "SPOOL", {"B:" + app, "B:'DATA03" + found, "R:'SPOOL" + missing}},  // a plain file
        {"C:\\APP", "DATA01", "", {"B:" + app, "B:'DATA01" + found, "B:'" + found}},
        {"\\\\SRV\\APP", "DATA01", "SPOOL",
         {"R:THE APPLICATION FOLDER MUST BE MAPPED TO A DRIVE LETTER (ie 'R:')",
          "R:AND NOT A NETWORK SHARE (ie \\\\SERVER)", "R:YOU WILL NOT BE ABLE TO SAVE THE CURRENT SETTINGS"}},
        {"\\\\SRV\\NONE", "DATA01", "SPOOL", {noApp, "=:", "=:"}},
    };
    MemoryTree tree;
    tree.Add("C:\\APP\\VESKOR32.EXE");
    tree.Add("C:\\APP\\DATA01\\SPOOL", MemoryTree::Dir);
    tree.Add("C:\\APP\\DATA03");
    tree.Add("\\\\SRV\\APP\\VESKOR32.EXE");
    for (const auto& [appFolder, data, spool, lines] : cases) {
        const FolderStatus s = CheckFolders(tree.Searcher(), appFolder, data, spool);
        for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(Line(s[i]), lines[i]) << appFolder << " " << spool;
    }
}

TEST(ConfigLists, FontSizeListsAndSelection) {
    EXPECT_EQ(FontSizeListText(3, 1), "");  // no list of another kind; the lists themselves are the form tests'
    const std::vector<std::string> list = {"10X16", "12X20 TT", "12x20 tt"};
    EXPECT_EQ(SelectionFor(list, "12x20 Tt"), 1);
    EXPECT_EQ(SelectionFor(list, "8x12"), 0);
    EXPECT_EQ(SelectionFor({}, "x"), -1);
    EXPECT_EQ(UpperCase("c:\\data01 \xe9x"), "C:\\DATA01 \xe9X");
}

TEST(ConfigSelectFolder, RequestAndChosenFolder) {
    const OpenFileRequest empty = SelectFolderRequest("");
    EXPECT_EQ(empty.initialFolder + "|" + empty.initialFile, "C:\\KELVESKOR|C:\\KELVESKOR\\VESKOR32.EXE");
    EXPECT_EQ(empty.filter, std::string("VESKOR Application (VESKOR32.EXE)\0Veskor32.exe\0\0", 48));
    EXPECT_EQ(SelectFolderRequest("E:\\").initialFile, "E:\\VESKOR32.EXE");
    const std::pair<const char*, const char*> cases[] = {{"D:\\APPS\\VESKOR32.EXE", "D:\\APPS"}, {"E:\\VESKOR32.EXE", "E:\\"},
                 {"d:\\apps\\veskor32.exe", "d:\\apps"}, {"D:\\A\\VESKOR32.EXE\\B\\VESKOR32.EXE", "D:\\A"},
                 {"D:\\APPS\\OTHER.EXE", ""},            {"VESKOR32.EXE", ""}};
    for (const auto& [chosen, folder] : cases) EXPECT_EQ(FolderFromChosenFile(chosen), folder) << chosen;
}

// A control without help shows none; the line markers of the stored texts become line ends.
TEST(ConfigHelp, TextsAndLineBreaks) {
    EXPECT_NE(HelpText(ids::optScreen[0]).find("Screen\r\nSCREEN 1 - "), std::string::npos);
    EXPECT_EQ(HelpText(ids::fraFolders), "");
    EXPECT_EQ(ExpandLineMarkers("a\\nb\\"), "a\r\nb\\");
    EXPECT_EQ(ExpandLineMarkers("a\\n"), "a\r\n");
}

TEST(ConfigLayout, ControlsIdentifiersAndPosition) {
    std::set<int> seen;
    for (const ControlSpec& c : FormControls()) {
        EXPECT_TRUE(seen.insert(c.id).second) << c.name;
        EXPECT_EQ(c.resizedHeight != 0, c.kind == ControlKind::ComboBox) << c.name;
        EXPECT_TRUE(!(c.style & style::kWS_TABSTOP) || !HelpText(c.id).empty()) << c.name;  // every stop has help
        // Text drawn on the form's face has no background of its own.
        if (c.id == ids::fraFolders || c.id == ids::txtAppFolder) {
            EXPECT_EQ(c.colours.background, c.id == ids::fraFolders ? style::kCOLOR_BTNFACE : style::kCOLOR_WINDOW);
        }
    }
    const std::pair<ControlKind, const char*> classes[] = {
        {ControlKind::Edit, "EDIT"}, {ControlKind::ComboBox, "COMBOBOX"}, {ControlKind::Label, "STATIC"},
        {ControlKind::GroupBox, "BUTTON"}, {ControlKind::OptionButton, "BUTTON"}};
    for (const auto& [kind, name] : classes) EXPECT_STREQ(ControlClassName(kind), name);
}

}  // namespace
}  // namespace veskor::config
