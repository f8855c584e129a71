// The thread message that carries numbers from the GUI thread to the sound worker.
#pragma once

#include <cstdint>

namespace tallyvox {

constexpr std::uint32_t WM_WORKER = 33770;  // WM_APP + 1002
constexpr std::intptr_t CMD_SPEAK = 2;      // lParam: the number to speak
constexpr std::intptr_t CMD_QUIT = -1;      // lParam: -1

}  // namespace tallyvox
