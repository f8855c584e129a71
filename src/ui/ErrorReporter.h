// Shows the error box for failures that end an event handler, one box at a time.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace tallyvox {

// A box runs a modal loop in which ticks keep coming; a tick that fails again while the box
// is open would open a box inside it, every 985 ms, until the stack is gone. So while a box is
// open, further failures are not shown; the first one after it closes is.
class ErrorReporter {
  public:
    using ShowBox = std::function<void(const std::string& message)>;

    explicit ErrorReporter(ShowBox showBox) : showBox_(std::move(showBox)) {}

    // Shows `message` with a full stop added, unless a box is already open.
    void Report(const std::string& message);

    // Runs an event handler; an exception ends it and is reported.
    template <typename Handler>
    void Run(Handler&& handler) {
        try {
            handler();
        } catch (const std::exception& e) {
            Report(e.what());
        } catch (...) {
            Report("");
        }
    }

    bool BoxOpen() const { return boxOpen_; }

  private:
    ShowBox showBox_;
    bool boxOpen_ = false;
};

}  // namespace tallyvox
