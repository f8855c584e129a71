// An INI document held as raw bytes: read values from it, set values in it, and serialise it
// back with every line that was not set left byte-identical.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallyvox {

// How the bytes are read (text is GBK, where bytes 0x81..0xFE lead a two-byte character whose
// second byte may look like ASCII, or UTF-8; names are compared and ']' is searched character
// by character):
//  - Lines end with LF, CRLF or a lone CR; the last line may lack an ending.
//  - A UTF-8 byte order mark at the very start is recognised, kept, and written back; the line
//    after it is read as if the mark were not there.
//  - A section header is a line whose first non-blank byte is '[' and that holds a ']'; the name
//    is what stands between them, without surrounding blanks. Anything after ']' is ignored.
//    When a name is used by several headers, only the first one's section is read and written.
//  - Inside a section, a key line is a line holding '=' whose first non-blank byte is not ';'
//    (a comment). The key is the text before the first '=' without surrounding blanks (space and
//    tab), and a line whose key is then empty is no key line. The value is every byte after the
//    first '=' up to the line ending, blanks, quotes and further '=' included.
//  - Lines before the first header, lines without '=', and comments belong to no key; they
//    are kept as they are.
//  - Section and key names match regardless of ASCII letter case; other bytes match exactly.
//  - Among keys of the same name in a section, the first one is read and written.
//  - A value is read up to kMaxValueBytes; a longer one is cut there, a little earlier when the
//    cut would split a character.
class IniDocument {
  public:
    static constexpr std::size_t kMaxValueBytes = 2047;

    enum class Charset { Gbk, Utf8 };

    IniDocument() = default;
    explicit IniDocument(std::string_view bytes, Charset charset = Charset::Gbk);

    std::string Serialize() const;

    // False when the section has no header or its header lists no key line.
    bool SectionExists(std::string_view section) const;

    // The value of the key, or nullopt when the section or key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Replaces the value of an existing key where it stands (the bytes up to and including its
    // '=' and its line ending are kept). A missing key is added as "key=value" after the last
    // key line of its section, or after the header when it has none; a missing section is
    // added at the end of the document. New line endings copy the document's first one (LF in
    // a document without any; CRLF for a lone CR that a blank LF line would follow, so that the
    // two do not merge), and a document that lacked a final line ending still does.
    // The value is cut at its first CR or LF: a line break cannot be stored in a value.
    // Returns whether the document's bytes changed.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

  private:
    struct Line {
        std::string text;    // without its ending
        std::string ending;  // "\n", "\r\n", "\r", or "" for a last line without one
    };

    std::optional<std::size_t> FindHeader(std::string_view section) const;
    // Index of the first key line named `key` in the section whose header is at `header`.
    std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
    std::string_view NewLineEnding() const;
    void InsertLineAfter(std::size_t index, std::string text);

    Charset charset_ = Charset::Gbk;
    bool hasBom_ = false;
    std::vector<Line> lines_;
};

}  // namespace tallyvox
