#include "form_probe.h"

#include "winutil.h"

namespace e2e {

namespace {

struct Search {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    Search* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s->processId || ClassOf(window) != s->className) return TRUE;
    s->found = window;
    return FALSE;
}

}  // namespace

void EnsureDesktop() {
    static bool done = false;
    if (done) return;
    done = true;
    for (const char* program : {"VESKOR.EXE", "VESKORCFG.EXE", "minform.exe"})
        SetUserString(std::string("Software\\Wine\\AppDefaults\\") + program + "\\X11 Driver", "Managed", "N");
}

HWND FindProcessWindow(DWORD processId, const char* className) {
    Search s = {processId, className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND WaitVisibleWindow(DWORD processId, const char* className, DWORD ms) {
    const DWORD t0 = GetTickCount();
    for (;;) {
        HWND w = FindProcessWindow(processId, className);
        if (w && IsWindowVisible(w)) return w;
        if (GetTickCount() - t0 > ms) return nullptr;
        Sleep(10);
    }
}

HWND StartForForm(Process& p, const std::string& program, const std::string& folder, const char* className, DWORD ms) {
    EnsureDesktop();
    if (!p.Start("\"" + program + "\"", folder)) return nullptr;
    return WaitVisibleWindow(p.id(), className, ms);
}

std::string WindowText(HWND window) {
    // GetWindowTextA gives only the caption of another process's window, not
    // the text a control keeps itself: ask the window.
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 2000, &n)) return std::string();
    std::string text(n + 1, '\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL, 2000, &got);
    text.resize(got);
    return text;
}

std::string ClassOf(HWND window) {
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

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

void ClickButton(HWND form, int id) { SendMessageA(GetDlgItem(form, id), BM_CLICK, 0, 0); }

ColourCount CountColours(HWND window) {
    ColourCount c;
    const ScreenImage image = CaptureWindow(window, 32);
    const DWORD* px = reinterpret_cast<const DWORD*>(image.bits.data());
    c.total = image.width * image.height;
    for (int i = 0; i < c.total; ++i) {
        const DWORD v = px[i] & 0xFFFFFF;
        if (v == 0xFF0000) ++c.red;
        if (v == 0xFFFFFF) ++c.white;
        if (v == 0) ++c.black;
    }
    return c;
}

bool WaitPaintedRed(HWND window, DWORD ms) {
    const DWORD t0 = GetTickCount();
    for (;;) {
        const ColourCount c = CountColours(window);
        if (c.total && c.red * 2 >= c.total) return true;
        if (GetTickCount() - t0 > ms) return false;
        Sleep(20);
    }
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

HWND StartLauncherForForm(Process& launcher, const std::string& inst, const char* formClass, int panelId, DWORD ms) {
    HWND form = StartForForm(launcher, Join(inst, "VESKOR.EXE"), inst, formClass, ms);
    if (form) WaitPaintedRed(GetDlgItem(form, panelId), 3000);
    return form;
}

DWORD WaitExitClosingForms(Process& launcher, DWORD ms, std::string* formClass) {
    const DWORD t0 = GetTickCount();
    for (;;) {
        const DWORD code = launcher.WaitExit(20);
        if (code != STILL_ACTIVE) return code;
        for (const char* cls : {kError2Class, kError1Class}) {
            HWND form = FindProcessWindow(launcher.id(), cls);
            if (!form || !IsWindowVisible(form)) continue;
            if (formClass) *formClass = cls;
            PostMessageA(form, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
        if (GetTickCount() - t0 > ms) return STILL_ACTIVE;
    }
}

}  // namespace e2e
