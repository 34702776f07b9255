// The configuration form frmConfig as plain data: window class, window, fonts,
// colours and the thirty controls in creation order. Style bits are the
// platform's numeric values under their platform names, so the form can be
// built from this table without further knowledge.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace veskor::config {

// Control identifiers.
namespace ids {
inline constexpr int fraFolders = 1000;
inline constexpr int cmdSelectFolder = 1001;
inline constexpr int txtAppFolder = 1002;
inline constexpr int cboDataFolder = 1003;
inline constexpr int txtSpoolFolder = 1004;
inline constexpr int fraWindow = 1005;
inline constexpr int chkGraphicMode = 1006;
inline constexpr std::array<int, 2> optWindowType = {1007, 1008};
inline constexpr std::array<int, 2> optFontType = {1009, 1010};
inline constexpr std::array<int, 2> optScreen = {1011, 1012};
inline constexpr std::array<int, 3> optScreenSize = {1013, 1014, 1015};
inline constexpr int cboFontSize = 1016;
inline constexpr int cmdOK = 1017;
inline constexpr int cmdCancel = 2;
inline constexpr std::array<int, 5> lblCaption = {1018, 1024, 1025, 1026, 1027};
inline constexpr int lblSpoolCaption = 1019;
inline constexpr int lblAppStatus = 1020;
inline constexpr int lblDataStatus = 1021;
inline constexpr int lblSpoolStatus = 1022;
inline constexpr int lblStatusBox = 1023;
inline constexpr int lblHelp = 1028;
}  // namespace ids

// Form-private messages, as offsets from WM_USER (0x0400).
namespace messages {
inline constexpr unsigned kUser = 0x0400;
inline constexpr unsigned UM_CHECK_FOLDERS = kUser + 1500;
inline constexpr unsigned UM_LOAD_SETTINGS = kUser + 2100;
inline constexpr unsigned UM_SAVE_SETTINGS = kUser + 2300;
inline constexpr unsigned UM_SET_OPTION = kUser + 2410;
inline constexpr unsigned UM_SET_GRAPHIC_SCREEN = kUser + 2510;
inline constexpr unsigned UM_FILL_DATA_FOLDERS = kUser + 3100;
inline constexpr unsigned UM_FILL_FONT_SIZES = kUser + 3200;
}  // namespace messages

// Platform style and colour values used by the form, named as the platform
// names them with a "k" in front (the plain names are the platform headers' macros).
namespace style {
inline constexpr std::uint32_t kWS_POPUP = 0x80000000u;
inline constexpr std::uint32_t kWS_CHILD = 0x40000000u;
inline constexpr std::uint32_t kWS_VISIBLE = 0x10000000u;
inline constexpr std::uint32_t kWS_CLIPSIBLINGS = 0x04000000u;
inline constexpr std::uint32_t kWS_CLIPCHILDREN = 0x02000000u;
inline constexpr std::uint32_t kWS_CAPTION = 0x00C00000u;
inline constexpr std::uint32_t kWS_DLGFRAME = 0x00400000u;
inline constexpr std::uint32_t kWS_VSCROLL = 0x00200000u;
inline constexpr std::uint32_t kWS_SYSMENU = 0x00080000u;
inline constexpr std::uint32_t kWS_GROUP = 0x00020000u;
inline constexpr std::uint32_t kWS_TABSTOP = 0x00010000u;
inline constexpr std::uint32_t kWS_EX_TRANSPARENT = 0x00000020u;
inline constexpr std::uint32_t kWS_EX_WINDOWEDGE = 0x00000100u;
inline constexpr std::uint32_t kWS_EX_CLIENTEDGE = 0x00000200u;
inline constexpr std::uint32_t kWS_EX_CONTROLPARENT = 0x00010000u;
inline constexpr std::uint32_t kBS_PUSHBUTTON = 0x0000u;
inline constexpr std::uint32_t kBS_AUTOCHECKBOX = 0x0003u;
inline constexpr std::uint32_t kBS_GROUPBOX = 0x0007u;
inline constexpr std::uint32_t kBS_AUTORADIOBUTTON = 0x0009u;
inline constexpr std::uint32_t kBS_LEFT = 0x0100u;
inline constexpr std::uint32_t kBS_RIGHT = 0x0200u;
inline constexpr std::uint32_t kBS_CENTER = 0x0300u;
inline constexpr std::uint32_t kBS_VCENTER = 0x0C00u;
inline constexpr std::uint32_t kBS_NOTIFY = 0x4000u;
inline constexpr std::uint32_t kBS_FLAT = 0x8000u;
inline constexpr std::uint32_t kES_UPPERCASE = 0x0008u;
inline constexpr std::uint32_t kES_AUTOHSCROLL = 0x0080u;
inline constexpr std::uint32_t kES_READONLY = 0x0800u;
inline constexpr std::uint32_t kCBS_DROPDOWNLIST = 0x0003u;
inline constexpr std::uint32_t kCBS_UPPERCASE = 0x2000u;
inline constexpr std::uint32_t kSS_NOTIFY = 0x0100u;
inline constexpr std::uint32_t kSS_SUNKEN = 0x1000u;
inline constexpr int kCOLOR_WINDOW = 5;
inline constexpr int kCOLOR_WINDOWTEXT = 8;
inline constexpr int kCOLOR_BTNFACE = 15;
inline constexpr int kCOLOR_INFOTEXT = 23;
inline constexpr int kCOLOR_INFOBK = 24;
}  // namespace style

