// What the configuration form tells the administrator and offers for choice:
// the three status lines, the data folder and font-size lists, the help texts,
// the network share rule and the "&Select Folder" browse.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "folders.h"
#include "text.h"

namespace veskor::config {

// Colours as the platform's COLORREF values (0x00BBGGRR).
using Colour = std::uint32_t;
inline constexpr Colour kRed = 0x000000FF;
inline constexpr Colour kBlack = 0x00000000;

// One status line as a check leaves it: its text, and its new text colour
// (nullopt: the colour it had stays).
struct StatusLine {
    std::string text;
    std::optional<Colour> colour;
    bool operator==(const StatusLine& o) const { return text == o.text && colour == o.colour; }
};
using FolderStatus = std::array<StatusLine, 3>;

// The folder check: is VESKOR32.EXE in the application folder, then (unless the
// folder is a network share) the data folder in it, then the spool folder in that.
FolderStatus CheckFolders(const DirectorySearch& search, const std::string& appFolder,
                          const std::string& dataFolderName, const std::string& spoolFolderName);

// A folder given as a network share name (IsNetworkPath) is refused at save.
inline constexpr const char* kShareRefusalText =
    "The Application folder must be mapped to a Drive Letter not a shared Folder. "
    "The current settings will not be saved.";
inline constexpr const char* kMessageCaption = "VESKORCFG";

// The nine data folder names.
std::vector<std::string> DataFolderEntries();

// Font-size list text per case: kind 1 is MAX, kind 2 is SIZE for screen size
// index 1 to 3; an unknown index under SIZE gives an empty text.
inline constexpr int kFontListMax = 1;
inline constexpr int kFontListSize = 2;
std::string FontSizeListText(int kind, int screenSizeIndex);

// The pieces of a list text split at every "/" (an empty text gives one empty piece).
std::vector<std::string> SplitList(const std::string& text);

// The first entry equal to value without regard to case; otherwise the first
// entry; -1 for an empty list.
int SelectionFor(const std::vector<std::string>& entries, const std::string& value);

// The open-file dialog of "&Select Folder".
struct OpenFileRequest {
    std::string title;
    std::string filter;  // description, NUL, pattern, NUL, NUL
    std::string initialFolder;
    std::string initialFile;
    std::string defaultExtension;
    std::size_t bufferChars = 16383;
};
OpenFileRequest SelectFolderRequest(const std::string& appFolderText);

// The application folder taken from a chosen file: the path up to and including
// its first "\VESKOR32.EXE" backslash (any case), without its trailing
// separator except at a drive root; empty when the name is not in the path.
std::string FolderFromChosenFile(const std::string& chosenPath);

// The help text of a control as displayed (line markers already CR LF); empty
// for a control without help.
std::string HelpText(int controlId);
// Replaces every two-character marker backslash-n by CR LF.
std::string ExpandLineMarkers(const std::string& stored);

}  // namespace veskor::config
