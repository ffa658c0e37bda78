// Module functions on digit strings: normal forms, sign extraction and the chunk
// readers the digit arithmetic is described in terms of. No engine state.
#pragma once

#include <cstdint>
#include <string>

// Decimal digits that always fit a signed 32-bit integer: the addition chunk width.
inline constexpr int32_t D長整数有効桁数 = 9;
// Marks the first and the last digit of a repeating cycle.
inline constexpr char16_t D循環節文字 = u'`';
// Ends a text cut short by a cancel: a halfway result, or a number read from one.
inline constexpr char16_t Dキャンセル印[] = u"...";

// Drops leading "0" characters; an empty outcome becomes "0" ("0.50" gives ".50").
std::u16string fゼロ正規化(std::u16string ps正数);

// Normal form of a decimal string: sign kept, leading zeros dropped, "0" before a
// leading ".", trailing fraction zeros and a bare final "." removed ("-01.500" -> "-1.5").
std::u16string f小数正規化(std::u16string vs小数);

// Removes a leading "-" from the string and returns it; otherwise returns "".
std::u16string f符号取出し(std::u16string& rs数値文字列);

// Splits a decimal text at its first ".": "-12.5" gives "-12" and ".5"; "7" gives "7", "".
void f小数分離(std::u16string& rs数値, std::u16string& rs小数);

// cnt zeros; empty for cnt <= 0.
std::u16string StringOfZeroC(int32_t cnt);

// ForceStrToInt of the last n characters of s, which are removed from s.
int32_t f指定下有効桁数値変換(std::u16string& s, int32_t n);

// The same with n = D長整数有効桁数.
int32_t f下有効桁数値変換(std::u16string& s);

// The first n characters of s, which are removed from s.
std::u16string f指定上桁数値取出し(std::u16string& s, int32_t n);

// Keeps a stepwise text equal to sign + digits so far by appending what the digits
// gained since the last call (rebuilding it every step would be quadratic).
void f符号付結果追従(std::u16string& rs結果, const std::u16string& s符号, const std::u16string& s途中);

// Marks a repeating cycle in digits: a mark before the last k characters (the cycle's
// digits after its first one) and one after the last, unless that mark is already last.
void f循環節印挿入(std::u16string& rs途中, uint64_t k);
