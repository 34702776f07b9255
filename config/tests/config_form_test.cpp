#include "config_form.h"

#include <gtest/gtest.h>

#include "config_layout.h"
#include "memory_tree.h"

namespace veskor::config {
namespace {

using veskor::testing::MemoryTree;

// Checked and enabled states of all option buttons, written as one text per
// group: a capital letter is checked, a small one not, '-' marks disabled.
std::string Buttons(const FormState& f) {
    auto group = [](const auto& buttons, const char* letters) {
        std::string out;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            const char l = letters[i];
            out += buttons[i].checked ? l : static_cast<char>(l - 'A' + 'a');
            if (!buttons[i].enabled) out += '-';
        }
        return out;
    };
    return group(f.windowType, "MS") + " " + group(f.fontType, "TB") + " " + group(f.screenSize, "ABC") + " " +
           group(f.screen, "12");
}

struct Form : ::testing::Test {
    Form() {
        tree.Add("C:\\APP\\VESKOR32.EXE");
        tree.Add("C:\\APP\\DATA02\\SPOOL", MemoryTree::Dir);
        FillDataFolders(f);
    }
    ConfigSettings Loaded(const char* graphicMode, const char* screenSize, const char* maxFlag,
                          const char* maxType) {
        ConfigSettings s;
        s.applFolder = "c:\\app";
        s.dataFolderName = "data02";
        s.spoolFolderName = "spool";
        s.screenSize = screenSize;
        s.fontSize = "8x13 TT";
        s.maxFlag = maxFlag;
        s.maxSize = "70";
        s.maxType = maxType;
        s.graphicMode = graphicMode;
        return s;
    }
    MemoryTree tree;
    FormState f = InitialFormState();
};

TEST_F(Form, ShowSettingsFillsFieldsAndRunsTheChecks) {
    ShowSettings(f, Loaded("0", "800 x 600", "N", "BMP"), tree.Searcher());
    EXPECT_EQ(f.appFolderText, "C:\\APP");
    EXPECT_EQ(f.spoolFolderText, "SPOOL");
    EXPECT_EQ(f.dataFolders.SelectedText(), "DATA02");
    EXPECT_EQ(f.status[2].text, "'SPOOL' FOLDER HAS BEEN FOUND IN CURRENT FOLDER");
    EXPECT_EQ(f.status[2].colour, kBlack);
    EXPECT_EQ(Buttons(f), "mS- tB- aBc 1-2-");
    EXPECT_EQ(f.fontSizes.entries.size(), 6u);
    EXPECT_EQ(f.fontSizes.SelectedText(), "8X13 TT");
    EXPECT_TRUE(f.fontSizes.enabled);
    EXPECT_EQ(f.settings.screenSizeIndex, 2);
}

TEST_F(Form, ShowSettingsOptionCombinations) {
    const struct {
        const char *graphicMode, *graphicScreen, *screenSize, *maxFlag, *maxType;
        const char* buttons;
        const char* fontSize;  // selected entry
        bool listEnabled;
    } cases[] = {
        {"1", "1", "800 x 600", "Y", "TT", "m-S- t-B- a-b-C- 12", "12X20 TT", false},
        {"1", "0", "800 x 600", "Y", "TT", "m-S- t-B- a-b-C- 12", "11X18 TT", false},
        {"1", "", "800 x 600", "Y", "TT", "m-S- t-B- a-b-C- 12", "11X18 TT", false},
        {"1", "7", "800 x 600", "Y", "TT", "m-S- t-B- a-b-C- 12", "12X20 TT", false},
        {"0", "", "600 x 480", "Y", "TT", "Ms Tb a-b-c- 1-2-", "70", true},
        {"0", "", "1024 x 768", "N", "TT", "mS t-b- abC 1-2-", "10X16", true},
        {"0", "", "640 x 480", "N", "TT", "mS t-b- abc 1-2-", "", true},
        {"0", "", "800 x 600", "X", "XX", "ms tb abc 1-2-", "", true},
        {"", "", "800 x 600", "Y", "BMP", "Ms tB a-B-c 1-2-", "70", true},
    };
    for (const auto& c : cases) {
        FormState form = InitialFormState();
        FillDataFolders(form);
        ConfigSettings s = Loaded(c.graphicMode, c.screenSize, c.maxFlag, c.maxType);
        s.graphicScreen = c.graphicScreen;
        ShowSettings(form, s, tree.Searcher());
        const std::string name = std::string(c.graphicMode) + c.graphicScreen + c.screenSize + c.maxFlag;
        EXPECT_EQ(Buttons(form), c.buttons) << name;
        EXPECT_EQ(form.fontSizes.SelectedText(), c.fontSize) << name;
        EXPECT_EQ(form.fontSizes.enabled, c.listEnabled) << name;
        EXPECT_EQ(form.graphicModeChecked, std::string(c.graphicMode) == "1") << name;
    }
}

TEST_F(Form, GraphicModeOnAndOffAgain) {
    ShowSettings(f, Loaded("0", "800 x 600", "Y", "TT"), tree.Searcher());
    ASSERT_EQ(Buttons(f), "Ms Tb a-B-c 1-2-");
    ScreenClicked(f, 0);  // a disabled button cannot be clicked, but nothing may break
    GraphicModeClicked(f, true);
    EXPECT_EQ(Buttons(f), "m-S- t-B- a-b-C- 12");
    EXPECT_EQ(f.settings.maxFlag, "N");
    EXPECT_EQ(f.settings.screenSize, "1024 x 768");
    EXPECT_EQ(f.settings.maxType, "TT");  // the record keeps the type
    EXPECT_EQ(f.settings.screenSizeIndex, 2);
    EXPECT_EQ(f.fontSizes.SelectedText(), "11X18 TT");
    EXPECT_FALSE(f.fontSizes.enabled);
    ScreenClicked(f, 1);
    EXPECT_EQ(f.fontSizes.SelectedText(), "12X20 TT");
    EXPECT_EQ(Buttons(f), "m-S- t-B- a-b-C- 12");
    GraphicModeClicked(f, false);
    EXPECT_EQ(Buttons(f), "mS tB abC 1-2-");
    EXPECT_EQ(f.fontSizes.SelectedText(), "12X20 TT");
    EXPECT_EQ(f.fontSizes.entries.size(), 6u);
    EXPECT_TRUE(f.fontSizes.enabled);
}

TEST_F(Form, WindowTypeAndScreenSizeRefillTheList) {
    ShowSettings(f, Loaded("0", "800 x 600", "N", "TT"), tree.Searcher());
    FontSizePicked(f, 0);
    WindowTypeClicked(f, 0);
    EXPECT_EQ(f.fontSizes.entries.front(), "100");
    EXPECT_EQ(f.fontSizes.SelectedText(), "70");
    EXPECT_EQ(Buttons(f), "Ms t-b- a-Bc 1-2-");
    ScreenSizeClicked(f, 0);  // under MAX the list stays
    EXPECT_EQ(f.fontSizes.SelectedText(), "70");
    EXPECT_EQ(f.settings.screenSize, "600 x 480");
    WindowTypeClicked(f, 1);
    EXPECT_EQ(f.settings.screenSizeIndex, 1);
    EXPECT_EQ(f.fontSizes.entries, (std::vector<std::string>{"5X12", "6X10 TT", "7X11 TT", "7X12"}));
    EXPECT_EQ(f.fontSizes.SelectedText(), "5X12");  // 8x13 TT is not offered here
    FontSizePicked(f, 2);
    ScreenSizeClicked(f, 1);
    EXPECT_EQ(f.fontSizes.SelectedText(), "8X13 TT");  // the unsaved pick is lost
    FontTypeClicked(f, 1);
    EXPECT_EQ(f.settings.maxType, "BMP");
    // Values no control sends change nothing.
    const FormState before = f;
    for (int group : {0, 1, 2, 3, 4, 5, 6})
        for (int value : {-1, 4, 9}) SetOption(f, group, value);
    EXPECT_EQ(Buttons(f), Buttons(before));
    EXPECT_EQ(f.settings, before.settings);
    FillFontSizes(f, 7, 1);
    EXPECT_TRUE(f.fontSizes.entries.empty());
    EXPECT_EQ(f.fontSizes.selected, -1);
}

TEST_F(Form, CollectTakesTheFormsValues) {
    ShowSettings(f, Loaded("0", "800 x 600", "Y", "TT"), tree.Searcher());
    FontSizePicked(f, 1);
    SpoolFolderChanged(f, "prn", tree.Searcher());
    Collected c = CollectSettings(f);
    EXPECT_FALSE(c.refused);
    EXPECT_EQ(c.settings.maxSize, "90");
    EXPECT_EQ(c.settings.fontSize, "8x13 TT");
    EXPECT_EQ(c.settings.spoolFolderName, "PRN");
    EXPECT_EQ(c.settings.dataFolderName, "DATA02");
    EXPECT_EQ(c.settings.graphicMode, "0");
    EXPECT_EQ(c.settings.graphicScreen, "1");

    GraphicModeClicked(f, true);
    ScreenClicked(f, 0);
    c = CollectSettings(f);
    EXPECT_EQ(c.settings.fontSize, "11X18 TT");
    EXPECT_EQ(c.settings.maxSize, "70");
    EXPECT_EQ(c.settings.graphicMode, "1");
    EXPECT_EQ(c.settings.graphicScreen, "0");
    EXPECT_EQ(c.settings.maxFlag, "N");

    FolderChosen(f, "\\\\srv\\app\\veskor32.exe", tree.Searcher());
    EXPECT_EQ(f.appFolderText, "\\\\SRV\\APP");
    EXPECT_EQ(f.status[0].colour, kRed);
    c = CollectSettings(f);
    EXPECT_TRUE(c.refused);
    EXPECT_EQ(c.settings.spoolFolderName, "SPOOL");
}

TEST_F(Form, UnshownStoredSizeIsKeptOnSave) {
    ShowSettings(f, Loaded("0", "640 x 480", "N", "TT"), tree.Searcher());
    ASSERT_EQ(f.fontSizes.SelectedText(), "");
    EXPECT_EQ(CollectSettings(f).settings.fontSize, "8x13 TT");
    EXPECT_EQ(CollectSettings(f).settings.screenSize, "640 x 480");
}

TEST_F(Form, HelpFollowsFocusedControls) {
    ControlFocused(f, ids::txtAppFolder);
    EXPECT_EQ(f.help, "The Application Folder Location");
    ControlFocused(f, ids::optScreenSize[2]);
    EXPECT_EQ(f.help.substr(0, 24), "This option is ignored (");
    ControlFocused(f, ids::lblCaption[0]);
    ControlFocused(f, ids::fraWindow);
    EXPECT_EQ(f.help.substr(0, 24), "This option is ignored (");
}

TEST_F(Form, StatusColourStaysOnLinesTheCheckEmpties) {
    ShowSettings(f, Loaded("1", "800 x 600", "Y", "TT"), tree.Searcher());
    SpoolFolderChanged(f, "NOSUCH", tree.Searcher());
    ASSERT_EQ(f.status[2].colour, kRed);
    AppFolderChanged(f, "C:\\ELSEWHERE", tree.Searcher());
    EXPECT_EQ(f.status[2].text, "");
    EXPECT_EQ(f.status[2].colour, kRed);
    EXPECT_EQ(f.status[0].colour, kRed);
    DataFolderPicked(f, 8, tree.Searcher());
    EXPECT_EQ(f.dataFolders.SelectedText(), "DATA09");
}

}  // namespace
}  // namespace veskor::config
