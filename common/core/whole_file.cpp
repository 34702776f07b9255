#include "whole_file.h"

#include <algorithm>

namespace veskor {

std::optional<std::string> ReadWithinLimit(const ChunkReader& read, std::size_t limit, OverLimit over) {
    std::string text;
    char buffer[65536];
    for (;;) {
        // Cut asks for no more than the limit leaves, and so ends with an empty read there.
        const std::size_t room = limit - text.size();
        const long got = read(buffer, over == OverLimit::Cut ? std::min(sizeof buffer, room) : sizeof buffer);
        if (got == 0) return text;
        if (got < 0 || static_cast<std::size_t>(got) > room) return std::nullopt;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace veskor
