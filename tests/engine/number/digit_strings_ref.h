// Natural numbers and integers as decimal digit strings, the form the literal methods the
// tests compare the engine with work in. Each operation reads its operands, computes on
// T整数型 and writes the result text, keeping the conventions of those methods: "" reads as
// 0 in sums and products, a zero divisor gives the quotient "∞", a product may be "-0".
#pragma once

#include <cstdint>
#include <string>

// a + b of natural numbers.
std::u16string f自然数加算(const std::u16string& vs被加数, const std::u16string& vs加数);
// 1, 0 or -1 by length, then by digits (both in normal form).
int32_t f自然数比較(const std::u16string& vs数1, const std::u16string& vs数2);
// a - b for a >= b.
std::u16string f自然数大小減算(const std::u16string& vs被減数大, const std::u16string& vs減数小);
// a - b as a signed integer string.
std::u16string f自然数減算(const std::u16string& vs被減数, const std::u16string& vs減数);
// a * b of natural numbers.
std::u16string f自然数乗算(const std::u16string& vs被乗数, const std::u16string& vs乗数);
// Returns the remainder; the quotient ("∞" for a zero divisor) goes to rs商.
std::u16string f自然数商余(const std::u16string& vs被除数, const std::u16string& vs除数, std::u16string& rs商);

// a + b, a - b and a * b of integers (an optional "-"; "-0" counts as zero).
std::u16string f整数加算(const std::u16string& vs被加数, const std::u16string& vs加数);
std::u16string f整数減算(const std::u16string& vs被減数, const std::u16string& vs減数);
std::u16string f整数乗算(const std::u16string& vs被乗数, const std::u16string& vs乗数);
// Truncating division: returns the remainder (the dividend's sign), quotient to rs商.
std::u16string f整数商余(const std::u16string& vs被除数, const std::u16string& vs除数, std::u16string& rs商);
// Greatest common divisor of the magnitudes; "1" when either is "0" or "1".
std::u16string f整数最大公約数(const std::u16string& vs整数1, const std::u16string& vs整数2);
// Least common multiple of the magnitudes; "0" for a zero operand.
std::u16string f整数最小公倍数(const std::u16string& vs整数1, const std::u16string& vs整数2);
