// The voice pack's 22 files, each opened for reading only, read whole and closed.
#include "voice/VoicePack_win32.h"

#include <windows.h>

namespace tallyvox {

namespace {

struct FileBytes {
    bool found = false;
    PackRefusal refusal = PackRefusal::None;
    std::vector<std::uint8_t> bytes;
};

FileBytes ReadWhole(const std::wstring& path) {
    FileBytes file;
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        file.found = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
        file.refusal = PackRefusal::Unreadable;
        return file;
    }
    file.found = true;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle, &size)) {
        file.refusal = PackRefusal::Unreadable;
    } else if (static_cast<unsigned long long>(size.QuadPart) > kPackFileMaxBytes) {
        file.refusal = PackRefusal::TooBig;  // not read at all
    } else {
        file.bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        const bool ok =
            file.bytes.empty() || ReadFile(handle, file.bytes.data(),
                                           static_cast<DWORD>(file.bytes.size()), &read, nullptr);
        if (!ok || read != file.bytes.size()) file.refusal = PackRefusal::Unreadable;
    }
    CloseHandle(handle);
    return file;
}

}  // namespace

VoicePackReport LoadVoicePack(const std::wstring& programFolder, PackImages& images) {
    VoicePackReport report;
    const std::wstring folder = programFolder + L"voice\\";
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return report;
    for (int clip = kPackFirstClip; clip <= kPackLastClip; ++clip) {
        const std::string name = PackFileName(clip);  // ASCII
        const FileBytes file = ReadWhole(folder + std::wstring(name.begin(), name.end()));
        if (!file.found) continue;
        if (file.refusal != PackRefusal::None) {
            report.Add(clip, file.refusal);
            continue;
        }
        PackClip read = ReadPackClip(file.bytes);
        report.Add(clip, read.refusal);
        images[static_cast<std::size_t>(clip)] = std::move(read.image);
    }
    return report;
}

}  // namespace tallyvox
