// System functions taken from their DLL on first use: shell32 for opening a file or a web page
// and winmm for playing a clip are loaded only when the player first needs them, not with
// every start of an overlay that may never use them.
#pragma once

#include <windows.h>

namespace tallyvox {

// ShellExecuteW with the verb "open" and SW_SHOW; the result is not looked at.
void ShellOpen(HWND owner, const wchar_t* target);

// sndPlaySoundA: plays a WAV image from memory and returns when it has ended. Called on the
// sound worker's thread only.
void PlayWavFromMemory(const void* image);

}  // namespace tallyvox
