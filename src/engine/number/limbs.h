// Multi-precision natural numbers in base 10^9, the fast inside of the digit-string
// primitives. Base 10^9 makes the conversion from and to decimal text linear, so
// every digit-string operation can convert, compute and convert back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/number/cancel.h"

// Little-endian limbs of 9 decimal digits each; no high zero limbs; zero is empty.
using T多倍長型 = std::vector<uint32_t>;

inline constexpr uint32_t D多倍長基数 = 1000000000;

// Reads a string of decimal digits (leading zeros allowed, other characters count as 0).
T多倍長型 f多倍長変換(std::u16string_view digits);

// The number as decimal text in normal form ("0" for zero).
std::u16string f多倍長文字列化(const T多倍長型& a);

// The decimal text of a * m for a multiplier below the limb base, straight from text to
// text in 9-digit chunks (the common case of a long number times a short one).
std::u16string f文字列小乗算(std::u16string_view a, uint32_t m);

// -1, 0 or 1 as a is smaller than, equal to or larger than b.
int f多倍長比較(const T多倍長型& a, const T多倍長型& b);

// -1, 0 or 1 comparing two numbers of w limbs each (little-endian, high zeros allowed).
int f固定幅比較(const uint32_t* a, const uint32_t* b, size_t w);

// a * b. Calls check every so often on long operands.
T多倍長型 f多倍長乗算(const T多倍長型& a, const T多倍長型& b, const Tキャンセル検査& check);

// a * m + add for small m and add (both below the limb base).
T多倍長型 f多倍長小乗算(const T多倍長型& a, uint32_t m, uint32_t add = 0);

// Quotient and remainder of a / b, b not zero. Calls check every so often.
void f多倍長商余(const T多倍長型& a, const T多倍長型& b, T多倍長型& q, T多倍長型& r,
                const Tキャンセル検査& check);

// Greatest common divisor by Euclid's algorithm; a and b not zero.
T多倍長型 f多倍長最大公約数(T多倍長型 a, T多倍長型 b, const Tキャンセル検査& check);
