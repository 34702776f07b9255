// Any bytes as VESKOR.LST: the load ends with every gap filled, and the form
// and the files written from it keep their shape.
#include <cstdint>
#include <cstdlib>
#include <map>

#include "config_form.h"
#include "config_settings.h"

namespace {

using namespace veskor::config;

class ListOnlyStore : public SettingsStore {
public:
    explicit ListOnlyStore(std::string list) : list_(std::move(list)) {}
    void Search(const std::string&, const std::function<bool(const veskor::DirEntry&)>&) override {}
    std::optional<std::string> ReadFile(const std::string& path) override {
        if (path == "C:\\INST\\VESKOR.LST") return list_;
        return std::nullopt;
    }
    std::string ReadSetting(const std::string&, const std::string&, const std::string&,
                            const std::string& fallback) override {
        return fallback;
    }
    bool WriteFile(const std::string& path, const std::string& bytes) override {
        written[path] = bytes;
        return true;
    }
    bool WriteSetting(const std::string&, const std::string&, const std::string&, const std::string&) override {
        return true;
    }
    std::map<std::string, std::string> written;

private:
    std::string list_;
};

void Require(bool condition) {
    if (!condition) std::abort();
}

std::size_t Count(const std::string& text, const std::string& piece) {
    std::size_t n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    for (const ListField& f : ReadListFields(bytes))
        Require(f.key.find_first_of("\r\n=") == std::string::npos && f.value.find_first_of("\r\n") == std::string::npos);

    ListOnlyStore store(bytes);
    const LoadResult r = LoadSettings("C:\\INST", store);
    Require(r.source == SettingsSource::List);
    const ConfigSettings& s = r.settings;
    Require(!s.applFolder.empty() && !s.dataFolderName.empty() && !s.spoolFolderName.empty());
    Require(!s.screenSize.empty() && !s.fontSize.empty() && s.fontSize != "100" && !s.maxFlag.empty());
    Require(LeadingNumber(s.maxSize) != 0.0 && !s.maxType.empty() && s.graphicMode == "1");

    FormState form = InitialFormState();
    const veskor::DirectorySearch none = [](const std::string&, const std::function<bool(const veskor::DirEntry&)>&) {};
    FillDataFolders(form);
    ShowSettings(form, s, none);
    const Collected c = CollectSettings(form);
    if (!c.refused) {
        SaveSettings("C:\\INST", c.settings, store);
        Require(Count(store.written["C:\\INST\\VESKOR1.ZMV"], "\r\n") == 10);
        Require(Count(store.written["C:\\INST\\VESKOR.LST"], "\r\n") == 8);
        Require(Count(store.written["C:\\INST\\VESKOR.CFG"], "\r\n") == 2);
    }
    return 0;
}
