// Hotkey names: the key list's single keys, combinations, and the keys refused by design.
#include "hotkeys/HotKeyName.h"

#include <string>

#include "hotkeys/KeyNames.h"

namespace tallyvox {

namespace {

constexpr unsigned kVkF1 = 0x70;
constexpr unsigned kVkF4 = 0x73;
constexpr unsigned kVkNumpad0 = 0x60;
constexpr unsigned kVkNumpad9 = 0x69;
constexpr unsigned kVkDecimal = 0x6E;
constexpr unsigned kVkPause = 0x13;
constexpr unsigned kVkCancel = 0x03;  // Break: what Pause sends while Ctrl is down
constexpr unsigned kCommandModifiers = kModControl | kModAlt | kModWin;

struct Key {
    unsigned code;
    // Registered without Ctrl, Alt or Win it would be taken from every program, this one's
    // dialog included: nobody could type it any more.
    bool typing;
};

struct NamedKey {
    std::string_view name;  // lower case
    Key key;
};

constexpr NamedKey kNamedKeys[] = {
    {"num*", {0x6A, false}},     {"num+", {0x6B, false}},       {"num-", {0x6D, false}},
    {"num.", {0x6E, false}},     {"num/", {0x6F, false}},       {"insert", {0x2D, false}},
    {"delete", {0x2E, true}},    {"home", {0x24, false}},       {"end", {0x23, false}},
    {"pageup", {0x21, false}},   {"pagedown", {0x22, false}},   {"up", {0x26, true}},
    {"down", {0x28, true}},      {"left", {0x25, true}},        {"right", {0x27, true}},
    {"pause", {0x13, false}},    {"scrolllock", {0x91, false}}, {"space", {0x20, true}},
    {"tab", {0x09, true}},       {"enter", {0x0D, true}},       {"esc", {0x1B, true}},
    {"backspace", {0x08, true}},
};

struct Modifier {
    std::string_view name;
    unsigned flag;
};

constexpr Modifier kModifiers[] = {
    {"ctrl", kModControl}, {"alt", kModAlt}, {"shift", kModShift}, {"win", kModWin}};

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

// The key of a combination, named in lower case.
std::optional<Key> KeyOf(std::string_view name) {
    if (name.size() == 1 &&
        ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= '0' && name[0] <= '9'))) {
        // Letters and digits are their own upper-case character codes.
        const char c = name[0];
        return Key{static_cast<unsigned>(c >= 'a' ? c - 'a' + 'A' : c), true};
    }
    for (unsigned n = 1; n <= 24; ++n) {
        if (name == "f" + std::to_string(n)) return Key{kVkF1 + n - 1, false};
    }
    for (unsigned n = 0; n <= 9; ++n) {
        if (name == "num" + std::to_string(n)) return Key{kVkNumpad0 + n, false};
    }
    for (const NamedKey& named : kNamedKeys) {
        if (name == named.name) return named.key;
    }
    return std::nullopt;
}

// A combination's modifiers come off the front of `rest`; false when one comes twice.
bool TakeModifiers(std::string_view& rest, unsigned& modifiers) {
    for (bool took = true; took;) {
        took = false;
        for (const Modifier& m : kModifiers) {
            if (rest.substr(0, m.name.size()) != m.name) continue;
            const std::string_view after = SkipBlanks(rest.substr(m.name.size()));
            if (after.empty() || after.front() != '+') continue;
            if ((modifiers & m.flag) != 0) return false;
            modifiers |= m.flag;
            rest = SkipBlanks(after.substr(1));
            took = true;
        }
    }
    return true;
}

HotKeyProblem RefusalOf(unsigned modifiers, const Key& key) {
    // With NumLock on, Shift turns a keypad digit or point into its navigation key and is
    // reported released: such a hotkey can never arrive.
    const bool keypadDigitOrPoint =
        (key.code >= kVkNumpad0 && key.code <= kVkNumpad9) || key.code == kVkDecimal;
    if ((modifiers & kModShift) != 0 && keypadDigitOrPoint) return HotKeyProblem::ShiftedKeypad;
    if (key.typing && (modifiers & kCommandModifiers) == 0) return HotKeyProblem::TypingKey;
    if (modifiers == kModAlt && key.code == kVkF4) return HotKeyProblem::ClosesWindow;
    if (modifiers == kModControl) {
        for (const char edit : {'A', 'C', 'V', 'X', 'Z'}) {
            if (key.code == static_cast<unsigned>(edit)) return HotKeyProblem::EditKey;
        }
    }
    return HotKeyProblem::None;
}

}  // namespace

HotKeyNameReading ReadHotKeyName(std::string_view name) {
    const std::string normalised = NormaliseKeyName(name);
    if (normalised.empty()) return {};
    // The key list's names stay what they always were: the bare key, repeating while held.
    if (const auto listed = VirtualKeyOf(normalised)) return {HotKeyChord{0, *listed}};

    std::string_view rest = normalised;
    unsigned modifiers = 0;
    const auto key = TakeModifiers(rest, modifiers) ? KeyOf(rest) : std::nullopt;
    if (!key) return {std::nullopt, HotKeyProblem::UnknownName};
    if (const HotKeyProblem refusal = RefusalOf(modifiers, *key); refusal != HotKeyProblem::None) {
        return {std::nullopt, refusal};
    }
    // Pause with Ctrl held reaches the system as Break, so that is the key to ask for.
    const unsigned code =
        key->code == kVkPause && (modifiers & kModControl) != 0 ? kVkCancel : key->code;
    return {HotKeyChord{modifiers == 0 ? 0 : modifiers | kModNoRepeat, code}};
}

}  // namespace tallyvox
