// The settings saver on the GUI thread. Its retries run on the timer of a message-only window
// of its own, made when first needed, so they go on after the dialog that closed has gone and
// never hold up the thread; its failure box is a standard message box titled "Tallyvox".
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/Window_win32.h"
#include "settings/SettingsSaver.h"

namespace tallyvox {

class SaverWindow final : private SaveHost, public WindowOwner {
  public:
    // `path` is the settings file's, UTF-8; `boxOwner` gives the window the box belongs to.
    SaverWindow(HINSTANCE instance, SettingsStore& store, std::string path,
                std::function<HWND()> boxOwner);
    ~SaverWindow() override;
    SaverWindow(const SaverWindow&) = delete;
    SaverWindow& operator=(const SaverWindow&) = delete;

    SettingsSaver& Saver() { return saver_; }

  private:
    void StartRetryTimer(int ms) override;
    void StopRetryTimer() override;
    void ShowSaveFailure(const std::string& message) override;
    LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    std::function<HWND()> boxOwner_;
    SettingsSaver saver_;
};

}  // namespace tallyvox
