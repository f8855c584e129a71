// The window-less settings dialog.
#include "dialog/SetsModel.h"

#include "dialog/ColorList.h"
#include "dialog/SetsControls.h"

namespace tallyvox {

SetsModel::SetsModel() {
    for (const SetsControl& control : SetsControls()) {
        if (control.textControl) texts_[control.id] = control.text;
        if (control.checkControl) checks_[control.id] = false;
    }
}

std::string SetsModel::Text(SetsText control, int slot) const {
    return texts_.at(IdOf(control, slot));
}

void SetsModel::SetText(SetsText control, int slot, const std::string& text) {
    const int id = IdOf(control, slot);
    texts_.at(id) = ShownAfterSetText(*FindSetsControl(id), text);
}

bool SetsModel::SelectItem(SetsText control, const std::string& text) {
    const int id = IdOf(control, 0);
    texts_.at(id) = ShownAfterSelect(*FindSetsControl(id), text);
    return FindItem(*FindSetsControl(id), text).has_value();
}

bool SetsModel::Checked(SetsCheck control) const {
    return checks_.at(IdOf(control));
}

void SetsModel::SetChecked(SetsCheck control, bool checked) {
    checks_.at(IdOf(control)) = checked;
}

void SetsModel::SelectColor(std::int32_t value) {
    color_ = FindColor(value) ? std::optional<std::int32_t>(value) : std::nullopt;
}

}  // namespace tallyvox
