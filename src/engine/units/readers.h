// Small readers of unit texts: blank removal, the separator-based token reader, the
// unit-term reader that splits off a trailing exponent, the reader of dimension-code
// strings, and the expansion of a pattern spelling for the help text. In-out strings
// are consumed from the front as tokens are taken.
#pragma once

#include <string>
#include <string_view>

// The separators inside a unit notation: "*", "/", ")" and "(".
inline constexpr char16_t D単位内区切記号[] = u"[*/)(]";

// True for a separator character.
bool f単位区切文字判定(char16_t c);

// The text without any blank (U+0020); other white space stays.
std::u16string f空白削除(const std::u16string& vs文字列);

// Removes and returns the next token: one separator, or the run up to the next one.
std::u16string fトークン取出し(std::u16string& rs文字列);
// The same on a view, which moves past the token; the token views the same text.
std::u16string_view fトークン取出し(std::u16string_view& rs文字列);

// Like fトークン取出し, but a unit term's trailing run of digits and "-" goes to
// rs単位指数 ("1" when there is none, and for a separator). The first character of a
// term always belongs to its spelling.
std::u16string f単位トークン取出し(std::u16string& rs単位文字列, std::u16string& rs単位指数);
// The same, reading at rPos and moving it past the token, so that walking a long
// notation costs its length once.
std::u16string f単位トークン取出し(const std::u16string& vs単位文字列, size_t& rPos, std::u16string& rs単位指数);

// The next token of a dimension-code string and the exponent written after it in
// parentheses ("1" when none); the view moves past both, and they view the same text.
// Throws when an exponent bracket is not closed.
std::u16string_view f意味トークン取出し(std::u16string_view& rs単位文字列, std::u16string_view& rs単位指数);

// A pattern spelling ("[lL]", "(°C|℃)") as its alternatives joined by "][".
std::u16string f正規文展開(const std::u16string& vs正規文);
