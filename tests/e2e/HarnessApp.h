// A small stand-in program for testing the driver itself before (and apart from) tallyvox.exe:
// tallyvox_e2e.exe --harness-app shows it.
#pragma once

namespace tallyvox::e2e::harness {

// Control IDs and texts the Harness tests rely on.
inline constexpr wchar_t kClass[] = L"TallyvoxHarness";
inline constexpr wchar_t kTitle[] = L"Harness";
inline constexpr int kLabel = 101;      // STATIC "多排"
inline constexpr int kPanel = 201;      // red, double-clickable; caption "down=N dbl=N right=N"
inline constexpr int kEdit = 401;       // EDIT
inline constexpr int kCombo = 501;      // drop-down list "F1".."F12", item data 10 * index
inline constexpr int kSelInfo = 102;    // "sel=<CBN_SELCHANGE count>:<index>"
inline constexpr int kHotInfo = 103;    // "hot=<WM_HOTKEY count>"
inline constexpr int kBoxButton = 601;  // shows a message box titled kBoxTitle
inline constexpr int kBoxInfo = 104;    // "box=<boxes closed>"
inline constexpr wchar_t kBoxTitle[] = L"Harness box";
inline constexpr unsigned kHotKey = 0x77;  // VK_F8, no modifiers
inline constexpr int kExitCode = 7;        // returned after WM_CLOSE
inline constexpr int kLeft = 200, kTop = 150, kWidth = 420, kHeight = 260;
inline constexpr int kPanelLeft = 10, kPanelTop = 40, kPanelWidth = 120, kPanelHeight = 60;

int RunHarnessApp();

}  // namespace tallyvox::e2e::harness
