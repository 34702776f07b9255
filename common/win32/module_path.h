// The running program's own file.
#pragma once

#include <windows.h>

#include <string>

namespace veskor::win32 {

// The full path of the running program, as long as the platform gives it;
// empty when the platform cannot tell.
inline std::string ModulePath() {
    constexpr std::size_t kLongest = 32768;
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        // A name that fills the buffer may have been cut: ask again with more room.
        if (n < path.size() || path.size() >= kLongest) {
            path.resize(n < path.size() ? n : 0);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace veskor::win32
