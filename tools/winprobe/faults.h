// File-system failures for a case, under Wine only. Unchangeable: the host's
// "chattr +i" on a file or folder (refuses every change, even to root; the
// platform reports "Access is denied"), taken back when the owner goes. The
// session's fault library (tests/fixtures/fault_preload.c) fails every write
// into a folder that holds NoSpaceMarker(folder) with "no space", every open
// of a file beside which NoReadMarker(path) exists and every rename into a
// name beside which NoRenameMarker(path) exists with "access denied".
#pragma once

#include <string>

#include "files.h"

namespace e2e {

class Unchangeable {
public:
    explicit Unchangeable(std::string path);
    ~Unchangeable();
    Unchangeable(const Unchangeable&) = delete;
    Unchangeable& operator=(const Unchangeable&) = delete;
    bool ok() const { return ok_; }

private:
    std::string path_;
    bool ok_;
};
inline std::string NoSpaceMarker(const std::string& folder) { return Join(folder, ".nospace"); }
inline std::string NoReadMarker(const std::string& path) { return path + ".noread"; }
inline std::string NoRenameMarker(const std::string& path) { return path + ".norename"; }

}  // namespace e2e
