// Loading shell32 and winmm on first use.
#include "app/LazyLibrary_win32.h"

#include <commctrl.h>

namespace tallyvox {

namespace {

// The DLL stays loaded for the rest of the run, so the function pointer stays valid. Only the
// system folder may supply it: a same-named file in the program's or the current folder never.
template <typename Function>
Function Resolve(const wchar_t* dll, const char* name) {
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool LoadCommonControls() {
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const bool loaded = [] {
        const auto init = Resolve<InitFn>(L"comctl32.dll", "InitCommonControlsEx");
        if (init == nullptr) return false;
        const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
        return init(&classes) != FALSE;
    }();
    return loaded;
}

void ShellOpen(HWND owner, const wchar_t* target) {
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    // The GUI thread is the only caller.
    static const auto shellExecute = Resolve<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW");
    if (shellExecute != nullptr) shellExecute(owner, L"open", target, nullptr, nullptr, SW_SHOW);
}

void PlayWavFromMemory(const void* image) {
    using SndPlaySoundFn = BOOL(WINAPI*)(LPCSTR, UINT);
    constexpr UINT kSndMemory = 0x0004;  // synchronous, from memory
    // The sound worker is the only caller.
    static const auto sndPlaySound = Resolve<SndPlaySoundFn>(L"winmm.dll", "sndPlaySoundA");
    if (sndPlaySound != nullptr) sndPlaySound(static_cast<LPCSTR>(image), kSndMemory);
}

}  // namespace tallyvox
