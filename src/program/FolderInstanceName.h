// The name of the kernel object by which one running Tallyvox holds its folder: a second start
// from the same folder finds it, a copy in another folder does not. The installer derives the
// same name for its own folder (installer/tallyvox.nsi), so the two must change together.
#pragma once

#include <string>
#include <string_view>

namespace tallyvox {

// Longest name the system takes for a kernel object, without its terminating zero.
constexpr std::size_t kMaxKernelObjectName = 259;

// "Local\Tallyvox-XXXXXXXX-tail" for the folder's full path in UTF-16, upper-cased by the
// caller so that letter case plays no part: XXXXXXXX is the CRC-32 of the whole path (UTF-16
// little-endian bytes, trailing separators left out) and tail its last 200 code units with
// each "\" as "/" (a backslash would name a namespace). A path of any length and any
// alphabet gives a name the system takes.
std::u16string FolderInstanceName(std::u16string_view upperCaseFolder);

}  // namespace tallyvox
