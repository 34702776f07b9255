#include "case_probes.h"

#include "form_probe.h"
#include "harness.h"
#include "winutil.h"

namespace e2e {

RECT RectInParent(HWND child) {
    RECT r = {};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

int FocusId(HWND window) {
    HWND focus = FocusOf(window);
    return focus ? GetDlgCtrlID(focus) : -1;
}

void ClickAt(int x, int y) {
    SetCursorPos(x, y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
}

void ClickCentre(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void PressKey(WORD virtualKey) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = virtualKey;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

POINT CloseBoxCentre(HWND window) {
    // Walks the caption's middle line from the right until the window itself
    // reports its close box there.
    RECT r;
    GetWindowRect(window, &r);
    const int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    int first = -1, last = -1;
    for (int x = r.right - 1; x > r.right - 80; --x) {
        DWORD_PTR hit = 0;
        SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, 1000, &hit);
        if (hit == HTCLOSE) {
            if (last < 0) last = x;
            first = x;
        } else if (last >= 0) {
            break;
        }
    }
    return {last < 0 ? -1 : (first + last) / 2, y};
}

bool IsChecked(HWND form, int id) { return SendMessageA(GetDlgItem(form, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool IsEnabled(HWND form, int id) { return IsWindowEnabled(GetDlgItem(form, id)) != FALSE; }

DrawnColour TextColourOf(HWND label) {
    const ColourCount c = CountColours(label);
    return c.red && c.black ? DrawnColour::Both : c.red ? DrawnColour::Red : c.black ? DrawnColour::Black : DrawnColour::None;
}

HWND WaitDialog(DWORD processId, DWORD ms) { return WaitVisibleWindow(processId, "#32770", ms); }

void DeleteKey(const std::string& consoleKey) { RegDeleteKeyA(HKEY_CURRENT_USER, consoleKey.c_str()); }

namespace {
const char* kAppDefaults = "Software\\Wine\\AppDefaults\\VESKOR1.EXE";
}

PretendWindowsVersion::PretendWindowsVersion(const char* version) {
    if (!SetUserString(kAppDefaults, "Version", version)) Fail(__FILE__, __LINE__, "cannot set the AppDefaults key");
}

PretendWindowsVersion::~PretendWindowsVersion() { RegDeleteKeyA(HKEY_CURRENT_USER, kAppDefaults); }

std::string ShortPath(const std::string& path) {
    char buffer[1024] = {};
    const DWORD n = GetShortPathNameA(path.c_str(), buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : path;
}

std::string Lowered(std::string text) {
    CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace e2e
