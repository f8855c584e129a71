// Loading system DLLs on first use: comctl32, shell32 and ole32 here, winmm for the sound
// worker.
#include "platform/LazyLibrary_win32.h"

#include <commctrl.h>
#include <objbase.h>

#include <string>

namespace tallyvox {

namespace {

// `dll` in the system folder; empty when the folder cannot be had.
std::wstring SystemPath(const wchar_t* dll) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(folder, length) + L'\\' + dll;
}

}  // namespace

void RestrictLibrarySearch() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    // Looked up, not imported: an import Windows lacks keeps the program from starting at all.
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
}

// Only the system folder may supply the DLL: a same-named file in the program's or the current
// folder never. The full path needs no search flags, which Windows 7 may lack; where
// RestrictLibrarySearch could set them, the DLL's own dependencies come from the system folder
// too.
FARPROC SystemProcAddress(const wchar_t* dll, const char* name) {
    const std::wstring path = SystemPath(dll);
    if (path.empty()) return nullptr;
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, 0);
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
