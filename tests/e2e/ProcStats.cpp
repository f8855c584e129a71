// Reading /proc through Wine's Z: drive.
#include "ProcStats.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>

#include "Driver.h"

namespace tallyvox::e2e {

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Visits the entries of a /proc folder named by a number (processes, threads) until visit is
// false.
template <typename Visit>
void ForEachNumberedEntry(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name.empty() || name.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
        if (!visit(folder + L"\\" + name)) break;
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

double StatusField(const std::string& status, const char* field) {
    const auto at = status.find(field);
    if (at == std::string::npos) throw std::runtime_error(std::string("no ") + field + " in /proc");
    return std::stod(status.substr(at + std::char_traits<char>::length(field)));
}

}  // namespace

std::optional<std::wstring> ProcFolderOf(const std::wstring& exePath) {
    const std::string wanted = ToUtf8(exePath);
    std::optional<std::wstring> result;
    ForEachNumberedEntry(L"Z:\\proc", [&](const std::wstring& folder) {
        try {
            std::string command = ReadFileBytes(folder + L"\\cmdline");
            if (SameIgnoringCase(command.substr(0, command.find('\0')), wanted)) {
                result = folder;
                return false;
            }
        } catch (const std::exception&) {
            // a process that ended meanwhile, or one not ours to read
        }
        return true;
    });
    return result;
}

double ProcCpuMs(const std::wstring& procFolder) {
    const std::string stat = ReadFileBytes(procFolder + L"\\stat");
    // The command name in parentheses may hold spaces; fields count from after it.
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    double utime = 0, stime = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14) utime = std::stod(field);
        if (index == 15) {
            stime = std::stod(field);
            break;
        }
    }
    return (utime + stime) * 10.0;
}

double ProcOnCpuMs(const std::wstring& procFolder) {
    double ms = 0;
    ForEachNumberedEntry(procFolder + L"\\task", [&](const std::wstring& task) {
        try {
            ms += std::stod(ReadFileBytes(task + L"\\schedstat")) / 1e6;
        } catch (const std::exception&) {
            // a thread that ended meanwhile
        }
        return true;
    });
    return ms;
}

double ResidentAnonymousBytes(const std::wstring& procFolder) {
    return StatusField(ReadFileBytes(procFolder + L"\\status"), "RssAnon:") * 1024.0;
}

long ProcOpenFiles(const std::wstring& procFolder) {
    long files = 0;
    ForEachNumberedEntry(procFolder + L"\\fd", [&](const std::wstring&) {
        ++files;
        return true;
    });
    return files;
}

long long ProcWakeUps(const std::wstring& procFolder) {
    long long sleeps = 0;
    ForEachNumberedEntry(procFolder + L"\\task", [&](const std::wstring& task) {
        try {
            // "nonvoluntary_ctxt_switches:" also ends in this name, so the field starts a line.
            sleeps += static_cast<long long>(
                StatusField(ReadFileBytes(task + L"\\status"), "\nvoluntary_ctxt_switches:"));
        } catch (const std::exception&) {
            // a thread that ended meanwhile
        }
        return true;
    });
    return sleeps;
}

}  // namespace tallyvox::e2e
