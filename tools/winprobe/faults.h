// File-system failures for a case, under Wine only. Unchangeable: the host's
// "chattr +i" on a file or folder (refuses every change, even to root; the
// platform reports "Access is denied"), taken back when the owner goes. The
// session's fault library (tests/fixtures/fault_preload.c) fails every write
// into a folder that holds NoSpaceMarker(folder) with "no space", every open
// of a file beside which NoReadMarker(path) exists with "access denied". With
// StepsMarker(folder) it numbers every call that changes a file of the folder
// (a step) and fails or cuts off the run at a chosen one (ArmSteps).
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
inline std::string StepsMarker(const std::string& folder) { return Join(folder, ".steps"); }

// Count: every step done; FailOne: step n fails alone (an I/O error); FailFrom:
// every step from n on fails; CutOff: the same, for a run that the caller
// kills once StepsTaken reaches n (a power cut: step n and later not done).
enum class StepMode { Count, FailOne, FailFrom, CutOff };
bool ArmSteps(const std::string& folder, StepMode mode, int n);
// Steps counted since the folder was armed; -1 when it is not.
int StepsTaken(const std::string& folder);
// Stops counting; the steps' log (one "number call file" line each) is returned.
std::string DisarmSteps(const std::string& folder);

}  // namespace e2e
