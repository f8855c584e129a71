// The folder's shared block: the first start's process id and overlay window.
#include "program/FolderInstance_win32.h"

#include <string>

#include "app/OverlayWindow_win32.h"
#include "program/FolderInstanceName.h"
#include "settings/SettingsStore_win32.h"

namespace tallyvox {

struct FolderInstance::Shared {
    volatile LONG64 overlay;  // 0 until the first has its window
    volatile LONG processId;
};

namespace {

// The executable's folder as the installer also spells it: long names for short ones, upper
// case by the system's rule (the installer calls the same functions).
std::wstring CanonicalFolder() {
    std::wstring folder = ExecutableFolderW();
    if (folder.empty()) return folder;
    std::wstring longer(32768, L'\0');
    const DWORD length =
        GetLongPathNameW(folder.c_str(), longer.data(), static_cast<DWORD>(longer.size()));
    if (length > 0 && length < longer.size()) folder.assign(longer.data(), length);
    CharUpperBuffW(folder.data(), static_cast<DWORD>(folder.size()));
    return folder;
}

}  // namespace

FolderInstance::FolderInstance() {
    const std::wstring folder = CanonicalFolder();
    // Without a folder there is nothing to share: run, as before.
    if (folder.empty()) return;
    const std::u16string name = FolderInstanceName(
        std::u16string_view(reinterpret_cast<const char16_t*>(folder.data()), folder.size()));
    // Creating and finding are one step in the system, so of two starts at once one is first.
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Shared),
                                  reinterpret_cast<const wchar_t*>(name.c_str()));
    if (mapping_ == nullptr) return;
    first_ = GetLastError() != ERROR_ALREADY_EXISTS;
    shared_ = static_cast<Shared*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(Shared)));
    if (first_ && shared_ != nullptr)
        InterlockedExchange(&shared_->processId, static_cast<LONG>(GetCurrentProcessId()));
}

FolderInstance::~FolderInstance() {
    Release();
}

void FolderInstance::Release() {
    if (shared_ != nullptr) UnmapViewOfFile(shared_);
    if (mapping_ != nullptr) CloseHandle(mapping_);
    shared_ = nullptr;
    mapping_ = nullptr;
}

void FolderInstance::Publish(HWND overlay) {
    if (!first_ || shared_ == nullptr) return;
    InterlockedExchange64(&shared_->overlay, reinterpret_cast<LONG64>(overlay));
}

void FolderInstance::CallFirst() const {
    if (shared_ == nullptr) return;
    const auto overlay =
        reinterpret_cast<HWND>(InterlockedCompareExchange64(&shared_->overlay, 0, 0));
    const DWORD firstProcess =
        static_cast<DWORD>(InterlockedCompareExchange(&shared_->processId, 0, 0));
    if (overlay == nullptr) return;
    // A first that has just ended may leave its handle to a window that is no longer its own.
    DWORD process = 0;
    if (GetWindowThreadProcessId(overlay, &process) == 0 || process != firstProcess) return;
    PostMessageW(overlay, OverlayWindow::kBringIntoViewMessage, 0, 0);
}

}  // namespace tallyvox
