// Program entry: claims the folder, builds the overlay, loads the settings, starts the sound
// worker and runs the message loop; shuts down in the reverse order. A second start from the
// same folder shows the first overlay and ends.
#include <windows.h>

#include <exception>
#include <memory>
#include <new>
#include <string>

#include "app/OverlayWindow_win32.h"
#include "app/TfrmMain.h"
#include "dialog/SetsModel.h"
#include "dialog/SettingsDialog_win32.h"
#include "dialog/TfrmSets.h"
#include "platform/ErrorBox_win32.h"
#include "platform/LazyLibrary_win32.h"
#include "program/FolderInstance_win32.h"
#include "settings/IniFile.h"
#include "settings/SaverWindow_win32.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore_win32.h"
#include "text/Gbk_win32.h"
#include "ui/ErrorReporter.h"
#include "voice/SoundWorker_win32.h"
#include "voice/VoicePack.h"

namespace tallyvox {
namespace {

// How long the process lets a worker finish the clip in hand before it exits anyway.
constexpr DWORD kWorkerGraceMs = 1000;

// The settings file beside the executable; the current folder plays no part.
std::string SettingsPath() {
    return ExecutableFolder() + kSettingsFileName;
}

class Application : public OverlayCommands {
  public:
    Application(HINSTANCE instance, FolderInstance& folder)
        : instance_(instance),
          folder_(folder),
          reporter_([this](const std::string& message) { ShowErrorBox(BoxOwner(), message); }),
          window_(instance, reporter_),
          frm_(window_, window_, worker_) {
        window_.Bind(frm_, *this);
    }

    // Whatever ends the run, FormDestroy runs while everything it touches still lives.
    ~Application() override {
        if (window_.Handle() != nullptr) DestroyWindow(window_.Handle());
    }

    void FormCreate() {
        IniFile ini(store_, SettingsPath());
        frm_.LoadSettings(ini);
        worker_.Start(instance_, FromUtf8(ExecutableFolder()));
        // The 帮助 page's words for the voice, in the program's GBK.
        frm_.voiceInUseText = ToGbk(FromUtf8(VoiceInUseText(worker_.Pack())));
        frm_.voiceRefusedText = ToGbk(FromUtf8(RefusedFilesText(worker_.Pack())));
    }

    // The settings dialog made at start-up is filled but never shown, so it needs no windows:
    // its filling is what registers the stored hotkeys of the visible slots.
    void CreateHiddenSettings() {
        reporter_.Run([&] { hiddenSets_.FormCreate(); });
    }

    int Run() {
        // From here a second start from this folder finds this overlay.
        folder_.Publish(window_.Handle());
        window_.ShowCentred();
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        // A save still being retried is not dropped without a word.
        saving_.Saver().Finish();
        worker_.WaitForEnd(kWorkerGraceMs);
        LeaveShellCom();
        return 0;
    }

    void OpenSettings() override {
        SettingsDialog dialog(instance_, window_.Handle(), window_.Dpi(), frm_, reporter_,
                              saving_.Saver());
        openDialog_ = &dialog;
        dialog.ShowModal();
        openDialog_ = nullptr;
    }

    bool SettingsOpen() const override { return openDialog_ != nullptr; }

    // The session's end reaches the overlay and the open dialog alike; whichever hears it
    // first stores the dialog, the dialog sees to storing once. A save still being retried has
    // its last try, silently.
    void EndSession(bool ending) override {
        if (ending) saving_.Saver().SessionEnds();
        if (openDialog_ != nullptr) openDialog_->EndSession(ending);
    }

    void OpenUsage() override {
        // Relative to the current folder, which is the program's when started from there.
        ShellOpen(window_.Handle(), L"使用说明.txt");
    }

    void Exit() override { DestroyWindow(window_.Handle()); }

    void FormDestroy() override {
        // The overlay is gone: a start from this folder now runs, while this process may
        // still finish its last clip.
        folder_.Release();
        frm_.ReleaseHotKeys();
        worker_.Stop();
        PostQuitMessage(0);
    }

  private:
    // The box belongs to whatever window of ours is active (the settings dialog, say).
    HWND BoxOwner() const {
        HWND active = GetActiveWindow();
        return active != nullptr ? active : window_.Handle();
    }

    HINSTANCE instance_;
    FolderInstance& folder_;
    ErrorReporter reporter_;
    SoundWorker worker_;
    OverlayWindow window_;
    TfrmMain frm_;
    Win32SettingsStore store_;
    SaverWindow saving_{instance_, store_, SettingsPath(), [this] { return BoxOwner(); }};
    SettingsDialog* openDialog_ = nullptr;  // while a dialog is open for use, that one
    SetsModel hiddenControls_;
    TfrmSets hiddenSets_{frm_, hiddenControls_};
};

}  // namespace
}  // namespace tallyvox

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace tallyvox;
    // Before anything can load a library: every later load, the system's own included, searches
    // the system folder only, never the program's folder or the current one.
    RestrictLibrarySearch();
    // Before any window, hotkey or settings read: one overlay per folder.
    FolderInstance folder;
    if (!folder.First()) {
        folder.CallFirst();
        return 0;
    }
    try {
        Application app(instance, folder);
        app.FormCreate();
        app.CreateHiddenSettings();
        return app.Run();
    } catch (const std::bad_alloc&) {
        // Start-up failed: say so and why, and say it in the exit code too.
        ShowErrorBox(nullptr, ToGbk(L"Tallyvox 启动失败：内存不足。"));
    } catch (const std::exception& e) {
        // The program's own failures (the overlay window could not be made, say) tell why in
        // GBK; a library's reason is English.
        ShowErrorBox(nullptr, ToGbk(L"Tallyvox 启动失败：") + e.what() + ToGbk(L"。"));
    } catch (...) {
        ShowErrorBox(nullptr, ToGbk(L"Tallyvox 启动失败（原因不明）。"));
    }
    return 1;
}
