// The settings store on a real Windows file: whole-file reads and replacing writes that leave
// the file either all old or all new.
#pragma once

#include <string>

#include "settings/SettingsStore.h"

namespace tallyvox {

class Win32SettingsStore final : public SettingsStore {
  public:
    // Files over this size count as unreadable: a settings file is a few hundred bytes.
    static constexpr unsigned long long kMaxFileBytes = 64ull << 20;

    StoreOutcome Read(const std::string& path, std::string& bytes) override;
    // Refuses a missing, read-only or directory target, so the program never creates the file
    // and never overrides the user's write protection.
    StoreOutcome WriteReplacing(const std::string& path, const std::string& bytes) override;
    // Code page 936.
    const GbkCodec* Codec() const override;
};

// The running executable's folder as UTF-8 with its trailing separator, or "" when unknown.
std::string ExecutableFolder();
// The same in UTF-16, as the system gives it, or L"" when unknown.
std::wstring ExecutableFolderW();

}  // namespace tallyvox
