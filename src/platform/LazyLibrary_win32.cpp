// Loading system DLLs on first use: comctl32 and shell32 here, winmm for the sound worker.
#include "platform/LazyLibrary_win32.h"

#include <commctrl.h>

namespace tallyvox {

// Only the system folder may supply the DLL: a same-named file in the program's or the current
// folder never.
FARPROC SystemProcAddress(const wchar_t* dll, const char* name) {
    HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) return nullptr;
    return GetProcAddress(module, name);
}

bool LoadCommonControls() {
    using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const bool loaded = [] {
        const auto init = SystemFunction<InitFn>(L"comctl32.dll", "InitCommonControlsEx");
        if (init == nullptr) return false;
        const INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
        return init(&classes) != FALSE;
    }();
    return loaded;
}

void ShellOpen(HWND owner, const wchar_t* target) {
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    // The GUI thread is the only caller.
    static const auto shellExecute =
        SystemFunction<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW");
    if (shellExecute != nullptr) shellExecute(owner, L"open", target, nullptr, nullptr, SW_SHOW);
}

}  // namespace tallyvox
