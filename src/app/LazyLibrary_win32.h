// System functions taken from their DLL on first use: the common controls (tooltips, the
// settings dialog's tab), shell32 for opening a file or a web page and winmm for playing a clip
// are loaded only when the player first needs them, not with every start of the overlay.
#pragma once

#include <windows.h>

namespace tallyvox {

// Loads the common controls (version 6, as the manifest asks) and registers their window
// classes; false when they cannot be had. GUI thread only.
bool LoadCommonControls();

// ShellExecuteW with the verb "open" and SW_SHOW; the result is not looked at.
void ShellOpen(HWND owner, const wchar_t* target);

// sndPlaySoundA: plays a WAV image from memory and returns when it has ended. Called on the
// sound worker's thread only.
void PlayWavFromMemory(const void* image);

}  // namespace tallyvox
