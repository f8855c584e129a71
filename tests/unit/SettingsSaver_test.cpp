// Which outcomes of a save are tried again, reported in a box, or passed over in silence.
#include "settings/SettingsSaver.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "FakeStore.h"
#include "settings/SaveFailureMessage.h"

namespace tallyvox {
namespace {

const std::string kPath = "C:\\Games\\计时\\qorvane.db";
const std::string kOld = "[Common]\r\nTitle1=old\r\n";

class RecordingHost : public SaveHost {
  public:
    void StartRetryTimer(int) override { timer = true; }
    void StopRetryTimer() override { timer = false; }
    void ShowSaveFailure(const std::string& message) override { boxes.push_back(message); }
    bool timer = false;
    std::vector<std::string> boxes;
};

enum class Step { Close, Tick, SessionEnds, Quit };

struct Case {
    const char* name;
    std::vector<StoreResult> readFaults, writeFaults;
    std::vector<Step> steps;
    bool saved;
    int boxes;
    int attempts;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

using enum Step;
using enum StoreResult;

const Case kCases[] = {
    {"SavedAtOnce", {}, {}, {Close, Tick}, true, 0, 1},
    {"MissingFileIsLeftInSilence", {Missing}, {}, {Close, Tick}, false, 0, 1},
    {"ReadOnlyIsReportedAfterTheCloseUntried", {}, {ReadOnly}, {Close, Tick, Tick}, false, 1, 1},
    {"OtherFailureIsReportedAfterTheClose", {}, {Failed}, {Close, Tick}, false, 1, 1},
    {"HoldPassingWithinTheRetriesSaves", {InUse}, {AccessDenied}, {Close, Tick, Tick}, true, 0, 3},
    {"HoldOutlastingTheRetriesIsReportedOnce",
     {},
     {InUse, InUse, InUse, InUse, InUse, InUse},
     {Close, Tick, Tick, Tick, Tick, Tick},
     false,
     1,
     5},
    {"NewerCloseReplacesTheRetriedSave", {}, {InUse}, {Close, Close, Tick}, true, 0, 2},
    {"SessionEndTriesOnceWithoutBox",
     {},
     {ReadOnly, InUse},
     {SessionEnds, Close, Close, Tick},
     false,
     0,
     2},
    {"SessionEndGivesTheRetriedSaveItsLastTry",
     {},
     {InUse},
     {Close, SessionEnds, Tick},
     true,
     0,
     2},
    {"QuittingReportsTheRetriedSave", {}, {InUse, InUse}, {Close, Quit}, false, 1, 2},
};

class SettingsSaverTest : public testing::TestWithParam<Case> {};

TEST_P(SettingsSaverTest, RetriesReportsOrStaysSilent) {
    const Case& c = GetParam();
    test::FakeStore store;
    store.files[kPath] = kOld;
    store.readFaults.assign(c.readFaults.begin(), c.readFaults.end());
    store.writeFaults.assign(c.writeFaults.begin(), c.writeFaults.end());
    RecordingHost host;
    SettingsSaver saver(store, kPath, host);
    for (Step step : c.steps) {
        const std::size_t shown = host.boxes.size();
        if (step == Close) {
            saver.Save({{"Title1", "new"}});
            EXPECT_EQ(host.boxes.size(), shown) << "a box inside the close";
        }
        if (step == Tick && host.timer) saver.OnRetryTimer();
        if (step == SessionEnds) saver.SessionEnds();
        if (step == Quit) saver.Finish();
    }
    EXPECT_EQ(store.files[kPath] != kOld, c.saved);
    EXPECT_EQ(host.boxes.size(), static_cast<std::size_t>(c.boxes));
    EXPECT_EQ(store.reads, c.attempts);
    EXPECT_FALSE(host.timer) << "the retries stopped";
}

INSTANTIATE_TEST_SUITE_P(Outcomes, SettingsSaverTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SaveFailureMessageTest, NamesTheFileAndOneReasonPerOutcome) {
    std::set<std::string> messages;
    for (StoreResult result : {ReadOnly, AccessDenied, InUse, Failed}) {
        const std::string message = SaveFailureMessage({result, 112}, kPath);
        EXPECT_NE(message.find(kPath), std::string::npos);
        messages.insert(message);
    }
    EXPECT_EQ(messages.size(), 4u);
    EXPECT_NE(SaveFailureMessage({Failed, 112}, kPath).find("112"), std::string::npos);
}

}  // namespace
}  // namespace tallyvox
