// Writes the launcher's program information file template, as the core builds
// it from its layout, to the file named on the command line.
#include <cstdio>

#include "zmv_console.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pifgen OUTPUT\n");
        return 2;
    }
    const std::vector<std::uint8_t> bytes = veskor::zmv::PifTemplate();
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && ok ? 0 : 1;
}
