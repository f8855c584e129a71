// The per-folder instance name: the same folder gives the same name, any other folder another,
// and a path of any length or alphabet a name the system takes.
#include "program/FolderInstanceName.h"

#include <gtest/gtest.h>

#include <string>

namespace tallyvox {
namespace {

TEST(FolderInstanceNameTest, NamesTheFolderByItsChecksumAndTail) {
    // 0xA290E877 is zlib's crc32 of "123456789" in UTF-16 little-endian bytes.
    EXPECT_EQ(FolderInstanceName(u"123456789"), u"Local\\Tallyvox-A290E877-123456789");
    const std::u16string name = FolderInstanceName(u"C:\\游戏\\TALLYVOX");
    EXPECT_EQ(name.find(u'\\', 6), std::u16string::npos) << "one backslash, after Local";
    EXPECT_TRUE(name.ends_with(u"-C:/游戏/TALLYVOX"));
    EXPECT_EQ(FolderInstanceName(u"C:\\游戏\\TALLYVOX\\"), name) << "a trailing separator";
}

TEST(FolderInstanceNameTest, FoldersThatDifferGetNamesThatDiffer) {
    const std::u16string deep(32000, u'\u00C4');
    const std::u16string pairs[][2] = {
        {u"C:\\GAMES\\TALLYVOX", u"D:\\GAMES\\TALLYVOX"},
        {u"C:\\GAMES\\TALLYVOX", u"C:\\GAMES\\TALLYVOX2"},
        {u"A" + deep, u"B" + deep},            // alike in every unit of the tail
        {u"\xD83C" + deep, u"\xD83D" + deep},  // a lone surrogate
    };
    for (const auto& pair : pairs) {
        const std::u16string first = FolderInstanceName(pair[0]);
        EXPECT_NE(first, FolderInstanceName(pair[1]));
        EXPECT_LE(first.size(), kMaxKernelObjectName);
    }
}

}  // namespace
}  // namespace tallyvox
