// What the screen shows of a window, for checks of drawn pixels and for
// screenshots.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// What the screen shows of a window's outer rectangle: with 24 bits, bottom-up
// rows padded to 4 bytes as a BMP holds them; with 32, top-down 0x00RRGGBB values.
struct ScreenImage {
    int width = 0;
    int height = 0;
    std::string bits;
};
ScreenImage CaptureWindow(HWND window, int bitCount);

// Saves what the screen shows of a window (its outer rectangle) as a 24-bit BMP.
bool SaveWindowBitmap(HWND window, const std::string& bmpPath);

}  // namespace e2e
