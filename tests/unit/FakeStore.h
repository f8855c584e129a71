// An in-memory settings store that records every replacing write.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsStore.h"

namespace tallyvox::test {

class FakeStore : public SettingsStore {
  public:
    std::optional<std::string> Read(const std::string& path) override {
        ++reads;
        const auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }

    bool WriteReplacing(const std::string& path, const std::string& bytes) override {
        writes.push_back(bytes);
        if (failWrites || files.find(path) == files.end()) return false;
        files[path] = bytes;
        return true;
    }

    const GbkCodec* Codec() const override { return codec; }

    std::map<std::string, std::string> files;
    std::vector<std::string> writes;
    bool failWrites = false;
    int reads = 0;
    const GbkCodec* codec = nullptr;  // without one, every file is GBK
};

}  // namespace tallyvox::test
