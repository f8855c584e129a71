// System functions taken from their DLL on first use: the common controls (tooltips, the
// settings dialog's tab), shell32 and ole32 for opening a file or a web page and winmm for
// playing a clip are loaded only when the player first needs them, not with every start of the
// overlay.
#pragma once

#include <windows.h>

namespace tallyvox {

// The function `name` of the system DLL `dll`, loading the DLL on first use; nullptr when it
// cannot be had. The DLL stays loaded for the rest of the run, so the pointer stays valid.
FARPROC SystemProcAddress(const wchar_t* dll, const char* name);

template <typename Function>
Function SystemFunction(const wchar_t* dll, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemProcAddress(dll, name)));
}

// Loads the common controls (version 6, as the manifest asks) and registers their window
// classes; false when they cannot be had. GUI thread only.
bool LoadCommonControls();

// ShellExecuteW with the verb "open" and SW_SHOW; the result is not looked at. The first call
// initialises COM on the calling thread, the GUI thread, as the shell requires.
void ShellOpen(HWND owner, const wchar_t* target);
// Uninitialises the COM that ShellOpen initialised, if it did. At shut-down, on the GUI thread.
void LeaveShellCom();

}  // namespace tallyvox
