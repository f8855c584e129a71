// The settings dialog window's side of SetsView: reading and setting its controls, silently.
#include <string>

#include "dialog/ColorListBox_win32.h"
#include "dialog/DialogIds.h"
#include "dialog/SetsControls.h"
#include "dialog/SettingsDialog_win32.h"
#include "platform/LazyLibrary_win32.h"
#include "platform/Window_win32.h"
#include "text/Gbk_win32.h"

namespace tallyvox {

HWND SettingsDialog::Control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

std::string SettingsDialog::Text(SetsText control, int slot) const {
    HWND hwnd = Control(IdOf(control, slot));
    if (hwnd == nullptr) return {};
    // During CBN_SELCHANGE the box still shows its former text.
    if (hwnd == choosing_.combo) return ToGbk(choosing_.text);
    if (control == SetsText::cbbTimer) {
        const auto index = static_cast<int>(SendMessageW(hwnd, CB_GETCURSEL, 0, 0));
        return index < 0 ? std::string() : ToGbk(ComboItemText(hwnd, index));
    }
    return ToGbk(WindowText(hwnd));
}

void SettingsDialog::SetText(SetsText control, int slot, const std::string& text) {
    const int id = IdOf(control, slot);
    HWND hwnd = Control(id);
    if (hwnd == nullptr) return;
    if (FindSetsControl(id)->kind == ControlKind::DropDownList) {
        SelectItem(control, text);
        return;
    }
    QuietScope quiet(quiet_);
    SetWindowTextW(hwnd, FromGbk(text).c_str());
}

bool SettingsDialog::SelectItem(SetsText control, const std::string& text) {
    const int id = IdOf(control, 0);
    HWND combo = Control(id);
    if (combo == nullptr) return false;
    QuietScope quiet(quiet_);
    const SetsControl& spec = *FindSetsControl(id);
    const std::optional<int> found = FindItem(spec, text);
    SendMessageW(combo, CB_SETCURSEL, found.value_or(-1), 0);
    // A box with typing would keep its old text; it shows nothing, as a list does.
    if (!found && spec.kind == ControlKind::TypingCombo) SetWindowTextW(combo, L"");
    return found.has_value();
}

bool SettingsDialog::Checked(SetsCheck control) const {
    return SendMessageW(Control(IdOf(control)), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SettingsDialog::SetChecked(SetsCheck control, bool checked) {
    QuietScope quiet(quiet_);
    SendMessageW(Control(IdOf(control)), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::optional<std::int32_t> SettingsDialog::SelectedColor() const {
    return SelectedColorOf(Control(ids::kTitleColor));
}

void SettingsDialog::SelectColor(std::int32_t value) {
    QuietScope quiet(quiet_);
    SelectColorIn(Control(ids::kTitleColor), value);
}

void SettingsDialog::SetOuterHeight(int height) {
    RECT rect;
    GetWindowRect(Handle(), &rect);
    SetWindowPos(Handle(), nullptr, 0, 0, rect.right - rect.left, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialog::OpenUrl(const std::string& address) {
    ShellOpen(Handle(), FromGbk(address).c_str());
}

}  // namespace tallyvox
