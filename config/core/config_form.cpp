#include "config_form.h"

#include "config_layout.h"

namespace veskor::config {

namespace {

const char* const kScreenSizeTexts[] = {"600 x 480", "800 x 600", "1024 x 768"};

template <std::size_t N>
void CheckMember(std::array<OptionButton, N>& group, std::size_t member) {
    for (std::size_t i = 0; i < N; ++i) group[i].checked = i == member;
}

template <std::size_t N>
void Enable(std::array<OptionButton, N>& group, bool enabled) {
    for (OptionButton& b : group) b.enabled = enabled;
}

}  // namespace

std::string ListBox::SelectedText() const {
    if (selected < 0 || static_cast<std::size_t>(selected) >= entries.size()) return std::string();
    return entries[static_cast<std::size_t>(selected)];
}

void ListBox::Select(int index) {
    selected = index >= 0 && static_cast<std::size_t>(index) < entries.size() ? index : -1;
}

FormState InitialFormState() {
    FormState f;
    f.screen[1].checked = true;
    f.status[0].text = "Folder";
    f.status[1].text = "Data";
    f.status[2].text = "Spool Folder";
    return f;
}

void FillDataFolders(FormState& f) {
    f.dataFolders.entries = DataFolderEntries();
    f.dataFolders.Select(0);
}

void FillFontSizes(FormState& f, int kind, int screenSizeIndex) {
    f.fontSizes.entries.clear();
    f.fontSizes.selected = -1;
    if (kind != kFontListMax && kind != kFontListSize) return;
    for (const std::string& piece : SplitList(FontSizeListText(kind, screenSizeIndex)))
        f.fontSizes.entries.push_back(UpperCase(piece));
    const std::string& current = kind == kFontListMax ? f.settings.maxSize : f.settings.fontSize;
    f.fontSizes.Select(SelectionFor(f.fontSizes.entries, current));
}

void SetOption(FormState& f, int group, int value) {
    ConfigSettings& s = f.settings;
    switch (group) {
    case kGroupWindowType:
        if (value == 1) {
            CheckMember(f.windowType, 0);
            s.maxFlag = "Y";
            Enable(f.screenSize, false);
            Enable(f.fontType, true);
            FillFontSizes(f, kFontListMax, 0);
        } else if (value == 2) {
            CheckMember(f.windowType, 1);
            s.maxFlag = "N";
            Enable(f.screenSize, true);
            Enable(f.fontType, false);
            FillFontSizes(f, kFontListSize, s.screenSizeIndex);
        }
        break;
    case kGroupFontType:
        if (value == 1 || value == 2) {
            CheckMember(f.fontType, static_cast<std::size_t>(value - 1));
            s.maxType = value == 1 ? "TT" : "BMP";
        }
        break;
    case kGroupScreenSize:
        if (value >= 1 && value <= 3) {
            s.screenSizeIndex = value;
            CheckMember(f.screenSize, static_cast<std::size_t>(value - 1));
            s.screenSize = kScreenSizeTexts[value - 1];
            if (s.maxFlag == "N") FillFontSizes(f, kFontListSize, value);
        }
        break;
    case kGroupGraphicMode:
        if (value == 1) {
            CheckMember(f.windowType, 1);
            s.maxFlag = "N";
            s.screenSize = kScreenSizeTexts[2];
            Enable(f.screen, true);
            Enable(f.windowType, false);
            CheckMember(f.fontType, 1);
            Enable(f.fontType, false);
            CheckMember(f.screenSize, 2);
            Enable(f.screenSize, false);
            FillFontSizes(f, kFontListSize, 3);
            f.fontSizes.enabled = false;
        } else if (value == 0) {
            Enable(f.screen, false);
            Enable(f.windowType, true);
            Enable(f.fontType, true);
            Enable(f.screenSize, true);
            f.fontSizes.enabled = true;
        }
        break;
    default:
        break;
    }
}

void SetGraphicScreen(FormState& f, int source, int index) {
    if (source == kSourceLoad && (index == 0 || index == 1)) CheckMember(f.screen, static_cast<std::size_t>(index));
    f.fontSizes.Select(index == 0 ? 3 : 5);
}

void CheckFolders(FormState& f, const DirectorySearch& search) {
    const FolderStatus lines =
        CheckFolders(search, f.appFolderText, f.dataFolders.SelectedText(), f.spoolFolderText);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].colour) f.status[i].colour = lines[i].colour;
        f.status[i].text = lines[i].text;
    }
}

void HandleFormMessage(FormState& f, const FormMessage& m, const DirectorySearch& search) {
    using namespace messages;
    switch (m.message) {
    case UM_CHECK_FOLDERS: CheckFolders(f, search); break;
    case UM_FILL_DATA_FOLDERS: FillDataFolders(f); break;
    case UM_FILL_FONT_SIZES: FillFontSizes(f, m.wParam, m.lParam); break;
    case UM_SET_OPTION: SetOption(f, m.wParam, m.lParam); break;
    case UM_SET_GRAPHIC_SCREEN: SetGraphicScreen(f, m.wParam, m.lParam); break;
    default: break;
    }
}

