// Records of the stepwise n-th root, which expands a root a block of decimal digits per
// step.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/number/fraction.h"

enum class E分数累乗根順次計算内部状態 {
    m累乗根順次計算中状態,    // computing: each step adds digits
    m累乗根符号付加中状態,    // digits final: the next step writes the result text
    m累乗根計算完了状態,      // the result text is final
};

// Working state of the root (defined with the root code): the base, the root's digits
// found so far as an integer, and whether the root ends. Copies of a context share it
// until one of them steps, which then takes a copy of its own, so copied contexts still
// step independently.
struct T累乗根作業;

// Context of one stepwise root, owned by the caller. Every text a step leaves is one
// that the digit-by-digit method leaves after some place, and the final text and state
// are the same; the halfway texts of one root are prefixes of each other, apart from the
// sign that is there from the first step.
struct T分数累乗根順次計算コンテキスト型 {
    E分数累乗根順次計算内部状態 e状態 = E分数累乗根順次計算内部状態::m累乗根計算完了状態;
    std::u16string s累乗根計算結果;  // result text with sign: halfway, then final
    std::u16string s符号;            // the base's sign: "-" or ""
    std::u16string s累乗根計算途中;  // digits so far without sign, "." once fractions begin
    T分数型 t底ワーク;               // the base without its sign
    int32_t l指数ワーク = 0;         // the root index n
    int32_t l10指数 = 0;             // decimal place of the next digit (-1: first fraction digit)
    std::shared_ptr<T累乗根作業> p作業;  // the integer remainder state of the digit method
};
