// Bad settings files and file-system faults, end to end: whatever the file holds or whatever
// happens to it, the program runs, its dialog opens and closes, it exits cleanly, and the file
// afterwards holds either its old bytes or the whole new content, never a mix or nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "DialogFixture.h"
#include "Driver.h"
#include "OverlayFixture.h"
#include "app/OverlayIds.h"
#include "dialog/DialogIds.h"
#include "settings/IniDocument.h"

namespace tallyvox::e2e {
namespace {

const std::wstring kEmptyDurationBox = L"'' is not a valid integer value.";
const std::wstring kTypedTitle = L"新的";

// Joins lines, taking their endings in turn from `endings`.
std::string Join(const std::vector<std::string>& lines, std::vector<std::string> endings) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) text += lines[i] + endings[i % endings.size()];
    return text;
}

std::string ValidFile(const std::vector<std::string>& endings = {"\r\n"}) {
    std::vector<std::string> lines = {"[Common]"};
    for (const std::string& line : FullSettingsLines()) lines.push_back(line);
    return Join(lines, endings);
}

// Reproducible bytes of every value, NUL, CR, LF, '[' and '=' included.
std::string Garbage(std::size_t size, std::uint32_t seed) {
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<char>(seed >> 24);
    }
    return bytes;
}

// The values of every key in the file's [Common] section, read by the program's own reader.
std::map<std::string, std::string> KeyValues(const std::string& bytes) {
    const IniDocument document(bytes);
    std::map<std::string, std::string> values;
    for (const std::string& key : SettingsKeyOrder()) {
        if (const auto value = document.Get("Common", key)) values[key] = *value;
    }
    return values;
}

// Whether `file` is `before` with the keys' values replaced by `now` where they stand, every
// other byte kept (IniDocument's replacing is held against Wine's by the differential test).
bool OnlyValuesChanged(const std::string& before, const std::string& file,
                       const std::map<std::string, std::string>& now) {
    IniDocument expected(before);
    for (const auto& [key, value] : now) expected.Set("Common", key, value);
    return expected.Serialize() == file;
}

// --- faults ------------------------------------------------------------------------------------

// A handle on the settings file from another process, as an editor, a backup tool or a virus
// scanner would hold it.
class FileHolder {
  public:
    ~FileHolder() { Release(); }
    void Hold(const std::wstring& path, DWORD share) {
        Release();
        handle_ = CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(handle_, INVALID_HANDLE_VALUE) << "cannot hold the settings file";
    }
    void Release() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

  private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

enum class Fault {
    None,
    LockedAtStart,  // held with no sharing while the program starts, released afterwards
    // Held at the start, read-only at the close; writable again after the box, and a new
    // dialog closes: that close stores what the failed one did not.
    LockedAtStartReadOnlyLater,
    LockedAtClose,     // held with no sharing while the dialog closes (see FaultCase::saveBox)
    HeldOpenAtClose,   // held with full sharing while the dialog closes, released right after
    ReadOnly,          // read-only attribute set while the program runs
    Deleted,           // deleted while the program runs
    DirectoryAtStart,  // a folder of that name instead of the file from the start
    DirectoryLater,    // the file replaced by a folder while the program runs
    FolderFull,        // no temp file can be made beside it (see TakeAllTempNames)
};

enum class After {
    OldBytes,     // the file holds exactly what it held before
    NewContent,   // every key holds what the dialog showed; every other line is kept
    OnlyTyped,    // the old file but for the title typed in; keys never loaded are kept
    NoFile,       // there is still no file
    StillFolder,  // the folder is still there
};

struct FaultCase {
    std::string name;
    std::function<std::string()> file;  // the settings file's bytes before the start
    Fault fault;
    // Nothing usable was loaded: the start-up filling and each new dialog's filling report the
    // empty duration, and a counting slot's ticks report the empty last-seconds text.
    bool emptyDurationBox;
    After after;
    // The save fails for good: after the dialog has closed, a box says so. A file held at the
    // close is let go only once the box is there, else right after the close.
    bool saveBox = false;
};

void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.name;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The program makes its temp file with GetTempFileNameW(folder, "tvx"), which tries the names
// tvx1.tmp .. tvxffff.tmp. With all of them taken by folders, no temp file can be created or
// written beside the settings file: what a save meets in a folder it may not write to. (Denying
// writes for real is not possible here: Wine ignores deny ACLs and the read-only mark of a
// folder, and the tests may run as root, for whom Unix permissions do not hold.)
// The folders are made by a Unix shell, which Wine starts for a Unix executable: made one by one
// through Wine, each creation scans the growing folder for a name differing in case only.
void TakeAllTempNames(const TempDir& dir) {
    dir.Write(L"take.sh", "printf 'tvx%x.tmp\\n' $(seq 1 65535) | xargs mkdir && : > taken\n");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring command = L"sh take.sh";
    ASSERT_TRUE(CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               dir.Path().c_str(), &startup, &process))
        << "cannot run /bin/sh";
    if (process.hProcess != nullptr) CloseHandle(process.hProcess);
    if (process.hThread != nullptr) CloseHandle(process.hThread);
    ASSERT_TRUE(WaitUntil([&] { return dir.Exists(L"taken"); }, 60000, 100));
    DeleteFileW(dir.File(L"taken").c_str());
    DeleteFileW(dir.File(L"take.sh").c_str());
    ASSERT_TRUE(IsFolder(dir.File(L"tvxffff.tmp")));
}

