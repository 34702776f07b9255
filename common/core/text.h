// Small text helpers every program's core uses: ANSI settings texts are
// compared and shown in ASCII capitals, and trimmed of blanks.
#pragma once

#include <string>
#include <string_view>

namespace veskor {

// The text with its ASCII letters in capitals; other bytes as they are.
std::string UpperCase(std::string_view text);
// The two texts are equal but for the case of ASCII letters.
bool EqualNoCase(std::string_view a, std::string_view b);
// The text without the leading and trailing bytes that are in blanks.
std::string_view Trimmed(std::string_view text, std::string_view blanks = " ");
// A path of the form \\SERVER\SHARE\..., which names a network share without
// a drive letter.
bool IsNetworkPath(std::string_view path);

}  // namespace veskor
