// A player's voice pack: the folder `voice` beside the program, whose files wav1.wav ..
// wav22.wav replace the built-in clips of the same number for the run. What became of the
// pack is kept for the 帮助 page.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "voice/PackClip.h"

namespace tallyvox {

// Clip 0 is never played, so a pack has nothing to give it.
constexpr int kPackFirstClip = 1;
constexpr int kPackLastClip = 22;

// "wav7.wav": the name the pack's file for `clip` has (in any letter case).
std::string PackFileName(int clip);

struct VoicePackReport {
    int used = 0;
    std::vector<std::pair<int, PackRefusal>> refused;  // clip, why, in clip order

    void Add(int clip, PackRefusal refusal);
};

// UTF-8 for the 帮助 page: which voice speaks ...
std::string VoiceInUseText(const VoicePackReport& report);
// ... and one line for each file left out, "wav2.wav：不是 WAV 文件", separated by CR LF.
std::string RefusedFilesText(const VoicePackReport& report);

}  // namespace tallyvox
