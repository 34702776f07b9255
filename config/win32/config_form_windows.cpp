// frmConfig on the screen. The form's state lives in a FormState: every
// control event and form message calls the matching core operation on it, and
// Show() then copies the state into the controls. Notifications the copy
// itself raises (an edit's change notification after its text is set) are
// ignored while it runs.
#include "config_form_windows.h"

#include <windows.h>
#include <commdlg.h>

#include <array>
#include <map>
#include <vector>

#include "config_form.h"
#include "config_layout.h"
#include "forms.h"
#include "library_search.h"
#include "platform.h"
#include "settings_files.h"

namespace veskor::config::win32 {

namespace {

using namespace messages;
using veskor::win32::CommandBinding;
using veskor::win32::ControlDef;
using veskor::win32::FormDef;

struct Session {
    std::string ownFolder;
    std::string workingFolder;
    FormState state = InitialFormState();
    // What the two lists and the status line colours show now; the rest is
    // read back from the controls when it is compared.
    std::vector<std::string> shownDataFolders, shownFontSizes;
    std::array<std::optional<Colour>, 3> shownStatusColours;
    std::map<int, HWND> controls;  // every control by identifier
    bool showing = false;
};

Session& SessionOf(HWND form) { return *static_cast<Session*>(veskor::win32::FormContext(form)); }

HWND Control(Session& s, int id) {
    auto found = s.controls.find(id);
    return found == s.controls.end() ? nullptr : found->second;
}

std::string TextOf(HWND window) {
    const int n = ::GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(window, &text[0], n + 1)));
    return text;
}

void ShowText(HWND window, const std::string& text) {
    if (TextOf(window) != text) ::SetWindowTextA(window, text.c_str());
}

void ShowEnabled(HWND window, bool enabled) {
    if ((::IsWindowEnabled(window) != FALSE) != enabled) ::EnableWindow(window, enabled);
}

void ShowCheck(HWND button, bool checked) {
    const WPARAM want = checked ? BST_CHECKED : BST_UNCHECKED;
    if (static_cast<WPARAM>(::SendMessageA(button, BM_GETCHECK, 0, 0)) != want)
        ::SendMessageA(button, BM_SETCHECK, want, 0);
}

template <std::size_t N>
void ShowGroup(Session& s, const std::array<OptionButton, N>& group, const std::array<int, N>& ids) {
    for (std::size_t i = 0; i < N; ++i) {
        HWND button = Control(s, ids[i]);
        ShowCheck(button, group[i].checked);
        ShowEnabled(button, group[i].enabled);
    }
}

void ShowList(HWND combo, const ListBox& list, std::vector<std::string>& shown) {
    if (shown != list.entries) {
        ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        for (const std::string& entry : list.entries)
            ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        shown = list.entries;
    }
    if (::SendMessageA(combo, CB_GETCURSEL, 0, 0) != list.selected)
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(list.selected), 0);
    ShowEnabled(combo, list.enabled);
}

// Copies the state into the controls, touching only what differs, in the
// order a load changes them: the folder fields and the data folder, the status
// lines they decide (colours first, then the three texts), then the options.
void Show(HWND form) {
    Session& s = SessionOf(form);
    const FormState& f = s.state;
    s.showing = true;
    ShowText(Control(s, ids::txtAppFolder), f.appFolderText);
    ShowText(Control(s, ids::txtSpoolFolder), f.spoolFolderText);
    ShowList(Control(s, ids::cboDataFolder), f.dataFolders, s.shownDataFolders);
    const int statusIds[] = {ids::lblAppStatus, ids::lblDataStatus, ids::lblSpoolStatus};
    for (std::size_t i = 0; i < 3; ++i) {
        if (!f.status[i].colour || f.status[i].colour == s.shownStatusColours[i]) continue;
        veskor::win32::SetControlColours(Control(s, statusIds[i]),
                                         veskor::Colour{veskor::Colour::Kind::Rgb, *f.status[i].colour}, std::nullopt);
        s.shownStatusColours[i] = f.status[i].colour;
    }
    for (std::size_t i = 0; i < 3; ++i) ShowText(Control(s, statusIds[i]), f.status[i].text);
    ShowList(Control(s, ids::cboFontSize), f.fontSizes, s.shownFontSizes);
    ShowCheck(Control(s, ids::chkGraphicMode), f.graphicModeChecked);
    ShowGroup(s, f.windowType, ids::optWindowType);
    ShowGroup(s, f.fontType, ids::optFontType);
    ShowGroup(s, f.screen, ids::optScreen);
    ShowGroup(s, f.screenSize, ids::optScreenSize);
    ShowText(Control(s, ids::lblHelp), f.help);
    s.showing = false;
}

