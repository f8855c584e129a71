// The settings dialog's built-in contents: item lists and texts before any filling. The
// window and the windowless model of the dialog both build from these.
#pragma once

#include <string>
#include <vector>

namespace tallyvox {

std::vector<std::string> TimerCountItems();  // "1".."8"
std::vector<std::string> LastSecondItems();  // "1".."20"
std::vector<std::string> HotKeyItems();      // "", "F1".."F12", "Num0".."Num9"
std::vector<std::string> SortTypeItems();    // 多排, 横排, 竖排 in GBK; the first is selected

constexpr const char* kBuiltInLastSecond = "30";  // not one of its list's items

}  // namespace tallyvox
