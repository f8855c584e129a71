// Window rectangles: the place taken at a new scale, a dialog opened over the overlay on
// monitors of 100 % to 200 % with the taskbar on any side, and the overlay brought back within
// reach after the screens changed.
#include "ui/WindowPlacement.h"

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

#include "ui/WithinReach.h"

namespace tallyvox {

void PrintTo(const ScreenRect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

TEST(WindowPlacementTest, NewScaleTakesTheSuggestionOrCentresTheWindowOnIt) {
    struct {
        const char* what;
        ScreenRect suggested;
        WindowSize size;
        ScreenRect expected;
    } const cases[] = {
        // The system asked for the size first (per-monitor v2): its rectangle is taken as is.
        {"100 % to 150 % on the right", {2000, 200, 2288, 476}, {288, 276}, {2000, 200, 2288, 476}},
        {"150 % to 100 % on the left", {1700, 300, 1892, 484}, {192, 184}, {1700, 300, 1892, 484}},
        {"100 % to 200 % on the left", {-400, 100, -16, 468}, {384, 368}, {-400, 100, -16, 468}},
        // Scaled as a whole (per-monitor v1): the layout's own size, centred on the suggestion.
        {"100 % to 125 % on the left", {-500, 100, -260, 330}, {240, 232}, {-500, 99, -260, 331}},
        {"200 % to 125 % on the right", {1930, 40, 2170, 270}, {240, 232}, {1930, 39, 2170, 271}},
        {"an odd pixel more", {0, 0, 241, 101}, {240, 100}, {0, 0, 240, 100}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlaceForNewScale(c.suggested, c.size), c.expected) << c.what;
}

TEST(WindowPlacementTest, DialogCentresOverTheOverlayInsideTheWorkArea) {
    struct {
        const char* what;
        ScreenRect owner;
        WindowSize size;
        ScreenRect workArea, expected;
    } const cases[] = {
        {"100 %, room all round",
         {864, 448, 1056, 632},
         {320, 355},
         {0, 0, 1920, 1040},
         {800, 363, 1120, 718}},
        {"taskbar on the left",
         {0, 400, 192, 584},
         {320, 355},
         {62, 0, 1920, 1080},
         {62, 315, 382, 670}},
        {"taskbar on top",
         {800, 0, 992, 46},
         {320, 355},
         {0, 48, 1920, 1080},
         {736, 48, 1056, 403}},
        {"125 % at the bottom right",
         {1700, 1000, 1940, 1058},
         {400, 444},
         {0, 0, 1920, 1040},
         {1520, 596, 1920, 1040}},
        {"150 % monitor left of the primary",
         {-300, 500, -12, 776},
         {472, 526},
         {-2880, 0, 0, 1620},
         {-472, 375, 0, 901}},
        {"200 % dialog taller than the work area",
         {100, 100, 484, 468},
         {624, 1102},
         {0, 0, 1366, 728},
         {0, 0, 624, 1102}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CentreOverInWorkArea(c.owner, c.size, c.workArea), c.expected) << c.what;
}

// An overlay of 192 x 56 with its first count at (56, 4), 28 x 20, as the two-column layout
// places it at 100 %.
ScreenRect OverlayAt(int left, int top) {
    return {left, top, left + 192, top + 56};
}
ScreenRect CountOf(const ScreenRect& overlay) {
    return {overlay.left + 56, overlay.top + 4, overlay.left + 84, overlay.top + 24};
}

TEST(WindowPlacementTest, OverlayComesBackWithinReachOnlyWhenNoCountIsOnAMonitor) {
    const MonitorArea primary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};         // taskbar below
    const MonitorArea shrunk{{0, 0, 1280, 720}, {0, 0, 1280, 680}};            // resolution switch
    const MonitorArea leftBar{{0, 0, 1920, 1080}, {62, 0, 1920, 1080}};        // taskbar left
    const MonitorArea topBar{{0, 0, 1920, 1080}, {0, 40, 1920, 1080}};         // taskbar on top
    const MonitorArea leftOf{{-1280, -200, 0, 824}, {-1280, -200, -48, 824}};  // its bar right
    const MonitorArea rightOf{{1920, -200, 3840, 880}, {1920, -200, 3840, 880}};
    const MonitorArea tiny{{0, 0, 160, 40}, {0, 0, 160, 40}};
    struct {
        const char* what;
        ScreenRect overlay;
        std::vector<MonitorArea> monitors;
        ScreenRect expected;
    } const cases[] = {
        {"on the primary", OverlayAt(800, 500), {primary}, OverlayAt(800, 500)},
        {"left half over the right edge, its count on",
         OverlayAt(1800, 500),
         {primary},
         OverlayAt(1800, 500)},
        {"its count over the right edge", OverlayAt(1880, 500), {primary}, OverlayAt(1728, 500)},
        {"off the screen after a resolution switch",
         OverlayAt(1500, 900),
         {shrunk},
         OverlayAt(1088, 624)},
        {"left monitor unplugged, taskbar on the left",
         OverlayAt(-900, 300),
         {leftBar},
         OverlayAt(62, 300)},
        {"above a taskbar on top", OverlayAt(100, -300), {topBar}, OverlayAt(100, 40)},
        {"its count on the left monitor",
         OverlayAt(-100, -150),
         {primary, leftOf},
         OverlayAt(-100, -150)},
        {"below the left monitor, which stands higher",
         OverlayAt(-1000, 900),
         {primary, leftOf},
         OverlayAt(-1000, 768)},
        {"nearest is the right monitor",
         OverlayAt(4000, 100),
         {primary, rightOf},
         OverlayAt(3648, 100)},
        {"nearest is the primary", OverlayAt(-900, 1200), {primary, rightOf}, OverlayAt(0, 984)},
        {"larger than the work area: its top left shows",
         OverlayAt(500, 500),
         {tiny},
         OverlayAt(0, 0)},
        {"no monitor known", OverlayAt(-5000, 0), {}, OverlayAt(-5000, 0)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BackWithinReach(c.overlay, {CountOf(c.overlay)}, c.monitors), c.expected)
            << c.what;
    }
    // Without a count to go by, the window itself must lie on a monitor.
    EXPECT_EQ(BackWithinReach(OverlayAt(1800, 500), {}, {primary}), OverlayAt(1728, 500));
}

TEST(WindowPlacementTest, OwnedWindowTakesTheOverlaysDpiUnlessTheSystemTellsTheyDiffer) {
    struct {
        const char* what;
        int owner, systemOwner, systemWindow, expected;
    } const cases[] = {
        {"no per-window DPI: the system's one DPI for both", 144, 96, 96, 144},
        {"per-window DPI, the same monitor", 144, 144, 144, 144},
        {"per-window DPI, put on a monitor of another scale", 144, 144, 120, 120},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DpiForOwnedWindow(c.owner, c.systemOwner, c.systemWindow), c.expected) << c.what;
}

TEST(WindowPlacementTest, AChangeTheMoveBringsIsLaidOutOnceMoreWhereTheWindowStands) {
    using Call = std::pair<int, bool>;  // the DPI laid out at; moved to the suggestion
    struct {
        const char* what;
        int change;
        std::vector<int> brought;  // the DPI each apply in turn brings a change to; 0 for none
        std::vector<Call> calls;
        int dpi;
    } const cases[] = {
        {"nothing brought", 144, {}, {{144, true}}, 144},
        {"the move brings the DPI it went to", 144, {144}, {{144, true}}, 144},
        {"the move brings the old monitor's DPI", 144, {96}, {{144, true}, {96, false}}, 96},
        {"the second layout's change is taken, not followed",
         144,
         {96, 144},
         {{144, true}, {96, false}},
         144},
        {"no DPI", 0, {}, {}, 96},
    };
    for (const auto& c : cases) {
        ScaleChanges scale(96);
        std::vector<Call> calls;
        scale.Changed(c.change, [&](int dpi, bool toSuggestion) {
            calls.emplace_back(dpi, toSuggestion);
            const std::size_t n = calls.size() - 1;
            if (n < c.brought.size() && c.brought[n] != 0)
                scale.Changed(c.brought[n], [&](int, bool) { ADD_FAILURE() << "followed"; });
        });
        EXPECT_EQ(calls, c.calls) << c.what;
        EXPECT_EQ(scale.Dpi(), c.dpi) << c.what;
    }
}

}  // namespace
}  // namespace tallyvox
