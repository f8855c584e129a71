// The window-less settings dialog, recording the web pages it is asked to open.
#pragma once

#include <string>
#include <vector>

#include "dialog/SetsModel.h"

namespace tallyvox::test {

class FakeSetsView : public SetsModel {
  public:
    std::vector<std::string> opened;
    void OpenUrl(const std::string& address) override { opened.push_back(address); }
};

}  // namespace tallyvox::test
