// The client launcher's two error forms: window and control tables, the fill
// at creation and the button handlers.
#include "error_form_windows.h"

#include <windows.h>

#include "error_forms.h"
#include "forms.h"
#include "launch.h"

namespace veskor::client {

namespace {

using win32::CommandBinding;
using win32::ControlDef;
using win32::FormDef;

enum Error1Control {
    cmdRunConfig = 1000,
    lblFirst = 1001,
    txtFirst = 1002,
    lblSecond = 1003,
    txtSecond = 1004,
    lblMessage1 = 1005,
};
enum Error2Control {
    lblMessage2 = 1000,
    txtFolder = 1001,
    lblFolder = 1002,
};

const char* const kButtonFont = "MS Sans Serif,-11,0,0,0,400,0,0,0,0,1,2,1,34";
const char* const kOkFont = "MS Sans Serif,-11,0,0,0,400,0,0,0,0,0,0,0,0";
const char* const kLabelFont = "MS Sans Serif,-13,0,0,0,400,0,0,0,0,1,2,1,34";
const char* const kFieldFont = "Arial,-12,0,0,0,400,0,0,0,0,3,2,1,34";
const char* const kPanelFont = "Arial,-13,0,0,0,700,0,0,0,0,3,2,1,34";

// Outer sizes and control rectangles are pixels at 96 DPI; the client areas at
// 96 DPI are the outer sizes less a 4-pixel sizing frame and a 19-pixel caption.
const DWORD kFormStyle = WS_POPUP | WS_THICKFRAME | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                         WS_VISIBLE;
const DWORD kFormExStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE;
const DWORD kButtonStyle = WS_TABSTOP | BS_NOTIFY | BS_CENTER | BS_VCENTER;
const DWORD kLabelStyle = SS_LEFT | SS_NOTIFY | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const DWORD kFieldStyle = ES_LEFT | ES_UPPERCASE | ES_AUTOHSCROLL | ES_READONLY;
const DWORD kPanelStyle = SS_CENTER | SS_NOTIFY | SS_SUNKEN | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

const Colour kNone;
const Colour kWindowText = Colour::System(COLOR_WINDOWTEXT);
const Colour kButtonFace = Colour::System(COLOR_BTNFACE);
const Colour kWindow = Colour::System(COLOR_WINDOW);
const Colour kWhite = Colour::Rgb(255, 255, 255);
const Colour kRed = Colour::Rgb(255, 0, 0);

StartupState& State(HWND form) { return *static_cast<StartupState*>(win32::FormContext(form)); }

// Read-only fields take paths of any length and scroll them without margins.
void PrepareField(HWND field) {
    ::SendMessageA(field, EM_LIMITTEXT, 0, 0);
    ::SendMessageA(field, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
}

void SetText(HWND form, int id, const std::string& text) { ::SetDlgItemTextA(form, id, text.c_str()); }

LRESULT CloseWithOk(int, HWND form, HWND, int) {
    win32::CloseForm(form, 0);
    return 1;
}

LRESULT RunConfiguration(int, HWND form, HWND, int) {
    StartProgram(State(form).startupFolder, kConfigExe);
    win32::CloseForm(form, 0);
    return 1;
}

LRESULT CreateError2(HWND form) {
    const Error2Fill fill = FillError2(State(form));
    PrepareField(::GetDlgItem(form, txtFolder));
    SetText(form, lblFolder, fill.label);
    SetText(form, txtFolder, fill.field);
    SetText(form, lblMessage2, fill.message);
    win32::FocusControl(form, ::GetDlgItem(form, IDOK));
    return 0;
}

const FormDef kError2 = {
    "VESKOR", "frmError2", kError2Caption, 492, 275, 484, 248, kFormStyle, kFormExStyle,
    {
        {IDOK, "Button", "OK", 200, 208, 84, 28, kButtonStyle | BS_DEFPUSHBUTTON, 0, kOkFont, kNone, kNone, 0},
        {lblMessage2, "Static", kPanelPlaceholder, 8, 101, 468, 88, kPanelStyle, 0, kPanelFont, kWhite, kRed, 0},
        {txtFolder, "Edit", "Current Working Folder", 8, 28, 468, 22, kFieldStyle, WS_EX_CLIENTEDGE, kLabelFont,
         kWindowText, kWindow, 0},
        {lblFolder, "Static", "Current Working Folder", 8, 8, 340, 20, kLabelStyle, 0, kLabelFont, kWindowText,
         kButtonFace, 0},
    },
    {{IDOK, BN_CLICKED, CloseWithOk}},
    nullptr,
    CreateError2,
};

LRESULT CreateError1(HWND form) {
    StartupState& state = State(form);
    const Error1Fill fill = FillError1(state);
    if (fill.handOver) {
        // The second form runs its own loop; this one is never shown.
        win32::ShowFormModal(kError2, nullptr, &state);
        return -1;
    }
    HWND secondLabel = ::GetDlgItem(form, lblSecond);
    HWND secondField = ::GetDlgItem(form, txtSecond);
    PrepareField(::GetDlgItem(form, txtFirst));
    PrepareField(secondField);
    ::ShowWindow(secondLabel, SW_HIDE);
    ::ShowWindow(secondField, SW_HIDE);
    SetText(form, lblFirst, fill.firstLabel);
    SetText(form, txtFirst, fill.firstField);
    if (fill.secondRowVisible) {
        SetText(form, lblSecond, fill.secondLabel);
        SetText(form, txtSecond, fill.secondField);
        ::ShowWindow(secondLabel, SW_SHOW);
        ::ShowWindow(secondField, SW_SHOW);
    }
    SetText(form, lblMessage1, fill.message);
    win32::FocusControl(form, ::GetDlgItem(form, cmdRunConfig));
    return 0;
}

const FormDef kError1 = {
    "VESKOR", "frmError1", kError1Caption, 595, 275, 587, 248, kFormStyle, kFormExStyle,
    {
        {cmdRunConfig, "Button", kRunConfigText, 68, 208, 145, 28, kButtonStyle | BS_PUSHBUTTON, 0, kButtonFont,
         kNone, kNone, 0},
        {lblFirst, "Static", kApplicationFolderLabel, 8, 8, 340, 20, kLabelStyle, 0, kLabelFont, kWindowText,
         kButtonFace, 0},
        {txtFirst, "Edit", "Application Folder", 8, 28, 568, 22, kFieldStyle, WS_EX_CLIENTEDGE, kFieldFont,
         kWindowText, kWindow, 0},
        {lblSecond, "Static", kDataFolderLabel, 8, 58, 340, 20, kLabelStyle, 0, kLabelFont, kWindowText,
         kButtonFace, 0},
        {txtSecond, "Edit", "Application Data Folder", 8, 78, 568, 22, kFieldStyle, WS_EX_CLIENTEDGE, kFieldFont,
         kWindowText, kWindow, 0},
        {lblMessage1, "Static", kPanelPlaceholder, 8, 104, 568, 97, kPanelStyle, 0, kPanelFont, kWhite, kRed, 0},
        {IDOK, "Button", "OK", 438, 208, 84, 28, kButtonStyle | BS_DEFPUSHBUTTON, 0, kOkFont, kNone, kNone, 0},
    },
    {{cmdRunConfig, BN_CLICKED, RunConfiguration}, {IDOK, BN_CLICKED, CloseWithOk}},
    nullptr,
    CreateError1,
};

}  // namespace

void ShowErrorForms(StartupState& state) { win32::ShowFormModal(kError1, nullptr, &state); }

}  // namespace veskor::client
