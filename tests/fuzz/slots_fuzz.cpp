// Fuzzes the overlay's slot behaviour with arbitrary scripts: ArrangeSlots with any count and
// layout name, ToggleSlot and the tick with any option texts and durations, hotkey and
// double-click dispatch. Checked against a small model: counts wrap at the 32-bit limits,
// positions and window sizes come from the layout tables, red and speaking follow the
// last-seconds number, and a failed conversion leaves a slot as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "app/TfrmMain.h"
#include "text/IntText.h"

namespace {

using tallyvox::fuzz::Check;
using namespace tallyvox::test;  // the expected layout tables

constexpr std::int32_t kBlue = 0x00FF0000, kRed = 0x000000FF, kGreen = 0x00008000;

std::string NumberText(FuzzedDataProvider& in) {
    static const char* const kTexts[] = {
        "",          " ",  "0",          "1",           "3",          "5",         "30",
        "60",        "-1", "2147483647", "-2147483648", "2147483648", "$80000000", "0x7FFFFFFF",
        "$FFFFFFFF", " 7", "$10",        "1a",          "+5",         "x",         "abc"};
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return in.PickValueInArray(kTexts);
        case 1:
            return std::to_string(in.ConsumeIntegral<std::int32_t>());
        case 2:
            return std::to_string(in.ConsumeIntegralInRange(-3, 12));
        default:
            return in.ConsumeRandomLengthString(12);
    }
}

std::int32_t Wrapped(std::int64_t value) {
    // Two's complement wrap into 32 bits, computed in 64 bits.
    value &= 0xFFFFFFFFLL;
    return static_cast<std::int32_t>(value >= 0x80000000LL ? value - 0x100000000LL : value);
}

struct Runner {
    tallyvox::fuzz::CheckingOverlay view;
    tallyvox::TfrmMain frm{view, view, view};

    void Arrange(std::int32_t count) {
        const auto before = view.log.size();
        const int oldWidth = view.width, oldHeight = view.height;
        frm.ArrangeSlots(count);
        if (count < 1 || count > 8) {
            Check(view.log.size() == before, "an out-of-range count changed something",
                  std::to_string(count));
            return;
        }
        for (int slot = 1; slot <= 8; ++slot) {
            Check(view.slot[slot].visible == (slot <= count), "visibility", std::to_string(count));
        }
        if (count == 1) {
            Check(view.width == oldWidth && view.height == oldHeight, "count 1 resized");
            return;
        }
        const std::string& name = frm.sortTypeText;
        const ExpectedLayout layout = name == kVerticalName                   ? kOneColumn
                                      : name == kHorizontalName && count != 2 ? kOneRow
                                                                              : kTwoColumns;
        for (int slot = 2; slot <= count; ++slot) {
            const auto& got = view.slot[slot];
            Check(ExpectedPlace{got.labelLeft, got.labelTop, got.panelLeft, got.panelTop} ==
                      ExpectedPlaceOf(layout, slot),
                  "slot placed elsewhere than its layout says",
                  std::to_string(count) + " slot " + std::to_string(slot));
        }
        Check(ExpectedSize{view.width, view.height} == ExpectedWindowSize(layout, count),
              "window size", std::to_string(count));
    }

    void Toggle(int slot) {
        if (slot < 1 || slot > 8) {
            const auto before = view.log.size();
            frm.ToggleSlot(slot);
            Check(view.log.size() == before, "toggle of a non-slot did something");
            return;
        }
        const tallyvox::TimerSlot old = frm.Slot(slot);
        bool threw = false;
        try {
            frm.ToggleSlot(slot);
        } catch (const tallyvox::ConvertError&) {
            threw = true;
        }
        const tallyvox::TimerSlot& now = frm.Slot(slot);
        if (old.running) {
            Check(!threw && now.running == 0 && !view.slot[slot].tickerOn &&
                      view.slot[slot].panelColor == kGreen,
                  "stop");
            Check(now.remaining == old.remaining && now.period == old.period, "stop moved count");
            return;
        }
        const std::string seconds =
            old.secondsText.empty() ? tallyvox::DefaultSeconds(slot) : old.secondsText;
        const auto n = tallyvox::TryStrToInt(seconds);
        Check(threw == !n.has_value(), "start threw or did not, against its duration");
        if (threw) {
            Check(now.running == 0 && now.remaining == old.remaining && now.period == old.period,
                  "a failed start changed the slot");
            return;
        }
        Check(now.running == 1 && now.remaining == *n && now.period == *n &&
                  view.slot[slot].tickerOn && view.slot[slot].panelColor == kBlue,
              "start");
        Check(now.titleText == old.titleText && now.secondsText == old.secondsText,
              "a start changed the stored texts");
    }

