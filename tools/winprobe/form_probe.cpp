#include "form_probe.h"

#include <memory>
#include <vector>

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

int LaunchersRefused(const std::string& inst, int launchers) {
    std::vector<std::unique_ptr<Process>> started;
    int refused = 0;
    for (int i = 0; i < launchers; ++i) {
        started.push_back(std::make_unique<Process>());
        if (!started.back()->Start("\"" + Join(inst, "VESKOR.EXE") + "\"", inst)) ++refused;
    }
    for (auto& launcher : started) {
        std::string form;
        if (launcher->id() && (WaitExitClosingForms(*launcher, 30000, &form) != 0 || !form.empty())) ++refused;
    }
    return refused;
}

HWND MessageBoxOrExit(Process& p, std::string& text, DWORD ms) {
    HWND box = nullptr;
    WaitUntil([&] {
        box = FindProcessWindow(p.id(), "#32770");
        return (box && IsWindowVisible(box)) || p.WaitExit(0) != STILL_ACTIVE;
    }, ms);
    if (box && !IsWindowVisible(box)) box = nullptr;
    for (HWND s = nullptr; box && (s = FindWindowExA(box, s, "Static", nullptr));)
        if (WindowText(s).size() > text.size()) text = WindowText(s);
    return box;
}

}  // namespace e2e
