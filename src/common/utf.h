// UTF-8 <-> UTF-16 conversion for the console boundary. Never throws on bad input:
// malformed UTF-8 and lone surrogates become U+FFFD.
#pragma once

#include <string>
#include <string_view>

// Decodes UTF-8; each maximal ill-formed subsequence becomes one U+FFFD.
std::u16string Utf8ToUtf16(std::string_view s);

// Encodes UTF-16; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view s);
