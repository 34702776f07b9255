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

// A file's whole contents, or (bytes empty) the failure that kept them back
// and the platform's error.
struct FileRead {
    std::optional<std::string> bytes;
    OpenFailure failure;
    FileError error = 0;
};

// How a file that could not be saved was left. Old: whole, with its earlier
// contents, at its name. Aside: not at its name; its earlier contents are whole
// in copy. Damaged: at its name but cut (rewritten in place and not written
// back); its earlier contents are in copy, when it is not empty. NotTried:
// another save was in progress, so nothing was written.
enum class LeftAs { Old, Aside, Damaged, NotTried };

// A write's outcome: 0, or the platform's error and how the file was left.
struct WriteResult {
    FileError error = 0;
    LeftAs left = LeftAs::Old;
    std::string copy;
};

// Taking the installation folder for one save: taken (error 0), held by
// another save past a short wait (busy), or failed with the platform's error.
struct SaveLock {
    FileError error = 0;
    bool busy = false;
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
    // Replaces the file by one that holds bytes, checked whole before it takes
    // the name: on failure the file is left as the result says.
    virtual WriteResult WriteFile(const std::string& path, const std::string& bytes) = 0;
    // Keeps every other save of the folder out until EndSave.
    virtual SaveLock BeginSave(const std::string& folder) = 0;
    virtual void EndSave() = 0;
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

// A settings file a cut-off save left only under the utility's old-file name,
// which could not be moved back to its name, and why.
struct NotPutBack {
    std::string name;
    std::string copy;
    std::string reason;
};

struct LoadResult {
    ConfigSettings settings;
    SettingsSource source = SettingsSource::Defaults;
    std::vector<UnreadableFile> unreadable;
    std::vector<NotPutBack> notBack;
    // The last save left its new files or its lock behind: it did not finish.
    bool cutOff = false;
};

// Reads the settings of workingFolder: the ten keys of VESKOR.INI when it has a
// section header line, else VESKOR.LST's fields, else nothing; the last two
// then have their gaps filled. A file that is missing is passed over; one that
// is there but cannot be read (refused, or held by another program past the
// wait) is passed over too and listed in unreadable. A file listed in notBack
// is read from its copy instead.
LoadResult LoadSettings(const std::string& workingFolder, SettingsStore& store,
                        const std::vector<NotPutBack>& notBack = {});

// The warning after a load: each file that could not be read, with its reason,
// and what the form shows instead; each file that could not be put back, where
// its settings were read from, and that desktops cannot start until it is back;
// a save that did not finish. Empty when there is nothing to tell.
std::string LoadWarning(const LoadResult& load);

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

// The utility's own files beside a settings file while a save replaces it,
// named so that no copy an administrator makes is taken for one: the new file,
// written whole and checked before it takes the name in one step, and (where
// the platform has no such step, Windows 95 and 98) the old file moved aside
// for a moment. No program reads them. The next start of the utility removes
// what a save that was cut off left, and moves an old file back to a name
// that is missing. The lock file is held by a save while it runs.
inline constexpr const char* kNewSuffix = ".veskorcfg-new";
inline constexpr const char* kOldSuffix = ".veskorcfg-old";
inline constexpr const char* kSaveLockName = "VESKORCFG.SAVE-LOCK";
inline std::string NewFileOf(const std::string& path) { return path + kNewSuffix; }
inline std::string OldFileOf(const std::string& path) { return path + kOldSuffix; }

// What a save did with each file, in writing order: VESKOR.LST, VESKOR.INI,
// VESKOR.CFG, VESKOR1.ZMV.
struct SavedFile {
    const char* name;
    FileError error = 0;
    LeftAs left = LeftAs::Old;
    std::string copy;
};
using SaveReport = std::array<SavedFile, 4>;

// VESKOR.INI as a save writes it: every line of earlier kept in its order and
// as it stands, except the first line of each key in the first section of its
// name (names compared as the profile functions do, letter case and blanks
// aside), which becomes "KEY=value"; a key that is not there is added after
// the last line of its section, a section that is not there at the end, with
// its keys in table order. Lines end in CR LF.
std::string MergeIniText(std::string_view earlier, const std::vector<IniEntry>& entries);

// Writes the four files of workingFolder from a copy of s, the folder kept
// from any other save meanwhile; a file that fails does not stop the next.
// VESKOR.INI is merged from its earlier contents, and is not written when they
// cannot be read.
SaveReport SaveSettings(const std::string& workingFolder, const ConfigSettings& s, SettingsStore& store);

// The message after a save that left files unsaved, each named with the
// platform's reason for its error and how it was left, what that means for
// the desktops and what to do; empty when every file was saved.
std::string SaveFailureText(const std::string& workingFolder, const SaveReport& report,
                            const std::function<std::string(FileError)>& reasonOf);

}  // namespace veskor::config
