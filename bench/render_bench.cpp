// Speed of the result rendering: long decimal expansions and radix conversions stepped
// the way the window sees them, with the halfway text kept fresh after every step.
#include <benchmark/benchmark.h>

#include "engine/brelvita.h"

namespace {

T単位数型 PowerOfTwo(ClsBrelvita& e, int32_t n) {
    return e.f単位数変換(f累乗文字列計算(u"2", n, e.fキャンセル検査()));
}

void RenderLoop(benchmark::State& state, ClsBrelvita& e, const T単位数型& value) {
    for (auto _ : state) {
        T単位数型 work = value;  // the rendering may change notation and radix
        const std::u16string r = e.f単位数文字列変換(work);
        benchmark::DoNotOptimize(r.data());
    }
}

// 30,103 digits, one division step each.
void BM_Render2Pow100000Decimal(benchmark::State& state) {
    ClsBrelvita e;
    RenderLoop(state, e, PowerOfTwo(e, 100000));
}
BENCHMARK(BM_Render2Pow100000Decimal)->Unit(benchmark::kMillisecond);

// A long repeating decimal, then its cycle in radix 16 one digit per step.
void BM_Render1Over9973Radix16(benchmark::State& state) {
    ClsBrelvita e;
    T単位数型 v = e.f単位数変換(u"0");
    v.t複素数.t浮動小数.t仮数.t底 = f分数値(1, 9973);
    v.i表記基数 = 16;
    RenderLoop(state, e, v);
}
BENCHMARK(BM_Render1Over9973Radix16)->Unit(benchmark::kMillisecond);

// The decimal expansion followed by one long integer conversion into radix 36.
void BM_Render2Pow100000Radix36(benchmark::State& state) {
    ClsBrelvita e;
    T単位数型 v = PowerOfTwo(e, 100000);
    v.i表記基数 = 36;
    RenderLoop(state, e, v);
}
BENCHMARK(BM_Render2Pow100000Radix36)->Unit(benchmark::kMillisecond);

}  // namespace
