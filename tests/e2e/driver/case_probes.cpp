#include "case_probes.h"

#include "form_probe.h"
#include "harness.h"
#include "text.h"
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
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
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

void ClickCloseBox(HWND window) {
    // Walks the caption's middle line from the right until the window itself
    // reports its close box there, and clicks its middle.
    RECT r;
    GetWindowRect(window, &r);
    const int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    int first = -1, last = -1;
    for (int x = r.right - 1; x > r.right - 80; --x) {
        DWORD_PTR hit = 0;
        SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, 1000, &hit);
        if (hit == HTCLOSE) first = x, last = last < 0 ? x : last;
        else if (last >= 0) break;
    }
    CHECK_MSG(last >= 0, "no close box on \"" + WindowText(window) + "\"");
    if (last >= 0) ClickAt((first + last) / 2, y);
}

std::string Reason(DWORD error) {
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text, nullptr);
    return std::string(veskor::Trimmed(text, "\r\n "));
}

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
