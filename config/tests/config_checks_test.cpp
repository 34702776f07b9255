#include "config_checks.h"

#include <gtest/gtest.h>

#include <set>

#include "config_layout.h"
#include "memory_tree.h"

namespace veskor::config {
namespace {

using veskor::testing::MemoryTree;

const std::string kFoundApp = "APPLICATION 'VESKOR32.EXE' HAS BEEN FOUND IN CURRENT FOLDER";
const std::string kMissingApp = "APPLICATION 'VESKOR32.EXE' HAS NOT BEEN FOUND IN CURRENT FOLDER";

TEST(ConfigFolderCheck, LinesAndColoursInTestOrder) {
    const std::optional<Colour> keep;
    const struct {
        const char* name;
        std::string app, data, spool;
        FolderStatus expected;
    } cases[] = {
        {"no program", "C:\\NONE", "DATA01", "SPOOL", {{{kMissingApp, kRed}, {"", keep}, {"", keep}}}},
        {"all found", "C:\\APP\\", "DATA01", "SPOOL",
         {{{kFoundApp, kBlack},
           {"'DATA01' FOLDER HAS BEEN FOUND IN CURRENT FOLDER", kBlack},
           {"'SPOOL' FOLDER HAS BEEN FOUND IN CURRENT FOLDER", kBlack}}}},
        {"no data", "C:\\APP", "DATA02", "SPOOL",
         {{{kFoundApp, kBlack}, {"'DATA02' FOLDER HAS NOT BEEN FOUND IN CURRENT FOLDER", kRed}, {"", keep}}}},
        {"no spool", "C:\\APP", "DATA01", "PRN",
         {{{kFoundApp, kBlack},
           {"'DATA01' FOLDER HAS BEEN FOUND IN CURRENT FOLDER", kBlack},
           {"'PRN' FOLDER HAS NOT BEEN FOUND IN CURRENT FOLDER", kRed}}}},
        {"data is a file", "C:\\APP", "DATA03", "SPOOL",
         {{{kFoundApp, kBlack},
           {"'DATA03' FOLDER HAS BEEN FOUND IN CURRENT FOLDER", kBlack},
           {"'SPOOL' FOLDER HAS NOT BEEN FOUND IN CURRENT FOLDER", kRed}}}},
        {"empty spool name", "C:\\APP", "DATA01", "",
         {{{kFoundApp, kBlack},
           {"'DATA01' FOLDER HAS BEEN FOUND IN CURRENT FOLDER", kBlack},
           {"'' FOLDER HAS BEEN FOUND IN CURRENT FOLDER", kBlack}}}},
        {"hidden spool", "C:\\APP", "DATA01", "HIDDEN",
         {{{kFoundApp, kBlack},
           {"'DATA01' FOLDER HAS BEEN FOUND IN CURRENT FOLDER", kBlack},
           {"'HIDDEN' FOLDER HAS NOT BEEN FOUND IN CURRENT FOLDER", kRed}}}},
        {"share with program", "\\\\SRV\\APP", "DATA01", "SPOOL",
         {{{"THE APPLICATION FOLDER MUST BE MAPPED TO A DRIVE LETTER (ie 'R:')", kRed},
           {"AND NOT A NETWORK SHARE (ie \\\\SERVER)", kRed},
           {"YOU WILL NOT BE ABLE TO SAVE THE CURRENT SETTINGS", kRed}}}},
        {"share without program", "\\\\SRV\\NONE", "DATA01", "SPOOL",
         {{{kMissingApp, kRed}, {"", keep}, {"", keep}}}},
        {"empty folder is the root", "", "DATA01", "SPOOL",
         {{{kFoundApp, kBlack}, {"'DATA01' FOLDER HAS NOT BEEN FOUND IN CURRENT FOLDER", kRed}, {"", keep}}}},
    };
    MemoryTree tree;
    tree.Add("C:\\APP\\VESKOR32.EXE");
    tree.Add("C:\\APP\\DATA01\\SPOOL", MemoryTree::Dir);
    tree.Add("C:\\APP\\DATA01\\HIDDEN", MemoryTree::Dir | MemoryTree::Hidden);
    tree.Add("C:\\APP\\DATA03");
    tree.Add("\\\\SRV\\APP\\VESKOR32.EXE");
    tree.Add("C:\\VESKOR32.EXE");
    // The memory tree searches a root only by drive; make "\" mean C:.
    const DirectorySearch search = [&tree](const std::string& p, const std::function<bool(const DirEntry&)>& v) {
        tree.Search(p.rfind("\\", 0) == 0 && p.rfind("\\\\", 0) != 0 ? "C:" + p : p, v);
    };
    for (const auto& c : cases) EXPECT_EQ(CheckFolders(search, c.app, c.data, c.spool), c.expected) << c.name;
}

TEST(ConfigLists, FontSizeListsPerCase) {
    const struct {
        int kind, index;
        std::vector<std::string> entries;
    } cases[] = {
        {1, 0, {"100", "90", "80", "70", "60", "50", "40", "30", "20", "10"}},
        {1, 2, {"100", "90", "80", "70", "60", "50", "40", "30", "20", "10"}},
        {2, 1, {"5x12", "6x10 TT", "7x11 TT", "7x12"}},
        {2, 2, {"7x11 TT", "7x12", "8x12", "8x13 TT", "8x14 TT", "9x15 TT"}},
        {2, 3, {"10x16", "10x18", "10x20 TT", "11x18 TT", "12x16", "12x20 TT"}},
        {2, 0, {""}},
        {2, 4, {""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitList(FontSizeListText(c.kind, c.index)), c.entries) << c.kind << "/" << c.index;
    EXPECT_EQ(FontSizeListText(3, 1), "");
    EXPECT_EQ(DataFolderEntries().size(), 9u);
    EXPECT_EQ(DataFolderEntries().back(), "DATA09");
}

TEST(ConfigLists, SelectionIgnoresCaseAndFallsBackToFirst) {
    const std::vector<std::string> list = {"10X16", "12X20 TT", "12x20 tt"};
    EXPECT_EQ(SelectionFor(list, "12x20 TT"), 1);
    EXPECT_EQ(SelectionFor(list, "12X20 tt"), 1);
    EXPECT_EQ(SelectionFor(list, "8x12"), 0);
    EXPECT_EQ(SelectionFor(list, ""), 0);
    EXPECT_EQ(SelectionFor({}, "x"), -1);
    EXPECT_EQ(UpperCase("c:\\data01 \xe9x"), "C:\\DATA01 \xe9X");
}

TEST(ConfigSelectFolder, RequestAndChosenFolder) {
    const OpenFileRequest empty = SelectFolderRequest("");
    EXPECT_EQ(empty.initialFolder, "C:\\KELVESKOR");
    EXPECT_EQ(empty.initialFile, "C:\\KELVESKOR\\VESKOR32.EXE");
    EXPECT_EQ(empty.filter, std::string("VESKOR Application (VESKOR32.EXE)\0Veskor32.exe\0\0", 48));
    EXPECT_EQ(SelectFolderRequest("E:\\").initialFile, "E:\\VESKOR32.EXE");

    const struct {
        const char *chosen, *folder;
    } cases[] = {{"D:\\APPS\\VESKOR32.EXE", "D:\\APPS"},
                 {"E:\\VESKOR32.EXE", "E:\\"},
                 {"d:\\apps\\veskor32.exe", "d:\\apps"},
                 {"D:\\A\\VESKOR32.EXE\\B\\VESKOR32.EXE", "D:\\A"},
                 {"D:\\APPS\\OTHER.EXE", ""},
                 {"VESKOR32.EXE", ""},
                 {"\\\\SRV\\VESKOR32.EXE", "\\\\SRV"}};
    for (const auto& c : cases) EXPECT_EQ(FolderFromChosenFile(c.chosen), c.folder) << c.chosen;
}

TEST(ConfigHelp, TextsPerControlWithLineBreaks) {
    EXPECT_EQ(HelpText(ids::optWindowType[1]), HelpText(ids::optWindowType[0]));
    EXPECT_EQ(HelpText(ids::optScreen[0]),
              "This Controls the Size of the Application Screen\r\nSCREEN 1 - Screen Size is Two-Thirds the Size "
              "of Screen 2\r\nSCREEN 2 - Full Size Screen");
    EXPECT_EQ(HelpText(ids::cmdSelectFolder), "The Application Folder Location");
    EXPECT_EQ(HelpText(ids::cboFontSize).find('\r'), std::string::npos);
    EXPECT_EQ(HelpText(ids::lblHelp), "");
    EXPECT_EQ(HelpText(ids::fraFolders), "");
    EXPECT_EQ(ExpandLineMarkers("a\\nb\\"), "a\r\nb\\");
    // Every control that takes the focus has its own text.
    for (const ControlSpec& c : FormControls())
        if (c.style & style::kWS_TABSTOP) {
            EXPECT_FALSE(HelpText(c.id).empty()) << c.name;
        }
}

TEST(ConfigLayout, ControlsIdentifiersAndTabOrder) {
    const auto& controls = FormControls();
    ASSERT_EQ(controls.size(), 30u);
    std::set<int> idsSeen;
    std::vector<std::string> tabOrder;
    for (const ControlSpec& c : controls) {
        EXPECT_TRUE(idsSeen.insert(c.id).second) << c.name;
        EXPECT_EQ(c.style & (style::kWS_CHILD | style::kWS_VISIBLE), style::kWS_CHILD | style::kWS_VISIBLE) << c.name;
        EXPECT_EQ(c.resizedHeight != 0, c.kind == ControlKind::ComboBox) << c.name;
        if (c.style & style::kWS_TABSTOP) tabOrder.push_back(c.name);
    }
    EXPECT_EQ(tabOrder, (std::vector<std::string>{"txtAppFolder", "cboDataFolder", "txtSpoolFolder",
                                                  "chkGraphicMode", "optWindowType", "optWindowType",
                                                  "optFontType", "optFontType", "optScreen", "optScreen",
                                                  "optScreenSize", "optScreenSize", "optScreenSize",
                                                  "cboFontSize", "cmdOK", "cmdCancel"}));
    EXPECT_EQ(*idsSeen.begin(), 2);
    EXPECT_EQ(*idsSeen.rbegin(), 1028);
    EXPECT_STREQ(ControlClassName(ControlKind::OptionButton), "BUTTON");
}

TEST(ConfigLayout, FormCentredWithoutClamping) {
    EXPECT_EQ(FormPosition(1024, 768), (Point{222, 205}));
    EXPECT_EQ(FormPosition(640, 480), (Point{30, 61}));
    EXPECT_EQ(FormPosition(500, 300), (Point{-39, -29}));
}

}  // namespace
}  // namespace veskor::config