void FreeAllTempNames(const TempDir& dir) {
    for (unsigned unique = 1; unique <= 0xFFFF; ++unique) {
        wchar_t name[16];
        swprintf(name, 16, L"tvx%x.tmp", unique);
        RemoveDirectoryW(dir.File(name).c_str());
    }
}

// Names in the folder other than the program, its settings file and the temp names we took.
std::vector<std::wstring> StrayFiles(const TempDir& dir) {
    std::vector<std::wstring> stray;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(dir.File(L"*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return stray;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L".." || name == L"tallyvox.exe" || name == L"qorvane.db")
            continue;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name.rfind(L"tvx", 0) == 0)
            continue;
        stray.push_back(name);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return stray;
}

class FaultTest : public DialogFixture, public testing::WithParamInterface<FaultCase> {
  protected:
    FileHolder holder;

    std::wstring SettingsPath() const { return dir.File(L"qorvane.db"); }

    // Any box of the program, whatever its title.
    std::vector<std::wstring> VisibleBoxes() const {
        std::vector<std::wstring> boxes;
        for (HWND box : FindTopLevelWindows(L"#32770", nullptr, app.Pid())) {
            if (IsVisible(box)) boxes.push_back(GetText(box) + L": " + MessageBoxText(box).wide);
        }
        return boxes;
    }
    void ExpectNoBox(const char* when) const {
        EXPECT_EQ(VisibleBoxes(), std::vector<std::wstring>{}) << when;
    }

    // With nothing loaded, the new dialog's filling reports the empty duration first.
    void OpenDialog(bool fillingBox) {
        ASSERT_NO_FATAL_FAILURE(ChooseSettingsFromMenu());
        if (fillingBox) {
            ASSERT_NO_FATAL_FAILURE(PressAwayErrorBox(kEmptyDurationBox));
        }
        ASSERT_NO_FATAL_FAILURE(WaitForDialog());
    }

    // A double click starts slot 1 and its count goes down; another stops it. With nothing
    // loaded the last-seconds text is empty, and every tick after its count reports it with
    // the conversion box, which holds the overlay until it is pressed away.
    void SlotCounts(bool tickBox) {
        const std::wstring before = PanelText(1);
        DoubleClick(Panel(1));
        std::wstring now;
        EXPECT_TRUE(WaitUntil(
            [&] {
                now = PanelText(1);
                return now != before && !now.empty();
            },
            3000))
            << "slot 1 counts; shows " << ToUtf8(now);
        if (!tickBox) {
            DoubleClick(Panel(1));
            return;
        }
        for (int attempt = 0; attempt < 5; ++attempt) {
            ASSERT_NO_FATAL_FAILURE(PressAwayErrorBox(kEmptyDurationBox, 3000));
            DoubleClick(Panel(1));
            // The stop shows the count green at once. A tick that came first opens a box, whose
            // disabled owner loses the double click.
            bool stopped = false;
            ASSERT_TRUE(WaitUntil(
                [&] {
                    stopped = CountPixels(Panel(1), kGreen) > 0;
                    return stopped || CountMessageBoxes(L"Tallyvox", app.Pid()) > 0;
                },
                3000))
                << "the double click neither stops slot 1 nor meets a box";
            if (stopped) return;
        }
        ADD_FAILURE() << "slot 1 does not stop";
    }
};

TEST_P(FaultTest, ProgramRunsAndTheFileIsOldOrWholeNew) {
    const FaultCase& c = GetParam();
    const std::string before = c.file();
    if (c.fault == Fault::DirectoryAtStart) {
        ASSERT_TRUE(CreateDirectoryW(SettingsPath().c_str(), nullptr));
    } else {
        dir.WriteSettings(before);
    }
    if (c.fault == Fault::LockedAtStart || c.fault == Fault::LockedAtStartReadOnlyLater) {
        ASSERT_NO_FATAL_FAILURE(holder.Hold(SettingsPath(), 0));
    }

    ASSERT_NO_FATAL_FAILURE(Start("", false));  // the file is as written above
    if (c.emptyDurationBox) {
        ASSERT_NO_FATAL_FAILURE(PressAwayErrorBox(kEmptyDurationBox, 10000));
    }
    ASSERT_TRUE(WaitUntil([&] { return IsVisible(main); }, 10000));
    holder.Release();
    ExpectNoBox("after start-up");

    switch (c.fault) {
        case Fault::ReadOnly:
        case Fault::LockedAtStartReadOnlyLater:
            ASSERT_TRUE(SetFileAttributesW(SettingsPath().c_str(), FILE_ATTRIBUTE_READONLY));
            break;
        case Fault::Deleted:
            ASSERT_TRUE(DeleteFileW(SettingsPath().c_str()));
            break;
        case Fault::DirectoryLater:
            ASSERT_TRUE(DeleteFileW(SettingsPath().c_str()));
            ASSERT_TRUE(CreateDirectoryW(SettingsPath().c_str(), nullptr));
            break;
        case Fault::FolderFull:
            ASSERT_NO_FATAL_FAILURE(TakeAllTempNames(dir));
            break;
        default:
            break;
    }

    ASSERT_NO_FATAL_FAILURE(SlotCounts(c.emptyDurationBox));
    ASSERT_NO_FATAL_FAILURE(OpenDialog(c.emptyDurationBox));
    // A new title for slot 2, so that a save is visible in the file.
    ASSERT_NO_FATAL_FAILURE(ReplaceText(Ctl(ids::Title(2)), kTypedTitle));
    ASSERT_TRUE(WaitUntil([&] { return GetText(Ctl(ids::Title(2))) == kTypedTitle; }));
    const std::map<std::string, std::string> shown = ShownSettings(dialog);
    if (c.fault == Fault::LockedAtClose) {
        ASSERT_NO_FATAL_FAILURE(holder.Hold(SettingsPath(), 0));
    }
    if (c.fault == Fault::HeldOpenAtClose) {
        ASSERT_NO_FATAL_FAILURE(
            holder.Hold(SettingsPath(), FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE));
    }
    ASSERT_NO_FATAL_FAILURE(CloseDialog());
    if (c.saveBox) {
        const HWND box = WaitForMessageBox(L"Tallyvox", 5000, app.Pid());
        ASSERT_NE(box, nullptr) << "no box says that the settings were not saved";
        EXPECT_NE(MessageBoxText(box).wide.find(SettingsPath()), std::wstring::npos)
            << "the box names the file: " << ToUtf8(MessageBoxText(box).wide);
        ASSERT_TRUE(PressMessageBoxOk(box));
    }
    holder.Release();
    ExpectNoBox("after the dialog closed");
    if (c.fault == Fault::LockedAtStartReadOnlyLater) {
        ASSERT_TRUE(SetFileAttributesW(SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL));
        ASSERT_NO_FATAL_FAILURE(OpenDialog(c.emptyDurationBox));
        ASSERT_NO_FATAL_FAILURE(CloseDialog());
        ExpectNoBox("after the next dialog closed");
    }
    ASSERT_NO_FATAL_FAILURE(ExitByMenu());

    if (c.fault == Fault::FolderFull) FreeAllTempNames(dir);
    EXPECT_EQ(StrayFiles(dir), std::vector<std::wstring>{}) << "no temp file is left behind";
    if (c.fault == Fault::ReadOnly) {
        EXPECT_TRUE(GetFileAttributesW(SettingsPath().c_str()) & FILE_ATTRIBUTE_READONLY);
        SetFileAttributesW(SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    switch (c.after) {
        case After::NoFile:
            EXPECT_FALSE(dir.Exists(L"qorvane.db")) << "the program never creates its file";
            break;
        case After::StillFolder:
            EXPECT_TRUE(IsFolder(SettingsPath()));
            break;
        case After::OldBytes: {
            const std::string now = dir.ReadSettings();
            EXPECT_EQ(now.size(), before.size());
            EXPECT_TRUE(now == before) << "the file changed";
            break;
        }
        case After::OnlyTyped: {
            const std::string file = dir.ReadSettings();
            const auto old = KeyValues(before), now = KeyValues(file);
            for (const std::string& key : SettingsKeyOrder()) {
                ASSERT_TRUE(now.contains(key)) << key << " is missing";
                EXPECT_EQ(HexBytes(now.at(key)),
                          HexBytes(key == "Title2" ? ToGbk(kTypedTitle) : old.at(key)))
                    << key;
            }
            EXPECT_TRUE(OnlyValuesChanged(before, file, now)) << "other lines changed";
            break;
        }
        case After::NewContent: {
            const std::string file = dir.ReadSettings();
            const auto now = KeyValues(file);
            for (const std::string& key : SettingsKeyOrder()) {
                ASSERT_TRUE(now.contains(key)) << key << " is missing";
                EXPECT_EQ(HexBytes(now.at(key)), HexBytes(shown.at(key))) << key;
            }
            EXPECT_EQ(FromGbk(now.at("Title2")), kTypedTitle) << "the typed title is saved";
            EXPECT_TRUE(OnlyValuesChanged(before, file, now))
                << "lines were lost, added or changed";
            break;
        }
    }
}

std::string OneMegabyte(char fill) {
    return std::string(1 << 20, fill);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FaultTest,
    testing::Values(
        FaultCase{"CrlfFile", [] { return ValidFile(); }, Fault::None, false, After::NewContent},
        FaultCase{"LfOnly", [] { return ValidFile({"\n"}); }, Fault::None, false,
                  After::NewContent},
        FaultCase{"MixedLineEnds",
                  [] {
                      return ValidFile({"\r\n", "\n", "\r", "\n"});
                  },
                  Fault::None, false, After::NewContent},
        FaultCase{"Utf8Bom", [] { return "\xEF\xBB\xBF" + ValidFile(); }, Fault::None, false,
                  After::NewContent},
        FaultCase{"DuplicateSections",
                  [] {
                      return ValidFile() + "[Other]\r\nTitle2=x\r\n[COMMON]\r\n" +
                             Join(FullSettingsLines({{"Title2", "second"}, {"Seconds1", "bad"}}),
                                  {"\r\n"});
                  },
                  Fault::None, false, After::NewContent},
        // Only the first section of a name counts, even when it is empty and a later one is not.
        FaultCase{"EmptyFirstOfDuplicateSections", [] { return "[Common]\r\n\r\n" + ValidFile(); },
                  Fault::None, true, After::OldBytes},
        FaultCase{"MegabyteLines",
                  [] {
                      // A comment, an unknown key and a title of 1 MB each, and a last line of
                      // 1 MB without an ending. The title is read cut to its first 2046 bytes.
                      std::string title;
                      while (title.size() < (1u << 20)) title += "\xB1\xEA";  // 标
                      std::vector<std::string> lines = {";" + OneMegabyte('c'), "[Common]"};
                      for (const std::string& line : FullSettingsLines({{"Title8", title}}))
                          lines.push_back(line);
                      lines.push_back("Notes=" + OneMegabyte('n'));
                      return Join(lines, {"\r\n"}) + OneMegabyte('z');
                  },
                  Fault::None, false, After::NewContent},
        FaultCase{"BinaryGarbage", [] { return Garbage(256 * 1024, 7); }, Fault::None, true,
                  After::OldBytes},
        FaultCase{"GarbageAfterTheKeys", [] { return ValidFile() + Garbage(64 * 1024, 11); },
                  Fault::None, false, After::NewContent},
        // Nothing was loaded, so only what the user typed may be written once the file is free.
        FaultCase{"LockedAtStart", [] { return ValidFile(); }, Fault::LockedAtStart, true,
                  After::OnlyTyped},
        FaultCase{"LockedAtClose", [] { return ValidFile(); }, Fault::LockedAtClose, false,
                  After::OldBytes, true},
        // The box's promise: the next close stores the title, though no dialog loaded it.
        FaultCase{"NextCloseStoresWhatAFailedOneHeld", [] { return ValidFile(); },
                  Fault::LockedAtStartReadOnlyLater, true, After::OnlyTyped, true},
        // Let go within the second the save is retried for: saved, and no box.
        FaultCase{"LockedBrieflyAtClose", [] { return ValidFile(); }, Fault::LockedAtClose, false,
                  After::NewContent},
        // Wine cannot replace a file that is open anywhere: the replace is retried until it can.
        FaultCase{"HeldOpenAtClose", [] { return ValidFile(); }, Fault::HeldOpenAtClose, false,
                  After::NewContent},
        FaultCase{"ReadOnly", [] { return ValidFile(); }, Fault::ReadOnly, false, After::OldBytes,
                  true},
        FaultCase{"DeletedWhileRunning", [] { return ValidFile(); }, Fault::Deleted, false,
                  After::NoFile},
        FaultCase{"FolderAtStart", [] { return std::string(); }, Fault::DirectoryAtStart, true,
                  After::StillFolder},
        FaultCase{"ReplacedByFolderWhileRunning", [] { return ValidFile(); }, Fault::DirectoryLater,
                  false, After::StillFolder},
        FaultCase{"NoTempFilePossible", [] { return ValidFile(); }, Fault::FolderFull, false,
                  After::OldBytes, true}),
    [](const testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

}  // namespace
}  // namespace tallyvox::e2e
