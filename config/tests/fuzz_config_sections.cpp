// Any bytes as VESKOR.INI for the section count: no crash, and the count is
// bounded by the header lines the text could hold.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t count = veskor::config::CountIniSections(bytes);
    const std::string text = bytes.substr(0, bytes.find('\x1a'));
    const auto opens = static_cast<std::size_t>(std::count(text.begin(), text.end(), '['));
    // CR and LF each end a line (a CR LF pair only one, so this is an upper bound).
    const auto ends = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r') +
                                               std::count(text.begin(), text.end(), '\n'));
    if (count > opens || count > ends + 1) std::abort();
    // Whatever follows the end-of-file byte does not count.
    if (count != veskor::config::CountIniSections(text + "\x1a[X]\r\n")) std::abort();
    return 0;
}
