// The installer end to end: a silent per-user install into the test prefix, the Start-menu
// shortcut and the program started the way it starts it, an upgrade over the player's changed
// settings, and a silent uninstall.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "Driver.h"
#include "OverlayFixture.h"

namespace tallyvox::e2e {
namespace {

constexpr const wchar_t* kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tallyvox";
constexpr int kInstallerTimeoutMs = 60000;

std::wstring KnownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, &path))) return {};
    std::wstring result = path;
    CoTaskMemFree(path);
    return result;
}

std::wstring InstallDir() {
    return KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Tallyvox";
}
std::wstring ShortcutPath() {
    return KnownFolder(FOLDERID_Programs) + L"\\Tallyvox.lnk";
}
std::wstring Installed(const wchar_t* name) {
    return InstallDir() + L"\\" + name;
}

std::wstring SetupPath() {
    std::wstring path = EnvPath(L"TALLYVOX_SETUP");
    if (path.empty() || !FileExists(path))
        throw std::runtime_error("no installer at TALLYVOX_SETUP (build target dist, needs nsis)");
    return path;
}

std::optional<std::wstring> UninstallValue(const wchar_t* name) {
    wchar_t buffer[1024];
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, buffer,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(buffer);
}

// Runs a program to its end, from the temp folder (not from the folder it may remove); the exit
// code, or nullopt if it could not start or did not end.
std::optional<DWORD> RunToEnd(const std::wstring& exe, const std::wstring& args) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    AppProcess process;
    if (!process.Start(exe, args, temp)) return std::nullopt;
    return process.WaitExit(kInstallerTimeoutMs);
}

struct Shortcut {
    std::wstring target, workingDir;
};

// Reads the .lnk as the shell does, through IShellLinkW.
std::optional<Shortcut> ReadShortcut(const std::wstring& path) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&link)))) {
        return std::nullopt;
    }
    std::optional<Shortcut> result;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file)))) {
        wchar_t target[MAX_PATH] = {}, dir[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
            SUCCEEDED(link->GetWorkingDirectory(dir, MAX_PATH))) {
            result = Shortcut{target, dir};
        }
        file->Release();
    }
    link->Release();
    return result;
}

// "1.9.417" from the executable's VERSIONINFO; ProductName from its Chinese string table.
struct VersionInfo {
    std::wstring version, productName;
};
VersionInfo ReadVersionInfo(const std::wstring& exe) {
    DWORD ignored = 0;
    std::string data(GetFileVersionInfoSizeW(exe.c_str(), &ignored), '\0');
    VersionInfo info;
    if (data.empty() ||
        !GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(data.size()), data.data())) {
        return info;
    }
    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueW(data.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        info.version = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                       std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                       std::to_wstring(HIWORD(fixed->dwFileVersionLS));
    }
    if (VerQueryValueW(data.data(), L"\\StringFileInfo\\080404B0\\ProductName", &value, &length) &&
        length > 0) {
        info.productName = static_cast<const wchar_t*>(value);
    }
    return info;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    auto strip = [](std::wstring p) {
        while (!p.empty() && p.back() == L'\\') p.pop_back();
        return p;
    };
    return CompareStringOrdinal(strip(a).c_str(), -1, strip(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Visible top-level windows whose title names the usage text (the shell's text viewer).
std::vector<HWND> UsageTextViewers() {
    return TopLevelWindowsWhere([](HWND hwnd) {
        return IsVisible(hwnd) && GetText(hwnd).find(L"使用说明") != std::wstring::npos;
    });
}

void CloseWindowsProcesses(const std::vector<HWND>& windows) {
    for (HWND hwnd : windows) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, ProcessOf(hwnd))) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}

// Windows maps .txt to Notepad out of the box; a fresh Wine prefix has the "txtfile" class but
// not the extension's link to it, so the shell would open no text file at all.
void EnsureTextFilesOpen() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".txt", 0, KEY_READ, &key) == ERROR_SUCCESS) {
        RegCloseKey(key);
        return;
    }
    static const wchar_t kClass[] = L"txtfile";
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.txt", nullptr, REG_SZ, kClass,
                    sizeof kClass);
}

// Leaves the prefix without any trace of an install, whatever state a failed run left.
void RemoveInstall() {
    for (const wchar_t* name : {L"tallyvox.exe", L"qorvane.db", L"使用说明.txt", L"uninstall.exe"})
        DeleteFileW(Installed(name).c_str());
    RemoveDirectoryW(InstallDir().c_str());
    DeleteFileW(ShortcutPath().c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
}

// The overlay fixture's app and menu, for the installed program.
class InstallTest : public OverlayFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        RemoveInstall();
        EnsureTextFilesOpen();
    }
    void TearDown() override {
        app.Terminate();
        CloseWindowsProcesses(UsageTextViewers());
        RemoveInstall();
        CoUninitialize();
    }

    // Starts the installed program as the Start-menu shortcut does.
    bool StartFromShortcut(const Shortcut& shortcut) {
        if (!app.Start(shortcut.target, L"", shortcut.workingDir)) return false;
        main = app.WaitForMainWindow();
        return main != nullptr && WaitUntil([&] { return IsVisible(main); });
    }
};

