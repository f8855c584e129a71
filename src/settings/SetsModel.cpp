// The window-less settings dialog.
#include "settings/SetsModel.h"

#include <algorithm>

#include "settings/ColorList.h"
#include "settings/SetsContents.h"
#include "settings/SettingsKeys.h"

namespace tallyvox {

SetsModel::SetsModel() : lastSecond_(kBuiltInLastSecond), sortType_(SortTypeItems().front()) {
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        title_[static_cast<std::size_t>(slot)] = DefaultTitle(slot);
        key_[static_cast<std::size_t>(slot)] = DefaultHotKey(slot);
        time_[static_cast<std::size_t>(slot)] = DefaultSeconds(slot);
    }
}

template <typename Self>
auto& SetsModel::TextOf(Self& self, SetsText control, int slot) {
    switch (control) {
        case SetsText::cbbTimer:
            return self.timer_;
        case SetsText::cbbLastSec:
            return self.lastSecond_;
        case SetsText::cbbSortType:
            return self.sortType_;
        case SetsText::edtTitle:
            return self.title_.at(static_cast<std::size_t>(slot));
        case SetsText::cbbKey:
            return self.key_.at(static_cast<std::size_t>(slot));
        case SetsText::edtTime:
            break;
    }
    return self.time_.at(static_cast<std::size_t>(slot));
}

std::string SetsModel::Text(SetsText control, int slot) const {
    return TextOf(*this, control, slot);
}

void SetsModel::SetText(SetsText control, int slot, const std::string& text) {
    TextOf(*this, control, slot) = text;
}

bool SetsModel::SelectItem(SetsText control, const std::string& text) {
    // Filling chooses only the count and the layout from their lists.
    std::vector<std::string> items;
    if (control == SetsText::cbbTimer) items = TimerCountItems();
    if (control == SetsText::cbbSortType) items = SortTypeItems();
    if (items.empty()) return false;
    const bool found = std::find(items.begin(), items.end(), text) != items.end();
    TextOf(*this, control, 0) = found ? text : "";
    return found;
}

bool SetsModel::Checked(SetsCheck control) const {
    switch (control) {
        case SetsCheck::chkCircle:
            return circle_;
        case SetsCheck::chkSec:
            return sec_;
        case SetsCheck::chkTop:
            break;
    }
    return top_;
}

void SetsModel::SetChecked(SetsCheck control, bool checked) {
    switch (control) {
        case SetsCheck::chkCircle:
            circle_ = checked;
            return;
        case SetsCheck::chkSec:
            sec_ = checked;
            return;
        case SetsCheck::chkTop:
            top_ = checked;
            return;
    }
}

void SetsModel::SelectColor(std::int32_t value) {
    const auto found = std::find_if(kTitleColors.begin(), kTitleColors.end(),
                                    [&](const NamedColor& c) { return c.value == value; });
    color_ = found == kTitleColors.end() ? std::nullopt : std::optional<std::int32_t>(value);
}

}  // namespace tallyvox
