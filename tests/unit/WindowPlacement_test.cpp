// Window rectangles: the place taken at a new scale, and a dialog opened over the overlay on
// monitors of 100 % to 200 % with the taskbar on any side.
#include "ui/WindowPlacement.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tallyvox {
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
