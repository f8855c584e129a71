// Settings dialog behaviour: filling and the change handlers.
#include "dialog/TfrmSets.h"

#include <algorithm>
#include <array>
#include <exception>
#include <optional>

#include "app/TfrmMain.h"
#include "dialog/ColorList.h"
#include "dialog/Links.h"
#include "hotkeys/KeyNames.h"
#include "settings/SettingsKeys.h"
#include "text/IntText.h"
#include "ui/DisplayScale.h"

namespace tallyvox {

namespace {

// The client area as designed, at 96 DPI; a slot count of 1..8 cuts its height shorter.
constexpr WindowSize kDesignedClient{304, 528};

}  // namespace

int TfrmSets::OuterHeightFor(std::int32_t count, const DialogScale& scale) {
    static constexpr std::array<int, kSlotCount> kHeights = {164, 220, 276, 330,
                                                             386, 444, 498, 554};
    if (count < 1 || count > kSlotCount) return 0;
    const int client = kHeights[static_cast<std::size_t>(count - 1)] - scale.frameAtDesignDpi;
    return ScaleToDpi(client, scale.dpi) + scale.frame;
}

WindowSize TfrmSets::OuterSize(const DialogScale& scale) const {
    const std::optional<std::int32_t> count = TryStrToInt(main_.timerCounterText);
    int height = count ? OuterHeightFor(*count, scale) : 0;
    if (height == 0) height = ScaleToDpi(kDesignedClient.height, scale.dpi) + scale.frame;
    return {ScaleToDpi(kDesignedClient.width, scale.dpi) + scale.frameWidth, height};
}

void TfrmSets::FormCreate() {
    filling_ = true;
    keysToKeep_.clear();
    for (const std::string& key : AllKeyNames()) {
        if (std::find(main_.loadedKeys.begin(), main_.loadedKeys.end(), key) ==
            main_.loadedKeys.end()) {
            keysToKeep_.insert(key);
        }
    }
    std::exception_ptr firstFailure;
    // Runs a handler that filling calls; a failure is kept for the end.
    auto call = [&](auto&& handler) {
        try {
            handler();
        } catch (...) {
            if (!firstFailure) firstFailure = std::current_exception();
        }
    };
    auto setCheck = [&](SetsCheck box, bool checked, void (TfrmSets::*click)()) {
        if (view_.Checked(box) == checked) return;
        view_.SetChecked(box, checked);
        call([&] { (this->*click)(); });
    };
    auto setEdit = [&](SetsText box, int slot, const std::string& text,
                       void (TfrmSets::*change)(int)) {
        if (view_.Text(box, slot) == text) return;
        view_.SetText(box, slot, text);
        call([&] { (this->*change)(slot); });
    };

    if (!view_.SelectItem(SetsText::cbbSortType, main_.sortTypeText)) Keep(Setting::SortType);
    if (view_.SelectItem(SetsText::cbbTimer, main_.timerCounterText)) {
        call([&] { cbbTimerChange(); });
    } else {
        Keep(Setting::TimerCounter);
    }
    setCheck(SetsCheck::chkCircle, main_.isCircle != 0, &TfrmSets::chkCircleClick);
    setCheck(SetsCheck::chkSec, main_.isSecondCounter != 0, &TfrmSets::chkSecClick);
    view_.SetText(SetsText::cbbLastSec, 0, main_.lastSecondText);
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const TimerSlot& s = main_.Slot(slot);
        setEdit(SetsText::edtTitle, slot, s.titleText, &TfrmSets::edtTitleChange);
        view_.SetText(SetsText::cbbKey, slot, s.hotKeyName);
        setEdit(SetsText::edtTime, slot, s.secondsText, &TfrmSets::edtTimeChange);
    }
    view_.SelectColor(main_.titleColor);
    if (!view_.SelectedColor()) Keep(Setting::TitleColor);
    setCheck(SetsCheck::chkTop, main_.topMost != 0, &TfrmSets::chkTopClick);
    filling_ = false;
    if (firstFailure) std::rethrow_exception(firstFailure);
}

void TfrmSets::Keep(Setting setting) {
    keysToKeep_.insert(KeyName(setting));
}

void TfrmSets::TakeKey(Setting setting, int slot) {
    if (!filling_) keysToKeep_.erase(KeyName(setting, slot));
}

void TfrmSets::cbbTimerChange() {
    TakeKey(Setting::TimerCounter);
    const std::string text = view_.Text(SetsText::cbbTimer);
    const std::int32_t count = StrToInt(text);
    main_.timerCounterText = text;
    if (const int height = OuterHeightFor(count, view_.Scale())) view_.SetOuterHeight(height);
    main_.ArrangeSlots(count);
}

void TfrmSets::chkCircleClick() {
    TakeKey(Setting::IsCircle);
    main_.isCircle = view_.Checked(SetsCheck::chkCircle) ? 1 : 0;
}

void TfrmSets::chkSecClick() {
    TakeKey(Setting::IsSecondCounter);
    main_.isSecondCounter = view_.Checked(SetsCheck::chkSec) ? 1 : 0;
}

void TfrmSets::cbbLastSecChange() {
    TakeKey(Setting::LastSecond);
    main_.lastSecondText = view_.Text(SetsText::cbbLastSec);
}

void TfrmSets::edtTitleChange(int slot) {
    TakeKey(Setting::Title, slot);
    main_.SetSlotTitle(slot, view_.Text(SetsText::edtTitle, slot));
}

void TfrmSets::cbbKeyChange(int slot) {
    TakeKey(Setting::HotKey, slot);
    main_.SetSlotHotKeyName(slot, view_.Text(SetsText::cbbKey, slot));
}

void TfrmSets::edtTimeChange(int slot) {
    TakeKey(Setting::Seconds, slot);
    main_.SetSlotSeconds(slot, view_.Text(SetsText::edtTime, slot));
}

void TfrmSets::clrbxTitleChange() {
    const auto color = view_.SelectedColor();
    if (!color) return;
    TakeKey(Setting::TitleColor);
    main_.SetTitleColor(*color);
}

void TfrmSets::cbbSortTypeChange() {
    TakeKey(Setting::SortType);
    const std::int32_t count = StrToInt(view_.Text(SetsText::cbbTimer));
    main_.sortTypeText = view_.Text(SetsText::cbbSortType);
    main_.ArrangeSlots(count);
}

void TfrmSets::chkTopClick() {
    TakeKey(Setting::TopMost);
    main_.ApplyTopMost(view_.Checked(SetsCheck::chkTop) ? 1 : 0);
}

void TfrmSets::lbl19Click() {
    view_.OpenUrl(kHomePageUrl);
}

void TfrmSets::lbl20Click() {
    view_.OpenUrl(kDownloadPageUrl);
}

}  // namespace tallyvox
