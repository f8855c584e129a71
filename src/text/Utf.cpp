// UTF-8 <-> UTF-16 conversion and UTF-8 validation.
#include "text/Utf.h"

#include <optional>

namespace tallyvox {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

struct Decoded {
    char32_t codePoint;
    std::size_t size;
};

// The sequence starting at `i`, or nullopt when it is ill-formed; a surrogate counts as
// well-formed only when `surrogatesAllowed`.
std::optional<Decoded> DecodeAt(std::string_view s, std::size_t i, bool surrogatesAllowed) {
    const auto lead = static_cast<unsigned char>(s[i]);
    if (lead < 0x80) return Decoded{lead, 1};
    std::size_t size = 0;
    char32_t c = 0;
    char32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2, c = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3, c = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4, c = lead & 0x07, min = 0x10000;
    } else {
        return std::nullopt;
    }
    if (i + size > s.size()) return std::nullopt;
    for (std::size_t k = 1; k < size; ++k) {
        const auto next = static_cast<unsigned char>(s[i + k]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (IsSurrogate(c) && !surrogatesAllowed)) return std::nullopt;
    return Decoded{c, size};
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
        return;
    }
    const int size = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    static constexpr unsigned char kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(kLeadMarks[size] | (c >> (6 * (size - 1))));
    for (int k = size - 2; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
}

}  // namespace

bool IsUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto decoded = DecodeAt(bytes, i, false);
        if (!decoded) return false;
        i += decoded->size;
    }
    return true;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto decoded = DecodeAt(utf8, i, true);
        const char32_t c = decoded ? decoded->codePoint : kReplacement;
        i += decoded ? decoded->size : 1;
        if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

}  // namespace tallyvox
