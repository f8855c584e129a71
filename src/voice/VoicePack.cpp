// The pack's file names and what the 帮助 page says about it.
#include "voice/VoicePack.h"

namespace tallyvox {

std::string PackFileName(int clip) {
    return "wav" + std::to_string(clip) + ".wav";
}

void VoicePackReport::Add(int clip, PackRefusal refusal) {
    if (refusal == PackRefusal::None) {
        ++used;
    } else {
        refused.emplace_back(clip, refusal);
    }
}

std::string VoiceInUseText(const VoicePackReport& report) {
    if (report.used == 0) {
        return report.refused.empty() ? "语音：内置语音"
                                      : "语音：内置语音（语音包的文件都没用上，原因见下）";
    }
    constexpr int kPackSize = kPackLastClip - kPackFirstClip + 1;
    std::string text = "语音：语音包 voice，用了 " + std::to_string(report.used) + " 个文件";
    if (report.used < kPackSize) text += "，其余是内置语音";
    if (!report.refused.empty())
        text += "（" + std::to_string(report.refused.size()) + " 个没用上，原因见下）";
    return text;
}

std::string RefusedFilesText(const VoicePackReport& report) {
    std::string text;
    for (const auto& [clip, why] : report.refused) {
        if (!text.empty()) text += "\r\n";
        text += PackFileName(clip) + "：" + PackRefusalText(why);
    }
    return text;
}

}  // namespace tallyvox
