// Runs under Wine: reads and writes a corpus of settings files both with the system's profile
// functions and with our INI layer, and compares the results.
// Where our rules deliberately differ from the profile functions the case says why.

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "Driver.h"
#include "settings/GbkCodec_win32.h"
#include "settings/IniFile.h"
#include "settings/SettingsStore.h"

namespace tallyvox {
namespace {

const std::string kTitle1 = "\xB1\xEA\xCC\xE2\x31";  // 标题1 in GBK
const std::string kMultiRow = "\xB6\xE0\xC5\xC5";    // 多排 in GBK

// `bytes` as the file `name` in `dir`; returns its path for the narrow profile functions.
std::string NewFile(const e2e::TempDir& dir, const wchar_t* name, const std::string& bytes) {
    dir.Write(name, bytes);
    return e2e::ToUtf8(dir.File(name));
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Plain whole-file access: what is compared here is the INI layer, not how files are replaced.
class PlainFileStore : public SettingsStore {
  public:
    static constexpr StoreResult kMissing = StoreResult::Missing;
    StoreOutcome Read(const std::string& path, std::string& bytes) override {
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {kMissing};
        bytes = Contents(path);
        return {};
    }
    StoreOutcome WriteReplacing(const std::string& path, const std::string& bytes) override {
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {kMissing};
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        return {out.flush() ? StoreResult::Done : StoreResult::Failed};
    }
    const GbkCodec* Codec() const override { return &codec_; }

  private:
    Cp936Codec codec_;
};

// The buffer of 2048 bytes is the one the settings reader was modelled on, hence the cut.
std::optional<std::string> ProfileGet(const std::string& path, const std::string& section,
                                      const std::string& key) {
    const char* missing = "\x01missing\x01";
    char buffer[2048];
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), missing, buffer,
                                                  sizeof buffer, path.c_str());
    std::string value(buffer, length);
    if (value == missing) return std::nullopt;
    return value;
}

// A section exists for the profile functions' users when it lists at least one key name.
bool ProfileSectionExists(const std::string& path, const std::string& section) {
    char buffer[65536];
    return GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer, sizeof buffer,
                                    path.c_str()) > 0;
}

// Every key read for each corpus file; "?" stands for SectionExists("Common").
const std::vector<std::string> kKeys = {"?",          "SortType", "TimerCounter", "Title1",
                                        "Title2",     "HotKey1",  "Seconds1",     "TopMost",
                                        "TitleColor", "IsCircle", ";Title1",      "K"};

struct Difference {
    std::string key;
    std::optional<std::string> ours;  // for "?": "1" or "0"
    const char* reason;
};

