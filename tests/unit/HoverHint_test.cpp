// The overlay hint's phases, driven by a host whose timers fire only while they run.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/HoverHint.h"

namespace tallyvox {
namespace {

using Timer = HintHost::Timer;

class FakeHintHost : public HintHost {
  public:
    std::set<Timer> running;
    int shown = 0;     // the tool whose hint is up
    int watched = 0;   // the tool whose leaving is watched
    int showings = 0;  // how often a hint came up

    void StartTimer(Timer timer, int) override { running.insert(timer); }
    void StopTimer(Timer timer) override { running.erase(timer); }
    void ShowHint(int tool) override {
        shown = tool;
        ++showings;
    }
    void HideHint() override { shown = 0; }
    void WatchLeave(int tool) override { watched = tool; }
    void StopWatchingLeave(int tool) override {
        if (watched == tool) watched = 0;
    }
};

// One step: "move TOOL X" (y 0), "press", "leave TOOL", "show" or "pop" (that timer fires, if it
// runs).
struct Step {
    std::string what;
    int tool = 0, x = 0;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    int shown, watched, showings;
    std::set<Timer> running;  // timers left running: each is a later wake-up
};

void Apply(HoverHint& hint, FakeHintHost& host, const Step& step) {
    if (step.what == "move") hint.OnMove(step.tool, step.x, 0);
    if (step.what == "press") hint.OnPress();
    if (step.what == "leave") hint.OnLeave(step.tool);
    for (auto [name, timer] : {std::pair{"show", Timer::Show}, std::pair{"pop", Timer::Pop}}) {
        if (step.what == name && host.running.erase(timer) == 1) hint.OnTimer(timer);
    }
}

const Step kOnPanel{"move", 201, 5}, kShow{"show"}, kPop{"pop"};

const Case kCases[] = {
    {"comes after the delay", {kOnPanel}, 0, 201, 0, {Timer::Show}},
    {"shows, watching the leave", {kOnPanel, kShow}, 201, 201, 1, {Timer::Pop}},
    {"a resting pointer wakes nothing once the hint is down",
     {kOnPanel, kShow, kPop, kOnPanel, kShow, kPop},
     0,
     0,
     1,
     {}},
    {"a move after it went brings it back",
     {kOnPanel, kShow, kPop, {"move", 201, 6}, kShow},
     201,
     201,
     2,
     {Timer::Pop}},
    {"a move while up keeps it up", {kOnPanel, kShow, {"move", 201, 6}, kPop, kPop}, 0, 0, 1, {}},
    {"goes when the pointer leaves", {kOnPanel, kShow, {"leave", 201}}, 0, 0, 1, {}},
    {"leaving before the delay shows nothing", {kOnPanel, {"leave", 201}, kShow}, 0, 0, 0, {}},
    {"a stale leave is no leave",
     {kOnPanel, {"move", 101, 9}, {"leave", 201}},
     0,
     101,
     0,
     {Timer::Show}},
    {"another tool takes over",
     {kOnPanel, kShow, {"move", 101, 9}, kShow},
     101,
     101,
     2,
     {Timer::Pop}},
    {"a press takes it away", {kOnPanel, kShow, {"press"}}, 0, 0, 1, {}},
    {"a press before the delay shows nothing", {kOnPanel, {"press"}, kShow}, 0, 0, 0, {}},
    {"over no tool nothing comes", {{"move", 0, 5}, kShow}, 0, 0, 0, {}},
};

TEST(HoverHintTest, PhasesFollowThePointerAndTheTimers) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        FakeHintHost host;
        HoverHint hint(host);
        for (const Step& step : c.steps) Apply(hint, host, step);
        EXPECT_EQ(host.shown, c.shown);
        EXPECT_EQ(host.watched, c.watched);
        EXPECT_EQ(host.showings, c.showings);
        EXPECT_EQ(host.running, c.running);
    }
}

}  // namespace
}  // namespace tallyvox
