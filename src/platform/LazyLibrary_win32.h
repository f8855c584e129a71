// System functions taken from their DLL on first use: the common controls (tooltips, the
// settings dialog's tab), shell32 and ole32 for opening a file or a web page and winmm for
// playing a clip are loaded only when the player first needs them, not with every start of the
// overlay.
#pragma once

#include <windows.h>

namespace tallyvox {

// Before anything can load a library: every later load, the system's own included, searches
// the system folder only, never the program's folder or the current one. Windows 7 without
// update KB2533623 lacks SetDefaultDllDirectories (and LoadLibraryExW's search flags); there the
// current folder is taken out of the search instead, and SystemProcAddress loads every system
// library by its full path, so the defence holds on either.
void RestrictLibrarySearch();

// The function `name` of the system DLL `dll` (a bare file name), loading the DLL from the
// system folder on first use; nullptr when it cannot be had. The DLL stays loaded for the rest of
// the run, so the pointer stays valid.
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
