#include "config_form.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "config_layout.h"
#include "memory_tree.h"

namespace veskor::config {
namespace {

using veskor::testing::MemoryTree;

// The option buttons and the font-size list as one text: per group of buttons
// a capital letter is checked, a small one not, and '-' follows a disabled
// button (the screens are O and T); then the font-size pick, with '-' after it
// when the list is disabled.
std::string Controls(const FormState& f) {
    auto group = [](const auto& buttons, const char* letters) {
        std::string out;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            out += buttons[i].checked ? letters[i] : static_cast<char>(letters[i] - 'A' + 'a');
            if (!buttons[i].enabled) out += '-';
        }
        return out;
    };
    return group(f.windowType, "MS") + " " + group(f.fontType, "TB") + " " + group(f.screenSize, "ABC") + " " +
           group(f.screen, "OT") + " " + f.fontSizes.SelectedText() + (f.fontSizes.enabled ? "" : "-");
}

struct Form : ::testing::Test {
    Form() {
        tree.Add("C:\\APP\\VESKOR32.EXE");
        tree.Add("C:\\APP\\DATA02\\SPOOL", MemoryTree::Dir);
    }
    // A form after its lists are filled and the settings shown.
    FormState Shown(const char* graphicMode, const char* screenSize, const char* maxFlag, const char* maxType,
                    const char* graphicScreen = "") {
        FormState f = InitialFormState();
        FillDataFolders(f);
        ShowSettings(f, {"c:\\app", "data02", "spool", screenSize, "8x13 TT", maxFlag, "70", maxType, graphicMode,
                         graphicScreen},
                     tree.Searcher());
        return f;
    }
    // Each message a control event sends, handled at once.
    SendFormMessage At(FormState& f) { return HandleAt(f, tree.Searcher()); }
    MemoryTree tree;
};

TEST_F(Form, ShowSettingsOptionCombinations) {
    const struct {
        const char *graphicMode, *graphicScreen, *screenSize, *maxFlag, *maxType, *shown;
    } cases[] = {
        {"1", "1", "800 x 600", "Y", "TT", "m-S- t-B- a-b-C- oT 12X20 TT-"},
        {"1", "0", "800 x 600", "Y", "TT", "m-S- t-B- a-b-C- Ot 11X18 TT-"},
        {"1", "7", "800 x 600", "Y", "TT", "m-S- t-B- a-b-C- oT 12X20 TT-"},
        {"0", "", "800 x 600", "N", "BMP", "mS t-B- aBc o-T- 8X13 TT"},
        {"0", "", "600 x 480", "Y", "TT", "Ms Tb A-b-c- o-T- 70"},
        {"0", "", "1024 x 768", "N", "TT", "mS T-b- abC o-T- 10X16"},
        {"0", "", "640 x 480", "N", "TT", "mS T-b- abc o-T- "},
        {"0", "", "800 x 600", "X", "XX", "ms tb aBc o-T- "},
    };
    for (const auto& c : cases) {
        const FormState f = Shown(c.graphicMode, c.screenSize, c.maxFlag, c.maxType, c.graphicScreen);
        const std::string name = std::string(c.graphicMode) + c.graphicScreen + c.screenSize + c.maxFlag;
        EXPECT_EQ(Controls(f), c.shown) << name;
        EXPECT_EQ(f.graphicModeChecked, std::string(c.graphicMode) == "1") << name;
    }
}

// Each control event with the form-private messages it sends (the running form
// sends them to itself; their order decides what it shows) and, where given,
// the option buttons and the font-size pick it leaves.
TEST_F(Form, ControlEventsSendTheirMessagesInOrder) {
    using namespace messages;
    FormState f = Shown("0", "800 x 600", "Y", "TT");
    std::vector<FormMessage> sent;
    const SendFormMessage send = [&](const FormMessage& m) {
        sent.push_back(m);
        At(f)(m);
    };
    const std::string graphic = "m-S- t-B- a-b-C- ";  // in graphic mode only the screens change
    const std::tuple<std::function<void()>, std::vector<FormMessage>, std::string> cases[] = {
        {[&] { GraphicModeClicked(f, true, send); }, {{UM_SET_OPTION, 5, 1}, {UM_SET_GRAPHIC_SCREEN, 5, 1}},
         graphic + "oT 12X20 TT-"},
        {[&] { ScreenClicked(f, 0, send); }, {{UM_SET_GRAPHIC_SCREEN, 3, 0}}, graphic + "Ot 11X18 TT-"},
        {[&] { ScreenClicked(f, 1, send); }, {{UM_SET_GRAPHIC_SCREEN, 3, 1}}, graphic + "oT 12X20 TT-"},
        {[&] { ScreenClicked(f, 0, send); }, {{UM_SET_GRAPHIC_SCREEN, 3, 0}}, graphic + "Ot 11X18 TT-"},
        {[&] { GraphicModeClicked(f, false, send); }, {{UM_SET_OPTION, 5, 0}, {UM_SET_GRAPHIC_SCREEN, 5, 0}},
         "mS tB abC O-t- 11X18 TT"},
        {[&] { FontTypeClicked(f, 1, send); }, {{UM_SET_OPTION, 2, 2}}, ""},
        {[&] { SpoolFolderChanged(f, "x", send); }, {{UM_CHECK_FOLDERS}}, ""},
        {[&] { DataFolderPicked(f, 8, send); }, {{UM_CHECK_FOLDERS}}, ""},
        {[&] { AppFolderChanged(f, "C:\\ELSEWHERE", send); }, {{UM_CHECK_FOLDERS}}, ""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [event, messages, shown] = cases[i];
        sent.clear();
        event();
        EXPECT_EQ(sent, messages) << i;
        EXPECT_TRUE(shown.empty() || Controls(f) == shown) << i << ": " << Controls(f);
    }
    // The last pick stands; the spool line, red for "X", keeps its colour when emptied.
    EXPECT_EQ(f.dataFolders.SelectedText(), "DATA09");
    EXPECT_TRUE(f.status[2].text.empty() && f.status[2].colour == kRed);
}

TEST_F(Form, WindowTypeAndScreenSizeRefillTheList) {
    FormState f = Shown("0", "800 x 600", "N", "TT");
    FontSizePicked(f, 0);
    WindowTypeClicked(f, 0, At(f));
    EXPECT_EQ(Controls(f), "Ms Tb a-B-c- o-T- 70");
    ScreenSizeClicked(f, 0, At(f));  // under MAX the list stays
    EXPECT_EQ(f.fontSizes.SelectedText(), "70");
    EXPECT_EQ(f.settings.screenSize, "600 x 480");
    WindowTypeClicked(f, 1, At(f));
    EXPECT_EQ(f.fontSizes.entries, (std::vector<std::string>{"5X12", "6X10 TT", "7X11 TT", "7X12"}));
    EXPECT_EQ(f.fontSizes.SelectedText(), "5X12");  // 8x13 TT is not offered here
    FontSizePicked(f, 2);
    ScreenSizeClicked(f, 1, At(f));
    EXPECT_EQ(f.fontSizes.SelectedText(), "8X13 TT");  // the unsaved pick is lost
    // Values no control sends change nothing.
    const FormState before = f;
    for (int group : {0, 1, 2, 3, 4, 5, 6})
        for (int value : {-1, 4, 9}) SetOption(f, group, value);
    EXPECT_EQ(Controls(f), Controls(before));
    EXPECT_EQ(f.settings, before.settings);
    FillFontSizes(f, 7, 1);
    EXPECT_EQ(f.fontSizes.selected, -1);
    EXPECT_TRUE(f.fontSizes.entries.empty());
}

TEST_F(Form, CollectTakesTheFormsValues) {
    FormState f = Shown("0", "800 x 600", "Y", "TT");
    FontSizePicked(f, 1);
    SpoolFolderChanged(f, "prn", At(f));
    Collected c = CollectSettings(f);
    EXPECT_FALSE(c.refused);
    const ConfigSettings& s = c.settings;
    EXPECT_EQ(s.maxSize + "|" + s.fontSize + "|" + s.spoolFolderName + "|" + s.dataFolderName + "|" +
                  s.graphicMode + s.graphicScreen,
              "90|8x13 TT|PRN|DATA02|01");

    GraphicModeClicked(f, true, At(f));
    ScreenClicked(f, 0, At(f));
    c = CollectSettings(f);
    EXPECT_EQ(c.settings.fontSize + "|" + c.settings.maxSize + "|" + c.settings.graphicMode + c.settings.graphicScreen,
              "11X18 TT|90|10");

    FolderChosen(f, "\\\\srv\\app\\veskor32.exe", At(f));
    EXPECT_EQ(f.appFolderText, "\\\\SRV\\APP");
    EXPECT_TRUE(CollectSettings(f).refused);

    // A stored size the list could not show is kept, not blanked.
    f = Shown("0", "640 x 480", "N", "TT");
    EXPECT_EQ(CollectSettings(f).settings.fontSize, "8x13 TT");
}

}  // namespace
}  // namespace veskor::config