bool Checked(HWND button) { return ::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// What the user changes in the controls themselves, taken into the state.
void ReadControls(Session& s) {
    FormState& f = s.state;
    f.appFolderText = TextOf(Control(s, ids::txtAppFolder));
    f.spoolFolderText = TextOf(Control(s, ids::txtSpoolFolder));
    f.dataFolders.Select(static_cast<int>(::SendMessageA(Control(s, ids::cboDataFolder), CB_GETCURSEL, 0, 0)));
    f.fontSizes.Select(static_cast<int>(::SendMessageA(Control(s, ids::cboFontSize), CB_GETCURSEL, 0, 0)));
    f.graphicModeChecked = Checked(Control(s, ids::chkGraphicMode));
    for (std::size_t i = 0; i < f.screen.size(); ++i) f.screen[i].checked = Checked(Control(s, ids::optScreen[i]));
}

void SaveSettings(HWND form) {
    Session& s = SessionOf(form);
    const Collected c = CollectSettings(s.state);
    if (c.refused) {
        veskor::win32::ShowMessage(form, kShareRefusalText, kMessageCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const SaveReport report = SaveSettingsToDisk(s.workingFolder, c.settings);
    const std::string failed = SaveFailureMessage(s.workingFolder, report);
    if (failed.empty()) return;
    veskor::win32::ShowMessage(form, failed.c_str(), kMessageCaption, MB_OK | MB_ICONWARNING);
    PutBackEarlier(s.workingFolder, report);
}

bool IsFormMessage(UINT message) {
    switch (message) {
    case UM_CHECK_FOLDERS:
    case UM_FILL_DATA_FOLDERS:
    case UM_FILL_FONT_SIZES:
    case UM_SET_OPTION:
    case UM_SET_GRAPHIC_SCREEN:
    case UM_LOAD_SETTINGS:
    case UM_SAVE_SETTINGS: return true;
    default: return false;
    }
}

// The form's own messages; each starts from what the controls hold and ends
// with the state shown.
LRESULT OnMessage(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsFormMessage(message) || !veskor::win32::FormContext(form)) return 0;
    Session& s = SessionOf(form);
    FormState& f = s.state;
    ReadControls(s);
    switch (message) {
    case UM_LOAD_SETTINGS: {
        const LoadResult load = LoadSettingsFromDisk(s.workingFolder);
        ShowSettings(f, load.settings, veskor::win32::PlatformSearch());
        const std::string warning = LoadWarning(load);
        if (warning.empty()) break;
        // The form shows what it holds now, behind the warning.
        Show(form);
        veskor::win32::ShowMessage(form, warning.c_str(), kMessageCaption, MB_OK | MB_ICONWARNING);
        return 1;
    }
    case UM_SAVE_SETTINGS: SaveSettings(form); return 1;
    default:
        HandleFormMessage(f, {message, static_cast<int>(wParam), static_cast<int>(lParam)},
                          veskor::win32::PlatformSearch());
        break;
    }
    Show(form);
    return 1;
}

LRESULT Send(HWND form, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(form, message, wParam, lParam);
}

// The control events send their form messages to the form itself, which
// handles each before the call returns.
SendFormMessage SendTo(HWND form) {
    return [form](const FormMessage& m) {
        Send(form, m.message, static_cast<WPARAM>(m.wParam), static_cast<LPARAM>(m.lParam));
    };
}

LRESULT EditChanged(int, HWND form, HWND control, int id) {
    Session& s = SessionOf(form);
    if (s.showing) return 1;
    (id == ids::txtAppFolder ? AppFolderChanged : SpoolFolderChanged)(s.state, TextOf(control), SendTo(form));
    return 1;
}

LRESULT DataFolderPicked(int, HWND form, HWND control, int) {
    config::DataFolderPicked(SessionOf(form).state, static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0)),
                             SendTo(form));
    return 1;
}

LRESULT Focused(int, HWND form, HWND, int id) {
    Session& s = SessionOf(form);
    ReadControls(s);
    ControlFocused(s.state, id);
    Show(form);
    return 1;
}

LRESULT GraphicModeClicked(int, HWND form, HWND control, int) {
    config::GraphicModeClicked(SessionOf(form).state, Checked(control), SendTo(form));
    return 1;
}

// An option button of a group: index is its place in the group.
template <void (*Event)(FormState&, int, const SendFormMessage&)>
LRESULT OptionClicked(int index, HWND form, HWND, int) {
    Event(SessionOf(form).state, index, SendTo(form));
    return 1;
}

