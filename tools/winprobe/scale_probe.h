// Measuring a form at the screen's DPI from outside: the DPI, a 96-DPI layout
// rectangle in it, how tall the text a control draws is, and how much room a
// text needs in a font given by its description text.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// LOGPIXELSY of the screen (under Wine every program is told the real DPI).
int ScreenDpi();
// A rectangle of a 96-DPI layout at the screen's DPI.
RECT ScaledBox(int left, int top, int width, int height);

// What is wrong with the text a control shows ("" when nothing), given the
// font description it was made with: cut off, wider than the room the control
// leaves beside what it draws itself (check mark, drop-down button, edges; an
// edit scrolls), by more than the same text is cut in the same control at 96
// DPI, scaled, plus what the font's widths grow beyond the scale (so that only
// room that does not scale counts, not a platform font wider than the
// design's); or, with measureInk, drawn not as tall as that font at the
// screen's DPI draws it here (rows from the first to the last with a dark
// pixel, within one). A combo box's entries stand for its text.
std::string TextFault(HWND control, const char* fontDescription, bool measureInk = false);

}  // namespace e2e

#include "form_rules.h"

namespace e2e {

// What is wrong with a form's placement ("" when nothing): it must be centred
// on the screen at the outer size the form layer gives it at the screen's DPI
// (AdjustWindowRectEx for its styles around the scaled client area), with its
// 96-DPI client area scaled.
std::string PlacementFault(HWND form, veskor::Size outerAt96, veskor::Size clientAt96);

}  // namespace e2e
