#include "config_checks.h"


#include "config_layout.h"
#include "config_settings.h"

namespace veskor::config {

namespace {

const std::string kFound = "' FOLDER HAS BEEN FOUND IN CURRENT FOLDER";
const std::string kNotFound = "' FOLDER HAS NOT BEEN FOUND IN CURRENT FOLDER";

}  // namespace

FolderStatus CheckFolders(const DirectorySearch& search, const std::string& appFolder,
                          const std::string& dataFolderName, const std::string& spoolFolderName) {
    FolderStatus status;
    const std::string appPrefix = NormaliseFolder(appFolder, SeparatorMode::AddSeparator);
    if (!IsPresent(search, appPrefix + kProgramExe, PresenceMode::File)) {
        status[0] = {std::string("APPLICATION '") + kProgramExe + "' HAS NOT BEEN FOUND IN CURRENT FOLDER", kRed};
        return status;
    }
    if (IsNetworkPath(appFolder)) {
        status[0] = {"THE APPLICATION FOLDER MUST BE MAPPED TO A DRIVE LETTER (ie 'R:')", kRed};
        status[1] = {"AND NOT A NETWORK SHARE (ie \\\\SERVER)", kRed};
        status[2] = {"YOU WILL NOT BE ABLE TO SAVE THE CURRENT SETTINGS", kRed};
        return status;
    }
    status[0] = {std::string("APPLICATION '") + kProgramExe + "' HAS BEEN FOUND IN CURRENT FOLDER", kBlack};
    const std::string dataPath = appPrefix + dataFolderName;
    if (!IsPresent(search, dataPath, PresenceMode::Folder)) {
        status[1] = {"'" + dataFolderName + kNotFound, kRed};
        return status;
    }
    status[1] = {"'" + dataFolderName + kFound, kBlack};
    const bool spool =
        IsPresent(search, NormaliseFolder(dataPath, SeparatorMode::AddSeparator) + spoolFolderName,
                  PresenceMode::Folder);
    status[2] = {"'" + spoolFolderName + (spool ? kFound : kNotFound), spool ? kBlack : kRed};
    return status;
}

std::vector<std::string> DataFolderEntries() {
    std::vector<std::string> names;
    for (char n = '1'; n <= '9'; ++n) names.push_back(std::string("DATA0") + n);
    return names;
}

std::string FontSizeListText(int kind, int screenSizeIndex) {
    if (kind == kFontListMax) return "100/90/80/70/60/50/40/30/20/10";
    if (kind != kFontListSize) return std::string();
    switch (screenSizeIndex) {
    case 1: return "5x12/6x10 TT/7x11 TT/7x12";
    case 2: return "7x11 TT/7x12/8x12/8x13 TT/8x14 TT/9x15 TT";
    case 3: return "10x16/10x18/10x20 TT/11x18 TT/12x16/12x20 TT";
    default: return std::string();
    }
}

std::vector<std::string> SplitList(const std::string& text) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = text.find('/', start);
        pieces.push_back(text.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
        if (slash == std::string::npos) return pieces;
        start = slash + 1;
    }
}

int SelectionFor(const std::vector<std::string>& entries, const std::string& value) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (EqualNoCase(entries[i], value)) return static_cast<int>(i);
    return entries.empty() ? -1 : 0;
}

OpenFileRequest SelectFolderRequest(const std::string& appFolderText) {
    OpenFileRequest r;
    r.title = "Find VESKOR32.EXE";
    r.filter = std::string("VESKOR Application (VESKOR32.EXE)|Veskor32.exe|");
    for (char& c : r.filter)
        if (c == '|') c = '\0';
    r.filter += '\0';
    r.initialFolder = appFolderText.empty() ? "C:\\KELVESKOR" : appFolderText;
    r.initialFile = NormaliseFolder(r.initialFolder, SeparatorMode::AddSeparator) + kProgramExe;
    r.defaultExtension = "exe";
    return r;
}

std::string FolderFromChosenFile(const std::string& chosenPath) {
    const std::size_t at = UpperCase(chosenPath).find(std::string("\\") + kProgramExe);
    if (at == std::string::npos) return std::string();
    return NormaliseFolder(chosenPath.substr(0, at + 1), SeparatorMode::StripSeparator);
}

std::string ExpandLineMarkers(const std::string& stored) {
    std::string out;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\\' && i + 1 < stored.size() && stored[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else {
            out += stored[i];
        }
    }
    return out;
}

namespace {

bool OneOf(int id, const int* first, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (first[i] == id) return true;
    return false;
}

template <std::size_t N>
bool InArray(int id, const std::array<int, N>& members) {
    return OneOf(id, members.data(), N);
}

// The stored help texts, with backslash-n where a line ends.
const char* StoredHelp(int id) {
    if (InArray(id, ids::optWindowType))
        return "<MAX> will use the largest FONT that will allow Application console WINDOW TO fit ON the "
               "SCREEN.\\n<SIZE> will Size the Console WINDOW to fit the FONT.";
    if (InArray(id, ids::optFontType))
        return "This option is ignored (disabled) if you select <SIZE>\\n<TT> use a TrueType Font\\n"
               "<BMP> use a Non-TrueType Font.";
    if (InArray(id, ids::optScreenSize))
        return "This option is ignored (disabled) if you select <MAX>\\nYour PC Screen Size (the application "
               "works best if the Screen Size is 1024 x 768 or above)";
    if (InArray(id, ids::optScreen))
        return "This Controls the Size of the Application Screen\\nSCREEN 1 - Screen Size is Two-Thirds the "
               "Size of Screen 2\\nSCREEN 2 - Full Size Screen";
    switch (id) {
    case ids::txtAppFolder:
    case ids::cmdSelectFolder: return "The Application Folder Location";
    case ids::cboDataFolder: return "The Application DATA Folder Location";
    case ids::cboFontSize:
        return "If <MAX> type then Font Size becomes Window Size, otherwise select the Font Size that most "
               "suits your Screen.";
    case ids::cmdOK: return "Exit after Saving any changes";
    case ids::cmdCancel: return "Exit without Saving any Changes";
    case ids::chkGraphicMode: return "Switches Application from Console Mode to Graphic Mode";
    case ids::txtSpoolFolder:
        return "The Application SPOOL Folder within the DATA Folder, used to spool print documents";
    default: return "";
    }
}

}  // namespace

std::string HelpText(int controlId) { return ExpandLineMarkers(StoredHelp(controlId)); }

}  // namespace veskor::config
