// A complete set of configuration settings, every field set, for tests of
// what is saved and read back.
#pragma once

#include "config_settings.h"

namespace veskor::config::testing {

inline ConfigSettings SampleSettings() {
    return {"R:\\VESKOR", "DATA02", "SPOOL", "800 x 600", "8X13 TT", "N", "90", "BMP", "0", "1"};
}

}  // namespace veskor::config::testing
