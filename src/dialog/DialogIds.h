// The settings dialog's control IDs (listed in the README). They are part of the program's
// automation interface: tests and accessibility tools find controls by them, so they never
// change. This is their one definition.
#pragma once

namespace tallyvox::ids {

// The settings dialog, per slot 1..8.
constexpr int Group(int slot) {  // grp1..grp8: 301..308
    return 300 + slot;
}
constexpr int Title(int slot) {  // edtTitle1..edtTitle8: 401..408
    return 400 + slot;
}
constexpr int Key(int slot) {  // cbbKey1..cbbKey8: 501..508
    return 500 + slot;
}
constexpr int Time(int slot) {  // edtTime1..edtTime8: 601..608
    return 600 + slot;
}

// The settings dialog's single controls.
constexpr int kTab = 700;         // pgcntrl1
constexpr int kTimer = 701;       // cbbTimer
constexpr int kCircle = 702;      // chkCircle
constexpr int kSec = 703;         // chkSec
constexpr int kLastSec = 704;     // cbbLastSec
constexpr int kTitleColor = 705;  // clrbxTitle
constexpr int kSortType = 706;    // cbbSortType
constexpr int kTop = 707;         // chkTop
constexpr int kLbl17 = 717;       // the program's name
constexpr int kLbl18 = 718;       // its version
constexpr int kLbl19 = 719;       // link to the home page
constexpr int kLbl20 = 720;       // link to the download page

}  // namespace tallyvox::ids
