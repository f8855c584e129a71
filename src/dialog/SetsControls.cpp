// The settings dialog's control table.
#include "dialog/SetsControls.h"

#include <algorithm>

#include "dialog/DialogIds.h"
#include "dialog/Links.h"
#include "dialog/TfrmSets.h"
#include "hotkeys/KeyNames.h"
#include "settings/SettingsKeys.h"
#include "tallyvox_version.h"  // generated from project(VERSION)
#include "timers/TimerSlot.h"

namespace tallyvox {

namespace {

constexpr int kDefaultOpenRows = 8;  // a drop-down list without a stated size

std::vector<std::string> Numbers(int first, int last) {
    std::vector<std::string> items;
    for (int n = first; n <= last; ++n) items.push_back(std::to_string(n));
    return items;
}

// An empty first item takes a slot's hotkey away.
std::vector<std::string> HotKeyItems() {
    std::vector<std::string> items = {""};
    const std::vector<std::string>& names = KeyListNames();
    items.insert(items.end(), names.begin(), names.end());
    return items;
}

SetsControl TextLabel(int page, int left, int top, std::string caption, int id = 0) {
    SetsControl c;
    c.id = id;
    c.page = page;
    c.rect = {left, top, 0, 0};
    c.caption = std::move(caption);
    return c;
}

SetsControl Control(int id, int page, ControlKind kind, ControlRect rect) {
    SetsControl c;
    c.id = id;
    c.page = page;
    c.kind = kind;
    c.rect = rect;
    return c;
}

void AddSettingsPage(std::vector<SetsControl>& table) {
    using enum ControlKind;
    table.push_back(TextLabel(0, 0, 8, "计时器数量："));
    SetsControl timer = Control(ids::kTimer, 0, DropDownList, {82, 5, 61, 21});
    timer.items = Numbers(1, 8);
    timer.openRows = kDefaultOpenRows;
    timer.handler = [](TfrmSets& s, int) { s.cbbTimerChange(); };
    timer.textControl = SetsText::cbbTimer;
    table.push_back(timer);

    SetsControl circle = Control(ids::kCircle, 0, CheckBox, {157, 8, 82, 17});
    circle.caption = "循环计时";
    circle.handler = [](TfrmSets& s, int) { s.chkCircleClick(); };
    circle.checkControl = SetsCheck::chkCircle;
    table.push_back(circle);

    SetsControl sec = Control(ids::kSec, 0, CheckBox, {0, 32, 50, 17});
    sec.caption = "最后";
    sec.handler = [](TfrmSets& s, int) { s.chkSecClick(); };
    sec.checkControl = SetsCheck::chkSec;
    table.push_back(sec);

    SetsControl lastSec = Control(ids::kLastSec, 0, TypingCombo, {48, 29, 41, 21});
    lastSec.items = Numbers(1, 20);
    lastSec.text = "30";  // not one of its items
    lastSec.openRows = 11;
    lastSec.handler = [](TfrmSets& s, int) { s.cbbLastSecChange(); };
    lastSec.textControl = SetsText::cbbLastSec;
    table.push_back(lastSec);

    table.push_back(TextLabel(0, 91, 32, "秒钟报数"));
    table.push_back(TextLabel(0, 155, 32, "标题颜色："));
    SetsControl colors = Control(ids::kTitleColor, 0, ColorList, {220, 29, 77, 22});
    colors.openRows = kDefaultOpenRows;
    colors.handler = [](TfrmSets& s, int) { s.clrbxTitleChange(); };
    table.push_back(colors);

    for (int slot = 1; slot <= kSlotCount; ++slot) {
        // Slots 5..8 stand one pixel further left, as designed.
        const int left = slot <= 4 ? 0 : -1;
        const int top = 56 + 56 * (slot - 1);
        const std::size_t first = table.size();
        // The slot's boxes are the page's children placed inside the group box's frame: a
        // BUTTON as their parent would swallow their notifications.
        SetsControl group = Control(ids::Group(slot), 0, GroupBox, {left, top, 297, 49});
        group.caption = "计时器" + std::to_string(slot);
        table.push_back(group);

        table.push_back(TextLabel(0, left + 4, top + 24, "标题："));
        SetsControl title = Control(ids::Title(slot), 0, Edit, {left + 40, top + 20, 49, 21});
        title.text = DefaultTitle(slot);
        title.handler = [](TfrmSets& s, int n) { s.edtTitleChange(n); };
        title.textControl = SetsText::edtTitle;
        table.push_back(title);

        table.push_back(TextLabel(0, left + 92, top + 24, "热键："));
        SetsControl key = Control(ids::Key(slot), 0, TypingCombo, {left + 128, top + 21, 57, 21});
        key.items = HotKeyItems();
        key.text = DefaultHotKey(slot);
        key.openRows = 12;
        key.handler = [](TfrmSets& s, int n) { s.cbbKeyChange(n); };
        key.textControl = SetsText::cbbKey;
        table.push_back(key);

        table.push_back(TextLabel(0, left + 188, top + 24, "计时(秒)："));
        SetsControl time = Control(ids::Time(slot), 0, Edit, {left + 256, top + 20, 36, 21});
        time.text = DefaultSeconds(slot);
        time.handler = [](TfrmSets& s, int n) { s.edtTimeChange(n); };
        time.textControl = SetsText::edtTime;
        table.push_back(time);
        for (std::size_t k = first; k < table.size(); ++k) table[k].slot = slot;
    }
}

void AddHelpPage(std::vector<SetsControl>& table) {
    using enum ControlKind;
    SetsControl sortType = Control(ids::kSortType, 1, TypingCombo, {3, 36, 56, 21});
    sortType.items = {kSortTypeNames.begin(), kSortTypeNames.end()};
    sortType.selected = 0;
    sortType.text = sortType.items.front();
    sortType.openRows = kDefaultOpenRows;
    sortType.handler = [](TfrmSets& s, int) { s.cbbSortTypeChange(); };
    sortType.textControl = SetsText::cbbSortType;
    table.push_back(sortType);

    SetsControl top = Control(ids::kTop, 1, CheckBox, {70, 38, 76, 17});
    top.caption = "窗口置顶";
    top.handler = [](TfrmSets& s, int) { s.chkTopClick(); };
    top.checkControl = SetsCheck::chkTop;
    table.push_back(top);

    table.push_back(TextLabel(1, 2, 67, "Tallyvox", ids::kLbl17));
    table.push_back(TextLabel(1, 190, 67, "Ver " TALLYVOX_VERSION_STRING, ids::kLbl18));
    SetsControl home = TextLabel(1, 2, 87, kHomePageUrl, ids::kLbl19);
    home.kind = Link;
    home.handler = [](TfrmSets& s, int) { s.lbl19Click(); };
    table.push_back(home);
    SetsControl download = TextLabel(1, 190, 87, "下载最新版本", ids::kLbl20);
    download.kind = Link;
    download.handler = [](TfrmSets& s, int) { s.lbl20Click(); };
    table.push_back(download);
}

}  // namespace

const std::vector<SetsControl>& SetsControls() {
    static const std::vector<SetsControl> kTable = [] {
        std::vector<SetsControl> table;
        AddSettingsPage(table);
        AddHelpPage(table);
        return table;
    }();
    return kTable;
}

const SetsControl* FindSetsControl(int id) {
    if (id == 0) return nullptr;
    const auto& table = SetsControls();
    const auto found =
        std::find_if(table.begin(), table.end(), [&](const SetsControl& c) { return c.id == id; });
    return found == table.end() ? nullptr : &*found;
}

int IdOf(SetsText control, int slot) {
    for (const SetsControl& c : SetsControls()) {
        if (c.textControl == control && (c.slot == slot || c.slot == 0)) return c.id;
    }
    return 0;
}

int IdOf(SetsCheck control) {
    for (const SetsControl& c : SetsControls()) {
        if (c.checkControl == control) return c.id;
    }
    return 0;
}

std::optional<int> FindItem(const SetsControl& control, std::string_view text) {
    const auto found = std::find(control.items.begin(), control.items.end(), text);
    if (found == control.items.end()) return std::nullopt;
    return static_cast<int>(found - control.items.begin());
}

std::string ShownAfterSelect(const SetsControl& control, const std::string& text) {
    return FindItem(control, text) ? text : std::string();
}

std::string ShownAfterSetText(const SetsControl& control, const std::string& text) {
    return control.kind == ControlKind::DropDownList ? ShownAfterSelect(control, text) : text;
}

}  // namespace tallyvox
