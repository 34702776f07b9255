#include "config_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "config_fake_store.h"

namespace veskor::config {
namespace {

using testing::FakeStore;
using veskor::testing::MemoryTree;

// A complete set of settings, every field set.
const ConfigSettings kSample = {"R:\\VESKOR", "DATA02", "SPOOL", "800 x 600", "8X13 TT", "N", "90", "BMP", "0", "1"};

TEST(ConfigWorkingFolder, CurrentThenOwnFolderThenUnchanged) {
    const struct {
        const char *exeAt, *own;  // where VESKORCFG.EXE lies (or nullptr), the program's own folder
        WorkingFolder expected;
        int attrs = MemoryTree::Plain;
    } cases[] = {
        {"C:\\CUR\\VESKORCFG.EXE", "C:\\INST\\", {"C:\\CUR", false}},
        {"C:\\INST\\VESKORCFG.EXE", "C:\\INST\\", {"C:\\INST", true}},
        {"C:\\VESKORCFG.EXE", "C:\\", {"C:\\", true}},
        {"C:\\INST\\VESKORCFG.EXE", "", {"C:\\CUR", false}},
        {nullptr, "C:\\INST\\", {"C:\\CUR", false}},
        {"C:\\CUR\\VESKORCFG.EXE", "C:\\CUR\\", {"C:\\CUR", false}, MemoryTree::Hidden},  // a hidden one: none
    };
    for (const auto& c : cases) {
        MemoryTree tree;
        tree.Add("C:\\CUR\\OTHER.EXE");
        if (c.exeAt) tree.Add(c.exeAt, c.attrs);
        const WorkingFolder w = ChooseWorkingFolder(tree.Searcher(), "C:\\CUR", c.own);
        EXPECT_TRUE(w.folder == c.expected.folder && w.changeCurrent == c.expected.changeCurrent) << c.exeAt;
    }
}

TEST(ConfigIniSections, CountsHeaderLinesTakenExactly) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"[FOLDERS]", 1},
        {" [FOLDERS]\r\n[SCREEN] \r\n", 0},
        {"[A]\r[B]\r\n\n[C]\r\n", 3},  // a bare CR or LF ends a line too
        {"[]\r\n[\r\n]\r\n", 1},
        {"[A]\r\n\x1a[B]\r\n", 1},
        {std::string("[A\0B]\r\n", 7), 1},
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(CountIniSections(bytes), expected) << bytes;
    EXPECT_EQ(CountIniSections(std::string(3000000, 'x') + "\r\n[A]"), 1u);
}

