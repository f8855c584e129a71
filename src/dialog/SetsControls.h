// The settings dialog's controls as one table: what each is, where it stands at 96 DPI, what it
// holds before any filling and which TfrmSets handler its change runs. The window creates,
// finds and routes its controls by this table, and the window-less model holds the same
// contents under the same rules, so the two cannot disagree.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialog/SetsView.h"

namespace tallyvox {

class TfrmSets;

// Each kind fixes the window class, its style and the notification that counts as a change.
enum class ControlKind {
    Label,         // STATIC sized to its caption unless the table gives a size; no notification
    Link,          // a label in the link colour; a click runs the handler
    CheckBox,      // a click runs the handler
    Button,        // a push button; a click runs the handler
    GroupBox,      // a frame round a slot's boxes; no notification
    Edit,          // each change of its text runs the handler
    DropDownList,  // a choice runs the handler; it shows one of its items or nothing
    TypingCombo,   // typing or a choice runs the handler
    ColorList,     // the owner-drawn colour list; a choice runs the handler
};

struct ControlRect {
    // 96-DPI pixels in the page; a label of width 0 takes the size of its text
    int left, top, width, height;
};

struct SetsControl {
    int id = 0;    // 0 for the labels that nothing looks up
    int page = 0;  // 0: the page 设置, 1: the page 帮助
    ControlKind kind = ControlKind::Label;
    ControlRect rect{};
    std::string caption;             // UTF-8: what a label, link, check or group box shows
    std::string text;                // GBK: what an edit or combo box shows before filling
    std::vector<std::string> items;  // GBK: a combo box's list
    int selected = -1;               // the item a combo box starts with selected, if any
    int openRows = 0;                // rows a combo box's list shows open
    void (*handler)(TfrmSets& sets, int slot) = nullptr;
    int slot = 0;  // 1..8 for a slot's controls
    std::optional<SetsText> textControl;
    std::optional<SetsCheck> checkControl;
};

// Every control in creation order, which is the keyboard order; the slots' rows come eight
// times, once per slot.
const std::vector<SetsControl>& SetsControls();

// The control with this ID, or nullptr.
const SetsControl* FindSetsControl(int id);
int IdOf(SetsText control, int slot = 0);
int IdOf(SetsCheck control);

// The item whose text equals `text` byte for byte (a list's own search would ignore case).
std::optional<int> FindItem(const SetsControl& control, std::string_view text);

// What a combo box shows when the program selects the item `text`: that item, or nothing when
// no item has this text.
std::string ShownAfterSelect(const SetsControl& control, const std::string& text);
// What a control shows when the program sets its text: a drop-down list can only select.
std::string ShownAfterSetText(const SetsControl& control, const std::string& text);

}  // namespace tallyvox
