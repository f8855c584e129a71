// Helpers shared by the fuzz targets: a failing check that libFuzzer reports as a crash, an
// independent line splitter, and an overlay fake that rejects slot numbers outside 1..8.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "ExpectedLayout.h"
#include "FakeOverlay.h"

namespace tallyvox::fuzz {

// Not assert(): the fuzz build defines NDEBUG, and a broken property must always stop the run.
[[noreturn]] inline void Fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "fuzz check failed: %s\n%s\n", what, detail.c_str());
    std::abort();
}

// `detail` is a string or, where building it is costly, a function returning one: it is only
// made when the check fails, so the checks stay cheap on the fuzzing hot path.
template <class Detail = std::string>
void Check(bool ok, const char* what, Detail&& detail = {}) {
    if (ok) return;
    if constexpr (std::is_invocable_v<Detail>) {
        Fail(what, detail());
    } else {
        Fail(what, detail);
    }
}

// Printable form of bytes for failure messages.
inline std::string Show(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    return out;
}

struct RawLine {
    std::string text;
    std::string ending;
    bool operator==(const RawLine&) const = default;
};

// Splits at LF, CRLF and lone CR, the way any reader of the file would see its lines. Written
// separately from the document's own parser so that both have to agree.
inline std::vector<RawLine> SplitLines(std::string_view bytes) {
    std::vector<RawLine> lines;
    RawLine current;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n' || c == '\r') {
            current.ending = c;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                current.ending += '\n';
                ++i;
            }
            lines.push_back(std::move(current));
            current = {};
        } else {
            current.text += c;
        }
    }
    if (!current.text.empty()) lines.push_back(std::move(current));
    return lines;
}

inline char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Name comparison for names built from ASCII and whole GBK characters with trail bytes of
// 0x80 and up, where plain ASCII case folding of every byte is right.
inline bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

inline std::string_view TrimSpaceTab(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Checks that `after` is `before` with only these edits: key lines named in `keys` may get a
// new value (text up to and including the first '=' and the line ending kept), new lines
// "[section]" or "key=..." for the given names may appear, and a last line that lacked an
// ending may gain one. Every other line must survive byte for byte and in order.
inline void CheckOnlyKeysChanged(std::string_view before, std::string_view after,
                                 const std::vector<std::string>& keys,
                                 const std::vector<std::string>& sections) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    const bool bomBefore = before.substr(0, 3) == kBom;
    Check(bomBefore == (after.substr(0, 3) == kBom), "byte order mark added or lost");
    if (bomBefore) {
        before.remove_prefix(3);
        after.remove_prefix(3);
    }
    const std::vector<RawLine> old = SplitLines(before);
    const std::vector<RawLine> now = SplitLines(after);

    auto keyOf = [](const std::string& text) -> std::string_view {
        const std::size_t eq = text.find('=');
        if (eq == std::string::npos) return {};
        return TrimSpaceTab(std::string_view(text).substr(0, eq));
    };
    auto isWrittenKey = [&](std::string_view name) {
        if (name.empty()) return false;
        for (const auto& k : keys) {
            if (SameName(k, name)) return true;
        }
        return false;
    };
    auto isInsertable = [&](const RawLine& line) {
        for (const auto& s : sections) {
            if (line.text == "[" + s + "]") return true;
        }
        for (const auto& k : keys) {
            if (line.text.compare(0, k.size() + 1, k + "=") == 0) return true;
        }
        return false;
    };
    auto endingKept = [&](std::size_t i, const RawLine& line) {
        return line.ending == old[i].ending || (i + 1 == old.size() && old[i].ending.empty());
    };

    std::size_t j = 0;
    for (std::size_t i = 0; i < old.size(); ++i) {
        while (true) {
            Check(j < now.size(), "an untouched line was lost", [&] {
                return "line " + std::to_string(i) + ": " + Show(old[i].text + old[i].ending) +
                       "\nbefore: " + Show(before) + "\nafter:  " + Show(after);
            });
            const RawLine& line = now[j];
            if (line.text == old[i].text && endingKept(i, line)) break;
            const std::size_t eq = old[i].text.find('=');
            if (eq != std::string::npos && isWrittenKey(keyOf(old[i].text)) &&
                line.text.compare(0, eq + 1, old[i].text, 0, eq + 1) == 0 && endingKept(i, line)) {
                break;
            }
            Check(isInsertable(line), "a line changed that no write addressed", [&] {
                return "line " + std::to_string(j) + ": " + Show(line.text + line.ending) +
                       "\nbefore: " + Show(before) + "\nafter:  " + Show(after);
            });
            ++j;
        }
        ++j;
    }
    for (; j < now.size(); ++j) {
        Check(isInsertable(now[j]), "unexpected line at the end", [&] {
            return Show(now[j].text) + "\nbefore: " + Show(before) + "\nafter:  " + Show(after);
        });
    }
}

