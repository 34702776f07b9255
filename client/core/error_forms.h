// What the client launcher's two error forms show for a start-up status: the
// texts of their labels, read-only fields and message panel, which rows are
// visible, and whether the first form hands over to the second.
#pragma once

#include <string>
#include <vector>

#include "startup.h"

namespace veskor::client {

inline constexpr const char* kError1Caption = "Keldrin Veskor - Cannot Load Application";
inline constexpr const char* kError2Caption = "Form1";
inline constexpr const char* kRunConfigText = "RUN Configuration Tool";
inline constexpr const char* kApplicationFolderLabel = "Keldrin Veskor Application Folder";
inline constexpr const char* kDataFolderLabel = "Keldrin Veskor Application DATA Folder";
inline constexpr const char* kPanelPlaceholder = "THIS IS A TEST";

// Lines joined with CR LF, none after the last.
std::string JoinLines(const std::vector<std::string>& lines);

// The fill of frmError1. For status 9 the form shows nothing itself and hands
// over to frmError2 (handOver); the other fields are then unused.
struct Error1Fill {
    bool handOver = false;
    std::string firstLabel;    // label 1001
    std::string firstField;    // field 1002
    std::string secondLabel;   // label 1003
    std::string secondField;   // field 1004
    bool secondRowVisible = false;
    std::string message;       // message panel 1005
};
Error1Fill FillError1(const StartupState& state);

// The fill of frmError2: label 1002, field 1001, message panel 1000.
struct Error2Fill {
    std::string label;
    std::string field;
    std::string message;
};
Error2Fill FillError2(const StartupState& state);

}  // namespace veskor::client
