// The settings store on real files under Wine: whole reads, one-step replacing writes, and
// the files it must refuse to create or clobber.
#include "settings/SettingsStore_win32.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Driver.h"

namespace tallyvox {
namespace {

using e2e::TempDir;
using e2e::ToUtf8;

const std::string kSettings = "[Common]\r\nTitle1=\xB1\xEA\xCC\xE2\x31\r\nTopMost=1\r\n";
constexpr StoreResult kDone = StoreResult::Done;

// The file's bytes, or nullopt when the read fails.
std::optional<std::string> ReadAll(const std::string& path) {
    std::string bytes;
    if (Win32SettingsStore().Read(path, bytes).result != kDone) return std::nullopt;
    return bytes;
}

StoreResult Replace(const std::string& path, const std::string& bytes) {
    return Win32SettingsStore().WriteReplacing(path, bytes).result;
}

// Names in the folder besides "." and "..".
int EntryCount(const TempDir& dir) {
    int count = 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((dir.Path() + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") ++count;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

TEST(SettingsStoreTest, ReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    TempDir dir;
    dir.Write(L"qorvane.db", "old");
    const std::string path = ToUtf8(dir.File(L"qorvane.db"));
    ASSERT_EQ(Replace(path, kSettings), kDone);
    EXPECT_EQ(ReadAll(path), kSettings);
    EXPECT_EQ(dir.Read(L"qorvane.db"), kSettings);
    EXPECT_EQ(EntryCount(dir), 1);
}

TEST(SettingsStoreTest, WorksInAFolderWithAChineseName) {
    TempDir dir;
    const std::wstring folder = dir.File(L"计时器");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring file = folder + L"\\qorvane.db";
    e2e::WriteFileBytes(file, "old");
    ASSERT_EQ(Replace(ToUtf8(file), kSettings), kDone);
    EXPECT_EQ(ReadAll(ToUtf8(file)), kSettings);
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(SettingsStoreTest, NeverCreatesAMissingFile) {
    TempDir dir;
    const std::string path = ToUtf8(dir.File(L"qorvane.db"));
    EXPECT_EQ(ReadAll(path), std::nullopt);
    EXPECT_EQ(Replace(path, kSettings), StoreResult::Missing);
    EXPECT_EQ(EntryCount(dir), 0);
}

TEST(SettingsStoreTest, RefusesAReadOnlyFileAndKeepsIt) {
    TempDir dir;
    dir.Write(L"qorvane.db", kSettings);
    const std::wstring file = dir.File(L"qorvane.db");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Replace(ToUtf8(file), "clobbered"), StoreResult::ReadOnly);
    EXPECT_EQ(dir.Read(L"qorvane.db"), kSettings);
    EXPECT_NE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(EntryCount(dir), 1);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SettingsStoreTest, KeepsAHiddenFileHidden) {
    TempDir dir;
    dir.Write(L"qorvane.db", "old");
    const std::wstring file = dir.File(L"qorvane.db");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_EQ(Replace(ToUtf8(file), kSettings), kDone);
    EXPECT_NE(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SettingsStoreTest, ADirectoryInPlaceOfTheFileIsNeitherReadNorReplaced) {
    TempDir dir;
    const std::wstring folder = dir.File(L"qorvane.db");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_EQ(ReadAll(ToUtf8(folder)), std::nullopt);
    EXPECT_EQ(Replace(ToUtf8(folder), kSettings), StoreResult::Missing);
    EXPECT_NE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    RemoveDirectoryW(folder.c_str());
}

TEST(SettingsStoreTest, ReadsEveryByteAsStored) {
    TempDir dir;
    const std::string bytes = kSettings + std::string("\0\xFF\r", 3);
    dir.Write(L"qorvane.db", bytes);
    EXPECT_EQ(ReadAll(ToUtf8(dir.File(L"qorvane.db"))), bytes);
}

TEST(SettingsStoreTest, ExecutableFolderIsAFolderEndingInASeparator) {
    const std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    const DWORD attributes = GetFileAttributesW(e2e::FromUtf8(folder).c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

}  // namespace
}  // namespace tallyvox
