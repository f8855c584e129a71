// Which outcomes of a save are tried again, reported in a box, or passed over in silence.
#include "settings/SettingsSaver.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "FakeSaveHost.h"
#include "FakeStore.h"
#include "settings/SaveFailureMessage.h"

namespace tallyvox {
namespace {

const std::string kPath = "C:\\Games\\计时\\qorvane.db";
const std::string kOld = "[Common]\r\nTitle1=old\r\n";

// Faults and steps, one letter each. Faults, for the store's next reads or writes in turn:
// M missing, I in use, R read-only, A access denied, F failed. Steps: C the dialog closes with
// slot 1's title changed, K a later dialog closes leaving Title1 alone (it was never loaded)
// while changing slot 2's, T the retry timer ticks (when running), S the session ends, Q the
// program quits.
struct Case {
    const char* name;
    std::string_view readFaults, writeFaults, steps;
    const char* file;  // the file at the end; nullptr: as it was
    std::size_t boxes;
    int attempts;
};

constexpr const char* kNew = "[Common]\r\nTitle1=new\r\n";
constexpr const char* kBoth = "[Common]\r\nTitle1=new\r\nTitle2=two\r\n";

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

const Case kCases[] = {
    {"SavedAtOnce", "", "", "CT", kNew, 0, 1},
    {"MissingFileIsLeftInSilence", "M", "", "CT", nullptr, 0, 1},
    {"ReadOnlyIsReportedAfterTheCloseUntried", "", "R", "CTT", nullptr, 1, 1},
    {"OtherFailureIsReportedAfterTheClose", "", "F", "CT", nullptr, 1, 1},
    {"HoldPassingWithinTheRetriesSaves", "I", "A", "CTT", kNew, 0, 3},
    {"HoldOutlastingTheRetriesIsReportedOnce", "", "IIIIII", "CTTTTT", nullptr, 1, 5},
    {"NewerCloseTakesOverTheRetriedSave", "", "I", "CCT", kNew, 0, 2},
    {"NewerCloseWritesWhatTheRetryHeld", "", "I", "CKT", kBoth, 0, 2},
    {"LaterCloseWritesWhatTheReportedSaveHeld", "", "R", "CTKT", kBoth, 1, 2},
    {"SessionEndTriesOnceWithoutBox", "", "RI", "SCCT", nullptr, 0, 2},
    {"SessionEndGivesTheRetriedSaveItsLastTry", "", "I", "CST", kNew, 0, 2},
    {"QuittingReportsTheRetriedSave", "", "II", "CQ", nullptr, 1, 2},
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
    test::FakeSaveHost host;
    SettingsSaver saver(store, kPath, host);
    for (char step : c.steps) {
        const std::size_t shown = host.boxes.size();
        if (step == 'C') {
            saver.Save({{"Title1", "new"}});
            EXPECT_EQ(host.boxes.size(), shown) << "a box inside the close";
        }
        if (step == 'K') saver.Save({{"Title2", "two"}});
        if (step == 'T' && host.timer) saver.OnRetryTimer();
        if (step == 'S') saver.SessionEnds();
        if (step == 'Q') saver.Finish();
    }
    EXPECT_EQ(store.files[kPath], c.file ? c.file : kOld);
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
