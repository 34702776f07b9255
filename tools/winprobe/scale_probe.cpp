#include "scale_probe.h"

#include <algorithm>
#include <vector>

#include "config_window.h"
#include "form_probe.h"
#include "form_rules.h"

namespace e2e {

namespace {

int CALLBACK LastCharSet(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM out) {
    *reinterpret_cast<BYTE*>(out) = font->lfCharSet;
    return 1;
}

// The font as the form layer makes it: the face's own character set, the
// height scaled to the screen's DPI.
HFONT MakeFont(const char* description, int dpi = ScreenDpi()) {
    const veskor::FontDescription d = veskor::ParseFontDescription(description);
    BYTE charSet = DEFAULT_CHARSET;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesA(screen, d.face.c_str(), LastCharSet, reinterpret_cast<LPARAM>(&charSet));
    ReleaseDC(nullptr, screen);
    return CreateFontA(veskor::FontCreationHeight(d.height, dpi), 0, 0, 0, d.weight, d.italic != 0,
                       d.underline != 0, d.strikeOut != 0, charSet, OUT_TT_PRECIS, 0, 0, 0, d.face.c_str());
}

// The dark rows of a 32-bit top-down image.
int DarkSpan(const DWORD* pixels, int width, int height) {
    int first = -1, last = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const DWORD v = pixels[y * width + x];
            if ((v & 0xFF) < 96 && ((v >> 8) & 0xFF) < 96 && ((v >> 16) & 0xFF) < 96) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    return first < 0 ? 0 : last - first + 1;
}

// Draws into a 32-bit image of the given size and returns its dark span.
template <typename Draw>
int DrawnSpan(int width, int height, Draw draw) {
    if (width <= 0 || height <= 0) return 0;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    int span = 0;
    if (dib) {
        HGDIOBJ old = SelectObject(mem, dib);
        draw(mem, screen);
        GdiFlush();
        span = DarkSpan(static_cast<const DWORD*>(bits), width, height);
        SelectObject(mem, old);
        DeleteObject(dib);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return span;
}

std::string WithoutAccessKey(std::string text) {
    const std::size_t amp = text.find('&');
    if (amp != std::string::npos) text.erase(amp, 1);
    return text;
}

}  // namespace

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

RECT ScaledBox(int left, int top, int width, int height) {
    const int dpi = ScreenDpi();
    const int x = veskor::ScaleToDpi(left, dpi), y = veskor::ScaleToDpi(top, dpi);
    return {x, y, x + veskor::ScaleToDpi(width, dpi), y + veskor::ScaleToDpi(height, dpi)};
}

namespace {

int InkHeight(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    POINT at = {0, 0};
    ClientToScreen(window, &at);
    return DrawnSpan(r.right, r.bottom, [&](HDC mem, HDC screen) {
        BitBlt(mem, 0, 0, r.right, r.bottom, screen, at.x, at.y, SRCCOPY);
    });
}

SIZE TextExtent(const std::string& text, const char* fontDescription, int dpi = ScreenDpi()) {
    SIZE size = {0, 0};
    const std::string shown = WithoutAccessKey(text);
    HFONT font = MakeFont(fontDescription, dpi);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, font);
    GetTextExtentPoint32A(screen, shown.c_str(), static_cast<int>(shown.size()), &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(font);
    return size;
}

int InkHeightOf(const std::string& text, const char* fontDescription) {
    const SIZE size = TextExtent(text, fontDescription);
    HFONT font = MakeFont(fontDescription);
    const int span = DrawnSpan(size.cx + 8, size.cy + 8, [&](HDC mem, HDC) {
        RECT all = {0, 0, size.cx + 8, size.cy + 8};
        FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        HGDIOBJ old = SelectObject(mem, font);
        SetBkMode(mem, TRANSPARENT);
        SetTextColor(mem, RGB(0, 0, 0));
        TextOutA(mem, 4, 4, text.c_str(), static_cast<int>(text.size()));
        SelectObject(mem, old);
    });
    DeleteObject(font);
    return span;
}

std::string ClassName(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// What a control draws beside its text, by its class and button type.
int Beside(HWND control) {
    const std::string cls = ClassName(control);
    const int edges = 2 * GetSystemMetrics(SM_CXEDGE);
    if (lstrcmpiA(cls.c_str(), "ComboBox") == 0) return GetSystemMetrics(SM_CXVSCROLL) + edges;
    if (lstrcmpiA(cls.c_str(), "Button") != 0) return 0;
    switch (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return GetSystemMetrics(SM_CXMENUCHECK);
    default: return edges;
    }
}


}  // namespace

std::string TextFault(HWND control, const char* fontDescription, bool measureInk) {
    const std::string cls = ClassName(control);
    const std::vector<std::string> shown = lstrcmpiA(cls.c_str(), "ComboBox") == 0
                                               ? ComboEntries(GetParent(control), GetDlgCtrlID(control))
                                               : std::vector<std::string>{WindowText(control)};
    RECT r;
    GetClientRect(control, &r);
    // The room the control leaves the text against what the text needs, and
    // the same at 96 DPI: a platform font wider than the design's may already
    // cut a text there. At the screen's DPI it may be cut no more than that,
    // scaled, plus what the font itself grows beyond the scale (its widths do
    // not scale exactly); what the layout owes is room that scales.
    const int dpi = ScreenDpi(), room = r.right - Beside(control), roomAt96 = MulDiv(room, 96, dpi);
    for (const std::string& text : shown) {
        if (lstrcmpiA(cls.c_str(), "Edit") == 0) break;  // an edit scrolls
        const int width = TextExtent(text, fontDescription).cx, widthAt96 = TextExtent(text, fontDescription, 96).cx;
        const int cutAt96 = std::max(0, widthAt96 - roomAt96);
        const int fontGrowth = std::max(0, width - veskor::ScaleToDpi(widthAt96, dpi));
        if (width - room > veskor::ScaleToDpi(cutAt96, dpi) + fontGrowth + 1)
            return "\"" + text + "\" " + std::to_string(width) + " pixels wide in " + std::to_string(room) +
                   " (at 96 DPI " + std::to_string(widthAt96) + " in " + std::to_string(roomAt96) + ")";
    }
    if (!measureInk) return "";
    const int drawn = InkHeight(control), expected = InkHeightOf(shown.front(), fontDescription);
    if (expected > 0 && drawn >= expected - 1 && drawn <= expected + 1) return "";
    return "\"" + shown.front() + "\" drawn " + std::to_string(drawn) + " rows high, in its font " +
           std::to_string(expected);
}

}  // namespace e2e

namespace e2e {

std::string PlacementFault(HWND form, veskor::Size outerAt96, veskor::Size clientAt96) {
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(form, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(form, GWL_EXSTYLE)));
    const veskor::Size outer = veskor::FormOuterSize(outerAt96, clientAt96,
                                                     {-frame.left, -frame.top, frame.right, frame.bottom}, ScreenDpi());
    const RECT box = ScaledBox(0, 0, clientAt96.width, clientAt96.height);
    RECT r, client;
    GetWindowRect(form, &r);
    GetClientRect(form, &client);
    const auto text = [](const RECT& q) {
        return std::to_string(q.left) + "," + std::to_string(q.top) + " " + std::to_string(q.right - q.left) + "x" +
               std::to_string(q.bottom - q.top);
    };
    if (r.left != veskor::CentredOrigin(GetSystemMetrics(SM_CXSCREEN), outer.width) ||
        r.top != veskor::CentredOrigin(GetSystemMetrics(SM_CYSCREEN), outer.height) ||
        r.right - r.left != outer.width || r.bottom - r.top != outer.height)
        return "outer " + text(r) + ", expected " + std::to_string(outer.width) + "x" + std::to_string(outer.height);
    if (client.right != box.right || client.bottom != box.bottom) return "client area " + text(client);
    return "";
}

}  // namespace e2e
