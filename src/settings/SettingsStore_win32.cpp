// Win32SettingsStore: W APIs on UTF-8 paths; a write goes to a temp file beside the target
// that is then moved over it, so a crash or full disk never leaves a half-written file.

#include "settings/SettingsStore_win32.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <utility>

#include "settings/GbkCodec_win32.h"
#include "text/Gbk_win32.h"
#include "text/Utf.h"

namespace tallyvox {

namespace {

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

UniqueHandle Own(HANDLE h) {
    return UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

// Empty on failure: an invalid path must not turn into some other, valid one.
std::wstring Widen(const std::string& utf8) {
    if (!IsUtf8(utf8) || utf8.find('\0') != std::string::npos) return {};
    return FromUtf8(utf8);
}

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".\\") : path.substr(0, slash + 1);
}

// The system's last error in the player's terms.
StoreOutcome LastError() {
    const DWORD error = GetLastError();
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return {StoreResult::Missing};
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
            return {StoreResult::InUse};
        case ERROR_WRITE_PROTECT:
            return {StoreResult::ReadOnly};
        case ERROR_ACCESS_DENIED:
            return {StoreResult::AccessDenied};
        default:
            return {StoreResult::Failed, error};
    }
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += written;
    }
    return true;
}

// Writes the temp file completely and to disk before it may replace anything.
StoreOutcome WriteTempFile(const std::wstring& tempPath, const std::string& bytes) {
    UniqueHandle file = Own(CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr,
                                        TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || !WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) return LastError();
    return {};
}

}  // namespace

StoreOutcome Win32SettingsStore::Read(const std::string& path, std::string& bytes) {
    const std::wstring widePath = Widen(path);
    if (widePath.empty()) return {StoreResult::Missing};
    // Shared with writers and deleters so that an editor holding the file open does not block us.
    UniqueHandle file = Own(CreateFileW(widePath.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const StoreOutcome failure = LastError();
        // A folder in the file's place is no settings file: as good as missing.
        const DWORD attributes = GetFileAttributesW(widePath.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return {StoreResult::Missing};
        return failure;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return {StoreResult::Missing};
    }
    const StoreOutcome tooLarge{StoreResult::Failed, ERROR_FILE_TOO_LARGE};
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) return LastError();
    if (size.QuadPart < 0 || static_cast<unsigned long long>(size.QuadPart) > kMaxFileBytes)
        return tooLarge;
    // Read to the end rather than trusting the size: the file may change while we read it.
    std::string content;
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return LastError();
        if (got == 0) break;
        content.append(buffer, got);
        if (content.size() > kMaxFileBytes) return tooLarge;
    }
    bytes = std::move(content);
    return {};
}

StoreOutcome Win32SettingsStore::WriteReplacing(const std::string& path, const std::string& bytes) {
    const std::wstring target = Widen(path);
    if (target.empty()) return {StoreResult::Missing};
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return LastError();
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {StoreResult::Missing};
    // MoveFileEx replaces a read-only target under Wine, so write protection is checked here.
    if (attributes & FILE_ATTRIBUTE_READONLY) return {StoreResult::ReadOnly};

    wchar_t tempName[MAX_PATH];
    // Same folder, so the final move is a rename on one volume and cannot half-happen.
    if (GetTempFileNameW(FolderOf(target).c_str(), L"tvx", 0, tempName) == 0) return LastError();
    const std::wstring temp = tempName;

    // Keep the target's hidden/system/archive marks, which the moved temp file would drop.
    const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    StoreOutcome outcome = WriteTempFile(temp, bytes);
    if (outcome.result == StoreResult::Done &&
        !((kept == 0 || SetFileAttributesW(temp.c_str(), kept)) &&
          MoveFileExW(temp.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))) {
        outcome = LastError();
    }
    if (outcome.result != StoreResult::Done) DeleteFileW(temp.c_str());
    return outcome;
}

const GbkCodec* Win32SettingsStore::Codec() const {
    static const Cp936Codec codec;
    return &codec;
}

std::string ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
    return ToUtf8(FolderOf(path));
}

}  // namespace tallyvox