TEST(ConfigListFields, FieldRules) {
    using F = std::vector<ListField>;
    const std::pair<std::string, F> cases[] = {
        {"APPLPATH=C:\\A,B\r\n", F{{"APPLPATH", "C:\\A"}}},
        {"   MAX_\tSIZE=7\n0\r\n", F{{"MAX_SIZE", "70"}}},  // leading blanks skipped, tabs and line feeds dropped
        {"A=1=2=3", F{{"A", "1"}}},
        {"A==2", F{{"A", ""}}},
        {"NOEQUALS\r\n,,\r\n", F{}},
        {"\"APPLPATH=C:\\A,B\"\r\n", F{{"APPLPATH", "C:\\A,B"}}},
        {"\"A=1\"junk,B=2", F{{"A", "1"}, {"B", "2"}}},
        {"\"A=1\"X=9\r\nB=2", F{{"A", "1"}, {"B", "2"}}},  // nothing after the closing quote is a field
        {"\"A=1\rB=2", F{{"A", "1B"}}},  // unterminated: to the end, no line end kept
        {"A=1\x1a\r\nB=2", F{{"A", "1"}}},
        {"APPLPATH =C:\\A", F{{"APPLPATH ", "C:\\A"}}},
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(ReadListFields(bytes), expected) << bytes;
    const std::string huge(2000000, 'V');
    EXPECT_EQ(ReadListFields("A=" + huge + "\r\nB=1").front().value, huge);
}

constexpr const char* kIni = "C:\\INST\\VESKOR.INI";
constexpr const char* kLst = "C:\\INST\\VESKOR.LST";

TEST(ConfigLoad, IniWithHeaderWinsAndTakesValuesAsTheyAre) {
    FakeStore store;
    store.Put(kIni, "[FOLDERS]\r\n");
    store.Put(kLst, "APPLPATH=C:\\FROMLIST\r\n");
    store.ini[std::string(kIni) + "|FOLDERS|APPLFOLDER"] = "D:\\APP";
    store.ini[std::string(kIni) + "|FOLDERS|DATAFOLDER"] = "";
    store.ini[std::string(kIni) + "|ZMV_SETTINGS|MAX_TYPE"] = "BMP";
    const LoadResult r = LoadSettings("C:\\INST", store);
    EXPECT_EQ(r.source, SettingsSource::Ini);
    // A present but empty value gets no default, and nothing fills gaps; absent keys give their defaults.
    EXPECT_EQ(r.settings,
              (ConfigSettings{"D:\\APP", "", "SPOOL", "1024 x 768", "12x20 TT", "Y", "100", "BMP", "1", "1"}));
}

// A file that is there but refused is passed over as one that is missing, and
// named in the warning: VESKOR.INI before VESKOR.LST. A file is given as its
// bytes, "-" when it is missing, or its bytes after "!" when it is refused.
TEST(ConfigLoad, SourceFallsThroughInOrderAndTheWarningNamesEachUnreadableFile) {
    const char *header = "[FOLDERS]\r\n", *list = "APPLPATH=L:\\X\r\n";
    const auto cannotRead = [](const char* name) {
        const std::string path = "C:\\INST\\" + std::string(name);
        return "The settings file " + path + " cannot be read:\r\nAccess to " + path + " is denied.\r\n\r\n";
    };
    const std::string ini = cannotRead("VESKOR.INI"), lst = cannotRead("VESKOR.LST");
    const std::string save = " OK saves what the form shows in place of the stored settings.";
    const std::string defaults = "The form shows the default settings." + save;
    const std::tuple<std::string, std::string, SettingsSource, std::string> cases[] = {  // the files, source, warning
        {"", "-", SettingsSource::Defaults, ""},
        {std::string("!") + header, list, SettingsSource::List,
         ini + "The form shows the settings of the older file VESKOR.LST." + save},
        {std::string("!") + header, std::string("!") + list, SettingsSource::Defaults, ini + lst + defaults},
        {"-", std::string("!") + list, SettingsSource::Defaults, lst + defaults},
    };
    for (const auto& [iniText, listText, source, warning] : cases) {
        FakeStore store;
        for (const auto& [path, text] : {std::pair{kIni, iniText}, std::pair{kLst, listText}}) {
            if (text != "-") store.Put(path, text.substr(text.rfind('!', 0) == 0 ? 1 : 0));
            if (text.rfind('!', 0) == 0) store.locked.insert(path);
        }
        const LoadResult r = LoadSettings("C:\\INST", store);
        const char* applFolder = r.source == SettingsSource::List ? "L:\\X" : "C:\\KELSOFT\\VESKOR";
        EXPECT_TRUE(r.source == source && r.settings.applFolder == applFolder) << iniText << " " << listText;
        EXPECT_EQ(LoadWarning(r), warning);
    }
    // A file a cut-off save left aside is read from there, and named with where it is.
    FakeStore store;
    const std::string copy = "C:\\INST\\VESKOR.INI.veskorcfg-old";
    store.Put(copy, header);
    store.ini[copy + "|FOLDERS|APPLFOLDER"] = "K:\\KEPT";
    LoadResult r = LoadSettings("C:\\INST", store, {{"VESKOR.INI", "VESKOR.INI.veskorcfg-old", "Refused."}});
    r.cutOff = true;
    EXPECT_TRUE(r.source == SettingsSource::Ini && r.settings.applFolder == "K:\\KEPT");
    EXPECT_EQ(LoadWarning(r),
              "The settings file VESKOR.INI is missing; its earlier contents are kept in VESKOR.INI.veskorcfg-old, "
              "which cannot be renamed back:\r\nRefused.\r\nThe form shows the settings read from "
              "VESKOR.INI.veskorcfg-old. Desktops cannot start until it is renamed VESKOR.INI.\r\n\r\n"
              "The last save of the settings files did not finish (it was cut off): some of them may still hold the "
              "settings from before it.\r\n\r\nOK saves what the form shows to every settings file.");
}

TEST(ConfigLoad, ListFieldsAndGapFilling) {
    FakeStore store;
    store.Put(kLst, "APPLPATH=C:\\OLD\r\nAPPLPATH=C:\\NEW\r\ndatapath=DATA05\r\nFONTSIZE=100\r\nMAX_SIZE= x\r\n"
                    "MAX_FLAG=N\r\nSPOOLPTH=PRN\r\nSCRNSIZE=800 x 600\r\n");
    const ConfigSettings s = LoadSettings("C:\\INST", store).settings;
    // Later fields win, keys keep their case, and "100" is no font size.
    EXPECT_EQ(s, (ConfigSettings{"C:\\NEW", "DATA01", "PRN", "800 x 600", "12x20 TT", "N", "100", "TT", "1", ""}));
    // Every empty field gets its default; a size that begins with a number stays as it is.
    ConfigSettings g;
    g.maxSize = " 5x";
    FillGaps(g);
    EXPECT_EQ(g, (ConfigSettings{"C:\\KELSOFT\\VESKOR", "DATA01", "SPOOL", "1024 x 768", "12x20 TT", "Y", " 5x",
                                 "TT", "1", ""}));
}

TEST(ConfigSave, LauncherFontAndProgramPath) {
    // MAX_FLAG, MAX_TYPE, MAX_SIZE and FONTSIZE, and the font the launcher is given.
    const std::tuple<const char*, const char*, const char*, const char*, LauncherFont> fonts[] = {
        {"Y", "BMP", "100", "8x12", {"BMP", "Max"}},      {"Y", "TT", "70", "", {"TT", "Max 70%"}},
        {"Y", "TT", "100.0", "", {"TT", "Max"}},          {"N", "TT", "", "8X12", {"BMP", "8X12"}},
        {"N", "", "", "TT", {"TT", ""}},                  {"y", "TT", "90", "10x16", {"BMP", "10x16"}},
    };
    for (const auto& [flag, type, size, font, expected] : fonts) {
        ConfigSettings s;
        std::tie(s.maxFlag, s.maxType, s.maxSize, s.fontSize) = std::tie(flag, type, size, font);
        EXPECT_EQ(LauncherFontFor(s), expected) << flag << size << font;
    }
    const std::pair<const char*, const char*> paths[] = {
        {"C:\\APP\\", "C:\\APP\\VESKOR32.EXE"}, {" C:\\APP ", " C:\\APP \\VESKOR32.EXE"}, {"   ", "   "}};
    for (const auto& [folder, path] : paths) EXPECT_EQ(ProgramPath(folder), path) << folder;
}

TEST(ConfigSave, WritesTheFourFilesInOrder) {
    FakeStore store;
    store.Put(OldFileOf(kIni), "[SITE]\r\n");  // left aside by a cut-off save, VESKOR.INI missing
    const SaveReport r = SaveSettings("C:\\INST", kSample, store);
    EXPECT_EQ(SaveFailureText("C:\\INST", r, [](FileError) { return std::string("?"); }), "");
    EXPECT_EQ(store.files[kLst],
              "APPLPATH=R:\\VESKOR\r\nDATAPATH=DATA02\r\nSCRNSIZE=800 x 600\r\nFONTSIZE=8X13 TT\r\n"
              "MAX_FLAG=N\r\nMAX_SIZE=90\r\nMAX_TYPE=BMP\r\nSPOOLPTH=SPOOL\r\n");
    EXPECT_EQ(store.files[kIni],
              "[SITE]\r\n[FOLDERS]\r\nAPPLFOLDER=R:\\VESKOR\r\nDATAFOLDER=DATA02\r\nSPOOLFOLDER=SPOOL\r\n[SCREEN]\r\n"
              "SCRNSIZE=800 x 600\r\nGRAPHICMODE=0\r\nGRAPHICSCRN=1\r\n[ZMV_SETTINGS]\r\nFONTSIZE=8X13 TT\r\n"
              "MAX_FLAG=N\r\nMAX_SIZE=90\r\nMAX_TYPE=BMP\r\n");
    EXPECT_EQ(store.files["C:\\INST\\VESKOR.CFG"], "R:\\VESKOR\r\nDATA02\r\n");
    EXPECT_EQ(store.files["C:\\INST\\VESKOR1.ZMV"],
              "PROGNAME: R:\\VESKOR\\VESKOR32.EXE\r\n"
              "CMD_LINE: C:\\INST//R:\\VESKOR//DATA02//0//SPOOL\r\n"
              "TITLEBAR:\r\nFONTTYPE: TT\r\nFONTSIZE: 8X13\r\nTOOL_BAR: N\r\nWINSTATE: HIDDEN\r\n"
              "FULLSCRN: N\r\nQUICK_ED: N\r\nCOMMENTS:\r\n");
    EXPECT_EQ(store.writes,
              (std::vector<std::string>{kLst, kIni, "C:\\INST\\VESKOR.CFG", "C:\\INST\\VESKOR1.ZMV"}));
    EXPECT_EQ(store.ended, 1);
}

// A file that fails does not stop the next; the message names each file not
// saved with its reason and how it was left, and says whether the others were
// saved and what desktops meet meanwhile. A VESKOR.INI that cannot be read is
// not written over; another save in progress keeps this one from writing at all.
TEST(ConfigSave, FilesNotSavedAreNamedWithTheirReasons) {
    const std::string head = "Settings files not saved in C:\\INST:\r\n\r\n", others = "\r\nThe other files were saved.";
    const std::string retry = " back in place. The utility tries again to put back the earlier contents as this window closes.";
    const std::string cfg = "C:\\INST\\VESKOR.CFG", zmv = "C:\\INST\\VESKOR1.ZMV";
    // The files locked, what some writes give, the save lock, how many files end up written, and the message.
    const std::tuple<std::vector<std::string>, std::map<std::string, WriteResult>, SaveLock, std::size_t, std::string>
        cases[] = {
        {{kIni}, {}, {}, 3, head + "VESKOR.INI: error 32.\r\n" + others},
        {{kLst}, {{zmv, {5, LeftAs::Aside, "VESKOR1.ZMV.veskorcfg-old"}}}, {}, 2,
         head + "VESKOR.LST: error 32.\r\nVESKOR1.ZMV: error 5. It is missing; its earlier contents are kept in "
                "VESKOR1.ZMV.veskorcfg-old.\r\n" + others + "\r\n\r\nDesktops cannot start until VESKOR1.ZMV is" + retry},
        {{}, {{cfg, {31, LeftAs::Damaged, "T:\\VSK1.TMP"}}, {zmv, {31, LeftAs::Damaged, ""}}}, {}, 2,
         head + "VESKOR.CFG: error 31. The file is damaged; its earlier contents are saved in T:\\VSK1.TMP: copy that "
                "file to VESKOR.CFG.\r\nVESKOR1.ZMV: error 31. The file is damaged; its earlier contents could not be "
                "kept.\r\n" + others + "\r\n\r\nDesktops cannot start until VESKOR.CFG, VESKOR1.ZMV are" + retry},
        {{}, {}, {32, true}, 0,
         "Another save of the settings files in C:\\INST is in progress, from another window of this utility or another "
         "computer. Nothing was saved: start the utility again once that save has finished."},
        {{}, {}, {998, false}, 0,
         head + "VESKOR.LST: error 998.\r\nVESKOR.INI: error 998.\r\nVESKOR.CFG: error 998.\r\nVESKOR1.ZMV: error "
                "998.\r\n\r\nNone of the settings were saved."},
    };
    for (const auto& [locked, results, lock, written, text] : cases) {
        FakeStore store;
        store.Put(kIni, "[SITE]\r\nOWNER=accounts\r\n");
        store.locked.insert(locked.begin(), locked.end());
        store.results = results;
        store.lock = lock;
        const SaveReport r = SaveSettings("C:\\INST\\", kSample, store);
        EXPECT_EQ(store.files.size() - 1 + (store.files[kIni] != "[SITE]\r\nOWNER=accounts\r\n"), written);
        EXPECT_EQ(SaveFailureText("C:\\INST\\", r, [](FileError e) { return "error " + std::to_string(e) + "."; }),
                  text);
    }
}

// Every line of the earlier file stays where it is; each key takes its value in
// the first section of its name, or is added to it, or comes with its section.
TEST(ConfigSave, IniMergeKeepsEveryOtherLine) {
    const std::vector<IniEntry> entries = {{"FOLDERS", "APPLFOLDER", "R:\\V"}, {"SCREEN", "SCRNSIZE", "800 x 600"}};
    const std::pair<const char*, const char*> cases[] = {
        {"[OTHER]\r\nKEEP = 1\r\n[ folders ]\n applfolder = R:\\OLD\nAPPLFOLDER=X\n\n[Screen]\rx\r\n\r\n[SCREEN]\r\nSCRNSIZE=1",
         "[OTHER]\r\nKEEP = 1\r\n[ folders ]\r\nAPPLFOLDER=R:\\V\r\nAPPLFOLDER=X\r\n\r\n[Screen]\r\nx\r\n"
         "SCRNSIZE=800 x 600\r\n\r\n[SCREEN]\r\nSCRNSIZE=1\r\n"},
        {"; note\r\n[FOLDERS]\r\nDATAFOLDER=D\r\n[SITE]\r\nOWNER=a",
         "; note\r\n[FOLDERS]\r\nDATAFOLDER=D\r\nAPPLFOLDER=R:\\V\r\n[SITE]\r\nOWNER=a\r\n[SCREEN]\r\n"
         "SCRNSIZE=800 x 600\r\n"},
    };
    for (const auto& [earlier, merged] : cases) EXPECT_EQ(MergeIniText(earlier, entries), merged) << earlier;
}

}  // namespace
}  // namespace veskor::config
