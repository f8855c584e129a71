// What the benchmark driver and the baseline program agree on: window identity, control IDs,
// place on the screen (apart from the overlay's centred window) and the hotkey.
#pragma once

namespace tallyvox::bench {

inline constexpr wchar_t kBaselineClass[] = L"TallyvoxBaseline";
inline constexpr wchar_t kBaselineTitle[] = L"Baseline";
inline constexpr int kLabelIdBase = 100;
inline constexpr int kPanelIdBase = 200;
inline constexpr int kBaselineLeft = 40;
inline constexpr int kBaselineTop = 40;
inline constexpr unsigned kBaselineHotKey = 0x7B;  // VK_F12: the overlay's fixture uses F1..F8
inline constexpr int kBaselineStartCount = 99;

}  // namespace tallyvox::bench
