// Loading system DLLs on first use: comctl32, shell32 and ole32 here, winmm for the sound
// worker.
#include "platform/LazyLibrary_win32.h"

#include <commctrl.h>
#include <objbase.h>

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

namespace {

// Whether the GUI thread entered a COM apartment for the shell, to be left at shut-down.
bool shellComEntered = false;

// The shell may hand a verb to a COM handler (a packaged browser, or one registered through
// DelegateExecute), which opens nothing unless the calling thread has COM: single-threaded,
// without OLE1 DDE, as the shell asks. Entered on the first open, so a run that opens nothing
// pays nothing.
void EnterShellCom() {
    static bool tried = false;
    if (tried) return;
    tried = true;
    using CoInitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);
    const auto initialize = SystemFunction<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx");
    // S_FALSE (entered already) counts too: every success is left once.
    shellComEntered =
        initialize != nullptr &&
        SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

}  // namespace

void ShellOpen(HWND owner, const wchar_t* target) {
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
    // The GUI thread is the only caller.
    EnterShellCom();
    static const auto shellExecute =
        SystemFunction<ShellExecuteFn>(L"shell32.dll", "ShellExecuteW");
    if (shellExecute != nullptr) shellExecute(owner, L"open", target, nullptr, nullptr, SW_SHOW);
}

void LeaveShellCom() {
    if (!shellComEntered) return;
    shellComEntered = false;
    using CoUninitializeFn = void(WINAPI*)();
    if (const auto uninitialize = SystemFunction<CoUninitializeFn>(L"ole32.dll", "CoUninitialize"))
        uninitialize();
}

}  // namespace tallyvox