TEST_F(InstallTest, InstallRunUpgradeKeepingSettingsThenUninstall) {
    const std::wstring setup = SetupPath();

    // --- silent install, per user, while a portable copy runs from another folder ---
    dir.WriteSettings(Crlf("[Common]\nTimerCounter=0\n"));
    AppProcess portable;
    ASSERT_TRUE(portable.StartIn(dir));
    ASSERT_NE(portable.WaitForMainWindow(), nullptr);
    ASSERT_EQ(RunToEnd(setup, L"/S"), std::optional<DWORD>(0)) << "the portable copy blocked it";
    portable.Terminate();
    EXPECT_EQ(ReadFileBytes(Installed(L"tallyvox.exe")), ReadFileBytes(TallyvoxExePath()));
    EXPECT_EQ(ReadFileBytes(Installed(L"qorvane.db")),
              ReadFileBytes(SourcePath(L"resources/qorvane.db")));
    EXPECT_EQ(ReadFileBytes(Installed(L"使用说明.txt")),
              ReadFileBytes(SourcePath(L"resources/使用说明.txt")));

    // The system's program list: registered for this user, with the program's own version.
    const std::optional<std::wstring> uninstall = UninstallValue(L"UninstallString");
    ASSERT_TRUE(uninstall.has_value()) << "no uninstaller registered under HKCU";
    EXPECT_TRUE(SamePath(UninstallValue(L"InstallLocation").value_or(L""), InstallDir()));
    const VersionInfo version = ReadVersionInfo(Installed(L"tallyvox.exe"));
    EXPECT_EQ(version.productName, L"Tallyvox");
    EXPECT_FALSE(version.version.empty());
    EXPECT_EQ(UninstallValue(L"DisplayVersion").value_or(L""), version.version);

    // --- the shortcut starts the program in its own folder ---
    const std::optional<Shortcut> shortcut = ReadShortcut(ShortcutPath());
    ASSERT_TRUE(shortcut.has_value()) << "no readable Start-menu shortcut";
    EXPECT_TRUE(SamePath(shortcut->target, Installed(L"tallyvox.exe"))) << ToUtf8(shortcut->target);
    EXPECT_TRUE(SamePath(shortcut->workingDir, InstallDir())) << ToUtf8(shortcut->workingDir);
    // Bytes after the image leave the program runnable and tell whether an upgrade replaced it.
    WriteFileBytes(Installed(L"tallyvox.exe"), ReadFileBytes(TallyvoxExePath()) + "old");
    ASSERT_TRUE(StartFromShortcut(*shortcut));
    // The shipped settings show one slot; without a settings file all eight would show.
    EXPECT_TRUE(IsVisible(Panel(1)));
    EXPECT_FALSE(IsVisible(Panel(2)));
    // The menu's usage command opens the installed text. (Wine's shell also looks in the
    // program's own folder, so only the shortcut check above catches a wrong working folder.)
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    PressKey('U');
    EXPECT_TRUE(WaitUntil([] { return !UsageTextViewers().empty(); }, 15000))
        << "the usage command opened no 使用说明.txt";
    CloseWindowsProcesses(UsageTextViewers());

    // A running program cannot be replaced: a silent upgrade stops and changes nothing.
    EXPECT_NE(RunToEnd(setup, L"/S"), std::optional<DWORD>(0));
    EXPECT_TRUE(app.IsRunning());

    // --- upgrade over the player's settings, started the moment the program is told to exit ---
    std::string changed = ReadFileBytes(Installed(L"qorvane.db"));
    const std::string::size_type at = changed.find("Seconds1=60");
    ASSERT_NE(at, std::string::npos);
    changed.replace(at, 11, "Seconds1=77");
    WriteFileBytes(Installed(L"qorvane.db"), changed);
    WriteFileBytes(Installed(L"使用说明.txt"), "stale");
    // The window goes at once on 退出, but the process lives on for up to a second while its
    // sound worker finishes the clip in hand, holding tallyvox.exe. Under Wine the test's sound
    // device plays a clip in a fraction of real time, so a handle that lets others only read the
    // file stands in for that second.
    HANDLE ending = CreateFileW(Installed(L"tallyvox.exe").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(ending, INVALID_HANDLE_VALUE);
    const std::jthread end([ending] {
        Sleep(1000);
        CloseHandle(ending);
    });
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    PressKey('X');
    ASSERT_EQ(RunToEnd(setup, L"/S"), std::optional<DWORD>(0));
    EXPECT_EQ(app.WaitExit(kExitLimitMs), std::optional<DWORD>(0));
    EXPECT_TRUE(ReadFileBytes(Installed(L"tallyvox.exe")) == ReadFileBytes(TallyvoxExePath()))
        << "the upgrade did not replace the program";
    EXPECT_EQ(ReadFileBytes(Installed(L"qorvane.db")), changed) << "the upgrade replaced settings";
    EXPECT_EQ(ReadFileBytes(Installed(L"使用说明.txt")),
              ReadFileBytes(SourcePath(L"resources/使用说明.txt")))
        << "the upgrade did not install its files";

    // --- silent uninstall: program, shortcut and registration go, the settings stay ---
    // The uninstaller copies itself to the temp folder and returns at once; poll for the result.
    std::wstring uninstaller = *uninstall;
    std::erase(uninstaller, L'"');
    ASSERT_TRUE(RunToEnd(uninstaller, L"/S").has_value());
    EXPECT_TRUE(WaitUntil(
        [] {
            return !FileExists(Installed(L"tallyvox.exe")) && !FileExists(ShortcutPath()) &&
                   !FileExists(Installed(L"uninstall.exe")) &&
                   !UninstallValue(L"UninstallString").has_value();
        },
        kInstallerTimeoutMs));
    EXPECT_FALSE(FileExists(Installed(L"tallyvox.exe")));
    EXPECT_FALSE(FileExists(Installed(L"使用说明.txt")));
    EXPECT_FALSE(FileExists(ShortcutPath()));
    EXPECT_FALSE(UninstallValue(L"UninstallString").has_value());
    EXPECT_EQ(ReadFileBytes(Installed(L"qorvane.db")), changed) << "silent uninstall keeps them";
}

}  // namespace
}  // namespace tallyvox::e2e
