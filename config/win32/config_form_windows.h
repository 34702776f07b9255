// The configuration utility's window: frmConfig built from the layout table,
// run modally until it is closed.
#pragma once

#include <string>

namespace veskor::config::win32 {

// Shows frmConfig; ownFolder is the program's own folder, used to find the
// working folder. Returns the form's close result (1 after "&OK", 0 otherwise,
// -1 when the window could not be made).
int ShowConfigForm(const std::string& ownFolder);

}  // namespace veskor::config::win32
