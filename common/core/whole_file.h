// Reading a whole file in chunks, bounded: no file of any size is held in
// memory beyond what its reader asks for.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace veskor {

// What a read does with a file larger than its limit.
enum class OverLimit {
    Cut,     // keeps the first limit bytes
    Refuse,  // reads nothing of it
};

// Places up to size bytes in buffer and returns their number: 0 at the end of
// the file, less than 0 on an error.
using ChunkReader = std::function<long(char* buffer, std::size_t size)>;

// The whole file through read, at most limit bytes of it; nullopt when reading
// failed or the file was refused.
std::optional<std::string> ReadWithinLimit(const ChunkReader& read, std::size_t limit, OverLimit over);

}  // namespace veskor
