// An in-memory settings store that records every replacing write.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace tallyvox::test {

class FakeStore : public SettingsStore {
  public:
    StoreOutcome Read(const std::string& path, std::string& bytes) override {
        ++reads;
        if (const StoreResult fault = NextFault(readFaults); fault != StoreResult::Done)
            return {fault};
        const auto it = files.find(path);
        if (it == files.end()) return {StoreResult::Missing};
        bytes = it->second;
        return {};
    }

    StoreOutcome WriteReplacing(const std::string& path, const std::string& bytes) override {
        writes.push_back(bytes);
        if (failWrites) return {StoreResult::Failed, 1};
        if (const StoreResult fault = NextFault(writeFaults); fault != StoreResult::Done)
            return {fault};
        if (files.find(path) == files.end()) return {StoreResult::Missing};
        files[path] = bytes;
        return {};
    }

    const GbkCodec* Codec() const override { return codec; }

    std::map<std::string, std::string> files;
    std::vector<std::string> writes;
    bool failWrites = false;
    // How the next reads and writes fail, one entry each, in turn; then they succeed.
    std::deque<StoreResult> readFaults, writeFaults;
    int reads = 0;
    const GbkCodec* codec = nullptr;  // without one, every file is GBK

  private:
    static StoreResult NextFault(std::deque<StoreResult>& faults) {
        if (faults.empty()) return StoreResult::Done;
        const StoreResult fault = faults.front();
        faults.pop_front();
        return fault;
    }
};

}  // namespace tallyvox::test
