// A saver's host that records its timer and the boxes it would show.
#pragma once

#include <string>
#include <vector>

#include "settings/SettingsSaver.h"

namespace tallyvox::test {

class FakeSaveHost : public SaveHost {
  public:
    void StartRetryTimer(int) override { timer = true; }
    void StopRetryTimer() override { timer = false; }
    void ShowSaveFailure(const std::string& message) override { boxes.push_back(message); }
    bool timer = false;
    std::vector<std::string> boxes;
};

}  // namespace tallyvox::test
