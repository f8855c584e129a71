// Turns a stored colour into the one to paint: 0x80000000 + index means the system's colour
// for that element, read at painting time.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tallyvox {

inline COLORREF ResolveColor(std::int32_t color) {
    const auto value = static_cast<std::uint32_t>(color);
    if ((value & 0x80000000u) != 0) return GetSysColor(static_cast<int>(value & 0xFFu));
    return value & 0x00FFFFFFu;
}

}  // namespace tallyvox
