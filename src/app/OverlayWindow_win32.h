// The overlay window: a borderless, colour-keyed, topmost popup holding the eight slots'
// title labels and count panels, their tickers, the hotkeys and the popup menu.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <set>
#include <stdexcept>

#include "app/CountPanel_win32.h"
#include "app/OverlayHints_win32.h"
#include "app/OverlayView.h"
#include "app/SlotLayout.h"
#include "hotkeys/HotKeyRegistrar.h"
#include "platform/Window_win32.h"
#include "ui/WindowPlacement_win32.h"

namespace tallyvox {

class TfrmMain;
class ErrorReporter;

// What the overlay's menu and mouse hand on to the program.
class OverlayCommands {
  public:
    virtual ~OverlayCommands() = default;
    virtual void OpenSettings() = 0;
    virtual void OpenUsage() = 0;
    virtual void Exit() = 0;
    // The overlay window is being destroyed: release what lives as long as it.
    virtual void FormDestroy() = 0;
    // The session ends (`ending`) or goes on after all; the process may be ended right after.
    virtual void EndSession(bool ending) = 0;
    // Whether a settings dialog is open for use: the overlay then stays until it closes.
    virtual bool SettingsOpen() const = 0;
};

// The overlay window could not be created: the program cannot run.
class WindowCreationError : public std::runtime_error {
  public:
    WindowCreationError();
};

class OverlayWindow : public OverlayView,
                      public HotKeyRegistrar,
                      public CountPanelListener,
                      public WindowOwner {
  public:
    static constexpr const wchar_t* kClassName = L"TfrmMain";
    // Posted by a second start from this folder: come into view, to the top, and flash.
    static constexpr UINT kBringIntoViewMessage = WM_APP + 1;

    OverlayWindow(HINSTANCE instance, ErrorReporter& reporter);
    ~OverlayWindow() override;
    OverlayWindow(const OverlayWindow&) = delete;
    OverlayWindow& operator=(const OverlayWindow&) = delete;

    // The behaviour and the commands are bound after construction, before the window shows.
    void Bind(TfrmMain& frm, OverlayCommands& commands);
    HWND Handle() const { return hwnd_; }
    // Centres the window on the screen at its current size and shows it.
    void ShowCentred();

    // OverlayView
    void SetLabelCaption(int slot, const std::string& text) override;
    void SetLabelHint(int slot, const std::string& text) override;
    void SetLabelColor(int slot, std::int32_t color) override;
    void SetPanelCaption(int slot, const std::string& text) override;
    void SetPanelColor(int slot, std::int32_t color) override;
    void SetSlotVisible(int slot, bool visible) override;
    void SetLabelPosition(int slot, int left, int top) override;
    void SetPanelPosition(int slot, int left, int top) override;
    void SetWindowWidth(int width) override;
    void SetWindowHeight(int height) override;
    void SetTopMost(bool topMost) override;
    int Dpi() const override { return dpi_; }
    void EnableTicker(int slot, bool enabled) override;

    // HotKeyRegistrar
    void Unregister(int id) override;
    bool Register(int id, HotKeyChord chord) override;

    // CountPanelListener
    void OnPanelMouseDown(int slot, MouseButton button) override;
    void OnPanelMouseUp(int slot, MouseButton button) override;
    void OnPanelDoubleClick(int slot) override;
    void OnPanelMouseMove(int slot) override;

  private:
    struct Label {
        HWND hwnd = nullptr;
        std::int32_t color = 0;  // as stored: a system colour is resolved at each painting
        std::wstring caption;
        std::wstring hint;
    };

    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateSlots();
    std::wstring HintOf(int tool) const;
    void CreateMenu();
    void FitLabelToText(int slot);
    void MoveChild(HWND child, int left, int top);
    // Fonts, panels and labels at the window's DPI, then the slots' places and window size.
    void ScaleToWindowDpi();
    // Moved to a monitor of `dpi`: the window takes its size there at the place the system
    // suggests, then lays itself out at that DPI.
    void MoveToScale(int dpi, const ScreenRect& suggested);
    // The window's size at `dpi` in its current layout.
    WindowSize SizeAt(int dpi) const;
    // The screens changed: back within reach if no visible count is on a monitor.
    void KeepWithinReach();
    // A second start asked: within reach, at the top of the topmost band, flashing a moment.
    void BringIntoView();
    void FlashStep();
    // The right button's menu: it has the keyboard while open; unless it opens the dialog, the
    // window that had the keyboard gets it back.
    void PopUpMenu();

    HINSTANCE instance_;
    ErrorReporter& reporter_;
    TfrmMain* frm_ = nullptr;
    OverlayCommands* commands_ = nullptr;
    int dpi_ = 96;  // the DPI it is laid out at, which what it owns is built at too
    ScaleChanges scale_{96};
    OverlayHints hints_;
    HMENU menu_ = nullptr;
    HFONT slotFont_ = nullptr;
    HBRUSH backgroundBrush_ = nullptr;
    std::array<Label, 9> labels_{};                        // index 1..8
    std::array<std::unique_ptr<CountPanel>, 9> panels_{};  // index 1..8
    std::array<bool, 9> tickerOn_{};
    std::set<int> registeredIds_;     // hotkey ids registered on the window
    bool heldHotKeyTimerOn_ = false;  // a combination hotkey is held: its release is watched
    int flashStepsLeft_ = 0;          // while the overlay flashes to show where it is
    bool topMostBeforeFlash_ = true;
    // A drag with any button: where the cursor and the window started.
    POINT dragCursor_{};
    POINT dragWindow_{};
};

}  // namespace tallyvox
