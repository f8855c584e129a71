// Recording fakes of the overlay window, the hotkey registrar and the worker queue.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "app/OverlayView.h"
#include "hotkeys/HotKeyRegistrar.h"
#include "ui/DisplayScale.h"
#include "voice/WorkerProtocol.h"

namespace tallyvox::test {

// Keeps each control's current state and a log of every call, in order.
class FakeOverlay : public OverlayView, public HotKeyRegistrar, public WorkerPoster {
  public:
    struct SlotControls {
        std::string labelCaption, labelHint, panelCaption;
        std::int32_t labelColor = -1, panelColor = -1;
        bool visible = true, tickerOn = false;
        int labelLeft = -1, labelTop = -1, panelLeft = -1, panelTop = -1;
    };

    std::array<SlotControls, 9> slot{};  // index 1..8
    int width = 176, height = 113;
    bool topMost = true;
    int dpi = kDesignDpi;
    std::map<int, HotKeyChord> hotKeys;  // by id
    std::vector<std::intptr_t> spoken;
    std::vector<std::string> log;

    void SetLabelCaption(int s, const std::string& text) override {
        slot[s].labelCaption = text;
        Log("labelCaption", s, text);
    }
    void SetLabelHint(int s, const std::string& text) override {
        slot[s].labelHint = text;
        Log("labelHint", s, text);
    }
    void SetLabelColor(int s, std::int32_t color) override {
        slot[s].labelColor = color;
        Log("labelColor", s, std::to_string(color));
    }
    void SetPanelCaption(int s, const std::string& text) override {
        slot[s].panelCaption = text;
        Log("panelCaption", s, text);
    }
    void SetPanelColor(int s, std::int32_t color) override {
        slot[s].panelColor = color;
        Log("panelColor", s, std::to_string(color));
    }
    void SetSlotVisible(int s, bool visible) override {
        slot[s].visible = visible;
        Log("visible", s, visible ? "1" : "0");
    }
    void SetLabelPosition(int s, int left, int top) override {
        slot[s].labelLeft = left;
        slot[s].labelTop = top;
        Log("labelPos", s, std::to_string(left) + "," + std::to_string(top));
    }
    void SetPanelPosition(int s, int left, int top) override {
        slot[s].panelLeft = left;
        slot[s].panelTop = top;
        Log("panelPos", s, std::to_string(left) + "," + std::to_string(top));
    }
    void SetWindowWidth(int w) override {
        width = w;
        log.push_back("width " + std::to_string(w));
    }
    void SetWindowHeight(int h) override {
        height = h;
        log.push_back("height " + std::to_string(h));
    }
    void SetTopMost(bool on) override {
        topMost = on;
        log.push_back(std::string("topMost ") + (on ? "1" : "0"));
    }
    int Dpi() const override { return dpi; }
    void EnableTicker(int s, bool on) override {
        slot[s].tickerOn = on;
        Log("ticker", s, on ? "1" : "0");
    }
    void Unregister(int id) override {
        hotKeys.erase(id);
        log.push_back("unregister " + std::to_string(id));
    }
    bool Register(int id, HotKeyChord chord) override {
        // "112", or with modifiers "16386+112".
        const std::string named = (chord.modifiers ? std::to_string(chord.modifiers) + "+" : "") +
                                  std::to_string(chord.key);
        // Like the system: a key held under another id is refused.
        for (const auto& [otherId, other] : hotKeys) {
            if (other == chord && otherId != id) {
                log.push_back("refused " + std::to_string(id) + " " + named);
                return false;
            }
        }
        hotKeys[id] = chord;
        log.push_back("register " + std::to_string(id) + " " + named);
        return true;
    }
    void Post(std::uint32_t message, std::intptr_t wParam, std::intptr_t lParam) override {
        if (message == WM_WORKER && wParam == CMD_SPEAK) spoken.push_back(lParam);
        log.push_back("post " + std::to_string(message) + " " + std::to_string(wParam) + " " +
                      std::to_string(lParam));
    }

    // Entries of the log that start with `prefix`, in order.
    std::vector<std::string> LogOf(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& entry : log) {
            if (entry.rfind(prefix, 0) == 0) out.push_back(entry);
        }
        return out;
    }

  private:
    void Log(const char* what, int s, const std::string& value) {
        log.push_back(std::string(what) + " " + std::to_string(s) + " " + value);
    }
};

}  // namespace tallyvox::test
