// Font description texts come from form tables and, in later forms, from
// settings: any text must parse to a defined description.
#include <cstddef>
#include <cstdint>
#include <string>

#include "form_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const veskor::FontDescription d = veskor::ParseFontDescription(text);
    if (d.face.size() > veskor::kMaxFaceLength) __builtin_trap();
    veskor::FontCreationHeight(d.height, 96);
    veskor::FontCreationHeight(d.height, d.weight);
    return 0;
}
