// Reading the voice pack from the disk at start-up, once, into memory.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "voice/TMyThread.h"
#include "voice/VoicePack.h"

namespace tallyvox {

using PackImages = std::array<std::vector<std::uint8_t>, kClipCount>;

// Looks for the files of the folder `voice` inside `programFolder` (ending in a backslash),
// 22 looks and nothing else; an accepted file's clip goes into `images`. Nothing is written,
// and a file another program holds open for writing is refused, not waited for.
VoicePackReport LoadVoicePack(const std::wstring& programFolder, PackImages& images);

}  // namespace tallyvox
