// The settings dialog window: a two-page tabbed window (platform/TabbedDialog_win32) holding
// the controls that TfrmSets fills and listens to. Programmatic changes stay silent; the
// user's changes run TfrmSets' handlers.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dialog/DialogSaving.h"
#include "dialog/KeyBoxWarnings_win32.h"
#include "dialog/SetsControls.h"
#include "dialog/SetsView.h"
#include "dialog/TfrmSets.h"
#include "platform/TabbedDialog_win32.h"
#include "ui/WindowPlacement_win32.h"

namespace tallyvox {

// While alive, the program's own changes to controls are not taken for the user's.
class QuietScope {
  public:
    explicit QuietScope(int& depth) : depth_(depth) { ++depth_; }
    ~QuietScope() { --depth_; }
    QuietScope(const QuietScope&) = delete;
    QuietScope& operator=(const QuietScope&) = delete;

  private:
    int& depth_;
};

class ErrorReporter;
class SettingsSaver;
class TfrmMain;

class SettingsDialog final : public SetsView, private TabbedDialog::Client {
  public:
    static constexpr const wchar_t* kClassName = L"TfrmSets";

    // Creates the window hidden, owned by `owner`, the overlay, at the overlay's own DPI
    // `ownerDpi`, and fills it. A failure while filling shows one error box and leaves the
    // dialog usable. Closing hands the controls to `saver`.
    SettingsDialog(HINSTANCE instance, HWND owner, int ownerDpi, TfrmMain& frm,
                   ErrorReporter& reporter, SettingsSaver& saver);
    ~SettingsDialog() override;
    SettingsDialog(const SettingsDialog&) = delete;
    SettingsDialog& operator=(const SettingsDialog&) = delete;

    // Shows the dialog over its owner and returns once it is closed (the settings are then
    // saved) or the application is quitting.
    void ShowModal();
    HWND Handle() const { return window_.Handle(); }
    // The session ends (`ending`) or goes on: a shown dialog stores as its close would, since
    // the system may end the process right after, but without retries or a box. Any top-level
    // window of ours may report it.
    void EndSession(bool ending);

    // SetsView
    std::string Text(SetsText control, int slot = 0) const override;
    void SetText(SetsText control, int slot, const std::string& text) override;
    bool SelectItem(SetsText control, const std::string& text) override;
    bool Checked(SetsCheck control) const override;
    void SetChecked(SetsCheck control, bool checked) override;
    std::optional<std::int32_t> SelectedColor() const override;
    void SelectColor(std::int32_t value) override;
    void SetOuterHeight(int height) override;
    DialogScale Scale() const override;
    void OpenUrl(const std::string& address) override;

  private:
    // A combo box's item that the user has just chosen, before the box shows it as its text.
    struct Choosing {
        HWND combo = nullptr;
        std::wstring text;
    };

    // TabbedDialog::Client
    LRESULT WindowMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT PageMessage(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) override;

    void CreateControls();
    // The window's DPI changed: fonts, tab width and every control at the new DPI.
    void RescaleControls();
    // Moved to a monitor of `dpi`: the controls at that DPI, the window at its size there at
    // the place the system suggests.
    void MoveToScale(int dpi, const ScreenRect& suggested);
    static DialogScale ScaleAt(int dpi);
    // A window of `size` centred over the overlay, inside its monitor's work area.
    ScreenRect PlaceOverOwner(WindowSize size) const;

    // Key boxes whose slot has no hotkey draw their name in red and say why in their tooltip.
    void ShowHotKeyProblems();

    void OnCommand(int id, int code, HWND control);
    // Runs a TfrmSets handler the way every event handler runs: a failure shows the error box.
    template <typename Handler>
    void RunHandler(Handler&& handler);
    // FormClose into the saver: its keys, its keep rules, one replacing write.
    void Store();

    HWND Control(int id) const;

    HINSTANCE instance_;
    HWND owner_;
    ErrorReporter& reporter_;
    SettingsSaver& saver_;
    TfrmMain& frm_;
    TfrmSets sets_;

    TabbedDialog window_;
    HFONT font_ = nullptr;
    std::map<int, HWND> controls_;
    std::vector<std::pair<const SetsControl*, HWND>> created_;  // every control, labels too
    int dpi_ = 96;                                              // the DPI it is laid out at
    ScaleChanges scale_{96};
    KeyBoxWarnings keyWarnings_;

    int quiet_ = 0;  // > 0 while the program itself sets controls: no handler runs
    Choosing choosing_;
    DialogSaving saving_;
};

}  // namespace tallyvox
