#include "file_failure.h"

namespace veskor {

FileFailure ClassifyOpenFailure(unsigned long error, bool absent) {
    if (IsBusyError(error)) return FileFailure::Busy;
    if (absent || error == kErrorFileNotFound || error == kErrorPathNotFound) return FileFailure::Missing;
    return FileFailure::Refused;
}

}  // namespace veskor