struct ReadCase {
    const char* name;
    std::string file;
    std::vector<Difference> differences;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

std::optional<std::string> OurValue(IniFile& ini, const std::string& key) {
    if (key == "?") return ini.SectionExists("Common") ? "1" : "0";
    const std::string absent = "\x01missing\x01";
    std::string value = ini.ReadString("Common", key, absent);
    if (value == absent) return std::nullopt;
    return value;
}

std::optional<std::string> ProfileValue(const std::string& path, const std::string& key) {
    if (key == "?") return ProfileSectionExists(path, "Common") ? "1" : "0";
    return ProfileGet(path, "Common", key);
}

class IniDifferentialRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniDifferentialRead, MatchesProfileFunctions) {
    const ReadCase& c = GetParam();
    const e2e::TempDir dir;
    const std::string path = NewFile(dir, L"settings.ini", c.file);
    PlainFileStore store;
    IniFile ini(store, path);
    for (const std::string& key : kKeys) {
        SCOPED_TRACE("key " + key);
        const std::optional<std::string> ours = OurValue(ini, key);
        const std::optional<std::string> theirs = ProfileValue(path, key);
        const Difference* difference = nullptr;
        for (const Difference& d : c.differences) {
            if (d.key == key) difference = &d;
        }
        if (difference) {
            SCOPED_TRACE(difference->reason);
            EXPECT_EQ(ours, difference->ours);
            EXPECT_NE(ours, theirs) << "no longer differs: drop it from the list";
        } else {
            EXPECT_EQ(ours, theirs);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, IniDifferentialRead,
    ::testing::Values(
        ReadCase{"Crlf",
                 "[Common]\r\nSortType=" + kMultiRow + "\r\nTimerCounter=2\r\nTitle1=" + kTitle1 +
                     "\r\nTopMost=0\r\n",
                 {}},
        ReadCase{"Lf", "[Common]\nTitle1=abc\nTitleColor=-2147483640\nTopMost=1\n", {}},
        ReadCase{"NoFinalNewline", "[Common]\r\nTitle1=abc\r\nTopMost=1", {}},
        ReadCase{"SingleTopMostKey", "[Common]\r\nTopMost=0\r\n", {}},
        ReadCase{"EmptyValues", "[Common]\r\nTitle1=\r\nTopMost=\r\n", {}},
        ReadCase{"EqualsInValue", "[Common]\r\nTitle1=a=b\r\nTitle2==\r\n", {}},
        ReadCase{"DuplicateKeys", "[Common]\r\nTitle1=first\r\ntitle1=second\r\n", {}},
        ReadCase{"CaseOfNames", "[COMMON]\r\ntitle1=x\r\nTOPMOST=0\r\n", {}},
        ReadCase{"OtherSectionsAndComments",
                 "; settings\r\n[Other]\r\nTitle1=no\r\n\r\n[Common]\r\n; Title2=no\r\n"
                 "Title1=yes\r\n\r\n[Last]\r\nTopMost=no\r\n",
                 {}},
        ReadCase{"MissingSection", "[Other]\r\nTitle1=x\r\n", {}}, ReadCase{"EmptyFile", "", {}},
        ReadCase{"LongValues",
                 "[Common]\r\nTitle1=" + std::string(2047, 'a') +
                     "\r\nTitle2=" + std::string(3000, 'b') + "\r\nTopMost=0\r\n",
                 {}},
        ReadCase{"VeryLongLine",
                 "[Common]\r\nTitle1=" + std::string(1 << 20, 'c') + "\r\nTopMost=0\r\n",
                 {}},
        ReadCase{"BlanksAroundKeys", "[Common]\r\n  Title1  =x\r\n\tTopMost\t=0\r\n", {}},
        ReadCase{"IndentedHeader", "  [Common]\r\nTitle1=x\r\n", {}},
        ReadCase{"BlanksInsideBrackets", "[ Common ]\r\nTitle1=x\r\n", {}},
        ReadCase{"DuplicateSections", "[Common]\r\nTitle1=one\r\n[Common]\r\nTitle2=two\r\n", {}},
        ReadCase{"Utf8BomAsciiContent", "\xEF\xBB\xBF[Common]\r\nTitle1=x\r\n", {}},
        ReadCase{"LoneCr", "[Common]\rTitle1=x\rTopMost=0\r", {}},
        ReadCase{"HeaderOnly", "[Common]", {}}, ReadCase{"HeaderOnlyCrlf", "[Common]\r\n\r\n", {}},
        ReadCase{"LineWithoutEquals", "[Common]\r\nTitle1\r\n", {}},
        // Expected differences from here on.
        ReadCase{
            "BlanksAroundValues",
            "[Common]\r\nTitle1= x \r\nTopMost= 0\r\n",
            {{"Title1", " x ", "a value is every byte after '=', the profile functions trim it"},
             {"TopMost", " 0", "a value is every byte after '=', the profile functions trim it"}}},
        ReadCase{"QuotedValues",
                 "[Common]\r\nTitle1=\"quoted\"\r\nTitle2='single'\r\n",
                 {{"Title1", "\"quoted\"",
                   "quotes may be part of a title, profile functions strip them"},
                  {"Title2", "'single'",
                   "quotes may be part of a title, profile functions strip them"}}},
        ReadCase{"CommentOnly",
                 "[Common]\r\n;Title1=x\r\n",
                 {{";Title1", std::nullopt, "';' starts a comment for us, a key name for them"}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct WriteCase {
    const char* name;
    std::string file;
    std::vector<std::pair<std::string, std::string>> writes;  // into section Common
    // Set when our bytes deliberately differ from the profile functions' bytes.
    std::optional<std::string> ours;
    const char* reason;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class IniDifferentialWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniDifferentialWrite, MatchesProfileFunctions) {
    const WriteCase& c = GetParam();
    const e2e::TempDir dir;
    const std::string theirsPath = NewFile(dir, L"theirs.ini", c.file);
    const std::string oursPath = NewFile(dir, L"ours.ini", c.file);

    for (const auto& [key, value] : c.writes) {
        ASSERT_TRUE(
            WritePrivateProfileStringA("Common", key.c_str(), value.c_str(), theirsPath.c_str()));
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, theirsPath.c_str());  // flush cache

    PlainFileStore store;
    IniFile ini(store, oursPath);
    for (const auto& [key, value] : c.writes) ASSERT_TRUE(ini.WriteString("Common", key, value));
    ASSERT_TRUE(ini.Flush());

    const std::string theirs = Contents(theirsPath);
    const std::string ours = Contents(oursPath);
    if (c.ours) {
        SCOPED_TRACE(c.reason);
        EXPECT_EQ(ours, *c.ours);
        EXPECT_NE(ours, theirs) << "no longer differs: drop the expected bytes";
    } else {
        EXPECT_EQ(ours, theirs);
    }
    // Whatever the bytes, both files must read back the written values alike.
    for (const auto& [key, value] : c.writes) {
        EXPECT_EQ(ProfileGet(oursPath, "Common", key), ProfileGet(theirsPath, "Common", key))
            << key;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, IniDifferentialWrite,
    ::testing::Values(
        WriteCase{"ReplaceInPlaceCrlf",
                  "[Other]\r\nTopMost=1\r\n[Common]\r\nTitle1=old\r\nTopMost=1\r\n",
                  {{"TopMost", "0"}, {"Title1", kTitle1}},
                  std::nullopt,
                  nullptr},
        WriteCase{"AddMissingKeysCrlf",
                  "[Common]\r\nTopMost=1\r\n",
                  {{"SortType", kMultiRow}, {"IsCircle", "1"}},
                  std::nullopt,
                  nullptr},
        WriteCase{"EqualsInTitle",
                  "[Common]\r\nTitle1=x\r\n",
                  {{"Title1", "a=b"}},
                  std::nullopt,
                  nullptr},
        WriteCase{
            "EmptyValue", "[Common]\r\nTitle1=x\r\n", {{"Title1", ""}}, std::nullopt, nullptr},
        WriteCase{"DuplicateKeys",
                  "[Common]\r\nTitle1=one\r\nTitle1=two\r\n",
                  {{"title1", "new"}},
                  std::nullopt,
                  nullptr},
        WriteCase{"CaseOfNamesKept",
                  "[COMMON]\r\nTOPMOST=1\r\n",
                  {{"TopMost", "0"}},
                  std::nullopt,
                  nullptr},
        WriteCase{"LongValue",
                  "[Common]\r\nTitle1=x\r\n",
                  {{"Title1", std::string(3000, 'd')}},
                  std::nullopt,
                  nullptr},
        WriteCase{"HeaderOnly", "[Common]\r\n", {{"K", "v"}}, std::nullopt, nullptr},
        WriteCase{"MissingSection", "[Other]\r\nA=1\r\n", {{"K", "v"}}, std::nullopt, nullptr},
        WriteCase{"Utf8Bom",
                  "\xEF\xBB\xBF[Common]\r\nTopMost=1\r\n",
                  {{"TopMost", "0"}},
                  std::nullopt,
                  nullptr},
        // Expected differences: the profile functions rewrite the whole file in their own form.
        WriteCase{"BlankLineKept",
                  "; top\r\n[Common]\r\n; note\r\nTopMost=1\r\n\r\n[Other]\r\nA=1\r\n",
                  {{"TopMost", "0"}, {"K", "v"}},
                  "; top\r\n[Common]\r\n; note\r\nTopMost=0\r\nK=v\r\n\r\n[Other]\r\nA=1\r\n",
                  "we keep blank lines, the profile functions drop them"},
        WriteCase{"LfEndingsKept",
                  "[Common]\nTopMost=1\nTitle1=x\n",
                  {{"TopMost", "0"}, {"K", "v"}},
                  "[Common]\nTopMost=0\nTitle1=x\nK=v\n",
                  "we keep the file's LF endings, the profile functions end every line with CRLF"},
        WriteCase{"MissingFinalNewlineKept",
                  "[Common]\r\nTopMost=1",
                  {{"K", "v"}},
                  "[Common]\r\nTopMost=1\r\nK=v",
                  "we keep a missing final line ending, the profile functions add one"},
        WriteCase{"UntouchedLinesKeepBlanks",
                  "[Common]\r\n Title1 = x \r\nTopMost=1\r\n",
                  {{"TopMost", "0"}},
                  "[Common]\r\n Title1 = x \r\nTopMost=0\r\n",
                  "we leave untouched lines alone, the profile functions rewrite them trimmed"}),
    [](const auto& info) { return std::string(info.param.name); });

// Files with a byte order mark, which the profile functions read as Unicode; their W forms then
// give the text that the program holds as GBK. Without a mark they read the system code page,
// so a UTF-8 file without one has no counterpart here.
struct UnicodeCase {
    const char* name;
    std::string (*encode)(const std::string& utf8);
};

void PrintTo(const UnicodeCase& c, std::ostream* os) {
    *os << c.name;
}

std::string Utf8WithBom(const std::string& utf8) {
    return "\xEF\xBB\xBF" + utf8;
}

std::string Utf16WithBom(const std::string& utf8, bool bigEndian) {
    std::string bytes;
    for (const wchar_t unit : L"\xFEFF" + e2e::FromUtf8(utf8)) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::optional<std::string> ProfileValueW(const std::string& path, const std::string& key) {
    const std::wstring widePath = e2e::FromUtf8(path);
    const std::wstring section = L"Common";
    if (key == "?") {
        wchar_t names[4096];
        return GetPrivateProfileStringW(section.c_str(), nullptr, L"", names, 4096,
                                        widePath.c_str()) > 0
                   ? "1"
                   : "0";
    }
    const wchar_t* missing = L"\x01missing\x01";
    wchar_t buffer[2048];
    const DWORD length = GetPrivateProfileStringW(section.c_str(), e2e::FromUtf8(key).c_str(),
                                                  missing, buffer, 2048, widePath.c_str());
    const std::wstring value(buffer, length);
    if (value == missing) return std::nullopt;
    return e2e::ToGbk(value);
}

class IniDifferentialUnicode : public ::testing::TestWithParam<UnicodeCase> {};

TEST_P(IniDifferentialUnicode, ReadsAndWritesAsTheProfileFunctions) {
    const UnicodeCase& c = GetParam();
    const std::string file = c.encode(
        "[Other]\r\nTitle1=别的\r\n[Common]\r\nTitle1=大龙\r\nTitle2=a=b\r\nTopMost=1\r\n");
    const e2e::TempDir dir;
    const std::string theirsPath = NewFile(dir, L"theirs.ini", file);
    const std::string oursPath = NewFile(dir, L"ours.ini", file);
    PlainFileStore store;
    {
        IniFile ini(store, oursPath);
        for (const char* key : {"?", "Title1", "Title2", "TopMost", "SortType"}) {
            EXPECT_EQ(OurValue(ini, key), ProfileValueW(theirsPath, key)) << key;
        }
    }

    const std::vector<std::pair<std::string, std::string>> writes = {
        {"TopMost", "0"}, {"Title1", "\xD0\xC2\xB5\xC4"}, {"SortType", kMultiRow}};  // 新的
    for (const auto& [key, value] : writes) {
        ASSERT_TRUE(WritePrivateProfileStringW(L"Common", e2e::FromGbk(key).c_str(),
                                               e2e::FromGbk(value).c_str(),
                                               e2e::FromUtf8(theirsPath).c_str()));
    }
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, e2e::FromUtf8(theirsPath).c_str());
    IniFile ini(store, oursPath);
    for (const auto& [key, value] : writes) ASSERT_TRUE(ini.WriteString("Common", key, value));
    ASSERT_TRUE(ini.Flush());
    EXPECT_EQ(e2e::HexBytes(Contents(oursPath)), e2e::HexBytes(Contents(theirsPath)));
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, IniDifferentialUnicode,
    ::testing::Values(
        UnicodeCase{"Utf8Bom", Utf8WithBom},
        UnicodeCase{"Utf16Le", [](const std::string& u) { return Utf16WithBom(u, false); }},
        UnicodeCase{"Utf16Be", [](const std::string& u) { return Utf16WithBom(u, true); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tallyvox
