// Probes and input that only the end-to-end cases use: geometry and focus of
// another process's controls, real clicks, short paths.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// A child's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
// The window with the keyboard focus in the window's thread, and its identifier (-1 for none).
HWND FocusOf(HWND window);
int FocusId(HWND window);

// A real left click at a screen point.
void ClickAt(int x, int y);
// A real click on the close box of a top-level window.
void ClickCloseBox(HWND window);

// The platform's words for an error, on one line.
std::string Reason(DWORD error);
std::string ShortPath(const std::string& path);
std::string Lowered(std::string text);

}  // namespace e2e
