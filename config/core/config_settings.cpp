#include "config_settings.h"

#include <algorithm>
#include <cstdlib>

#include "text.h"

namespace veskor::config {

namespace {

constexpr char kEndOfFile = 26;

}  // namespace

bool ConfigSettings::operator==(const ConfigSettings& o) const {
    return applFolder == o.applFolder && dataFolderName == o.dataFolderName &&
           spoolFolderName == o.spoolFolderName && screenSize == o.screenSize && fontSize == o.fontSize &&
           maxFlag == o.maxFlag && maxSize == o.maxSize && maxType == o.maxType &&
           graphicMode == o.graphicMode && graphicScreen == o.graphicScreen &&
           screenSizeIndex == o.screenSizeIndex;
}

bool ListField::operator==(const ListField& o) const { return key == o.key && value == o.value; }

bool LauncherFont::operator==(const LauncherFont& o) const { return type == o.type && size == o.size; }

std::vector<IniEntry> IniDefaults() {
    return {{"FOLDERS", "APPLFOLDER", "C:\\KELSOFT\\VESKOR"},
            {"FOLDERS", "DATAFOLDER", "DATA01"},
            {"FOLDERS", "SPOOLFOLDER", "SPOOL"},
            {"SCREEN", "SCRNSIZE", "1024 x 768"},
            {"SCREEN", "GRAPHICMODE", "1"},
            {"SCREEN", "GRAPHICSCRN", "1"},
            {"ZMV_SETTINGS", "FONTSIZE", "12x20 TT"},
            {"ZMV_SETTINGS", "MAX_FLAG", "Y"},
            {"ZMV_SETTINGS", "MAX_SIZE", "100"},
            {"ZMV_SETTINGS", "MAX_TYPE", "TT"}};
}

namespace {

// The record's fields in the order of the ten keys.
std::array<std::string*, 10> IniFields(ConfigSettings& s) {
    return {&s.applFolder, &s.dataFolderName, &s.spoolFolderName, &s.screenSize, &s.graphicMode,
            &s.graphicScreen, &s.fontSize, &s.maxFlag, &s.maxSize, &s.maxType};
}

}  // namespace

std::vector<IniEntry> IniEntries(const ConfigSettings& s) {
    ConfigSettings copy = s;
    std::vector<IniEntry> entries = IniDefaults();
    const auto fields = IniFields(copy);
    for (std::size_t i = 0; i < entries.size(); ++i) entries[i].value = *fields[i];
    return entries;
}

std::string SettingsPath(const std::string& workingFolder, const char* name) {
    return NormaliseFolder(workingFolder, SeparatorMode::AddSeparator) + name;
}

WorkingFolder ChooseWorkingFolder(const DirectorySearch& search, const std::string& currentFolder,
                                  const std::string& ownFolder) {
    if (IsPresent(search, SettingsPath(currentFolder, kConfigExe), PresenceMode::File))
        return {currentFolder, false};
    // A program path without any folder part names no folder to look in.
    if (!ownFolder.empty() && IsPresent(search, SettingsPath(ownFolder, kConfigExe), PresenceMode::File))
        return {NormaliseFolder(ownFolder, SeparatorMode::StripSeparator), true};
    return {currentFolder, false};
}

std::size_t CountIniSections(std::string_view bytes) {
    std::size_t count = 0;
    std::size_t pos = 0;
    const std::size_t end = std::min(bytes.find(kEndOfFile), bytes.size());
    while (pos < end) {
        // A line ends at CR or at LF; a CR LF pair ends one line.
        std::size_t stop = bytes.find_first_of("\r\n", pos);
        if (stop == std::string_view::npos || stop > end) stop = end;
        const std::string_view line = bytes.substr(pos, stop - pos);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') ++count;
        pos = stop + 1;
        if (stop < end && bytes[stop] == '\r' && pos < end && bytes[pos] == '\n') ++pos;
    }
    return count;
}

namespace {

ListField SplitField(const std::string& field) {
    const auto first = field.find('=');
    const auto second = field.find('=', first + 1);
    const auto valueEnd = second == std::string::npos ? field.size() : second;
    return {field.substr(0, first), field.substr(first + 1, valueEnd - first - 1)};
}

}  // namespace

std::vector<ListField> ReadListFields(std::string_view bytes) {
    std::vector<ListField> fields;
    const std::size_t end = std::min(bytes.find(kEndOfFile), bytes.size());
    std::size_t i = 0;
    while (i < end) {
        while (i < end && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\n')) ++i;
        if (i >= end) break;
        std::string field;
        if (bytes[i] == '"') {
            // A quoted field runs to the closing quote; what follows it up to
            // the next separator is not part of any field.
            // Line ends inside the quotes are dropped too, so that no value
            // can carry one into the files a save writes.
            ++i;
            while (i < end && bytes[i] != '"') {
                if (bytes[i] != '\t' && bytes[i] != '\n' && bytes[i] != '\r') field += bytes[i];
                ++i;
            }
            while (i < end && bytes[i] != '\r' && bytes[i] != ',') ++i;
        } else {
            while (i < end && bytes[i] != '\r' && bytes[i] != ',') {
                if (bytes[i] != '\t' && bytes[i] != '\n') field += bytes[i];
                ++i;
            }
        }
        ++i;  // the separator itself
        if (field.find('=') != std::string::npos) fields.push_back(SplitField(field));
    }
    return fields;
}

void ApplyListFields(const std::vector<ListField>& fields, ConfigSettings& s) {
    const std::pair<const char*, std::string ConfigSettings::*> keys[] = {
        {"APPLPATH", &ConfigSettings::applFolder}, {"DATAPATH", &ConfigSettings::dataFolderName},
        {"SCRNSIZE", &ConfigSettings::screenSize}, {"FONTSIZE", &ConfigSettings::fontSize},
        {"MAX_FLAG", &ConfigSettings::maxFlag},    {"MAX_SIZE", &ConfigSettings::maxSize},
        {"MAX_TYPE", &ConfigSettings::maxType},    {"SPOOLPTH", &ConfigSettings::spoolFolderName}};
    for (const ListField& f : fields)
        for (const auto& [key, member] : keys)
            if (f.key == key) s.*member = f.value;
}

void FillGaps(ConfigSettings& s) {
    auto fill = [](std::string& field, const char* value) {
        if (field.empty()) field = value;
    };
    fill(s.applFolder, "C:\\KELSOFT\\VESKOR");
    fill(s.dataFolderName, "DATA01");
    fill(s.screenSize, "1024 x 768");
    if (s.fontSize.empty() || s.fontSize == "100") s.fontSize = "12x20 TT";
    fill(s.maxFlag, "Y");
    if (LeadingNumber(s.maxSize) == 0.0) s.maxSize = "100";
    fill(s.maxType, "TT");
    fill(s.graphicMode, "1");
    fill(s.spoolFolderName, "SPOOL");
}

LoadResult LoadSettings(const std::string& workingFolder, SettingsStore& store,
                        const std::vector<NotPutBack>& notBack) {
    LoadResult result;
    result.notBack = notBack;
    // A file that could not be put back is read from its copy.
    const auto from = [&](const char* name) {
        for (const NotPutBack& f : notBack)
            if (f.name == name) return SettingsPath(workingFolder, f.copy.c_str());
        return SettingsPath(workingFolder, name);
    };
    const DirectorySearch search = [&store](const std::string& p, const std::function<bool(const DirEntry&)>& v) {
        store.Search(p, v);
    };
    auto noteFailure = [&result](const std::string& path, const OpenFailure& failure) {
        if (failure.kind == FileFailure::Busy || failure.kind == FileFailure::Refused)
            result.unreadable.push_back({path, failure.reason});
    };
    const std::string iniPath = from(kIniName);
    if (IsPresent(search, iniPath, PresenceMode::File)) {
        const FileRead ini = store.ReadFile(iniPath);
        noteFailure(iniPath, ini.failure);
        if (ini.bytes && CountIniSections(*ini.bytes) > 0) {
            const auto fields = IniFields(result.settings);
            const std::vector<IniEntry> defaults = IniDefaults();
            for (std::size_t i = 0; i < defaults.size(); ++i)
                *fields[i] = store.ReadSetting(iniPath, defaults[i].section, defaults[i].key, defaults[i].value);
            result.source = SettingsSource::Ini;
            return result;
        }
    }
    const std::string listPath = from(kListName);
    const FileRead list = store.ReadFile(listPath);
    noteFailure(listPath, list.failure);
    if (list.bytes) {
        ApplyListFields(ReadListFields(*list.bytes), result.settings);
        result.source = SettingsSource::List;
    }
    FillGaps(result.settings);
    return result;
}

std::string LoadWarning(const LoadResult& load) {
    std::string text;
    for (const UnreadableFile& f : load.unreadable)
        text += "The settings file " + f.path + " cannot be read:\r\n" + f.reason + "\r\n\r\n";
    for (const NotPutBack& f : load.notBack)
        text += "The settings file " + f.name + " is missing; its earlier contents are kept in " + f.copy +
                ", which cannot be renamed back:\r\n" + f.reason + "\r\nThe form shows the settings read from " +
                f.copy + ". Desktops cannot start until it is renamed " + f.name + ".\r\n\r\n";
    if (load.cutOff)
        text += "The last save of the settings files did not finish (it was cut off): some of them may still hold "
                "the settings from before it.\r\n\r\n";
    if (text.empty()) return text;
    if (load.unreadable.empty()) return text + "OK saves what the form shows to every settings file.";
    text += load.source == SettingsSource::List ? "The form shows the settings of the older file VESKOR.LST."
                                                : "The form shows the default settings.";
    return text + " OK saves what the form shows in place of the stored settings.";
}

std::string ListFileText(const ConfigSettings& s) {
    return "APPLPATH=" + s.applFolder + "\r\nDATAPATH=" + s.dataFolderName + "\r\nSCRNSIZE=" + s.screenSize +
           "\r\nFONTSIZE=" + s.fontSize + "\r\nMAX_FLAG=" + s.maxFlag + "\r\nMAX_SIZE=" + s.maxSize +
           "\r\nMAX_TYPE=" + s.maxType + "\r\nSPOOLPTH=" + s.spoolFolderName + "\r\n";
}

std::string CfgFileText(const ConfigSettings& s) { return s.applFolder + "\r\n" + s.dataFolderName + "\r\n"; }

LauncherFont LauncherFontFor(const ConfigSettings& s) {
    if (s.maxFlag == "Y") {
        if (LeadingNumber(s.maxSize) == 100.0) return {s.maxType, "Max"};
        return {s.maxType, "Max " + s.maxSize + "%"};
    }
    const std::string& f = s.fontSize;
    if (f.size() >= 2 && f.compare(f.size() - 2, 2, "TT") == 0)
        return {"TT", f.size() >= 3 ? f.substr(0, f.size() - 3) : std::string()};
    return {"BMP", f};
}

std::string ProgramPath(const std::string& applFolder) {
    if (applFolder.find_first_not_of(' ') == std::string::npos) return applFolder;
    return NormaliseFolder(applFolder, SeparatorMode::AddSeparator) + kProgramExe;
}

std::string LauncherCommandLine(const std::string& workingFolder, const ConfigSettings& s) {
    return workingFolder + "//" + s.applFolder + "//" + s.dataFolderName + "//" + s.graphicMode + "//" +
           s.spoolFolderName;
}

std::array<std::string, 10> ZmvLines(const std::string& workingFolder, const ConfigSettings& s) {
    const LauncherFont font = LauncherFontFor(s);
    return {"PROGNAME: " + ProgramPath(s.applFolder),
            "CMD_LINE: " + LauncherCommandLine(workingFolder, s),
            "TITLEBAR:",
            "FONTTYPE: " + font.type,
            "FONTSIZE: " + font.size,
            "TOOL_BAR: N",
            "WINSTATE: HIDDEN",
            "FULLSCRN: N",
            "QUICK_ED: N",
            "COMMENTS:"};
}

std::string ZmvFileText(const std::string& workingFolder, const ConfigSettings& s) {
    std::string text;
    for (const std::string& line : ZmvLines(workingFolder, s)) text += line + "\r\n";
    return text;
}

namespace {

// The profile functions trim blanks and tabs around names and values.
std::string_view Trimmed(std::string_view text) { return veskor::Trimmed(text, " \t"); }

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t stop = std::min(text.find_first_of("\r\n", pos), text.size());
        lines.emplace_back(text.substr(pos, stop - pos));
        pos = stop + (text.compare(stop, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// The section a header line names, or nothing for a line that is none.
std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trimmed(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const std::size_t close = line.find(']');
    return Trimmed(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
}

bool IsKeyLine(std::string_view line, const char* key) {
    const std::size_t eq = line.find('=');
    return eq != std::string_view::npos && EqualNoCase(Trimmed(line.substr(0, eq)), key);
}

}  // namespace

std::string MergeIniText(std::string_view earlier, const std::vector<IniEntry>& entries) {
    std::vector<std::string> lines = SplitLines(earlier);
    for (const IniEntry& e : entries) {
        const std::string keyLine = std::string(e.key) + "=" + e.value;
        std::size_t start = lines.size();
        for (std::size_t i = 0; i < lines.size() && start == lines.size(); ++i) {
            const auto section = SectionOf(lines[i]);
            if (section && EqualNoCase(*section, e.section)) start = i;
        }
        if (start == lines.size()) {
            lines.push_back(std::string("[") + e.section + "]");
            lines.push_back(keyLine);
            continue;
        }
        // The section runs to the next header; a key not in it goes after its
        // last line that is not blank.
        std::size_t last = start, i = start + 1;
        bool done = false;
        for (; i < lines.size() && !SectionOf(lines[i]) && !done; ++i) {
            if (IsKeyLine(lines[i], e.key)) lines[i] = keyLine, done = true;
            if (!Trimmed(lines[i]).empty()) last = i;
        }
        if (!done) lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(last + 1), keyLine);
    }
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

SaveReport SaveSettings(const std::string& workingFolder, const ConfigSettings& s, SettingsStore& store) {
    const ConfigSettings copy = s;
    SaveReport report = {{{kListName, 0, LeftAs::Old, {}},
                          {kIniName, 0, LeftAs::Old, {}},
                          {kCfgName, 0, LeftAs::Old, {}},
                          {kZmvName, 0, LeftAs::Old, {}}}};
    const SaveLock lock = store.BeginSave(workingFolder);
    if (lock.busy || lock.error != 0) {
        for (SavedFile& f : report) f.error = lock.error, f.left = lock.busy ? LeftAs::NotTried : LeftAs::Old;
        return report;
    }
    const auto write = [&](SavedFile& f, const std::string& bytes) {
        const WriteResult w = store.WriteFile(SettingsPath(workingFolder, f.name), bytes);
        f.error = w.error, f.left = w.left, f.copy = w.copy;
    };
    write(report[0], ListFileText(copy));
    // Every line the earlier file holds is kept: one that cannot be read is
    // not written over.
    const std::string iniPath = SettingsPath(workingFolder, kIniName);
    FileRead earlier = store.ReadFile(iniPath);
    // A missing file a cut-off save left aside keeps its lines there.
    if (earlier.failure.kind == FileFailure::Missing) earlier = store.ReadFile(OldFileOf(iniPath));
    if (earlier.bytes || earlier.failure.kind == FileFailure::Missing)
        write(report[1], MergeIniText(earlier.bytes.value_or(""), IniEntries(copy)));
    else
        report[1].error = earlier.error;
    write(report[2], CfgFileText(copy));
    write(report[3], ZmvFileText(workingFolder, copy));
    store.EndSave();
    return report;
}

std::string SaveFailureText(const std::string& workingFolder, const SaveReport& report,
                            const std::function<std::string(FileError)>& reasonOf) {
    const std::string folder = NormaliseFolder(workingFolder, SeparatorMode::StripSeparator);
    if (report[0].left == LeftAs::NotTried)
        return "Another save of the settings files in " + folder +
               " is in progress, from another window of this utility or another computer. Nothing was saved: "
               "start the utility again once that save has finished.";
    std::string failures, missing;
    std::size_t failed = 0;
    for (const SavedFile& f : report) {
        if (f.error == 0) continue;
        const std::string name = f.name;
        failures += name + ": " + reasonOf(f.error);
        if (f.left == LeftAs::Aside)
            failures += " It is missing; its earlier contents are kept in " + f.copy + ".";
        if (f.left == LeftAs::Damaged)
            failures += " The file is damaged; " +
                        (f.copy.empty() ? std::string("its earlier contents could not be kept.")
                                        : "its earlier contents are saved in " + f.copy + ": copy that file to " +
                                              name + ".");
        if (f.left != LeftAs::Old) missing += (missing.empty() ? "" : ", ") + name;
        failures += "\r\n";
        ++failed;
    }
    if (failed == 0) return std::string();
    std::string text = "Settings files not saved in " + folder + ":\r\n\r\n" + failures + "\r\n" +
                       (failed == report.size() ? "None of the settings were saved." : "The other files were saved.");
    if (!missing.empty())
        text += "\r\n\r\nDesktops cannot start until " + missing +
                (missing.find(',') == std::string::npos ? " is" : " are") +
                " back in place. The utility tries again to put back the earlier contents as this window closes.";
    return text;
}

}  // namespace veskor::config
