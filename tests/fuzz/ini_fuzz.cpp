// Fuzzes the settings file reader/writer: arbitrary bytes are parsed, keys read, keys derived
// from the input written, and the document serialised. Checked: an unwritten document comes
// back byte for byte, writes read back, other keys keep their values, and every line no write
// addressed stays byte-identical.
#include <fuzzer/FuzzedDataProvider.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FakeStore.h"
#include "FuzzSupport.h"
#include "settings/IniDocument.h"
#include "settings/IniFile.h"
#include "text/IntText.h"

namespace {

using tallyvox::IniDocument;
using tallyvox::IniFile;
using tallyvox::fuzz::Check;
using tallyvox::fuzz::SameName;
using tallyvox::fuzz::Show;

const std::string kPath = "/game/qorvane.db";

// Names the program uses, case variants and GBK ones; others are made up from the input.
const std::vector<std::string> kSectionNames = {"Common", "common", "COMMON", "Other",
                                                "\xB6\xE0\xC5\xC5"};
const std::vector<std::string> kKeyNames = {
    "SortType", "TimerCounter", "IsSecondCounter", "LastSecond", "IsCircle", "Title1",
    "HotKey8",  "Seconds3",     "TitleColor",      "TopMost",    "topmost",  "\xB1\xEA\xCC\xE2"};

// A name the writer can store and find again: ASCII letters, digits, '_' and whole GBK
// characters (trail bytes 0x80 and up). Blanks, '=', ';', brackets and line breaks are what
// the file format reserves, and the program never uses them in names.
std::string MakeName(FuzzedDataProvider& in, const std::vector<std::string>& known) {
    if (in.ConsumeBool()) return known[in.ConsumeIntegralInRange<std::size_t>(0, known.size() - 1)];
    static constexpr char kChars[] = "abcXYZ019_";
    std::string name;
    const int length = in.ConsumeIntegralInRange(1, 6);
    for (int i = 0; i < length; ++i) {
        if (in.ConsumeIntegralInRange(0, 4) == 0) {
            name += static_cast<char>(in.ConsumeIntegralInRange(0x81, 0xFE));
            name += static_cast<char>(in.ConsumeIntegralInRange(0x80, 0xFE));
        } else {
            name += kChars[in.ConsumeIntegralInRange<std::size_t>(0, sizeof kChars - 2)];
        }
    }
    return name;
}

struct Write {
    std::string section, key, value;
};

std::string StoredForm(std::string value) {
    return value.substr(0, value.find_first_of("\r\n"));
}

// A value read back equals the stored one, or is its first 2046 or 2047 bytes.
bool ReadsBackAs(const std::optional<std::string>& read, const std::string& stored) {
    if (!read) return false;
    if (stored.size() <= IniDocument::kMaxValueBytes) return *read == stored;
    return (read->size() == IniDocument::kMaxValueBytes ||
            read->size() == IniDocument::kMaxValueBytes - 1) &&
           stored.compare(0, read->size(), *read) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string original = in.ConsumeRandomLengthString(8192);
    const bool fileMissing = in.ConsumeIntegralInRange(0, 15) == 15;

    const IniDocument parsed(original);
    Check(parsed.Serialize() == original, "parse and serialise changed the bytes",
          [&] { return Show(original); });

    std::vector<Write> writes;
    const int writeCount = in.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < writeCount; ++i) {
        Write w;
        w.section = MakeName(in, kSectionNames);
        w.key = MakeName(in, kKeyNames);
        w.value = in.ConsumeRandomLengthString(in.ConsumeBool() ? 16 : 3000);
        writes.push_back(std::move(w));
    }

    // Everything a read can address: the program's names and every written one.
    std::vector<std::pair<std::string, std::string>> probes;
    for (const auto& s : kSectionNames) {
        for (const auto& k : kKeyNames) probes.emplace_back(s, k);
    }
    for (const auto& w : writes) probes.emplace_back(w.section, w.key);

    std::vector<std::optional<std::string>> readBefore;
    for (const auto& [s, k] : probes) {
        const auto value = parsed.Get(s, k);
        if (value) {
            Check(value->size() <= IniDocument::kMaxValueBytes, "value longer than the limit");
            Check(value->find_first_of("\r\n") == std::string::npos, "value holds a line break");
        }
        readBefore.push_back(value);
    }

    tallyvox::test::FakeStore store;
    if (!fileMissing) store.files[kPath] = original;
    IniFile ini(store, kPath);
    for (std::size_t i = 0; i < probes.size(); ++i) {
        const auto& [s, k] = probes[i];
        const std::string text = ini.ReadString(s, k, "\x01");
        const auto expected = fileMissing ? std::nullopt : readBefore[i];
        Check(text == expected.value_or("\x01"), "ReadString disagrees with the document");
        const std::int32_t number = ini.ReadInteger(s, k, 12345);
        Check(number == (expected ? tallyvox::TryStrToInt(*expected).value_or(12345) : 12345),
              "ReadInteger disagrees with the conversion");
    }
    for (const auto& w : writes) {
        Check(ini.WriteString(w.section, w.key, w.value) == !fileMissing,
              "a write succeeded on a missing file or failed on a present one");
    }
    Check(ini.Flush(), "flush failed on a file that exists");

    if (fileMissing) {
        Check(store.writes.empty() && store.files.empty(), "a missing file was written");
        return 0;
    }
    const std::string result = store.files[kPath];
    Check(store.writes.size() <= 1, "more than one write for one flush");
    // A later write may restore an earlier one's value: a write of equal bytes is then fine.
    Check(!store.writes.empty() || result == original, "changed without a write");
    Check(store.writes.empty() || result != original || writes.size() > 1,
          "one write stored the bytes the file already held", [&] {
              std::string all;
              for (const auto& w : writes)
                  all += Show(w.section + "/" + w.key + "=" + w.value) + "\n";
              return all + Show(original);
          });

    std::vector<std::string> writtenKeys, writtenSections;
    for (const auto& w : writes) {
        writtenKeys.push_back(w.key);
        writtenSections.push_back(w.section);
    }
    tallyvox::fuzz::CheckOnlyKeysChanged(original, result, writtenKeys, writtenSections);

    const IniDocument reread(result);
    Check(reread.Serialize() == result, "serialise of the written document is not stable");
    // The last write to a key wins; every other key reads as before.
    for (std::size_t i = 0; i < writes.size(); ++i) {
        bool overwritten = false;
        for (std::size_t later = i + 1; later < writes.size(); ++later) {
            overwritten = overwritten || (SameName(writes[later].section, writes[i].section) &&
                                          SameName(writes[later].key, writes[i].key));
        }
        if (overwritten) continue;
        const auto& w = writes[i];
        Check(reread.SectionExists(w.section), "a written section does not exist");
        Check(ReadsBackAs(reread.Get(w.section, w.key), StoredForm(w.value)),
              "a written value does not read back", [&] {
                  return Show(w.section) + " " + Show(w.key) + "=" + Show(w.value) +
                         "\nresult: " + Show(result);
              });
    }
    for (std::size_t i = 0; i < probes.size(); ++i) {
        const auto& [s, k] = probes[i];
        bool written = false;
        for (const auto& w : writes) {
            written = written || (SameName(w.section, s) && SameName(w.key, k));
        }
        if (written) continue;
        Check(reread.Get(s, k) == readBefore[i], "a key no write addressed changed its value", [&] {
            return Show(probes[i].first) + " " + Show(probes[i].second) +
                   "\nbefore: " + Show(original) + "\nafter:  " + Show(result);
        });
    }
    return 0;
}
