// Shared helpers of the benchmark programs.
#pragma once

#include <string>

#include "engine/brelvita.h"

// The decimal expansion of a/b, stepped to the end.
inline std::u16string ExpandAll(ClsBrelvita& e, const std::u16string& a, const std::u16string& b) {
    T整数順次除算コンテキスト型 ctx;
    f整数順次除算初期化(ctx, a, b, e.fキャンセル検査());
    while (!f整数順次除算(ctx, 0, e.fキャンセル検査())) {
    }
    f整数順次除算終了(ctx);
    return std::move(ctx.s除算結果);
}

// The fraction of two digit strings.
inline T分数型 FractionOf(std::u16string_view num, std::u16string_view den) {
    return {T整数型::f読込(num), T整数型::f読込(den)};
}