SendFormMessage HandleAt(FormState& f, const DirectorySearch& search) {
    return [&f, search](const FormMessage& m) { HandleFormMessage(f, m, search); };
}

void AppFolderChanged(FormState& f, const std::string& text, const SendFormMessage& send) {
    f.appFolderText = UpperCase(text);
    send({messages::UM_CHECK_FOLDERS});
}

void SpoolFolderChanged(FormState& f, const std::string& text, const SendFormMessage& send) {
    f.spoolFolderText = UpperCase(text);
    send({messages::UM_CHECK_FOLDERS});
}

void DataFolderPicked(FormState& f, int index, const SendFormMessage& send) {
    f.dataFolders.Select(index);
    send({messages::UM_CHECK_FOLDERS});
}

void FontSizePicked(FormState& f, int index) { f.fontSizes.Select(index); }

void GraphicModeClicked(FormState& f, bool checked, const SendFormMessage& send) {
    f.graphicModeChecked = checked;
    send({messages::UM_SET_OPTION, kGroupGraphicMode, checked ? 1 : 0});
    // The screen button as the first message left it.
    send({messages::UM_SET_GRAPHIC_SCREEN, kSourceGraphicMode, f.screen[1].checked ? 1 : 0});
}

void WindowTypeClicked(FormState&, int index, const SendFormMessage& send) {
    send({messages::UM_SET_OPTION, kGroupWindowType, index + 1});
}

void FontTypeClicked(FormState&, int index, const SendFormMessage& send) {
    send({messages::UM_SET_OPTION, kGroupFontType, index + 1});
}

void ScreenSizeClicked(FormState&, int index, const SendFormMessage& send) {
    send({messages::UM_SET_OPTION, kGroupScreenSize, index + 1});
}

void ScreenClicked(FormState& f, int index, const SendFormMessage& send) {
    // An automatic option button checks itself when clicked.
    if (index == 0 || index == 1) CheckMember(f.screen, static_cast<std::size_t>(index));
    send({messages::UM_SET_GRAPHIC_SCREEN, kSourceScreenButton, index});
}

void ControlFocused(FormState& f, int controlId) {
    const std::string text = HelpText(controlId);
    if (!text.empty()) f.help = text;
}

void FolderChosen(FormState& f, const std::string& chosenPath, const SendFormMessage& send) {
    AppFolderChanged(f, FolderFromChosenFile(chosenPath), send);
}

void ShowSettings(FormState& f, const ConfigSettings& loaded, const DirectorySearch& search) {
    f.settings = loaded;
    const ConfigSettings& s = f.settings;
    const SendFormMessage send = HandleAt(f, search);
    AppFolderChanged(f, s.applFolder, send);
    SpoolFolderChanged(f, s.spoolFolderName, send);
    f.dataFolders.Select(SelectionFor(f.dataFolders.entries, s.dataFolderName));
    AppFolderChanged(f, s.applFolder, send);
    SpoolFolderChanged(f, s.spoolFolderName, send);
    if (s.graphicMode == "1") {
        f.graphicModeChecked = true;
        SetOption(f, kGroupGraphicMode, 1);
        // Only 0 and 1 name a screen; any other number (2 stands for them all)
        // leaves the buttons as they are.
        const double screen = LeadingNumber(s.graphicScreen);
        SetGraphicScreen(f, kSourceLoad, screen == 0.0 ? 0 : screen == 1.0 ? 1 : 2);
        return;
    }
    SetOption(f, kGroupGraphicMode, 0);
    for (int i = 0; i < 3; ++i)
        if (s.screenSize == kScreenSizeTexts[i]) SetOption(f, kGroupScreenSize, i + 1);
    if (s.maxFlag == "Y") SetOption(f, kGroupWindowType, 1);
    if (s.maxFlag == "N") SetOption(f, kGroupWindowType, 2);
    if (s.maxType == "TT") SetOption(f, kGroupFontType, 1);
    if (s.maxType == "BMP") SetOption(f, kGroupFontType, 2);
}

Collected CollectSettings(FormState& f) {
    ConfigSettings& s = f.settings;
    s.applFolder = f.appFolderText;
    if (IsNetworkPath(s.applFolder)) return {true, s};
    s.dataFolderName = f.dataFolders.SelectedText();
    s.spoolFolderName = f.spoolFolderText;
    // A list without a usable entry (a stored choice the form could not show)
    // leaves the stored size as it was rather than blanking it.
    const std::string size = f.fontSizes.SelectedText();
    if (!size.empty()) (s.maxFlag == "Y" ? s.maxSize : s.fontSize) = size;
    s.graphicMode = f.graphicModeChecked ? "1" : "0";
    s.graphicScreen = f.screen[1].checked ? "1" : "0";
    return {false, s};
}

}  // namespace veskor::config
