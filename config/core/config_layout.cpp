#include "config_layout.h"

namespace veskor::config {

using namespace style;

namespace {

constexpr std::uint32_t kBase = kWS_CHILD | kWS_VISIBLE;
constexpr std::uint32_t kGroupBox = kBase | kBS_GROUPBOX | kBS_LEFT | kBS_NOTIFY | kBS_FLAT;
constexpr std::uint32_t kPush = kBase | kBS_PUSHBUTTON | kBS_CENTER | kBS_VCENTER | kBS_NOTIFY;
constexpr std::uint32_t kCombo = kBase | kWS_TABSTOP | kWS_VSCROLL | kCBS_DROPDOWNLIST | kCBS_UPPERCASE;
constexpr std::uint32_t kOptionLeft = kBase | kWS_TABSTOP | kBS_AUTORADIOBUTTON | kBS_LEFT | kBS_VCENTER | kBS_NOTIFY;
constexpr std::uint32_t kOptionRight =
    kBase | kWS_TABSTOP | kBS_AUTORADIOBUTTON | kBS_RIGHT | kBS_VCENTER | kBS_NOTIFY;
constexpr std::uint32_t kLabel = kBase | kSS_NOTIFY | kWS_CLIPSIBLINGS | kWS_CLIPCHILDREN;

constexpr ControlColours kOnFace{kCOLOR_WINDOWTEXT, kCOLOR_BTNFACE};
constexpr ControlColours kOnWindow{kCOLOR_WINDOWTEXT, kCOLOR_WINDOW};
constexpr ControlColours kOnInfo{kCOLOR_INFOTEXT, kCOLOR_INFOBK};
constexpr ControlColours kSystem{};

using K = ControlKind;

}  // namespace

const char* ControlClassName(ControlKind kind) {
    switch (kind) {
    case K::Edit: return "EDIT";
    case K::ComboBox: return "COMBOBOX";
    case K::Label: return "STATIC";
    case K::GroupBox:
    case K::PushButton:
    case K::CheckBox:
    case K::OptionButton: break;
    }
    return "BUTTON";
}

const std::vector<ControlSpec>& FormControls() {
    static const std::vector<ControlSpec> controls = {
        {"fraFolders", 0, K::GroupBox, ids::fraFolders, "&Application and Data Folder", 5, 2, 560, 127, 0,
         kGroupBox, kWS_EX_TRANSPARENT, kFontSmall, kOnFace},
        {"cmdSelectFolder", 0, K::PushButton, ids::cmdSelectFolder, "&Select Folder", 450, 48, 106, 24, 0,
         kPush, 0, kFontSmall, kSystem},
        {"txtAppFolder", 0, K::Edit, ids::txtAppFolder, "", 15, 18, 542, 24, 0,
         kBase | kWS_TABSTOP | kES_READONLY | kES_UPPERCASE | kES_AUTOHSCROLL, kWS_EX_CLIENTEDGE, kFontNormal,
         kOnWindow},
        {"cboDataFolder", 0, K::ComboBox, ids::cboDataFolder, nullptr, 15, 48, 80, 24, 200, kCombo,
         kWS_EX_CLIENTEDGE, kFontNormal, kOnWindow},
        {"txtSpoolFolder", 0, K::Edit, ids::txtSpoolFolder, "", 204, 48, 92, 24, 0,
         kBase | kWS_TABSTOP | kES_UPPERCASE | kES_AUTOHSCROLL, kWS_EX_CLIENTEDGE, kFontNormal, kOnWindow},
        {"fraWindow", 0, K::GroupBox, ids::fraWindow, "Application Window Properties", 5, 130, 427, 135, 0,
         kGroupBox, kWS_EX_TRANSPARENT, kFontSmall, kOnFace},
        {"chkGraphicMode", 0, K::CheckBox, ids::chkGraphicMode, "Graphic Mode", 15, 150, 112, 20, 0,
         kBase | kWS_TABSTOP | kBS_AUTOCHECKBOX | kBS_LEFT | kBS_VCENTER | kBS_NOTIFY, 0, kFontSmall, kOnFace},
        {"optWindowType", 0, K::OptionButton, ids::optWindowType[0], "MAX", 15, 199, 70, 17, 0,
         kOptionLeft | kWS_GROUP, 0, kFontNormal, kOnFace},
        {"optWindowType", 1, K::OptionButton, ids::optWindowType[1], "SIZE", 15, 219, 70, 17, 0,
         kOptionLeft, 0, kFontNormal, kOnFace},
        {"optFontType", 0, K::OptionButton, ids::optFontType[0], "TT", 100, 199, 70, 17, 0,
         kOptionLeft | kWS_GROUP, 0, kFontNormal, kOnFace},
        {"optFontType", 1, K::OptionButton, ids::optFontType[1], "BMP", 100, 219, 70, 17, 0, kOptionLeft, 0,
         kFontNormal, kOnFace},
        {"optScreen", 0, K::OptionButton, ids::optScreen[0], "SCREEN 1", 136, 150, 85, 17, 0,
         kOptionRight | kWS_GROUP, 0, kFontNormal, kOnFace},
        {"optScreen", 1, K::OptionButton, ids::optScreen[1], "SCREEN 2", 239, 151, 85, 17, 0, kOptionRight,
         0, kFontNormal, kOnFace},
        {"optScreenSize", 0, K::OptionButton, ids::optScreenSize[0], "640 x 480", 185, 199, 80, 17, 0,
         kOptionRight | kWS_GROUP, 0, kFontNormal, kOnFace},
        {"optScreenSize", 1, K::OptionButton, ids::optScreenSize[1], "800 x 600", 185, 219, 80, 17, 0,
         kOptionRight, 0, kFontNormal, kOnFace},
        {"optScreenSize", 2, K::OptionButton, ids::optScreenSize[2], "1024 x 768", 185, 239, 80, 17, 0,
         kOptionRight, 0, kFontNormal, kOnFace},
        {"cboFontSize", 0, K::ComboBox, ids::cboFontSize, nullptr, 280, 199, 92, 24, 200, kCombo,
         kWS_EX_CLIENTEDGE, kFontNormal, kOnWindow},
        {"cmdOK", 0, K::PushButton, ids::cmdOK, "&OK", 448, 160, 112, 32, 0, kPush | kWS_TABSTOP, 0,
         kFontNormal, kSystem},
        {"cmdCancel", 0, K::PushButton, ids::cmdCancel, "&Cancel", 448, 205, 112, 32, 0, kPush | kWS_TABSTOP,
         0, kFontNormal, kSystem},
        {"lblCaption", 0, K::Label, ids::lblCaption[0], "Data Folder", 104, 53, 77, 12, 0, kLabel, 0,
         kFontSmall, kOnFace},
        {"lblSpoolCaption", 0, K::Label, ids::lblSpoolCaption, "Spool Folder", 304, 53, 77, 13, 0, kLabel,
         0, kFontSmall, kOnFace},
        {"lblAppStatus", 0, K::Label, ids::lblAppStatus, "Folder", 16, 77, 463, 13, 0, kLabel, 0,
         kFontSmall, kOnFace},
        {"lblDataStatus", 0, K::Label, ids::lblDataStatus, "Data", 16, 91, 463, 13, 0, kLabel, 0,
         kFontSmall, kOnFace},
        {"lblSpoolStatus", 0, K::Label, ids::lblSpoolStatus, "Spool Folder", 16, 104, 463, 13, 0, kLabel, 0,
         kFontSmall, kOnFace},
        {"lblStatusBox", 0, K::Label, ids::lblStatusBox, "", 15, 76, 537, 45, 0, kLabel | kSS_SUNKEN, 0,
         kFontSmall, kOnFace},
        {"lblCaption", 1, K::Label, ids::lblCaption[1], "Type", 15, 181, 73, 15, 0, kLabel, 0, kFontSmall,
         kOnFace},
        {"lblCaption", 2, K::Label, ids::lblCaption[2], "Font Type", 100, 181, 72, 15, 0, kLabel, 0,
         kFontSmall, kOnFace},
        {"lblCaption", 3, K::Label, ids::lblCaption[3], "Screen Size", 185, 181, 81, 15, 0, kLabel, 0,
         kFontSmall, kOnFace},
        {"lblCaption", 4, K::Label, ids::lblCaption[4], "Font Size", 280, 181, 96, 15, 0, kLabel, 0,
         kFontSmall, kOnFace},
        {"lblHelp", 0, K::Label, ids::lblHelp, "", 2, 272, 568, 50, 0, kLabel | kSS_SUNKEN, 0, kFontHelp,
         kOnInfo},
    };
    return controls;
}

}  // namespace veskor::config
