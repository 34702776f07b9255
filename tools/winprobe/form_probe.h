// Looking at and operating the forms of another process: windows by class,
// texts, button clicks and painted colours.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

class Process;

// The session has no window manager, so the windows of the form programs and
// of the benchmark reference are set to be framed by the platform itself:
// captions and close boxes are then drawn and can be clicked.
void EnsureDesktop();

// A top-level window of the class that belongs to the process, or null.
HWND FindProcessWindow(DWORD processId, const char* className);
// Waits until such a window is visible (null after ms).
HWND WaitVisibleWindow(DWORD processId, const char* className, DWORD ms);
// Starts "program" in folder and waits until its window of the class is visible.
HWND StartForForm(Process& p, const std::string& program, const std::string& folder, const char* className, DWORD ms);

std::string WindowText(HWND window);
std::string ClassOf(HWND window);
// A button of a form clicked through its own message.
void ClickButton(HWND form, int id);

// Pixels of the window's screen rectangle that are exactly red, white and black.
struct ColourCount {
    int red = 0;
    int white = 0;
    int black = 0;
    int total = 0;
};
ColourCount CountColours(HWND window);
// Waits until at least half of the window shows red (it has been painted).
bool WaitPaintedRed(HWND window, DWORD ms);

}  // namespace e2e

namespace e2e {

inline constexpr const char* kError1Class = "FORM_VESKOR_FRMERROR1_CLASS";
inline constexpr const char* kError2Class = "FORM_VESKOR_FRMERROR2_CLASS";

// Starts the installation's VESKOR.EXE and waits until the form of the class
// is visible (null when it is not) and, for a while, until its message panel
// is painted.
HWND StartLauncherForForm(Process& launcher, const std::string& inst, const char* formClass, int panelId, DWORD ms);

// Waits for the launcher to end, closing any error form it shows as the close
// box would. Returns the exit code (STILL_ACTIVE on time-out); formClass tells
// which form was closed ("" for none).
DWORD WaitExitClosingForms(Process& launcher, DWORD ms, std::string* formClass = nullptr);

// How many of several launchers started at once from inst\VESKOR.EXE show an
// error form (or do not start).
int LaunchersRefused(const std::string& inst, int launchers = 1);

// The message box the process shows once visible, its longest text in text;
// null once the process has ended, or after ms.
HWND MessageBoxOrExit(Process& p, std::string& text, DWORD ms);

}  // namespace e2e
