// IniFile over an in-memory store: typed reads with their defaults, and that Flush stores the
// whole document once, only when it changed.

#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "FakeStore.h"
#include "settings/SettingsStore.h"

namespace tallyvox {
namespace {

const std::string kPath = "C:\\Games\\Tallyvox\\qorvane.db";
const std::string kTitle1 = "\xB1\xEA\xCC\xE2\x31";  // 标题1 in GBK

using test::FakeStore;

IniFile Open(FakeStore& store, const std::string& content) {
    store.files[kPath] = content;
    return IniFile(store, kPath);
}

struct IntegerCase {
    const char* name;
    std::optional<std::string> value;  // nullopt: key missing
    std::int32_t expected;
};

void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << c.name;
}

class IniFileReadInteger : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IniFileReadInteger, FallsBackToDefaultOnBadNumbers) {
    const IntegerCase& c = GetParam();
    FakeStore store;
    std::string file = "[Common]\r\nOther=1\r\n";
    if (c.value) file += "IsCircle=" + *c.value + "\r\n";
    EXPECT_EQ(Open(store, file).ReadInteger("Common", "IsCircle", -99), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFileReadInteger,
    ::testing::Values(IntegerCase{"Decimal", "5", 5}, IntegerCase{"DollarHex", "$FF", 255},
                      IntegerCase{"ZeroXHex", "0x10", 16}, IntegerCase{"LeadingSpace", " 7", 7},
                      IntegerCase{"Negative", "-2147483640", -2147483640},
                      IntegerCase{"Letters", "abc", -99}, IntegerCase{"Empty", "", -99},
                      IntegerCase{"OutOfRange", "2147483648", -99},
                      IntegerCase{"TrailingSpace", "7 ", -99},
                      IntegerCase{"Missing", std::nullopt, -99}),
    [](const auto& info) { return std::string(info.param.name); });

struct BoolCase {
    const char* name;
    std::optional<std::string> value;
    bool defaultValue;
    bool expected;
};

void PrintTo(const BoolCase& c, std::ostream* os) {
    *os << c.name;
}

class IniFileReadBool : public ::testing::TestWithParam<BoolCase> {};

TEST_P(IniFileReadBool, NonZeroIsTrue) {
    const BoolCase& c = GetParam();
    FakeStore store;
    std::string file = "[Common]\nOther=1\n";
    if (c.value) file += "TopMost=" + *c.value + "\n";
    EXPECT_EQ(Open(store, file).ReadBool("Common", "TopMost", c.defaultValue), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFileReadBool,
    ::testing::Values(BoolCase{"Two", "2", true, true}, BoolCase{"Zero", "0", true, false},
                      BoolCase{"LettersTakeTrueDefault", "abc", true, true},
                      BoolCase{"LettersTakeFalseDefault", "abc", false, false},
                      BoolCase{"MissingTakesTrueDefault", std::nullopt, true, true},
                      BoolCase{"OneOverFalseDefault", "1", false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFileRead, SingleTopMostKeyLeavesOthersAtDefault) {
    FakeStore store;
    IniFile ini = Open(store, "[Common]\r\nTopMost=0\r\n");
    EXPECT_TRUE(ini.SectionExists("Common"));
    EXPECT_FALSE(ini.ReadBool("Common", "TopMost", true));
    EXPECT_EQ(ini.ReadString("Common", "Title1", kTitle1), kTitle1);
    EXPECT_EQ(ini.ReadInteger("Common", "TitleColor", 0), 0);
}

TEST(IniFileRead, EmptyValueIsNotDefault) {
    FakeStore store;
    IniFile ini = Open(store, "[Common]\nTitle1=\n");
    EXPECT_EQ(ini.ReadString("Common", "Title1", kTitle1), "");
    EXPECT_EQ(ini.ReadString("Common", "Title2", "d"), "d");
}

TEST(IniFileRead, HeaderOnlyFileHasNoSection) {
    FakeStore store;
    EXPECT_FALSE(Open(store, "[Common]").SectionExists("Common"));
    EXPECT_FALSE(Open(store, "[Common]\r\n").SectionExists("Common"));
}

TEST(IniFileRead, ReadsTheFileOnce) {
    FakeStore store;
    IniFile ini = Open(store, "[Common]\nA=1\n");
    ini.SectionExists("Common");
    ini.ReadString("Common", "A", "");
    ini.WriteString("Common", "A", "2");
    ini.Flush();
    EXPECT_EQ(store.reads, 1);
}

TEST(IniFileMissing, ReadsDefaultsAndWritesNothing) {
    FakeStore store;
    IniFile ini(store, kPath);
    EXPECT_FALSE(ini.SectionExists("Common"));
    EXPECT_EQ(ini.ReadString("Common", "Title1", kTitle1), kTitle1);
    EXPECT_FALSE(ini.WriteString("Common", "Title1", "x"));
    EXPECT_TRUE(ini.Flush());
    EXPECT_TRUE(store.writes.empty());
    EXPECT_TRUE(store.files.empty());
}

struct WriteCase {
    const char* name;
    void (*write)(IniFile&);
    std::string expectedLine;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class IniFileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniFileWrite, StoresPlainText) {
    const WriteCase& c = GetParam();
    FakeStore store;
    IniFile ini = Open(store, "[Common]\r\nK=old\r\n");
    c.write(ini);
    ASSERT_TRUE(ini.Flush());
    EXPECT_EQ(store.files[kPath], "[Common]\r\n" + c.expectedLine + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniFileWrite,
    ::testing::Values(
        WriteCase{"String", [](IniFile& f) { f.WriteString("Common", "K", "a=b"); }, "K=a=b"},
        WriteCase{"Gbk", [](IniFile& f) { f.WriteString("Common", "K", kTitle1); }, "K=" + kTitle1},
        WriteCase{"Integer", [](IniFile& f) { f.WriteInteger("Common", "K", 255); }, "K=255"},
        WriteCase{"NegativeInteger", [](IniFile& f) { f.WriteInteger("Common", "K", -16777216); },
                  "K=-16777216"},
        WriteCase{"True", [](IniFile& f) { f.WriteBool("Common", "K", true); }, "K=1"},
        WriteCase{"False", [](IniFile& f) { f.WriteBool("Common", "K", false); }, "K=0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFileFlush, WritesAllChangesInOneStep) {
    FakeStore store;
    IniFile ini = Open(store, "[Common]\nTopMost=1\nIsCircle=5\n");
    EXPECT_TRUE(ini.WriteBool("Common", "TopMost", true));
    EXPECT_TRUE(ini.WriteInteger("Common", "IsCircle", 1));
    EXPECT_TRUE(ini.WriteString("Common", "Title1", "a=b"));
    EXPECT_TRUE(ini.Flush());
    ASSERT_EQ(store.writes.size(), 1u);
    EXPECT_EQ(store.writes[0], "[Common]\nTopMost=1\nIsCircle=1\nTitle1=a=b\n");
    EXPECT_EQ(IniFile(store, kPath).ReadString("Common", "Title1", ""), "a=b");
}

TEST(IniFileFlush, NothingWrittenWhenUnchanged) {
    FakeStore store;
    IniFile ini = Open(store, "[Common]\r\nTopMost=1\r\nTitle1=\r\n");
    EXPECT_TRUE(ini.WriteBool("Common", "TopMost", true));
    EXPECT_TRUE(ini.WriteString("Common", "Title1", ""));
    EXPECT_TRUE(ini.Flush());
    EXPECT_TRUE(store.writes.empty());
}

TEST(IniFileFlush, SecondFlushWritesNothing) {
    FakeStore store;
    IniFile ini = Open(store, "[Common]\nTopMost=2\n");
    ini.WriteBool("Common", "TopMost", true);
    EXPECT_TRUE(ini.Flush());
    EXPECT_TRUE(ini.Flush());
    EXPECT_EQ(store.writes.size(), 1u);
}

TEST(IniFileFlush, FailedStoreReportsFalseAndKeepsChanges) {
    FakeStore store;
    IniFile ini = Open(store, "[Common]\nTopMost=1\n");
    ini.WriteBool("Common", "TopMost", false);
    store.failWrites = true;
    EXPECT_FALSE(ini.Flush());
    EXPECT_EQ(store.files[kPath], "[Common]\nTopMost=1\n");
    store.failWrites = false;
    EXPECT_TRUE(ini.Flush());
    EXPECT_EQ(store.files[kPath], "[Common]\nTopMost=0\n");
}

}  // namespace
}  // namespace tallyvox
