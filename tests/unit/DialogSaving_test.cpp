// Which of a settings dialog's events store its controls, and which do not.
#include "dialog/DialogSaving.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace tallyvox {
namespace {

enum class Event { Shown, Hidden, Close, SessionEnds, SessionGoesOn };

struct Case {
    const char* name;
    std::vector<Event> events;
    std::vector<bool> stores;  // one per event
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

using enum Event;

const Case kCases[] = {
    {"CloseStores", {Shown, Close}, {false, true}},
    {"SecondCloseDoesNot", {Shown, Close, Close}, {false, true, false}},
    {"CloseBeforeShowingDoesNot", {Close, Shown, Close}, {false, false, true}},
    {"EachShowingStoresAtItsClose", {Shown, Close, Shown, Close}, {false, true, false, true}},
    {"SessionEndStoresOnceForBothWindows", {Shown, SessionEnds, SessionEnds}, {false, true, false}},
    {"SessionGoingOnDoesNot", {Shown, SessionGoesOn, SessionEnds}, {false, false, true}},
    {"SessionEndWithoutDialogDoesNot", {SessionEnds}, {false}},
    {"SessionEndAfterCloseDoesNot", {Shown, Close, SessionEnds}, {false, true, false}},
    {"SessionEndAfterQuittingDoesNot",
     {Shown, Hidden, SessionEnds, Close},
     {false, false, false, false}},
    {"CloseAfterSessionEndStoresAgain", {Shown, SessionEnds, Close}, {false, true, true}},
};

class DialogSavingTest : public testing::TestWithParam<Case> {};

TEST_P(DialogSavingTest, StoresExactlyAtTheseEvents) {
    DialogSaving saving;
    std::vector<bool> stores;
    for (Event event : GetParam().events) {
        switch (event) {
            case Shown:
                saving.Shown();
                stores.push_back(false);
                break;
            case Hidden:
                saving.Hidden();
                stores.push_back(false);
                break;
            case Close:
                stores.push_back(saving.Close());
                break;
            case SessionEnds:
                stores.push_back(saving.SessionEnd(true));
                break;
            case SessionGoesOn:
                stores.push_back(saving.SessionEnd(false));
                break;
        }
    }
    EXPECT_EQ(stores, GetParam().stores);
}

INSTANTIATE_TEST_SUITE_P(Events, DialogSavingTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tallyvox
