#include "common/utf.h"

#include <cstdint>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Appends one code point as UTF-16.
void AppendUtf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Range a continuation byte must lie in after the lead byte `lead` (second byte only).
bool SecondByteValid(uint8_t lead, uint8_t b) {
    if (lead == 0xE0) return b >= 0xA0 && b <= 0xBF;  // no overlong 3-byte forms
    if (lead == 0xED) return b >= 0x80 && b <= 0x9F;  // no surrogates
    if (lead == 0xF0) return b >= 0x90 && b <= 0xBF;  // no overlong 4-byte forms
    if (lead == 0xF4) return b >= 0x80 && b <= 0x8F;  // nothing above U+10FFFF
    return b >= 0x80 && b <= 0xBF;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const uint8_t lead = static_cast<uint8_t>(s[i]);
        int need;
        char32_t cp;
        if (lead < 0x80) { out.push_back(lead); ++i; continue; }
        if (lead >= 0xC2 && lead <= 0xDF) { need = 1; cp = lead & 0x1F; }
        else if (lead >= 0xE0 && lead <= 0xEF) { need = 2; cp = lead & 0x0F; }
        else if (lead >= 0xF0 && lead <= 0xF4) { need = 3; cp = lead & 0x07; }
        else { out.push_back(kReplacement); ++i; continue; }
        size_t j = i + 1;
        int got = 0;
        while (got < need && j < s.size()) {
            const uint8_t b = static_cast<uint8_t>(s[j]);
            const bool ok = got == 0 ? SecondByteValid(lead, b) : (b >= 0x80 && b <= 0xBF);
            if (!ok) break;
            cp = (cp << 6) | (b & 0x3F);
            ++j;
            ++got;
        }
        AppendUtf16(out, got == need ? cp : kReplacement);
        i = j;
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size() * 3);
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}
