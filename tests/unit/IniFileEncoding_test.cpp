// IniFile on files saved in Notepad's encodings: values read as GBK, written in the file's own
// encoding, every other byte kept; and which values GBK cannot carry.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "FakeStore.h"
#include "IconvGbkCodec.h"
#include "settings/IniFile.h"

namespace tallyvox {
namespace {

const std::string kPath = "/game/qorvane.db";
const std::string kDragon = "\xB4\xF3\xC1\xFA";  // 大龙 in GBK
const std::string kNew = "\xD0\xC2\xB5\xC4";     // 新的 in GBK

struct EncodingCase {
    const char* name;
    const char* bom;
    const char* iconvName;  // the encoding of the text after the mark
};

void PrintTo(const EncodingCase& c, std::ostream* os) {
    *os << c.name;
}

// The UTF-8 text as a file of that encoding, converted independently of the product.
std::string Encoded(const EncodingCase& c, const std::string& utf8) {
    return c.bom + test::IconvGbkCodec::Convert(c.iconvName, "UTF-8", utf8);
}

class IniFileEncodingTest : public testing::TestWithParam<EncodingCase> {
  protected:
    test::IconvGbkCodec codec;
    test::FakeStore store;
    void SetUp() override { store.codec = &codec; }
};

TEST_P(IniFileEncodingTest, ReadsGbkAndWritesInTheFilesEncoding) {
    const EncodingCase& c = GetParam();
    store.files[kPath] = Encoded(c, "[Common]\r\n; 备注 😀\r\nTitle1=大龙\r\nTitle2=旧\r\n");
    IniFile ini(store, kPath);
    EXPECT_TRUE(ini.SectionExists("Common"));
    EXPECT_EQ(ini.ReadString("Common", "Title1", ""), kDragon);
    EXPECT_TRUE(ini.ReadsExactly("Common", "Title1"));
    ASSERT_TRUE(ini.WriteString("Common", "Title1", kDragon));
    ASSERT_TRUE(ini.WriteString("Common", "Title2", kNew));
    ASSERT_TRUE(ini.WriteInteger("Common", "TopMost", 0));
    ASSERT_TRUE(ini.Flush());
    EXPECT_EQ(store.files[kPath],
              Encoded(c, "[Common]\r\n; 备注 😀\r\nTitle1=大龙\r\nTitle2=新的\r\nTopMost=0\r\n"));
    EXPECT_EQ(IniFile(store, kPath).ReadString("Common", "Title2", ""), kNew);
}

INSTANTIATE_TEST_SUITE_P(Encodings, IniFileEncodingTest,
                         testing::Values(EncodingCase{"Utf8", "", "UTF-8"},
                                         EncodingCase{"Utf8Bom", "\xEF\xBB\xBF", "UTF-8"},
                                         EncodingCase{"Utf16Le", "\xFF\xFE", "UTF-16LE"},
                                         EncodingCase{"Utf16Be", "\xFE\xFF", "UTF-16BE"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IniFileGbk, TheCodecChangesNothingForAGbkFile) {
    const std::string file = "[Common]\r\nTitle1=" + kDragon + "\r\nTitle2=\xBE\xC9\r\n";
    auto written = [&](const GbkCodec* codec) {
        test::FakeStore store;
        store.codec = codec;
        store.files[kPath] = file;
        IniFile ini(store, kPath);
        EXPECT_EQ(ini.ReadString("Common", "Title1", ""), kDragon);
        EXPECT_TRUE(ini.ReadsExactly("Common", "Title2"));
        ini.WriteString("Common", "Title2", kNew);
        ini.Flush();
        return store.files[kPath];
    };
    const test::IconvGbkCodec codec;
    EXPECT_EQ(written(&codec), written(nullptr));
    EXPECT_EQ(written(&codec), "[Common]\r\nTitle1=" + kDragon + "\r\nTitle2=" + kNew + "\r\n");
}

TEST(IniFileReadsExactly, AValueGbkCannotHoldReadsAsAStandIn) {
    test::IconvGbkCodec codec;
    test::FakeStore store;
    store.codec = &codec;
    store.files[kPath] = "[Common]\nTitle1=😀x\nTitle2=大龙\n";
    IniFile ini(store, kPath);
    EXPECT_EQ(ini.ReadString("Common", "Title1", ""), "?x");
    EXPECT_FALSE(ini.ReadsExactly("Common", "Title1"));
    EXPECT_TRUE(ini.ReadsExactly("Common", "Title2"));
    EXPECT_TRUE(ini.ReadsExactly("Common", "Title3")) << "missing";
}

}  // namespace
}  // namespace tallyvox
