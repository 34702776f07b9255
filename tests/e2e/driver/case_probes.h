// Probes and input that only the end-to-end cases use: geometry and focus of
// another process's controls, real clicks and key presses, check marks, drawn
// text colours, dialogs, and the launcher's pretended Windows version.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// A child's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
// The window with the keyboard focus in the window's thread, and its identifier (-1 for none).
HWND FocusOf(HWND window);
int FocusId(HWND window);

// Real input: a left click at a screen point, a key press.
void ClickAt(int x, int y);
void ClickCentre(HWND window);
void PressKey(WORD virtualKey);
// The close box of a top-level window, in screen coordinates.
POINT CloseBoxCentre(HWND window);

bool IsChecked(HWND form, int id);
bool IsEnabled(HWND form, int id);
// The text colour of a status line as drawn: red, black, or none seen.
enum class DrawnColour { None, Red, Black, Both };
DrawnColour TextColourOf(HWND label);
// A top-level dialog (class "#32770") of the process, or null after ms.
HWND WaitDialog(DWORD processId, DWORD ms);

void DeleteKey(const std::string& consoleKey);
// Runs the launcher as Windows 98 or 95 ("win98", "win95") while it lives.
class PretendWindowsVersion {
public:
    explicit PretendWindowsVersion(const char* version);
    ~PretendWindowsVersion();
    PretendWindowsVersion(const PretendWindowsVersion&) = delete;
    PretendWindowsVersion& operator=(const PretendWindowsVersion&) = delete;
};

std::string ShortPath(const std::string& path);
std::string Lowered(std::string text);

}  // namespace e2e