// Font description texts: face and the thirteen numbers of the font call.
inline constexpr const char* kFontSmall = "MS Sans Serif,-11,0,0,0,400,0,0,0,0,1,2,1,34";
inline constexpr const char* kFontNormal = "MS Sans Serif,-13,0,0,0,400,0,0,0,0,1,2,1,34";
inline constexpr const char* kFontHelp = "Arial,-12,0,0,0,400,0,0,0,0,1,2,1,34";

enum class ControlKind { GroupBox, PushButton, Edit, ComboBox, CheckBox, OptionButton, Label };

// The window class a control kind is created with.
const char* ControlClassName(ControlKind kind);

// A control's colours as system colour indices (-1: the system's own); the
// form layer draws text without a background of its own where the control's
// kind asks for it. The push buttons have none (system colours).
struct ControlColours {
    int text = -1;
    int background = -1;
};

struct ControlSpec {
    const char* name;   // the control's name; array members share it
    int arrayIndex;     // index within its array; 0 for a single control
    ControlKind kind;
    int id;
    const char* caption;  // nullptr: none is given (combo boxes)
    int x, y, width, height;
    int resizedHeight;  // combo boxes: total height after creation; 0 otherwise
    std::uint32_t style;  // kWS_CHILD and kWS_VISIBLE included
    std::uint32_t exStyle;
    const char* font;
    ControlColours colours;
};

// The thirty controls in creation (and tab) order; positions and sizes are
// client pixels at 96 DPI.
const std::vector<ControlSpec>& FormControls();

// The form window. Its class (name, style, background and icon) is the form
// layer's, the same for every form of the programs.
struct FormSpec {
    const char* caption = "Keldrin Veskor Startup Configuration";
    std::uint32_t style = style::kWS_POPUP | style::kWS_CAPTION | style::kWS_DLGFRAME | style::kWS_SYSMENU |
                          style::kWS_CLIPSIBLINGS | style::kWS_CLIPCHILDREN | style::kWS_VISIBLE;
    std::uint32_t exStyle = style::kWS_EX_CONTROLPARENT | style::kWS_EX_WINDOWEDGE;
    int width = 579;  // outer size at 96 DPI
    int height = 358;
    // The client area at 96 DPI (the outer size less a 3-pixel dialog frame and
    // a 19-pixel caption); at another DPI the form is this area scaled, framed
    // as the platform frames it there.
    int clientWidth = 573;
    int clientHeight = 333;
};
inline constexpr FormSpec kForm{};

}  // namespace veskor::config
