// The error box: message form, and never a second box while one is open.
#include "ui/ErrorReporter.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "text/IntText.h"

namespace tallyvox {
namespace {

TEST(ErrorReporterTest, HandlerFailureIsShownWithAFullStopAndTheHandlerEnds) {
    std::vector<std::string> boxes;
    ErrorReporter reporter([&](const std::string& m) { boxes.push_back(m); });
    bool reachedEnd = false;
    reporter.Run([&] {
        StrToInt("");
        reachedEnd = true;
    });
    EXPECT_FALSE(reachedEnd);
    EXPECT_EQ(boxes, (std::vector<std::string>{"'' is not a valid integer value."}));
    reporter.Run([] { throw 42; });
    EXPECT_EQ(boxes.back(), ".");
}

TEST(ErrorReporterTest, FailuresWhileABoxIsOpenDoNotStackBoxes) {
    std::vector<std::string> boxes;
    int depth = 0, deepest = 0;
    ErrorReporter* self = nullptr;
    ErrorReporter reporter([&](const std::string& m) {
        boxes.push_back(m);
        ++depth;
        deepest = std::max(deepest, depth);
        // The box's modal loop keeps dispatching ticks, which keep failing.
        for (int tick = 0; tick < 5; ++tick) self->Run([] { StrToInt("x"); });
        --depth;
    });
    self = &reporter;
    reporter.Run([] { StrToInt(""); });
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(reporter.BoxOpen());
    // Once the box is closed, the next failure is shown again.
    reporter.Run([] { StrToInt("y"); });
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes.back(), "'y' is not a valid integer value.");
}

TEST(ErrorReporterTest, AFailingBoxDoesNotBlockLaterBoxes) {
    int calls = 0;
    ErrorReporter reporter([&](const std::string&) {
        if (++calls == 1) throw std::runtime_error("box failed");
    });
    EXPECT_THROW(reporter.Report("a"), std::runtime_error);
    reporter.Report("b");
    EXPECT_EQ(calls, 2);
}

}  // namespace
}  // namespace tallyvox
