// Text helpers shared by every layer. Positions are 1-based and counted in UTF-16
// code units, as the whole engine counts them.
#pragma once

#include <cstdint>
#include <string>

// Brackets that enclose a unit in results and in the help text.
inline constexpr char16_t CSTAVELKO_LB[] = u"[";
inline constexpr char16_t CSTAVELKO_RB[] = u"]";

// The first lLen characters; all of Str when lLen reaches its length; empty for lLen <= 0.
std::u16string StrLeft(const std::u16string& Str, int32_t lLen);

// From position lPos (the first character when lPos < 1), at most lLen characters;
// all the rest for lLen = -1; empty for other negative lLen, 0, or lPos past the end.
std::u16string StrMid(const std::u16string& Str, int32_t lPos, int32_t lLen = -1);

// The last rLen characters; all of Str when rLen reaches its length; empty for rLen <= 0.
std::u16string StrRight(const std::u16string& Str, int32_t rLen);

// Start of the last Substr lying wholly within the first len characters of S; 0 when none.
// len must not exceed the length of S (E範囲エラー otherwise).
int32_t RevPos(const std::u16string& Substr, const std::u16string& S, int32_t len);
int32_t RevPos(const std::u16string& Substr, const std::u16string& S);

// Decimal text of an integer ("-12").
std::u16string IntToStr(int64_t value);

// Reads an integer out of arbitrary text: digits in order, a "-" before the first digit
// negates, a "." after the first digit or the "-" ends the scan, anything else is skipped.
// 0 when there is no digit or the value does not fit a signed 32-bit integer.
int32_t ForceStrToInt(const std::u16string& sVal);

// True when the text holds an ASCII letter ("[a-zA-Z]"): digits that need a radix.
bool f英字含有(const std::u16string& s);

// ASCII letters lowered, everything else as it is (unit spellings and command words are
// compared so).
std::u16string fASCII小文字化(std::u16string s);
