#include "forms.h"

#include <map>
#include <new>
#include <unordered_map>

namespace veskor::win32 {

namespace {

const char* const kRecordProperty = "WEV_PTR";
const char* const kTagProperty = "WEV_TAGPROPERTY";
const char* const kTagProperty2 = "WEV_TAGPROPERTY2";
// Offered to the focused control before anything else; a non-zero reply
// consumes the message.
const UINT kConsumeMessage = 0x037F;
const UINT kThemeChanged = 0x031A;

// One ShowFormModal call: what the window procedure needs at creation and
// where CloseForm leaves the result.
struct Session {
    const FormDef* def;
    HWND owner;
    void* context;
    bool startupForm;
    int result;
};

struct FormRecord {
    const FormDef* def = nullptr;
    Session* session = nullptr;
    bool modal = true;
    HWND owner = nullptr;
    HWND lastFocus = nullptr;
    std::map<int, HWND> controls;  // by identifier, as created
    // Owned by the form when used; the forms of this system use none of them.
    HBRUSH brush = nullptr;
    HACCEL accelerators = nullptr;
    UINT_PTR timer = 0;
    std::string tag, tag2;
};

struct ControlRecord {
    WNDPROC previous = nullptr;
    int index = 0;
    HFONT font = nullptr;
    Colour text, back;
    HBRUSH brush = nullptr;
    ControlKind kind = ControlKind::Other;
    std::string resizeRule;  // empty: the control keeps its place and size
};

HWND g_activeForm = nullptr;
bool g_startupFormShown = false;

// The records by window. Reading or writing a window property asks the window
// server each time and the records are looked up for every message, so they
// are kept here; only a form also carries its record and the two tag texts as
// window properties (a control would pay three server calls for each of the
// thirty controls of a form, at every start).
std::unordered_map<HWND, void*>& Records() {
    static std::unordered_map<HWND, void*> records;
    return records;
}

void* RecordOf(HWND window) {
    const auto found = Records().find(window);
    return found == Records().end() ? nullptr : found->second;
}

void AttachProperties(HWND window, FormRecord* record) {
    Records()[window] = record;
    ::SetPropA(window, kRecordProperty, record);
    ::SetPropA(window, kTagProperty, const_cast<char*>(record->tag.c_str()));
    ::SetPropA(window, kTagProperty2, const_cast<char*>(record->tag2.c_str()));
}

void RemoveProperties(HWND window) {
    Records().erase(window);
    ::RemovePropA(window, kRecordProperty);
    ::RemovePropA(window, kTagProperty);
    ::RemovePropA(window, kTagProperty2);
}

bool HasClassProc(HWND window, WNDPROC proc) {
    return reinterpret_cast<WNDPROC>(::GetClassLongPtrA(window, GCLP_WNDPROC)) == proc;
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

FormRecord* FormOf(HWND window) {
    if (!window || !HasClassProc(window, FormProc)) return nullptr;
    return static_cast<FormRecord*>(RecordOf(window));
}

ControlRecord* ControlOf(HWND window) {
    if (!window || HasClassProc(window, FormProc)) return nullptr;
    return static_cast<ControlRecord*>(RecordOf(window));
}

// The form a control belongs to: its nearest ancestor that is a form.
HWND FormOfControl(HWND control) {
    for (HWND w = ::GetParent(control); w; w = ::GetParent(w))
        if (FormOf(w)) return w;
    return nullptr;
}

HWND TopLevelOf(HWND window) {
    while (window && (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) window = ::GetParent(window);
    return window;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

// "Edit", "RichEdit" (version 1.0) and "RichEdit20A" (version 2.0).
bool IsEditClass(const std::string& name) { return ::lstrcmpiA(name.c_str(), "Edit") == 0; }
bool IsRichEditClass(const std::string& name) { return ::lstrcmpiA(name.substr(0, 8).c_str(), "RichEdit") == 0; }

COLORREF ColourRef(const Colour& c) {
    return c.kind == Colour::Kind::System ? ::GetSysColor(static_cast<int>(c.value)) : static_cast<COLORREF>(c.value);
}

void RebuildBrush(ControlRecord& r) {
    if (r.brush) ::DeleteObject(r.brush);
    r.brush = r.back.kind == Colour::Kind::None ? nullptr : ::CreateSolidBrush(ColourRef(r.back));
}

BOOL CALLBACK RebuildChildBrush(HWND child, LPARAM message) {
    if (ControlRecord* r = ControlOf(child)) RebuildBrush(*r);
    if (message) ::SendMessageA(child, static_cast<UINT>(message), 0, 0);
    return TRUE;
}

LRESULT ControlColour(HWND form, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    ControlRecord* r = ControlOf(control);
    if (!r) {
        control = ::GetFocus();
        r = ControlOf(control);
    }
    if (!r || (r->text.kind == Colour::Kind::None && r->back.kind == Colour::Kind::None))
        return ::DefWindowProcA(form, message, wParam, lParam);
    HDC dc = reinterpret_cast<HDC>(wParam);
    if (r->text.kind != Colour::Kind::None) ::SetTextColor(dc, ColourRef(r->text));
    const TextPaint paint = TextPaintFor(r->kind, ::IsWindowEnabled(control) != FALSE);
    ::SetBkMode(dc, paint.opaque ? OPAQUE : TRANSPARENT);
    if (paint.useButtonFace) {
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    if (r->brush) {
        ::SetBkColor(dc, ColourRef(r->back));
        return reinterpret_cast<LRESULT>(r->brush);
    }
    const int fallback = r->kind == ControlKind::Edit ? COLOR_WINDOW : COLOR_BTNFACE;
    ::SetBkColor(dc, ::GetSysColor(fallback));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(fallback));
}

// Puts the owner's top-level window back in charge before the form goes.
void ReleaseOwner(const FormRecord& r) {
    if (!r.modal || !r.owner) return;
    HWND top = TopLevelOf(r.owner);
    ::EnableWindow(top, TRUE);
    ::SetActiveWindow(top);
}

// Enter goes to the push button with the focus; elsewhere to command 1.
LRESULT DefaultButton(HWND form) {
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(form, focus) &&
        (::SendMessageA(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        return MAKELRESULT(::GetDlgCtrlID(focus), DC_HASDEFID);
    return 0;
}

LRESULT Create(HWND window, FormRecord& r) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    for (const ControlDef& c : r.def->controls) {
        HWND control = ::CreateWindowExA(c.exStyle, c.className, c.text, c.style | WS_CHILD | WS_VISIBLE,
                                         Scaled(c.left), Scaled(c.top), Scaled(c.width), Scaled(c.height), window,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        if (!control) continue;
        r.controls[c.id] = control;
        SetupControl(control, c.font, c.textColour, c.backColour, c.index);
    }
    return r.def->onCreate ? r.def->onCreate(window) : 0;
}

LRESULT Command(HWND window, const FormRecord& r, WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD notification = HIWORD(wParam);
    HWND control = lParam ? reinterpret_cast<HWND>(lParam) : ::GetDlgItem(window, id);
    for (const CommandBinding& b : r.def->commands) {
        if (b.id != id || b.notification != notification || !b.handler) continue;
        const ControlRecord* cr = ControlOf(control);
        // The handler may destroy the form: nothing of r is used after it.
        return b.handler(cr ? cr->index : 0, window, control, id);
    }
    return 0;
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        Session* s = static_cast<Session*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        FormRecord* r = s ? new (std::nothrow) FormRecord : nullptr;
        if (!r) return FALSE;
        r->def = s->def;
        r->session = s;
        r->owner = s->owner;
        AttachProperties(window, r);
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    FormRecord* r = FormOf(window);
    if (!r) return ::DefWindowProcA(window, message, wParam, lParam);
    if (r->def->onMessage) {
        if (const LRESULT handled = r->def->onMessage(window, message, wParam, lParam)) return handled;
    }
    switch (message) {
    case WM_CREATE:
        return Create(window, *r);
    case WM_COMMAND:
        if (const LRESULT handled = Command(window, *r, wParam, lParam)) return handled;
        break;
    case DM_GETDEFID:
        return DefaultButton(window);
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            g_activeForm = window;
        else if (g_activeForm == window)
            g_activeForm = nullptr;
        break;
    case WM_SETFOCUS:
        if (r->lastFocus && ::IsWindow(r->lastFocus)) {
            ::SetFocus(r->lastFocus);
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            ::SendMessageA(window, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_CLOSE:
        ReleaseOwner(*r);
        if (r->modal) ::ShowWindow(window, SW_HIDE);
        ::DestroyWindow(window);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ControlColour(window, message, wParam, lParam);
    case WM_SYSCOLORCHANGE:
    case kThemeChanged:
        ::EnumChildWindows(window, RebuildChildBrush, message == WM_SYSCOLORCHANGE ? WM_SYSCOLORCHANGE : 0);
        break;
    case WM_DESTROY: {
        const bool startup = r->session && r->session->startupForm;
        if (g_activeForm == window) g_activeForm = nullptr;
        if (r->brush) ::DeleteObject(r->brush);
        if (r->accelerators) ::DestroyAcceleratorTable(r->accelerators);
        if (r->timer) ::KillTimer(window, r->timer);
        RemoveProperties(window);
        delete r;
        if (startup) ::PostQuitMessage(0);
        return 0;
    }
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlRecord* r = ControlOf(window);
    if (!r) return ::DefWindowProcA(window, message, wParam, lParam);
    const WNDPROC previous = r->previous;
    if (message == WM_SETFOCUS) {
        if (FormRecord* form = FormOf(FormOfControl(window))) form->lastFocus = window;
    } else if (message == WM_DESTROY) {
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        if (r->brush) ::DeleteObject(r->brush);
        Records().erase(window);
        delete r;
    }
    return ::CallWindowProcA(previous, window, message, wParam, lParam);
}

int CALLBACK LastCharSet(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM out) {
    *reinterpret_cast<BYTE*>(out) = font->lfCharSet;
    return 1;
}

HFONT MakeFont(const std::string& text) {
    const FontDescription d = ParseFontDescription(text);
    if (d.face.empty()) return nullptr;
    HDC screen = ::GetDC(nullptr);
    BYTE charSet = DEFAULT_CHARSET;
    if (screen) {
        ::EnumFontFamiliesA(screen, d.face.c_str(), LastCharSet, reinterpret_cast<LPARAM>(&charSet));
        ::ReleaseDC(nullptr, screen);
    }
    return ::CreateFontA(FontCreationHeight(d.height, ScreenDpi()), 0, 0, 0, d.weight, d.italic != 0,
                         d.underline != 0, d.strikeOut != 0, charSet, OUT_TT_PRECIS, 0, 0, 0, d.face.c_str());
}

bool IsMultiLineOrRichEdit(HWND window) {
    const std::string name = ClassOf(window);
    return IsRichEditClass(name) || (IsEditClass(name) && (::GetWindowLongA(window, GWL_STYLE) & ES_MULTILINE));
}

// Escape and Tab inside a multi-line or rich edit, which would otherwise keep them.
bool EditNavigation(const MSG& msg, HWND focus) {
    if (msg.message != WM_KEYDOWN || !focus || !IsMultiLineOrRichEdit(focus)) return false;
    HWND form = FormOfControl(focus);
    if (!form) return false;
    if (msg.wParam == VK_ESCAPE) {
        ::SendMessageA(form, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(form, IDCANCEL)));
        return true;
    }
    if (msg.wParam == VK_TAB) {
        const bool back = (::GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
        if (HWND next = ::GetNextDlgTabItem(form, focus, back)) ::SetFocus(next);
        return true;
    }
    return false;
}

bool RegisterFormClass(const std::string& name) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    if (::GetClassInfoExA(instance, name.c_str(), &wc)) return true;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = FormProc;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(::LoadImageA(instance, "IMAGE_NEWICON", IMAGE_ICON, 32, 32, LR_SHARED));
    wc.hIconSm = static_cast<HICON>(::LoadImageA(instance, "IMAGE_NEWICON", IMAGE_ICON, 16, 16, LR_SHARED));
    wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = name.c_str();
    return ::RegisterClassExA(&wc) != 0;
}

}  // namespace

int ScreenDpi() {
    static const int dpi = [] {
        HDC screen = ::GetDC(nullptr);
        const int logPixelsY = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen) ::ReleaseDC(nullptr, screen);
        return logPixelsY > 0 ? logPixelsY : kLayoutDpi;
    }();
    return dpi;
}

int ShowMessage(HWND form, const char* text, const char* caption, UINT flags) {
    const int answer = ::MessageBoxA(form, text, caption, flags);
    // The form itself may be gone (a message shown while it closes).
    const FormRecord* r = FormOf(form);
    if (r && r->lastFocus && ::IsWindow(r->lastFocus) && ::IsWindowVisible(form)) ::SetFocus(r->lastFocus);
    return answer;
}

HFONT CachedFont(const std::string& description) {
    static std::map<std::string, HFONT> cache;
    auto found = cache.find(description);
    if (found != cache.end()) return found->second;
    HFONT font = MakeFont(description);
    cache.emplace(description, font);
    return font;
}

void SetupControl(HWND control, const char* fontDescription, Colour text, Colour back, int index) {
    ControlRecord* r = new (std::nothrow) ControlRecord;
    if (!r) return;
    r->index = index;
    r->text = text;
    r->back = back;
    const std::string name = ClassOf(control);
    r->kind = IsEditClass(name) || IsRichEditClass(name) ? ControlKind::Edit : ControlKind::Other;
    Records()[control] = r;
    r->previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc)));
    r->font = CachedFont(fontDescription ? fontDescription : "");
    if (r->font) ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(r->font), FALSE);
    RebuildBrush(*r);
}

void SetControlColours(HWND control, std::optional<Colour> text, std::optional<Colour> back) {
    ControlRecord* r = ControlOf(control);
    if (!r) return;
    if (text) r->text = *text;
    if (back) {
        r->back = *back;
        RebuildBrush(*r);
    }
    ::InvalidateRect(control, nullptr, TRUE);
    ::UpdateWindow(control);
}

void* FormContext(HWND form) {
    const FormRecord* r = FormOf(form);
    return r && r->session ? r->session->context : nullptr;
}

std::map<int, HWND> ControlsOf(HWND form) {
    const FormRecord* r = FormOf(form);
    return r ? r->controls : std::map<int, HWND>();
}

void FocusControl(HWND form, HWND control) {
    if (FormRecord* r = FormOf(form)) r->lastFocus = control;
    if (::IsWindowVisible(form)) ::SetFocus(control);
}

void CloseForm(HWND form, int result) {
    FormRecord* r = FormOf(form);
    if (!r) return;
    if (r->session) r->session->result = result;
    ReleaseOwner(*r);
    ::DestroyWindow(form);
}

void RunModalLoop(HWND form) {
    MSG msg;
    while (::IsWindow(form)) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (got == -1) return;
        HWND focus = ::GetFocus();
        if (focus && ::SendMessageA(focus, kConsumeMessage, 0, reinterpret_cast<LPARAM>(&msg))) continue;
        if (EditNavigation(msg, focus)) continue;
        if (::IsDialogMessageA(g_activeForm ? g_activeForm : form, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

int ShowFormModal(const FormDef& form, HWND owner, void* context) {
    const std::string className = FormClassName(form.program, form.name);
    if (!RegisterFormClass(className)) return -1;
    Session session = {&form, owner, context, !g_startupFormShown, 0};
    g_startupFormShown = true;
    // The frame the platform draws around the client area at the screen's DPI.
    RECT frame = {0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, form.style, FALSE, form.exStyle);
    const Size outer = FormOuterSize({form.width, form.height}, {form.clientWidth, form.clientHeight},
                                     {-frame.left, -frame.top, frame.right, frame.bottom}, ScreenDpi());
    const int left = CentredOrigin(::GetSystemMetrics(SM_CXSCREEN), outer.width);
    const int top = CentredOrigin(::GetSystemMetrics(SM_CYSCREEN), outer.height);
    HWND window = ::CreateWindowExA(form.exStyle, className.c_str(), form.caption, form.style, left, top, outer.width,
                                    outer.height, owner, nullptr, ::GetModuleHandleA(nullptr), &session);
    if (!window) return -1;
    HWND ownerTop = TopLevelOf(owner);
    if (ownerTop) ::EnableWindow(ownerTop, FALSE);
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::UpdateWindow(window);
    RunModalLoop(window);
    // A form destroyed without CloseForm must not leave its owner disabled.
    if (ownerTop && ::IsWindow(ownerTop) && !::IsWindowEnabled(ownerTop)) ::EnableWindow(ownerTop, TRUE);
    return session.result;
}

}  // namespace veskor::win32
