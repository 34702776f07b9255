#include "screen.h"

#include <algorithm>

#include "files.h"

namespace e2e {

ScreenImage CaptureWindow(HWND window, int bitCount) {
    ScreenImage image;
    RECT r;
    if (!GetWindowRect(window, &r)) return image;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return image;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = bitCount == 32 ? -h : h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib) {
        HGDIOBJ old = SelectObject(mem, dib);
        const DWORD rowBytes = ((w * bitCount / 8 + 3) / 4) * 4;
        // Under Wine the screen DC holds what windows drawn straight onto the
        // display show, while a window inside the desktop's frame (the console
        // window) reads back black there: take the window's own DC for those.
        BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        const char* p = static_cast<const char*>(bits);
        if (std::all_of(p, p + rowBytes * h, [](char c) { return c == 0; })) {
            HDC source = GetWindowDC(window);
            BitBlt(mem, 0, 0, w, h, source, 0, 0, SRCCOPY);
            ReleaseDC(window, source);
        }
        GdiFlush();
        image.width = w;
        image.height = h;
        image.bits.assign(static_cast<const char*>(bits), rowBytes * h);
        SelectObject(mem, old);
        DeleteObject(dib);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return image;
}

bool SaveWindowBitmap(HWND window, const std::string& bmpPath) {
    const ScreenImage image = CaptureWindow(window, 24);
    if (image.bits.empty()) return false;
    BITMAPINFOHEADER bh = {};
    bh.biSize = sizeof bh;
    bh.biWidth = image.width;
    bh.biHeight = image.height;
    bh.biPlanes = 1;
    bh.biBitCount = 24;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bh;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(image.bits.size());
    std::string data(reinterpret_cast<const char*>(&fh), sizeof fh);
    data.append(reinterpret_cast<const char*>(&bh), sizeof bh);
    data += image.bits;
    return WriteText(bmpPath, data);
}

}  // namespace e2e
