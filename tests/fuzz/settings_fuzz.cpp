// Fuzzes the settings round trip on arbitrary file bytes: LoadSettings into a recording overlay,
// the settings dialog filling its controls from it, and the save when it closes. Checked: no
// crash or undefined behaviour, only the program's own keys change, and a second round, whose
// save has nothing new to store, leaves the file byte-identical.
#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "FakeSetsView.h"
#include "FakeStore.h"
#include "FuzzSupport.h"
#include "SettingsKeyOrder.h"
#include "app/TfrmMain.h"
#include "dialog/TfrmSets.h"
#include "settings/IniFile.h"
#include "text/IntText.h"

namespace {

using tallyvox::fuzz::Check;
using tallyvox::fuzz::Show;

const std::string kPath = "/game/qorvane.db";

// One program start and one dialog closed without changes; returns the file afterwards.
std::string StartAndCloseDialog(const std::string& file) {
    tallyvox::test::FakeStore store;
    store.files[kPath] = file;
    tallyvox::fuzz::CheckingOverlay overlay;
    tallyvox::TfrmMain frm(overlay, overlay, overlay);
    {
        tallyvox::IniFile ini(store, kPath);
        frm.LoadSettings(ini);
    }
    const std::vector<std::string> known = tallyvox::test::SettingsKeyOrder();
    for (const auto& key : frm.loadedKeys) {
        Check(std::find(known.begin(), known.end(), key) != known.end(), "loaded an unknown key",
              key);
    }

    tallyvox::test::FakeSetsView view;
    tallyvox::TfrmSets sets(frm, view);
    try {
        sets.FormCreate();
    } catch (const tallyvox::ConvertError&) {
        // A duration that is not a whole number: the platform shows the error box.
    }
    {
        tallyvox::IniFile ini(store, kPath);
        sets.SaveSettings(ini);
    }
    Check(store.writes.size() <= 1, "one close wrote the file more than once");
    const std::string& result = store.files[kPath];
    Check(store.writes.empty() == (result == file),
          "file rewritten with the same bytes, or changed without a write");
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    const std::string first = StartAndCloseDialog(file);
    tallyvox::fuzz::CheckOnlyKeysChanged(file, first, tallyvox::test::SettingsKeyOrder(), {});
    const std::string second = StartAndCloseDialog(first);
    Check(second == first, "a save with nothing new to store changed the file", [&] {
        return "original: " + Show(file) + "\nfirst:    " + Show(first) +
               "\nsecond:   " + Show(second);
    });
    return 0;
}
