// What Wine does not report about another process, read from its Linux /proc folder: under Wine
// the program is also a Linux process whose command line is its Windows path.
#pragma once

#include <optional>
#include <string>

namespace tallyvox::e2e {

// Z:\proc\<pid> of the running process started from exePath; nullopt if none (or not Wine).
std::optional<std::wstring> ProcFolderOf(const std::wstring& exePath);
// User + system time of all its threads, in clock ticks of 10 ms.
double ProcCpuMs(const std::wstring& procFolder);
// Time all its threads have spent on a CPU so far, to the nanosecond (schedstat), in ms.
double ProcOnCpuMs(const std::wstring& procFolder);
// Resident anonymous memory (RssAnon): the nearest Linux measure of Windows' private bytes.
double ResidentAnonymousBytes(const std::wstring& procFolder);
// Files it holds open: the nearest Linux measure of Windows' handle count.
long ProcOpenFiles(const std::wstring& procFolder);
// How often its threads have gone to sleep so far (voluntary context switches, all threads):
// each is a wake-up to come.
long long ProcWakeUps(const std::wstring& procFolder);

}  // namespace tallyvox::e2e
