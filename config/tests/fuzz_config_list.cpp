// Any bytes as VESKOR.LST: the load ends with every gap filled, and the form
// and the files written from it keep their shape. The same bytes as VESKOR.INI
// for the section count: bounded by the "[" before an end-of-file byte, and
// blind to what follows that byte.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "config_fake_store.h"
#include "config_form.h"

using namespace veskor::config;

static void Require(bool condition) { if (!condition) std::abort(); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = bytes.substr(0, bytes.find('\x1a'));
    const std::size_t sections = CountIniSections(bytes);
    Require(sections <= static_cast<std::size_t>(std::count(text.begin(), text.end(), '[')) &&
            sections == CountIniSections(text + "\x1a[X]\r\n"));
    for (const ListField& f : ReadListFields(bytes))
        Require(f.key.find_first_of("\r\n=") == std::string::npos && f.value.find_first_of("\r\n") == std::string::npos);

    testing::FakeStore store;
    store.Put("C:\\INST\\VESKOR.LST", bytes);
    const ConfigSettings s = LoadSettings("C:\\INST", store).settings;
    Require(!s.applFolder.empty() && !s.dataFolderName.empty() && !s.spoolFolderName.empty());
    Require(!s.screenSize.empty() && !s.fontSize.empty() && s.fontSize != "100" && !s.maxFlag.empty());
    Require(LeadingNumber(s.maxSize) != 0.0 && !s.maxType.empty() && s.graphicMode == "1");

    FormState form = InitialFormState();
    FillDataFolders(form);
    ShowSettings(form, s, store.tree.Searcher());
    const Collected c = CollectSettings(form);
    if (!c.refused) {
        SaveSettings("C:\\INST", c.settings, store);
        // Values hold no line ends, so each line of a written file ends in the one LF of its CR LF.
        const auto lineEnds = [](const std::string& t) { return std::count(t.begin(), t.end(), '\n'); };
        Require(lineEnds(store.files["C:\\INST\\VESKOR1.ZMV"]) == 10);
        Require(lineEnds(store.files["C:\\INST\\VESKOR.LST"]) == 8);
        Require(lineEnds(store.files["C:\\INST\\VESKOR.CFG"]) == 2);
    }
    return 0;
}
