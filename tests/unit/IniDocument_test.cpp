// IniDocument: how raw bytes are read as sections, keys and values, and that setting a value
// touches no byte outside the line it belongs to.

#include "settings/IniDocument.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tallyvox {
namespace {

using namespace std::string_literals;  // for literals holding NUL bytes

// GBK bytes of the texts the program stores: 标题1, 多排.
const std::string kTitle1 = "\xB1\xEA\xCC\xE2\x31";
const std::string kMultiRow = "\xB6\xE0\xC5\xC5";

struct GetCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> expected;
};

void PrintTo(const GetCase& c, std::ostream* os) {
    *os << c.name;
}

class IniDocumentGet : public ::testing::TestWithParam<GetCase> {};

TEST_P(IniDocumentGet, ReadsValue) {
    const GetCase& c = GetParam();
    EXPECT_EQ(IniDocument(c.file).Get(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniDocumentGet,
    ::testing::Values(
        GetCase{"SingleKey", "[Common]\nTopMost=0\n", "Common", "TopMost", "0"},
        GetCase{"CrlfEndingNotInValue", "[Common]\r\nTopMost=0\r\nIsCircle=1\r\n", "Common",
                "TopMost", "0"},
        GetCase{"LoneCrEndsLines", "[Common]\rTopMost=0\rIsCircle=1\r", "Common", "IsCircle", "1"},
        GetCase{"NoFinalNewline", "[Common]\nTitle1=abc", "Common", "Title1", "abc"},
        GetCase{"EmptyValueIsEmptyNotMissing", "[Common]\nTitle1=\n", "Common", "Title1", ""},
        GetCase{"MissingKey", "[Common]\nTopMost=0\n", "Common", "Title1", std::nullopt},
        GetCase{"MissingSection", "[Other]\nTitle1=x\n", "Common", "Title1", std::nullopt},
        GetCase{"ValueKeepsLaterEquals", "[Common]\nTitle1=a=b\n", "Common", "Title1", "a=b"},
        GetCase{"BlanksAroundKeyIgnoredValueKept", "[Common]\n \tTitle1 \t= x \t\n", "Common",
                "Title1", " x \t"},
        GetCase{"QuotesKept", "[Common]\nTitle1=\"q\"\n", "Common", "Title1", "\"q\""},
        GetCase{"NamesIgnoreCase", "[cOMMON]\ntopmost=0\n", "Common", "TOPMOST", "0"},
        GetCase{"FirstDuplicateKeyWins", "[Common]\nTitle1=one\ntitle1=two\n", "Common", "Title1",
                "one"},
        GetCase{"KeyOfOtherSectionNotSeen", "[Other]\nTitle1=x\n[Common]\nTopMost=0\n", "Common",
                "Title1", std::nullopt},
        GetCase{"KeyBeforeAnySectionNotSeen", "Title1=x\n[Common]\nTopMost=0\n", "Common", "Title1",
                std::nullopt},
        GetCase{"OnlyFirstSectionOfANameRead", "[Common]\nA=1\n[Common]\nTitle1=x\n", "Common",
                "Title1", std::nullopt},
        GetCase{"CommentIsNoKey", "[Common]\n;Title1=x\n", "Common", ";Title1", std::nullopt},
        GetCase{"LineWithoutEqualsIsNoKey", "[Common]\nTitle1\nTitle1=x\n", "Common", "Title1",
                "x"},
        GetCase{"GbkValueUntouched", "[Common]\nTitle1=" + kTitle1 + "\n", "Common", "Title1",
                kTitle1},
        GetCase{"GbkTrailByteBracketInSectionName", "[\xB0]]\nk=v\n", "\xB0]", "k", "v"},
        GetCase{"GbkTrailByteNotCaseFoldedInKey", "[Common]\n\xB0\x41=v\n", "Common", "\xB0\x61",
                std::nullopt},
        GetCase{"GbkTrailByteMatchesItself", "[Common]\n\xB0\x41=v\n", "Common", "\xB0\x41", "v"},
        GetCase{"BomBeforeHeader", "\xEF\xBB\xBF[Common]\nTopMost=0\n", "Common", "TopMost", "0"},
        GetCase{"NulBytesPassThrough", "[Common]\n\0=x\nTitle1=a\0b\n"s, "Common", "Title1",
                "a\0b"s},
        GetCase{"BlanksAroundSectionName", "  [ Common ] trailing\nTopMost=0\n", "Common",
                "TopMost", "0"},
        GetCase{"HeaderWithoutCloseBracketIsNoHeader", "[Common\nTopMost=0\n", "Common", "TopMost",
                std::nullopt},
        GetCase{"EmptyKeyNameIsNoKey", "[Common]\n=x\n", "Common", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct SectionCase {
    const char* name;
    std::string file;
    bool exists;
};

void PrintTo(const SectionCase& c, std::ostream* os) {
    *os << c.name;
}

class IniDocumentSection : public ::testing::TestWithParam<SectionCase> {};

TEST_P(IniDocumentSection, ExistsOnlyWithAKey) {
    const SectionCase& c = GetParam();
    EXPECT_EQ(IniDocument(c.file).SectionExists("Common"), c.exists);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniDocumentSection,
    ::testing::Values(SectionCase{"EmptyFile", "", false},
                      SectionCase{"HeaderOnly", "[Common]", false},
                      SectionCase{"HeaderOnlyWithNewline", "[Common]\r\n", false},
                      SectionCase{"BlankCommentAndBareLines", "[Common]\n\n; c=1\nfoo\n=x\n",
                                  false},
                      SectionCase{"KeyBelongsToNextSection", "[Common]\n[Other]\nk=v\n", false},
                      SectionCase{"KeyBeforeHeader", "k=v\n[Common]\n", false},
                      SectionCase{"SingleKey", "[Common]\nTopMost=0", true},
                      SectionCase{"EmptyValueCounts", "[common]\nk=\n", true},
                      SectionCase{"AfterOtherSection", "[Other]\na=1\n[Common]\nk=v\n", true}),
    [](const auto& info) { return std::string(info.param.name); });

struct CutCase {
    const char* name;
    std::string value;
    std::string expected;
};

void PrintTo(const CutCase& c, std::ostream* os) {
    *os << c.name;
}

class IniDocumentCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(IniDocumentCut, CutsLongValues) {
    const CutCase& c = GetParam();
    const IniDocument doc("[Common]\r\nTitle1=" + c.value + "\r\nNext=1\r\n");
    EXPECT_EQ(doc.Get("Common", "Title1"), c.expected);
    EXPECT_EQ(doc.Get("Common", "Next"), "1");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniDocumentCut,
    ::testing::Values(
        CutCase{"Exactly2047", std::string(2047, 'a'), std::string(2047, 'a')},
        CutCase{"Of2048", std::string(2048, 'a'), std::string(2047, 'a')},
        CutCase{"OneMegabyte", std::string(1 << 20, 'b'), std::string(2047, 'b')},
        CutCase{"CharacterEndingAtLimitKept", std::string(2045, 'a') + "\xB1\xEA",
                std::string(2045, 'a') + "\xB1\xEA"},
        CutCase{"CharacterAcrossLimitDropped", std::string(2046, 'a') + "\xB1\xEA",
                std::string(2046, 'a')},
        // 0x5D after a lead byte is a trail byte: the pair B1 5D must not be split either.
        CutCase{"PairWithAsciiTrailDropped", std::string(2046, 'a') + "\xB1]x",
                std::string(2046, 'a')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniDocumentRoundTrip, UnchangedDocumentSerialisesToItsBytes) {
    const std::vector<std::string> files = {
        "",
        "[Common]",
        "\n\n",
        "[Common]\r\nTopMost=0\r\n",
        "[Common]\nTopMost=0",
        "[Common]\rA=1\r\nB=2\n\r\rC=3",
        "\xEF\xBB\xBF[Common]\r\nTitle1=" + kTitle1 + "\r\n",
        "\xEF\xBB\xBF",
        "; lead\n  [ Common ]  \n  A = 1 \n\n[Other]\nx\n",
        "[Common]\nA=\0\0\n\0"s,
        "[Common]\nTitle1=" + std::string(1 << 20, 'z') + "\n",
    };
    for (const std::string& file : files) {
        EXPECT_EQ(IniDocument(file).Serialize(), file);
    }
}

struct SetCase {
    const char* name;
    std::string before;
    std::string key;
    std::string value;
    std::string after;
};

void PrintTo(const SetCase& c, std::ostream* os) {
    *os << c.name;
}

class IniDocumentSet : public ::testing::TestWithParam<SetCase> {};

TEST_P(IniDocumentSet, ChangesOnlyItsLine) {
    const SetCase& c = GetParam();
    IniDocument doc(c.before);
    EXPECT_TRUE(doc.Set("Common", c.key, c.value));
    EXPECT_EQ(doc.Serialize(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniDocumentSet,
    ::testing::Values(
        SetCase{"ReplaceKeepsNeighbours",
                "; top\n[Common]\nA=1\nTopMost=1\n; note\nB=2\n[Other]\nTopMost=1\n", "TopMost",
                "0", "; top\n[Common]\nA=1\nTopMost=0\n; note\nB=2\n[Other]\nTopMost=1\n"},
        SetCase{"ReplaceKeepsCrlf", "[Common]\r\nA=1\r\nTopMost=1\r\n\r\n[X]\r\nB=2\r\n", "TopMost",
                "0", "[Common]\r\nA=1\r\nTopMost=0\r\n\r\n[X]\r\nB=2\r\n"},
        SetCase{"ReplaceKeepsSpellingAndBlanksBeforeEquals", "[Common]\n topmost = 1  \n",
                "TopMost", "0", "[Common]\n topmost =0\n"},
        SetCase{"ReplaceLastLineWithoutEnding", "[Common]\nTopMost=1", "TopMost", "0",
                "[Common]\nTopMost=0"},
        SetCase{"ReplaceValueWithEquals", "[Common]\nTitle1=x\n", "Title1", "a=b",
                "[Common]\nTitle1=a=b\n"},
        SetCase{"ReplaceWithEmpty", "[Common]\nTitle1=x\n", "Title1", "", "[Common]\nTitle1=\n"},
        SetCase{"ReplaceFirstDuplicateOnly", "[Common]\nA=1\nA=2\n", "A", "3",
                "[Common]\nA=3\nA=2\n"},
        SetCase{"ReplaceWithGbk", "[Common]\nSortType=x\n", "SortType", kMultiRow,
                "[Common]\nSortType=" + kMultiRow + "\n"},
        SetCase{"ReplaceLongValueWhole", "[Common]\nT=" + std::string(5000, 'a') + "\nU=1\n", "T",
                "b", "[Common]\nT=b\nU=1\n"},
        SetCase{"ValueCutAtLineBreak", "[Common]\nT=x\n", "T", "a\r\nb", "[Common]\nT=a\n"},
        SetCase{"AddAfterLastKeyBeforeBlankAndComment", "[Common]\nA=1\n\n; c\n[Other]\nB=2\n", "K",
                "v", "[Common]\nA=1\nK=v\n\n; c\n[Other]\nB=2\n"},
        SetCase{"AddUsesCrlf", "[Common]\r\nA=1\r\n", "K", "v", "[Common]\r\nA=1\r\nK=v\r\n"},
        SetCase{"AddUsesLoneCr", "[Common]\rA=1\r", "K", "v", "[Common]\rA=1\rK=v\r"},
        SetCase{"AddUsesFirstEnding", "[Common]\r\nA=1\n", "K", "v", "[Common]\r\nA=1\nK=v\r\n"},
        // A lone CR before a blank LF line would read back as one CRLF: the blank line would go.
        SetCase{"AddBeforeBlankLfLineAvoidsLoneCr", "[Common]\rA=1\n\n", "K", "v",
                "[Common]\rA=1\nK=v\r\n\n"},
        SetCase{"AddKeepsMissingFinalNewline", "[Common]\r\nA=1", "K", "v",
                "[Common]\r\nA=1\r\nK=v"},
        SetCase{"AddUnderHeaderWithoutKeys", "[Common]\n[Other]\nB=2\n", "K", "v",
                "[Common]\nK=v\n[Other]\nB=2\n"},
        SetCase{"AddUnderBareHeader", "[Common]", "K", "v", "[Common]\nK=v"},
        SetCase{"AddToFirstOfDuplicateSections", "[Common]\nA=1\n[Common]\nK=1\n", "K", "v",
                "[Common]\nA=1\nK=v\n[Common]\nK=1\n"},
        SetCase{"AddKeepsBom", "\xEF\xBB\xBF[Common]\r\nA=1\r\n", "K", "v",
                "\xEF\xBB\xBF[Common]\r\nA=1\r\nK=v\r\n"},
        SetCase{"AddSectionAtEnd", "[Other]\r\nB=2\r\n", "K", "v",
                "[Other]\r\nB=2\r\n[Common]\r\nK=v\r\n"},
        SetCase{"AddSectionAfterLineWithoutEnding", "[Other]\nB=2", "K", "v",
                "[Other]\nB=2\n[Common]\nK=v"},
        SetCase{"AddSectionToEmptyDocument", "", "K", "v", "[Common]\nK=v\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniDocumentSet, SameValueChangesNothing) {
    const std::string file = "[Common]\r\nA= 1\r\nB=\r\n";
    IniDocument doc(file);
    EXPECT_FALSE(doc.Set("common", "a", " 1"));
    EXPECT_FALSE(doc.Set("Common", "B", ""));
    EXPECT_EQ(doc.Serialize(), file);
}

TEST(IniDocumentSet, ValuesReadBackAsSet) {
    const std::vector<std::string> values = {"a=b", "", " 7 ", "\"q\"", kTitle1, ";x", "[y]"};
    for (const std::string& value : values) {
        IniDocument doc("[Common]\nTitle1=old\n");
        doc.Set("Common", "Title1", value);
        EXPECT_EQ(IniDocument(doc.Serialize()).Get("Common", "Title1"), value);
    }
}

}  // namespace
}  // namespace tallyvox
