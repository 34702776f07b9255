// A complete set of configuration settings, every field set, for tests of
// what is saved and read back.
#pragma once

#include "config_settings.h"

namespace veskor::config::testing {

inline ConfigSettings SampleSettings() {
    ConfigSettings s;
    s.applFolder = "R:\\VESKOR";
    s.dataFolderName = "DATA02";
    s.spoolFolderName = "SPOOL";
    s.screenSize = "800 x 600";
    s.fontSize = "8X13 TT";
    s.maxFlag = "N";
    s.maxSize = "90";
    s.maxType = "BMP";
    s.graphicMode = "0";
    s.graphicScreen = "1";
    return s;
}

}  // namespace veskor::config::testing
