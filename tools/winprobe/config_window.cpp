#include "config_window.h"

#include "form_probe.h"

namespace e2e {

bool SettingsShown(HWND form) { return WindowText(GetDlgItem(form, 1020)) != "Folder"; }

HWND StartConfig(Process& program, const std::string& folder, DWORD ms, const std::string& current) {
    HWND form = StartForForm(program, Join(folder, "VESKORCFG.EXE"), current.empty() ? folder : current, kConfigClass, ms);
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

}  // namespace e2e
