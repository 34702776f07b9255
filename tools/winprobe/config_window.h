// Running VESKORCFG.EXE and reading its form: the window, control texts and
// list entries.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "winutil.h"

namespace e2e {

inline constexpr const char* kConfigClass = "FORM_VESKORCFG_FRMCONFIG_CLASS";

// Starts folder\VESKORCFG.EXE in folder (or in current, when given) and waits
// until its form shows the loaded settings (the first status line no longer
// holds its placeholder). Returns the form, or null.
HWND StartConfig(Process& program, const std::string& folder, DWORD ms = 15000, const std::string& current = "");
// True when the form's first status line has left its placeholder caption.
bool SettingsShown(HWND form);

std::string ItemText(HWND form, int id);
std::vector<std::string> ComboEntries(HWND form, int id);
int ComboSelection(HWND form, int id);

}  // namespace e2e