    void Tick(int slot) {
        if (slot < 1 || slot > 8) {
            const auto before = view.log.size();
            frm.tmrTimer(slot);
            Check(view.log.size() == before, "tick of a non-slot did something");
            return;
        }
        const tallyvox::TimerSlot old = frm.Slot(slot);
        const std::int32_t oldColor = view.slot[slot].panelColor;
        const auto spokenBefore = view.spoken.size();
        bool threw = false;
        try {
            frm.tmrTimer(slot);
        } catch (const tallyvox::ConvertError&) {
            threw = true;
        }
        const tallyvox::TimerSlot& now = frm.Slot(slot);
        const bool reload = old.remaining <= 0 && frm.isCircle != 0;
        const std::int32_t expected =
            Wrapped(static_cast<std::int64_t>(reload ? old.period : old.remaining) - 1);
        Check(now.remaining == expected, "count after a tick",
              std::to_string(old.remaining) + " -> " + std::to_string(now.remaining));
        Check(view.slot[slot].panelCaption == std::to_string(static_cast<long long>(expected)),
              "panel caption is not the count");
        if (old.remaining <= 0 && frm.isCircle == 0) {
            Check(!view.slot[slot].tickerOn, "an ended countdown keeps its ticker");
        }
        const auto last = tallyvox::TryStrToInt(frm.lastSecondText);
        Check(threw == !last.has_value(), "tick threw or did not, against the last seconds");
        const std::int32_t colorWithoutRed = reload ? kBlue : oldColor;
        if (last && *last == expected) {
            Check(view.slot[slot].panelColor == kRed, "count at the last seconds is not red");
        } else {
            Check(view.slot[slot].panelColor == colorWithoutRed, "colour changed");
        }
        const bool speaks = last && frm.isSecondCounter != 0 && *last >= expected;
        Check(view.spoken.size() == spokenBefore + (speaks ? 1 : 0), "posted or not");
        if (speaks) Check(view.spoken.back() == expected, "posted another number");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Runner r;
    for (int op = 0; op < 200 && in.remaining_bytes() > 0; ++op) {
        r.view.log.clear();
        const int slot =
            in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 8) : in.ConsumeIntegral<int>();
        const int safeSlot = slot >= 1 && slot <= 8 ? slot : 1;
        switch (in.ConsumeIntegralInRange(0, 10)) {
            case 0: {
                const std::string kNames[] = {kMultiRowName,         kHorizontalName,
                                              kVerticalName,         "",
                                              " " + kHorizontalName, kVerticalName + " "};
                r.frm.sortTypeText = in.ConsumeBool() ? in.PickValueInArray(kNames)
                                                      : in.ConsumeRandomLengthString(8);
                break;
            }
            case 1:
                r.Arrange(in.ConsumeBool() ? in.ConsumeIntegralInRange(-1, 9)
                                           : in.ConsumeIntegral<std::int32_t>());
                break;
            case 2:
                r.Toggle(slot);
                break;
            case 3:
                for (int n = in.ConsumeIntegralInRange(1, 40); n > 0; --n) r.Tick(slot);
                break;
            case 4:
                r.frm.Slot(safeSlot).secondsText = NumberText(in);
                break;
            case 5:
                r.frm.lastSecondText = NumberText(in);
                break;
            case 6:
                r.frm.isCircle = in.ConsumeBool() ? in.ConsumeIntegral<std::int32_t>() : 0;
                break;
            case 7:
                r.frm.isSecondCounter = in.ConsumeBool() ? in.ConsumeIntegral<std::int32_t>() : 0;
                break;
            case 8:
                r.frm.Slot(safeSlot).titleText = in.ConsumeRandomLengthString(8);
                break;
            case 9: {
                const char* const kKeys[] = {"F1",   "f12",  " num5 ",  "F25",     "",
                                             "Num0", "NUM9", "Ctrl+F1", "alt + q", "Q"};
                r.frm.Slot(safeSlot).hotKeyName = in.ConsumeBool()
                                                      ? std::string(in.PickValueInArray(kKeys))
                                                      : in.ConsumeRandomLengthString(6);
                break;
            }
            default: {
                // A hotkey press or a double click reaches the same toggle.
                const auto id = in.ConsumeBool() ? static_cast<std::uintptr_t>(4096 + safeSlot)
                                                 : in.ConsumeIntegral<std::uintptr_t>();
                const int target = id >= 4097 && id <= 4104 ? static_cast<int>(id - 4096) : 0;
                const tallyvox::TimerSlot before =
                    target ? r.frm.Slot(target) : tallyvox::TimerSlot{};
                // Each press here comes after the key's release.
                r.frm.CheckHeldHotKeys([](unsigned) { return false; });
                try {
                    r.frm.WMHotKey(id);
                } catch (const tallyvox::ConvertError&) {
                }
                if (target) {
                    // The toggle's own checks ran above in Toggle(); here only that it toggled.
                    Check(r.frm.Slot(target).running != before.running ||
                              !tallyvox::TryStrToInt(before.secondsText.empty()
                                                         ? tallyvox::DefaultSeconds(target)
                                                         : before.secondsText),
                          "hotkey did not toggle its slot");
                }
                break;
            }
        }
    }
    return 0;
}
