// The form layer: a form is described by a plain table (window, controls with
// fonts and colours, command handlers per control and notification) and shown
// modally. One window procedure serves every form; it keeps a record per form
// and per control in a table by window (a form's record is also its window
// property "WEV_PTR").
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "form_rules.h"

namespace veskor::win32 {

struct ControlDef {
    int id;
    const char* className;
    const char* text;
    int left, top, width, height;  // client pixels of the form at 96 DPI, scaled to the screen's
    DWORD style;                   // WS_CHILD and WS_VISIBLE are always added
    DWORD exStyle;
    const char* font;              // font description text; "" keeps the platform's font
    Colour textColour;
    Colour backColour;
    int index;                     // index within its control array, 0 when not in one
};

// Handlers return non-zero when they have handled the message; that value is
// then the message's result.
using CommandHandler = LRESULT (*)(int index, HWND form, HWND control, int id);
using MessageHandler = LRESULT (*)(HWND form, UINT message, WPARAM wParam, LPARAM lParam);
using CreateHandler = LRESULT (*)(HWND form);

struct CommandBinding {
    int id;
    WORD notification;
    CommandHandler handler;
};

struct FormDef {
    const char* program;  // for the class name "FORM_<PROGRAM>_<FORM>_CLASS"
    const char* name;
    const char* caption;
    int width, height;    // outer size at 96 DPI; the form is centred on the screen
    int clientWidth, clientHeight;  // client area at 96 DPI, scaled to the screen's at any other
    DWORD style;
    DWORD exStyle;
    std::vector<ControlDef> controls;  // in creation order, which is the tab order
    std::vector<CommandBinding> commands;
    MessageHandler onMessage;  // sees every message first; may be null
    CreateHandler onCreate;    // after the controls exist; -1 fails the creation; may be null
};

// Creates, shows and runs a form until its window is gone; returns the result
// given to CloseForm (0 when closed otherwise), or -1 when the window could not
// be created. An owner is disabled while the form runs. The first form a
// program shows is its start-up form: destroying it ends the program's message
// processing.
int ShowFormModal(const FormDef& form, HWND owner, void* context = nullptr);

// The DPI the forms are drawn at: LOGPIXELSY of the screen, read once. The
// programs declare themselves DPI-aware, so it is the system's DPI; where the
// declaration is not read (Windows 95/98, an override), it is what the
// platform lets them draw at (96 where it stretches the forms).
int ScreenDpi();

// A layout pixel at 96 DPI in the screen's DPI.
inline int Scaled(int pixels) { return ScaleToDpi(pixels, ScreenDpi()); }

// A message box owned by the form; afterwards the keyboard focus is back on
// the control that had it before (the platform may leave it nowhere).
int ShowMessage(HWND form, const char* text, const char* caption, UINT flags);

// Re-enables and activates the owner, destroys the form and stores the result.
void CloseForm(HWND form, int result);

// The context given to ShowFormModal.
void* FormContext(HWND form);

// The form's controls by identifier, as they were created (empty for a window
// that is not a form).
std::map<int, HWND> ControlsOf(HWND form);

// The control to hold the keyboard focus; takes it now when the form is
// visible, else when the form is first activated.
void FocusControl(HWND form, HWND control);

// Attaches a control record: the common control procedure, the cached font of
// the description text, the colours and their brush.
void SetupControl(HWND control, const char* fontDescription, Colour text, Colour back, int index);

// Replaces a control's text colour, background colour or both (nullopt keeps
// that colour), makes its brush anew when the background changes and repaints
// the control at once.
void SetControlColours(HWND control, std::optional<Colour> text, std::optional<Colour> back);

// One font per distinct description text, kept for the life of the program;
// null for an empty face or when the font cannot be made.
HFONT CachedFont(const std::string& description);

// Runs the form's message loop until the window no longer exists or the quit
// message arrives (which is then posted again for any enclosing loop).
void RunModalLoop(HWND form);

}  // namespace veskor::win32
