// Which outcomes of a save are tried again, reported in a box, or passed over in silence.
#include "settings/SettingsSaver.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <string_view>
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

// Faults and steps, one letter each. Faults, for the store's next reads or writes in turn:
// M missing, I in use, R read-only, A access denied, F failed. Steps: C the dialog closes, T the
// retry timer ticks (when running), S the session ends, Q the program quits.
struct Case {
    const char* name;
    std::string_view readFaults, writeFaults, steps;
    bool saved;
    std::size_t boxes;
    int attempts;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

const Case kCases[] = {
    {"SavedAtOnce", "", "", "CT", true, 0, 1},
    {"MissingFileIsLeftInSilence", "M", "", "CT", false, 0, 1},
    {"ReadOnlyIsReportedAfterTheCloseUntried", "", "R", "CTT", false, 1, 1},
    {"OtherFailureIsReportedAfterTheClose", "", "F", "CT", false, 1, 1},
    {"HoldPassingWithinTheRetriesSaves", "I", "A", "CTT", true, 0, 3},
    {"HoldOutlastingTheRetriesIsReportedOnce", "", "IIIIII", "CTTTTT", false, 1, 5},
    {"NewerCloseReplacesTheRetriedSave", "", "I", "CCT", true, 0, 2},
    {"SessionEndTriesOnceWithoutBox", "", "RI", "SCCT", false, 0, 2},
    {"SessionEndGivesTheRetriedSaveItsLastTry", "", "I", "CST", true, 0, 2},
    {"QuittingReportsTheRetriedSave", "", "II", "CQ", false, 1, 2},
};

std::deque<StoreResult> Faults(std::string_view letters) {
    std::deque<StoreResult> faults;
    for (char letter : letters) {
        faults.push_back(static_cast<StoreResult>(std::string_view("DMIRAF").find(letter)));
    }
    return faults;
}

class SettingsSaverTest : public testing::TestWithParam<Case> {};

TEST_P(SettingsSaverTest, RetriesReportsOrStaysSilent) {
    const Case& c = GetParam();
    test::FakeStore store;
    store.files[kPath] = kOld;
    store.readFaults = Faults(c.readFaults);
    store.writeFaults = Faults(c.writeFaults);
    RecordingHost host;
    SettingsSaver saver(store, kPath, host);
    for (char step : c.steps) {
        const std::size_t shown = host.boxes.size();
        if (step == 'C') {
            saver.Save({{"Title1", "new"}});
            EXPECT_EQ(host.boxes.size(), shown) << "a box inside the close";
        }
        if (step == 'T' && host.timer) saver.OnRetryTimer();
        if (step == 'S') saver.SessionEnds();
        if (step == 'Q') saver.Finish();
    }
    EXPECT_EQ(store.files[kPath] != kOld, c.saved);
    EXPECT_EQ(host.boxes.size(), c.boxes);
    EXPECT_EQ(store.reads, c.attempts);
    EXPECT_FALSE(host.timer) << "the retries stopped";
}

INSTANTIATE_TEST_SUITE_P(Outcomes, SettingsSaverTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SaveFailureMessageTest, NamesTheFileAndOneReasonPerOutcome) {
    using enum StoreResult;
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
