// Checks for texts shown in English: which characters count as Japanese, and where the
// English texts may still hold them (unit spellings, the arguments a message repeats).
#pragma once

#include <string>

#include "common/i18n.h"

// Whether the character is kana or a CJK ideograph.
inline bool IsJapanese(char16_t c) {
    return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF);
}

// Whether the text holds a Japanese character.
inline bool HasJapanese(std::u16string_view s) {
    for (const char16_t c : s)
        if (IsJapanese(c)) return true;
    return false;
}

// The Japanese characters of a text outside square brackets, where unit spellings (尺, 升)
// and examples stand; empty when there is none.
inline std::u16string JapaneseOutsideBrackets(std::u16string_view s) {
    std::u16string found;
    int depth = 0;
    for (const char16_t c : s) {
        if (c == u'[') ++depth;
        if (c == u']' && depth > 0) --depth;
        if (depth == 0 && IsJapanese(c)) found += c;
    }
    return found;
}

// What is wrong with a message's translation, empty when nothing: it must hold no Japanese
// character, save in the argument of an "id: argument" message, which it keeps unchanged.
inline std::string TranslationFault(const std::u16string& message) {
    const std::u16string english = f訳(message);
    const size_t sep = message.find(u": ");
    const std::u16string argument = sep == std::u16string::npos ? u"" : message.substr(sep + 2);
    if (!english.ends_with(argument)) return "loses its argument";
    if (HasJapanese(std::u16string_view(english).substr(0, english.size() - argument.size())))
        return "is not translated";
    return "";
}