UINT_PTR CALLBACK CentreDialog(HWND child, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE) {
        HWND dialog = ::GetParent(child);
        RECT r;
        ::GetWindowRect(dialog, &r);
        const int x = (::GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
        const int y = (::GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
        ::SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

LRESULT SelectFolder(int, HWND form, HWND, int) {
    Session& s = SessionOf(form);
    const OpenFileRequest request = SelectFolderRequest(TextOf(Control(s, ids::txtAppFolder)));
    std::vector<char> name(request.bufferChars + 1, '\0');
    request.initialFile.copy(name.data(), std::min(request.initialFile.size(), request.bufferChars - 1));
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = form;
    ofn.lpstrFilter = request.filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(request.bufferChars);
    ofn.lpstrInitialDir = request.initialFolder.c_str();
    ofn.lpstrTitle = request.title.c_str();
    ofn.lpstrDefExt = request.defaultExtension.c_str();
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_LONGNAMES |
                OFN_NOREADONLYRETURN | OFN_ENABLEHOOK;
    ofn.lpfnHook = CentreDialog;
    // The dialog library is loaded only when it is needed (it pulls in much of
    // the shell, which would slow every start of the program), from the
    // system folder.
    static HMODULE library = veskor::win32::LoadSystemLibrary("comdlg32.dll");
    const auto open = veskor::win32::ProcAddress<BOOL(WINAPI*)(OPENFILENAMEA*)>(library, "GetOpenFileNameA");
    if (!open || !open(&ofn)) return 1;
    // Setting the text raises its change notification, which checks the folders.
    ::SetWindowTextA(Control(s, ids::txtAppFolder), FolderFromChosenFile(name.data()).c_str());
    return 1;
}

LRESULT Confirm(int, HWND form, HWND, int) {
    Send(form, UM_SAVE_SETTINGS);
    veskor::win32::CloseForm(form, 1);
    return 1;
}

LRESULT Cancel(int, HWND form, HWND, int) {
    veskor::win32::CloseForm(form, 0);
    return 1;
}

LRESULT Create(HWND form) {
    Session& s = SessionOf(form);
    s.controls = veskor::win32::ControlsOf(form);
    for (int id : {ids::txtAppFolder, ids::txtSpoolFolder}) {
        ::SendMessageA(Control(s, id), EM_LIMITTEXT, 0, 0);
        ::SendMessageA(Control(s, id), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    }
    for (const ControlSpec& c : FormControls()) {
        if (!c.resizedHeight) continue;
        HWND combo = Control(s, c.id);
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        using veskor::win32::Scaled;
        ::SetWindowPos(combo, nullptr, Scaled(c.x), Scaled(c.y), Scaled(c.width), Scaled(c.resizedHeight),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowWindow(combo, SW_SHOW);
    }
    Show(form);
    s.workingFolder = FixWorkingFolder(s.ownFolder);
    ::PostMessageA(form, UM_FILL_DATA_FOLDERS, 0, 0);
    ::PostMessageA(form, UM_LOAD_SETTINGS, 0, 0);
    veskor::win32::FocusControl(form, Control(s, ids::txtAppFolder));
    return 0;
}

veskor::Colour SystemColour(int index) { return index < 0 ? veskor::Colour{} : veskor::Colour::System(index); }

std::vector<ControlDef> ControlDefs() {
    std::vector<ControlDef> defs;
    for (const ControlSpec& c : FormControls())
        defs.push_back({c.id, ControlClassName(c.kind), c.caption, c.x, c.y, c.width, c.height, c.style, c.exStyle,
                        c.font, SystemColour(c.colours.text), SystemColour(c.colours.background), c.arrayIndex});
    return defs;
}

std::vector<CommandBinding> Commands() {
    std::vector<CommandBinding> b = {
        {ids::txtAppFolder, EN_CHANGE, EditChanged},
        {ids::txtAppFolder, EN_SETFOCUS, Focused},
        {ids::cmdSelectFolder, BN_CLICKED, SelectFolder},
        {ids::cmdSelectFolder, BN_SETFOCUS, Focused},
        {ids::cboDataFolder, CBN_SELENDOK, DataFolderPicked},
        {ids::cboDataFolder, CBN_SETFOCUS, Focused},
        {ids::txtSpoolFolder, EN_CHANGE, EditChanged},
        {ids::txtSpoolFolder, EN_SETFOCUS, Focused},
        {ids::chkGraphicMode, BN_CLICKED, GraphicModeClicked},
        {ids::chkGraphicMode, BN_SETFOCUS, Focused},
        {ids::cboFontSize, CBN_SETFOCUS, Focused},
        {ids::cmdOK, BN_CLICKED, Confirm},
        {ids::cmdOK, BN_SETFOCUS, Focused},
        {ids::cmdCancel, BN_CLICKED, Cancel},
        {ids::cmdCancel, BN_SETFOCUS, Focused},
    };
    const auto options = [&b](const auto& group, veskor::win32::CommandHandler clicked) {
        for (int id : group) {
            b.push_back({id, BN_CLICKED, clicked});
            b.push_back({id, BN_SETFOCUS, Focused});
        }
    };
    options(ids::optWindowType, OptionClicked<WindowTypeClicked>);
    options(ids::optFontType, OptionClicked<FontTypeClicked>);
    options(ids::optScreenSize, OptionClicked<ScreenSizeClicked>);
    options(ids::optScreen, OptionClicked<ScreenClicked>);
    return b;
}

const FormDef& ConfigForm() {
    static const FormDef form = {
        "VESKORCFG", "frmConfig", kForm.caption, kForm.width, kForm.height, kForm.clientWidth,
        kForm.clientHeight, kForm.style, kForm.exStyle,
        ControlDefs(), Commands(), OnMessage, Create,
    };
    return form;
}

}  // namespace

int ShowConfigForm(const std::string& ownFolder) {
    Session session;
    session.ownFolder = ownFolder;
    return veskor::win32::ShowFormModal(ConfigForm(), nullptr, &session);
}

}  // namespace veskor::config::win32
