// The configuration form's behaviour over plain data. FormState holds what the
// controls show (texts, checks, enabled flags, list entries and selections,
// status lines, the help panel) together with the settings record; each
// operation below is one message or event of the form and changes the state as
// that message does. The window side shows the state and feeds the events in.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config_checks.h"
#include "config_settings.h"

namespace veskor::config {

struct OptionButton {
    bool checked = false;
    bool enabled = true;
    bool operator==(const OptionButton& o) const { return checked == o.checked && enabled == o.enabled; }
};

// A drop-down list: entries as the list holds them (upper case) and the
// selected index, -1 for none.
struct ListBox {
    std::vector<std::string> entries;
    int selected = -1;
    bool enabled = true;
    // The selected entry's text; empty without a selection.
    std::string SelectedText() const;
    // Selecting an index outside the list clears the selection.
    void Select(int index);
};

struct StatusLineState {
    std::string text;
    std::optional<Colour> colour;  // nullopt: the label's system text colour
};

struct FormState {
    std::string appFolderText;
    std::string spoolFolderText;
    ListBox dataFolders;
    ListBox fontSizes;
    bool graphicModeChecked = false;
    std::array<OptionButton, 2> windowType;  // MAX, SIZE
    std::array<OptionButton, 2> fontType;    // TT, BMP
    std::array<OptionButton, 2> screen;      // SCREEN 1, SCREEN 2
    std::array<OptionButton, 3> screenSize;  // 640 x 480, 800 x 600, 1024 x 768
    std::array<StatusLineState, 3> status;
    std::string help;
    ConfigSettings settings;
};

// The state right after the controls are created: empty edits and lists,
// everything enabled and unchecked except "SCREEN 2", the status placeholders.
FormState InitialFormState();

// Option groups of UM_SET_OPTION.
inline constexpr int kGroupWindowType = 1;
inline constexpr int kGroupFontType = 2;
inline constexpr int kGroupScreenSize = 3;
inline constexpr int kGroupGraphicMode = 5;
// Sources of UM_SET_GRAPHIC_SCREEN.
inline constexpr int kSourceLoad = 1;
inline constexpr int kSourceScreenButton = 3;
inline constexpr int kSourceGraphicMode = 5;

// UM_FILL_DATA_FOLDERS: the nine names, the first selected.
void FillDataFolders(FormState& f);
// UM_FILL_FONT_SIZES (kind, screen size index): refills the list and selects the
// record's maxSize (MAX) or fontSize (SIZE); an unknown kind leaves it empty.
void FillFontSizes(FormState& f, int kind, int screenSizeIndex);
// UM_SET_OPTION (group, value); values outside a group's choices change nothing.
void SetOption(FormState& f, int group, int value);
// UM_SET_GRAPHIC_SCREEN (source, index).
void SetGraphicScreen(FormState& f, int source, int index);
// UM_CHECK_FOLDERS: the status lines for the edits and the selected data folder.
void CheckFolders(FormState& f, const DirectorySearch& search);

// A form-private message with its two parameters.
struct FormMessage {
    unsigned message = 0;
    int wParam = 0;
    int lParam = 0;
    bool operator==(const FormMessage& o) const {
        return message == o.message && wParam == o.wParam && lParam == o.lParam;
    }
};
// Delivers one form-private message; it has been handled when the call returns
// (the window sends it to itself).
using SendFormMessage = std::function<void(const FormMessage&)>;

// Handles UM_CHECK_FOLDERS, UM_FILL_DATA_FOLDERS, UM_FILL_FONT_SIZES,
// UM_SET_OPTION and UM_SET_GRAPHIC_SCREEN on the state; any other message
// changes nothing.
void HandleFormMessage(FormState& f, const FormMessage& m, const DirectorySearch& search);
// A sender that handles each message on f at once.
SendFormMessage HandleAt(FormState& f, const DirectorySearch& search);

// Control events: what each control's notification changes in the state and
// which form-private messages it then sends, in order.
void AppFolderChanged(FormState& f, const std::string& text, const SendFormMessage& send);
void SpoolFolderChanged(FormState& f, const std::string& text, const SendFormMessage& send);
void DataFolderPicked(FormState& f, int index, const SendFormMessage& send);
// The user's pick in the font-size list: only the selection changes.
void FontSizePicked(FormState& f, int index);
void GraphicModeClicked(FormState& f, bool checked, const SendFormMessage& send);
void WindowTypeClicked(FormState& f, int index, const SendFormMessage& send);
void FontTypeClicked(FormState& f, int index, const SendFormMessage& send);
void ScreenSizeClicked(FormState& f, int index, const SendFormMessage& send);
void ScreenClicked(FormState& f, int index, const SendFormMessage& send);
// A control got the keyboard focus: the help panel shows its text when it has
// one in the focus table; other controls leave the panel as it is.
void ControlFocused(FormState& f, int controlId);
// "&Select Folder" returned a file name (trailing NULs already removed): the
// application folder field gets its folder.
void FolderChosen(FormState& f, const std::string& chosenPath, const SendFormMessage& send);

// UM_LOAD_SETTINGS after the load: shows the record in the controls.
void ShowSettings(FormState& f, const ConfigSettings& loaded, const DirectorySearch& search);

// UM_SAVE_SETTINGS: the record to save, or refused for a network share (the
// caller then shows the message box and writes nothing).
struct Collected {
    bool refused = false;
    ConfigSettings settings;
};
Collected CollectSettings(FormState& f);

}  // namespace veskor::config
