#pragma once

#include "startup.h"

namespace veskor::client {

// Window classes of the two error forms.
inline constexpr const char* kError1Class = "FORM_VESKOR_FRMERROR1_CLASS";
inline constexpr const char* kError2Class = "FORM_VESKOR_FRMERROR2_CLASS";

// Reports a failed start-up: frmError1 runs modally without an owner until it
// is closed; for status 9 it hands over to frmError2 without being shown.
void ShowErrorForms(StartupState& state);

}  // namespace veskor::client