// The recording fake of the unit tests, plus checks on every call's slot number and position.
class CheckingOverlay : public test::FakeOverlay {
  public:
    void SetLabelCaption(int s, const std::string& text) override {
        CheckSlot(s);
        FakeOverlay::SetLabelCaption(s, text);
    }
    void SetLabelHint(int s, const std::string& text) override {
        CheckSlot(s);
        FakeOverlay::SetLabelHint(s, text);
    }
    void SetLabelColor(int s, std::int32_t color) override {
        CheckSlot(s);
        FakeOverlay::SetLabelColor(s, color);
    }
    void SetPanelCaption(int s, const std::string& text) override {
        CheckSlot(s);
        FakeOverlay::SetPanelCaption(s, text);
    }
    void SetPanelColor(int s, std::int32_t color) override {
        CheckSlot(s);
        FakeOverlay::SetPanelColor(s, color);
    }
    void SetSlotVisible(int s, bool visible) override {
        CheckSlot(s);
        FakeOverlay::SetSlotVisible(s, visible);
    }
    void SetLabelPosition(int s, int left, int top) override {
        CheckSlot(s);
        Check(OnATable(s, &Place::labelLeft, left, &Place::labelTop, top),
              "label placed off the layout tables",
              std::to_string(s) + ": " + std::to_string(left) + "," + std::to_string(top));
        FakeOverlay::SetLabelPosition(s, left, top);
    }
    void SetPanelPosition(int s, int left, int top) override {
        CheckSlot(s);
        Check(OnATable(s, &Place::panelLeft, left, &Place::panelTop, top),
              "panel placed off the layout tables",
              std::to_string(s) + ": " + std::to_string(left) + "," + std::to_string(top));
        FakeOverlay::SetPanelPosition(s, left, top);
    }
    void EnableTicker(int s, bool on) override {
        CheckSlot(s);
        FakeOverlay::EnableTicker(s, on);
    }
    void Unregister(int id) override {
        Check(id >= 4097 && id <= 4104, "hotkey id outside the slots'", std::to_string(id));
        FakeOverlay::Unregister(id);
    }
    bool Register(int id, tallyvox::HotKeyChord chord) override {
        Check(id >= 4097 && id <= 4104, "hotkey id outside the slots'", std::to_string(id));
        // Never a letter or digit that the player could no longer type.
        using namespace tallyvox;
        const bool typing =
            (chord.key >= 'A' && chord.key <= 'Z') || (chord.key >= '0' && chord.key <= '9');
        Check(!typing || (chord.modifiers & (kModControl | kModAlt | kModWin)) != 0,
              "unexpected key", std::to_string(chord.modifiers) + "+" + std::to_string(chord.key));
        return FakeOverlay::Register(id, chord);
    }

  private:
    using Place = test::ExpectedPlace;
    // Whether one of the three layouts puts slot `s`'s label or panel at left, top.
    static bool OnATable(int s, int Place::*leftOf, int left, int Place::*topOf, int top) {
        for (const auto& layout : test::kExpectedPlaces) {
            const Place& p = layout[static_cast<std::size_t>(s - 1)];
            if (p.*leftOf == left && p.*topOf == top) return true;
        }
        return false;
    }
    static void CheckSlot(int s) {
        Check(s >= 1 && s <= 8, "slot outside 1..8", std::to_string(s));
    }
};

}  // namespace tallyvox::fuzz
