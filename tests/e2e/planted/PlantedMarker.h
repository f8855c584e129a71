// The file the stand-in winmm.dll leaves beside itself when it is loaded.
#pragma once

namespace tallyvox::e2e {

inline constexpr wchar_t kPlantedMarkerName[] = L"planted-winmm-was-loaded";

}  // namespace tallyvox::e2e
