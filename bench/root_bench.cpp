// Speed of the stepwise root: a whole expansion to a given number of fraction digits,
// stepped the way the rendering steps it.
#include <benchmark/benchmark.h>

#include "bench_support.h"

namespace {

// Initialises the root and steps it until the halfway text holds `digits` fraction digits,
// the goal at which its blocks end.
void Expand(benchmark::State& state, const T分数型& base, int32_t n, size_t digits) {
    ClsBrelvita e;
    const Tキャンセル検査 check = e.fキャンセル検査();
    for (auto _ : state) {
        T分数累乗根順次計算コンテキスト型 ctx;
        f分数累乗根順次計算初期化(ctx, base, n, check);
        size_t point = std::u16string::npos;
        while (point == std::u16string::npos || ctx.s累乗根計算結果.size() - point - 1 < digits) {
            if (f分数累乗根順次計算(ctx, static_cast<int64_t>(digits), check)) break;
            if (point == std::u16string::npos) point = ctx.s累乗根計算結果.find(u'.');
        }
        benchmark::DoNotOptimize(ctx.s累乗根計算結果.data());
        if (ctx.s累乗根計算結果.size() - point - 1 != digits) state.SkipWithError("wrong length");
    }
}

void BM_RootSqrt2_1000(benchmark::State& state) { Expand(state, FractionOf(u"2", u"1"), 2, 1000); }
BENCHMARK(BM_RootSqrt2_1000)->Unit(benchmark::kMillisecond);

void BM_RootSqrt2_10000(benchmark::State& state) { Expand(state, FractionOf(u"2", u"1"), 2, 10000); }
BENCHMARK(BM_RootSqrt2_10000)->Unit(benchmark::kMillisecond);

void BM_RootCbrt2_1000(benchmark::State& state) { Expand(state, FractionOf(u"2", u"1"), 3, 1000); }
BENCHMARK(BM_RootCbrt2_1000)->Unit(benchmark::kMillisecond);

// A fraction of long numerator and denominator under a fifth root.
void BM_RootFifthOfFraction_1000(benchmark::State& state) {
    Expand(state, FractionOf(u"123456789012345678901234567890", u"987654321098765432109877"), 5, 1000);
}
BENCHMARK(BM_RootFifthOfFraction_1000)->Unit(benchmark::kMillisecond);

}  // namespace
