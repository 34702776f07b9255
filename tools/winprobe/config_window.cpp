#include "config_window.h"

#include "form_probe.h"

namespace e2e {

bool SettingsShown(HWND form) { return WindowText(GetDlgItem(form, 1020)) != "Folder"; }

HWND StartConfig(Process& program, const std::string& folder, DWORD ms) {
    HWND form = StartForForm(program, Join(folder, "VESKORCFG.EXE"), folder, kConfigClass, ms);
    return form && WaitUntil([form] { return SettingsShown(form); }, ms) ? form : nullptr;
}

std::string ItemText(HWND form, int id) { return WindowText(GetDlgItem(form, id)); }

std::vector<std::string> ComboEntries(HWND form, int id) {
    HWND combo = GetDlgItem(form, id);
    std::vector<std::string> entries;
    const LRESULT n = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        wchar_t text[256] = {};
        if (SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) >= 255) continue;
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        char narrow[256] = {};
        WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
        entries.push_back(narrow);
    }
    return entries;
}

int ComboSelection(HWND form, int id) {
    return static_cast<int>(SendMessageW(GetDlgItem(form, id), CB_GETCURSEL, 0, 0));
}

bool IsChecked(HWND form, int id) { return SendMessageA(GetDlgItem(form, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool IsEnabled(HWND form, int id) { return IsWindowEnabled(GetDlgItem(form, id)) != FALSE; }

DrawnColour TextColourOf(HWND label) {
    const ColourCount c = CountColours(label);
    return c.red && c.black ? DrawnColour::Both : c.red ? DrawnColour::Red : c.black ? DrawnColour::Black : DrawnColour::None;
}

HWND WaitDialog(DWORD processId, DWORD ms) { return WaitVisibleWindow(processId, "#32770", ms); }

}  // namespace e2e
