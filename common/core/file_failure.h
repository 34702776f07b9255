// Why a file in a shared folder could not be opened, in the terms a user can
// act on: it is not there, another program holds it, or it is there and the
// platform refuses it (no read access, a damaged medium, ...).
#pragma once

#include <string>

namespace veskor {

enum class FileFailure { None, Missing, Busy, Refused };

// An open that failed: the kind and the platform's own words for the cause.
struct OpenFailure {
    FileFailure kind = FileFailure::None;
    std::string reason;
};

// The platform's error codes that decide the kind.
inline constexpr unsigned long kErrorFileNotFound = 2;
inline constexpr unsigned long kErrorPathNotFound = 3;
inline constexpr unsigned long kErrorSharingViolation = 32;
inline constexpr unsigned long kErrorLockViolation = 33;

// Another program holds the file for a moment: worth waiting for.
inline constexpr bool IsBusyError(unsigned long error) {
    return error == kErrorSharingViolation || error == kErrorLockViolation;
}

// The kind of a failed open from its error code and from whether the file was
// found absent afterwards: a sharing or lock violation is Busy; a file that is
// not there is Missing, whatever the open said (an open that would create it
// may be refused by its folder); anything else is Refused.
FileFailure ClassifyOpenFailure(unsigned long error, bool absent);

}  // namespace veskor
