// The configuration utility's settings record and its four files: where they
// live, how they are read back (VESKOR.INI, else VESKOR.LST, else defaults) and
// the exact texts a save writes. The platform is reached only through
// SettingsStore, so loading and saving run against any file system.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_failure.h"
#include "folders.h"
#include "numbers.h"

namespace veskor::config {

inline constexpr const char* kConfigExe = "VESKORCFG.EXE";
inline constexpr const char* kProgramExe = "VESKOR32.EXE";
inline constexpr const char* kIniName = "VESKOR.INI";
inline constexpr const char* kListName = "VESKOR.LST";
inline constexpr const char* kCfgName = "VESKOR.CFG";
inline constexpr const char* kZmvName = "VESKOR1.ZMV";

// Every value is a text, exactly as stored. graphicMode and graphicScreen are
// carried here while loading and saving; in between the form's check box and
// "SCREEN" buttons hold them.
struct ConfigSettings {
    std::string applFolder;
    std::string dataFolderName;
    std::string spoolFolderName;
    std::string screenSize;
    std::string fontSize;
    std::string maxFlag;
    std::string maxSize;
    std::string maxType;
    std::string graphicMode;
    std::string graphicScreen;
    // 0 until a screen size is chosen on the form, then 1 to 3.
    int screenSizeIndex = 0;

    bool operator==(const ConfigSettings& o) const;
};

// One key of VESKOR.INI with the value to write, or the default to read with.
struct IniEntry {
    const char* section;
    const char* key;
    std::string value;
};

// The ten keys in file order, each with the utility's default.
std::vector<IniEntry> IniDefaults();

// The ten keys in file order with the values of the record.
std::vector<IniEntry> IniEntries(const ConfigSettings& s);

// A platform error code of a failed file step; 0 when the step succeeded.
using FileError = std::uint32_t;

// A file's whole contents, or (bytes empty) the failure that kept them back.
struct FileRead {
    std::optional<std::string> bytes;
    OpenFailure failure;
};

// The platform side of loading and saving. Each file is opened only inside one
// call and closed before it returns.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The presence test's directory search (file mode is used here).
    virtual void Search(const std::string& pattern, const std::function<bool(const DirEntry&)>& visit) = 0;
    // The whole file, or why it could not be opened or read.
    virtual FileRead ReadFile(const std::string& path) = 0;
    // The private-profile read: at most 511 characters, fallback for a missing key.
    virtual std::string ReadSetting(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& fallback) = 0;
    // Replaces the file by one that holds bytes, whole: on failure the file is
    // left as it was. 0, or the platform's error.
    virtual FileError WriteFile(const std::string& path, const std::string& bytes) = 0;
    // Gives the keys their values in the private-profile file, every other line
    // kept; whole, like WriteFile. 0, or the platform's error.
    virtual FileError WriteSettings(const std::string& file, const std::vector<IniEntry>& entries) = 0;
};

using veskor::LeadingNumber;

// The folder every settings file lives in. currentFolder is kept when it holds
// "VESKORCFG.EXE"; otherwise the program's own folder is taken when it does;
// otherwise currentFolder stays. changeCurrent tells the caller to make the
// chosen folder the process's current folder.
struct WorkingFolder {
    std::string folder;
    bool changeCurrent = false;
};
WorkingFolder ChooseWorkingFolder(const DirectorySearch& search, const std::string& currentFolder,
                                  const std::string& ownFolder);

// workingFolder with one separator, followed by name.
std::string SettingsPath(const std::string& workingFolder, const char* name);

// Number of section header lines: lines (ended by CR, LF or a CR LF pair, a
// byte 26 ending the text) whose first character is "[" and last is "]".
std::size_t CountIniSections(std::string_view bytes);

// The fields of an older settings list, in file order, each split into key and
// value at its first and second "="; fields without an "=" are left out.
struct ListField {
    std::string key;
    std::string value;
    bool operator==(const ListField& o) const;
};
std::vector<ListField> ReadListFields(std::string_view bytes);

// Applies the list's known keys (exact case) to the record; later fields win.
void ApplyListFields(const std::vector<ListField>& fields, ConfigSettings& s);

// Gives every empty (or unusable) field loaded from the list its default.
void FillGaps(ConfigSettings& s);

enum class SettingsSource { Ini, List, Defaults };

// A settings file that is there but could not be read, and the platform's reason.
struct UnreadableFile {
    std::string path;
    std::string reason;
};

struct LoadResult {
    ConfigSettings settings;
    SettingsSource source = SettingsSource::Defaults;
    std::vector<UnreadableFile> unreadable;
};

// Reads the settings of workingFolder: the ten keys of VESKOR.INI when it has a
// section header line, else VESKOR.LST's fields, else nothing; the last two
// then have their gaps filled. A file that is missing is passed over; one that
// is there but cannot be read (refused, or held by another program past the
// wait) is passed over too and listed in unreadable.
LoadResult LoadSettings(const std::string& workingFolder, SettingsStore& store);

// The warning for a load that passed over unreadable files: each file with its
// reason, what the form shows instead, and that saving replaces the stored
// settings. Empty when every file present was read.
std::string UnreadableSettingsMessage(const LoadResult& load);

// Texts a save writes.
std::string ListFileText(const ConfigSettings& s);
std::string CfgFileText(const ConfigSettings& s);
// The launcher's font type ("TT"/"BMP" or the MAX type) and font size text.
struct LauncherFont {
    std::string type;
    std::string size;
    bool operator==(const LauncherFont& o) const;
};
LauncherFont LauncherFontFor(const ConfigSettings& s);
// applFolder with "VESKOR32.EXE" joined on, or applFolder alone when it is blank.
std::string ProgramPath(const std::string& applFolder);
std::string LauncherCommandLine(const std::string& workingFolder, const ConfigSettings& s);
std::array<std::string, 10> ZmvLines(const std::string& workingFolder, const ConfigSettings& s);
std::string ZmvFileText(const std::string& workingFolder, const ConfigSettings& s);

// Names of the new file and of the old one while a save replaces a settings
// file. No program reads them. A save that was cut off may leave either: its
// new file is removed by the next save; its old file, when nothing is left at
// the file's own name, is put back by the utility's next load or save.
inline std::string NewFileOf(const std::string& path) { return path + ".new"; }
inline std::string OldFileOf(const std::string& path) { return path + ".old"; }

// What a save did with each file, in writing order: VESKOR.LST, VESKOR.INI,
// VESKOR.CFG, VESKOR1.ZMV. keptAsOld: the file failed and its earlier
// contents are left only under its ".old" name.
struct SavedFile {
    const char* name;
    FileError error = 0;
    bool keptAsOld = false;
};
using SaveReport = std::array<SavedFile, 4>;

// Writes the four files of workingFolder from a copy of s; a file that fails
// does not stop the next, and is looked for under its own and its ".old" name.
SaveReport SaveSettings(const std::string& workingFolder, const ConfigSettings& s, SettingsStore& store);

// The message after a save that left files unsaved, each named with the
// platform's reason for its error and, where only its ".old" file is left,
// that file; empty when every file was saved.
std::string SaveFailureText(const std::string& workingFolder, const SaveReport& report,
                            const std::function<std::string(FileError)>& reasonOf);

// Whether a private-profile text gives every key its value: the first section
// and key of that name (letter case aside), blanks around the "=" and the
// value aside. Tells a written file from one the platform cut short.
bool IniHoldsEntries(std::string_view text, const std::vector<IniEntry>& entries);

}  // namespace veskor::config
