// A settings dialog without windows: controls as plain values, built-in contents included.
#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "settings/ColorList.h"
#include "settings/SetsView.h"

namespace tallyvox::test {

class FakeSetsView : public SetsView {
  public:
    FakeSetsView() {
        const char* seconds[] = {"60", "50", "40", "30", "60", "50", "40", "30"};
        for (int slot = 1; slot <= 8; ++slot) {
            title[slot] = "\xB1\xEA\xCC\xE2" + std::to_string(slot);
            key[slot] = "F" + std::to_string(slot);
            time[slot] = seconds[slot - 1];
        }
    }

    std::string timer;  // "" = no item selected
    std::string lastSec = "30";
    std::string sortType = "\xB6\xE0\xC5\xC5";    // 多排 selected
    std::array<std::string, 9> title, key, time;  // index 1..8
    bool circle = false, sec = false, top = false;
    std::optional<std::int32_t> color;
    int outerHeight = 0;
    std::vector<std::string> opened;

    std::string Text(SetsText c, int slot) const override {
        switch (c) {
            case SetsText::cbbTimer:
                return timer;
            case SetsText::cbbLastSec:
                return lastSec;
            case SetsText::cbbSortType:
                return sortType;
            case SetsText::edtTitle:
                return title[slot];
            case SetsText::cbbKey:
                return key[slot];
            case SetsText::edtTime:
                return time[slot];
        }
        return {};
    }
    void SetText(SetsText c, int slot, const std::string& text) override {
        switch (c) {
            case SetsText::cbbTimer:
                timer = text;
                break;
            case SetsText::cbbLastSec:
                lastSec = text;
                break;
            case SetsText::cbbSortType:
                sortType = text;
                break;
            case SetsText::edtTitle:
                title[slot] = text;
                break;
            case SetsText::cbbKey:
                key[slot] = text;
                break;
            case SetsText::edtTime:
                time[slot] = text;
                break;
        }
    }
    bool SelectItem(SetsText c, const std::string& text) override {
        std::vector<std::string> items;
        if (c == SetsText::cbbTimer) items = {"1", "2", "3", "4", "5", "6", "7", "8"};
        if (c == SetsText::cbbSortType) {
            items = {"\xB6\xE0\xC5\xC5", "\xBA\xE1\xC5\xC5", "\xCA\xFA\xC5\xC5"};
        }
        const bool found = std::find(items.begin(), items.end(), text) != items.end();
        SetText(c, 0, found ? text : "");
        return found;
    }
    bool Checked(SetsCheck c) const override {
        return c == SetsCheck::chkCircle ? circle : c == SetsCheck::chkSec ? sec : top;
    }
    void SetChecked(SetsCheck c, bool on) override {
        (c == SetsCheck::chkCircle ? circle : c == SetsCheck::chkSec ? sec : top) = on;
    }
    std::optional<std::int32_t> SelectedColor() const override { return color; }
    void SelectColor(std::int32_t value) override {
        color.reset();
        for (const auto& entry : kTitleColors) {
            if (entry.value == value) color = value;
        }
    }
    void SetOuterHeight(int height) override { outerHeight = height; }
    void OpenUrl(const std::string& address) override { opened.push_back(address); }
};

}  // namespace tallyvox::test
