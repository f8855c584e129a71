// The encoding of the settings file's bytes: GBK, the program's own text, or one of the
// Unicode encodings that Notepad saves in.
#pragma once

#include <string>
#include <string_view>

namespace tallyvox {

enum class FileEncoding { Gbk, Utf8, Utf16Le, Utf16Be };

// Decided once per read of the file:
//  - a UTF-8 byte order mark means UTF-8 when the bytes after it are well-formed UTF-8; GBK
//    text behind the mark, which Notepad never writes, is read as GBK as it always was;
//  - a UTF-16 LE or BE mark means UTF-16, unless the file has an odd number of bytes and so
//    cannot be UTF-16;
//  - without a mark, bytes that are well-formed UTF-8 throughout and hold at least one
//    multi-byte sequence are UTF-8;
//  - anything else is GBK, as is a file of ASCII only, which reads the same either way.
// The rule's limit: GBK text whose bytes happen to be well-formed UTF-8 is taken for UTF-8.
// Most GBK characters cannot be (their second byte is no UTF-8 continuation byte), so this
// needs a file whose every non-ASCII character is one of the few that can, such as 小说,
// GBK D0 A1 CB B5, which reads as the UTF-8 "С˵".
FileEncoding DetectEncoding(std::string_view bytes);

// The file's bytes as an IniDocument holds them, and back, byte for byte: GBK and UTF-8 as
// they stand, UTF-16 as UTF-8 (its byte order mark becoming a UTF-8 one).
std::string ToDocumentBytes(std::string_view file, FileEncoding encoding);
std::string ToFileBytes(std::string_view document, FileEncoding encoding);

}  // namespace tallyvox
