// A stand-in winmm.dll, as an attacker would leave one beside the program: it exports nothing and
// only shows that it was loaded, by creating the marker file beside itself.
#include <windows.h>

#include <cwchar>
#include <string>

#include "PlantedMarker.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return TRUE;
    const wchar_t* slash = std::wcsrchr(path, L'\\');
    if (slash == nullptr) return TRUE;
    const std::wstring marker =
        std::wstring(path, slash - path + 1) + tallyvox::e2e::kPlantedMarkerName;
    HANDLE file = CreateFileW(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}
