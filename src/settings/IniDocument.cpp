// Parsing and editing of the INI document; the rules are listed in IniDocument.h.

#include "settings/IniDocument.h"

#include <utility>

namespace tallyvox {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A GBK lead byte; the byte after it belongs to the same character whatever its value.
bool IsLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xFE;
}

// Width of the character starting at `i`. In GBK a lead byte at the very end stands alone; in
// UTF-8 a lead byte takes the continuation bytes after it, which are never ASCII.
std::size_t CharWidth(std::string_view s, std::size_t i, IniDocument::Charset charset) {
    if (charset == IniDocument::Charset::Utf8) {
        std::size_t end = i + 1;
        if (static_cast<unsigned char>(s[i]) >= 0xC0) {
            while (end < s.size() && end - i < 4 &&
                   (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80)
                ++end;
        }
        return end - i;
    }
    return IsLeadByte(s[i]) && i + 1 < s.size() ? 2 : 1;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool NamesEqual(std::string_view a, std::string_view b, IniDocument::Charset charset) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size();) {
        const std::size_t width = CharWidth(a, i, charset);
        if (width > 1) {
            // A trail byte such as 0x41 is not the letter A, so it must not be case-folded.
            if (a.substr(i, width) != b.substr(i, width)) return false;
        } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
        i += width;
    }
    return true;
}

std::optional<std::string_view> SectionName(std::string_view line, IniDocument::Charset charset) {
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size() || line[i] != '[') return std::nullopt;
    const std::size_t start = ++i;
    // ']' (0x5D) is also a valid GBK trail byte, so skip whole characters while searching.
    while (i < line.size() && line[i] != ']') i += CharWidth(line, i, charset);
    if (i >= line.size()) return std::nullopt;
    return TrimBlanks(line.substr(start, i - start));
}

struct KeyLine {
    std::string_view name;
    std::size_t valueOffset;  // first byte after the '='
};

// '=' (0x3D) and ';' (0x3B) are below the GBK trail range, so a plain byte search is safe.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size() || line[i] == ';') return std::nullopt;
    const std::size_t eq = line.find('=', i);
    if (eq == std::string_view::npos) return std::nullopt;
    const std::string_view name = TrimBlanks(line.substr(i, eq - i));
    if (name.empty()) return std::nullopt;
    return KeyLine{name, eq + 1};
}

std::string CutValue(std::string_view value, IniDocument::Charset charset) {
    std::size_t end = 0;
    while (end < value.size()) {
        const std::size_t width = CharWidth(value, end, charset);
        if (end + width > IniDocument::kMaxValueBytes) break;
        end += width;
    }
    return std::string(value.substr(0, end));
}

}  // namespace

IniDocument::IniDocument(std::string_view bytes, Charset charset) : charset_(charset) {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        hasBom_ = true;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t stop = bytes.find_first_of("\r\n", start);
        if (stop == std::string_view::npos) {
            lines_.push_back({std::string(bytes.substr(start)), ""});
            break;
        }
        const std::size_t endingSize =
            bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n' ? 2 : 1;
        lines_.push_back({std::string(bytes.substr(start, stop - start)),
                          std::string(bytes.substr(stop, endingSize))});
        start = stop + endingSize;
    }
}

std::string IniDocument::Serialize() const {
    std::string out;
    if (hasBom_) out += kUtf8Bom;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.ending;
    }
    return out;
}

std::optional<std::size_t> IniDocument::FindHeader(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = SectionName(lines_[i].text, charset_);
        if (name && NamesEqual(*name, section, charset_)) return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(std::size_t header, std::string_view key) const {
    for (std::size_t i = header + 1; i < lines_.size() && !SectionName(lines_[i].text, charset_);
         ++i) {
        const auto parsed = ParseKeyLine(lines_[i].text);
        if (parsed && NamesEqual(parsed->name, key, charset_)) return i;
    }
    return std::nullopt;
}

bool IniDocument::SectionExists(std::string_view section) const {
    const auto header = FindHeader(section);
    if (!header) return false;
    for (std::size_t i = *header + 1; i < lines_.size() && !SectionName(lines_[i].text, charset_);
         ++i) {
        if (ParseKeyLine(lines_[i].text)) return true;
    }
    return false;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    const auto header = FindHeader(section);
    if (!header) return std::nullopt;
    const auto index = FindKey(*header, key);
    if (!index) return std::nullopt;
    const std::string& text = lines_[*index].text;
    return CutValue(std::string_view(text).substr(ParseKeyLine(text)->valueOffset), charset_);
}

std::string_view IniDocument::NewLineEnding() const {
    for (const Line& line : lines_) {
        if (!line.ending.empty()) return line.ending;
    }
    return "\n";
}

void IniDocument::InsertLineAfter(std::size_t index, std::string text) {
    Line added{std::move(text), std::string(NewLineEnding())};
    // A lone CR followed by a blank LF line would read back as one CRLF, losing the blank line.
    const std::size_t next = index + 1;
    if (added.ending == "\r" && next < lines_.size() && lines_[next].text.empty() &&
        lines_[next].ending == "\n") {
        added.ending = "\r\n";
    }
    // Only the last line can lack an ending; the added line takes over that role.
    if (lines_[index].ending.empty()) std::swap(lines_[index].ending, added.ending);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index) + 1, std::move(added));
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    value = value.substr(0, value.find_first_of("\r\n"));
    std::string keyLine = std::string(key) + "=" + std::string(value);

    const auto header = FindHeader(section);
    if (!header) {
        std::string headerLine = "[" + std::string(section) + "]";
        if (lines_.empty()) {
            lines_.push_back({std::move(headerLine), std::string(NewLineEnding())});
        } else {
            InsertLineAfter(lines_.size() - 1, std::move(headerLine));
        }
        InsertLineAfter(lines_.size() - 1, std::move(keyLine));
        return true;
    }

    if (const auto index = FindKey(*header, key)) {
        std::string& text = lines_[*index].text;
        const std::size_t offset = ParseKeyLine(text)->valueOffset;
        if (std::string_view(text).substr(offset) == value) return false;
        text.replace(offset, std::string::npos, value);
        return true;
    }

    std::size_t after = *header;
    for (std::size_t i = *header + 1; i < lines_.size() && !SectionName(lines_[i].text, charset_);
         ++i) {
        if (ParseKeyLine(lines_[i].text)) after = i;
    }
    InsertLineAfter(after, std::move(keyLine));
    return true;
}

}  // namespace tallyvox
