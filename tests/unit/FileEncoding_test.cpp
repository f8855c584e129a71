// The settings file's encoding: which one a file's bytes are read in, UTF-16 files kept byte for
// byte through the document, and UTF-8 documents parsed by whole characters.
#include "settings/FileEncoding.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "settings/IniDocument.h"

namespace tallyvox {
namespace {

using namespace std::string_literals;  // for literals holding NUL bytes

struct DetectCase {
    const char* name;
    std::string bytes;
    FileEncoding expected;
};

void PrintTo(const DetectCase& c, std::ostream* os) {
    *os << c.name;
}

class DetectEncodingTest : public testing::TestWithParam<DetectCase> {};

TEST_P(DetectEncodingTest, FollowsTheMarkThenTheBytes) {
    EXPECT_EQ(DetectEncoding(GetParam().bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DetectEncodingTest,
    testing::Values(
        DetectCase{"GbkTitle", "[Common]\r\nTitle1=\xB4\xF3\xC1\xFA\r\n", FileEncoding::Gbk},
        DetectCase{"AsciiOnly", "[Common]\r\nTopMost=0\r\n", FileEncoding::Gbk},
        DetectCase{"Utf8WithoutMark", "[Common]\r\nTitle1=大龙\r\n", FileEncoding::Utf8},
        DetectCase{"Utf8MarkAsciiOnly", "\xEF\xBB\xBF[Common]\r\n", FileEncoding::Utf8},
        DetectCase{"GbkBehindUtf8Mark", "\xEF\xBB\xBFTitle1=\xB4\xF3\r\n", FileEncoding::Gbk},
        DetectCase{"Utf16Le", "\xFF\xFE[\0"s, FileEncoding::Utf16Le},
        DetectCase{"Utf16Be", "\xFE\xFF\0["s, FileEncoding::Utf16Be},
        DetectCase{"OddLengthIsNoUtf16", "\xFF\xFE[\0\n"s, FileEncoding::Gbk},
        DetectCase{"OneBadSequenceMakesGbk", "a=大龙\r\nb=\xB4\xF3\r\n", FileEncoding::Gbk},
        DetectCase{"OverlongIsNoUtf8", "a=\xC0\xBB\r\n", FileEncoding::Gbk},
        DetectCase{"SurrogateIsNoUtf8", "a=\xED\xA0\x80\r\n", FileEncoding::Gbk},
        DetectCase{"CutSequenceIsNoUtf8", "a=\xE5\xA4", FileEncoding::Gbk}),
    [](const auto& info) { return std::string(info.param.name); });

// The rule's limit: GBK text whose every character happens to be well-formed UTF-8.
TEST(DetectEncodingLimit, GbkThatIsAlsoUtf8IsTakenForUtf8) {
    const std::string novel = "\xD0\xA1\xCB\xB5";  // 小说 in GBK, "С˵" in UTF-8
    EXPECT_EQ(DetectEncoding("[Common]\r\nTitle1=" + novel + "\r\n"), FileEncoding::Utf8);
    EXPECT_EQ(DetectEncoding("[Common]\r\nTitle1=" + novel + "\r\nTitle2=\xB4\xF3\xC1\xFA\r\n"),
              FileEncoding::Gbk)
        << "one other Chinese character is enough to tell";
}

TEST(Utf16Document, ConvertsToUtf8AndBackByteForByte) {
    // Mark, "[a]", CRLF, 大, U+1F600 as a pair, and a lone high surrogate.
    const std::string le = "\xFF\xFE[\0a\0]\0\r\0\n\0\x27\x59\x3D\xD8\x00\xDE\x3D\xD8"s;
    EXPECT_EQ(ToDocumentBytes(le, FileEncoding::Utf16Le),
              "\xEF\xBB\xBF[a]\r\n大\xF0\x9F\x98\x80\xED\xA0\xBD");
    EXPECT_EQ(ToFileBytes(ToDocumentBytes(le, FileEncoding::Utf16Le), FileEncoding::Utf16Le), le);
    const std::string be = "\xFE\xFF\0[\x59\x27\xDE\x00"s;
    EXPECT_EQ(ToFileBytes(ToDocumentBytes(be, FileEncoding::Utf16Be), FileEncoding::Utf16Be), be);
}

TEST(Utf8Document, ReadsWholeCharactersNotGbkPairs) {
    // As GBK pairs, 名's last byte would swallow the ']', putting TopMost into Common, and the
    // cut would split 大.
    const std::string file = "[Common]\nTitle1=" + std::string(2045, 'a') + "大\n[名]\nTopMost=1\n";
    const IniDocument document(file, IniDocument::Charset::Utf8);
    EXPECT_EQ(document.Get("Common", "TopMost"), std::nullopt);
    EXPECT_EQ(document.Get("名", "TopMost"), "1");
    EXPECT_EQ(document.Get("吊", "TopMost"), std::nullopt) << "differs from 名 in its last byte";
    EXPECT_EQ(document.Get("Common", "Title1"), std::string(2045, 'a'));
    EXPECT_EQ(document.Serialize(), file);
}

}  // namespace
}  // namespace tallyvox
