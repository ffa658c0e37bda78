// Radix output conversion: the long cycle of 1/9973 in radix 16, and the 30103-digit
// integer 2^100000 in radix 36 and 16, with the peak resident size and the longest
// stretch of work between two cancellation points.
//
//   bench_radix --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>

#include "bench_support.h"
#include "engine/brelvita.h"

namespace {

// The radix text of a decimal text, stepped to the end; counts the steps.
std::u16string Convert(ClsBrelvita& e, const std::u16string& text, int32_t radix, int64_t& steps) {
    T順次基数変換コンテキスト型 ctx;
    f順次基数変換初期化(ctx, text, radix, e.fキャンセル検査());
    steps = 1;
    while (!f順次基数変換(ctx, 0, e.fキャンセル検査())) ++steps;
    f順次基数変換終了(ctx);
    return std::move(ctx.s除算結果);
}

double PeakRssMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// The decimal text of 1/9973 (a cycle of 831 digits) converted to radix 16.
void BM_OneOver9973ToRadix16(benchmark::State& state) {
    ClsBrelvita e;
    const std::u16string text = ExpandAll(e, u"1", u"9973");
    int64_t steps = 0;
    size_t length = 0;
    for (auto _ : state) {
        const std::u16string result = Convert(e, text, 16, steps);
        length = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    state.counters["steps"] = static_cast<double>(steps);
    state.counters["chars"] = static_cast<double>(length);
}
BENCHMARK(BM_OneOver9973ToRadix16)->Unit(benchmark::kMillisecond);

// The same from the fraction: the decimal expansion, then its conversion, as the
// rendering of 1/9973 with the display radix 16 runs them.
void BM_OneOver9973EndToEnd(benchmark::State& state) {
    ClsBrelvita e;
    int64_t steps = 0;
    for (auto _ : state) {
        const std::u16string result = Convert(e, ExpandAll(e, u"1", u"9973"), 16, steps);
        benchmark::DoNotOptimize(result.data());
    }
}
BENCHMARK(BM_OneOver9973EndToEnd)->Unit(benchmark::kMillisecond);

// 2^100000 (30103 decimal digits) converted in the single integer step.
void BM_PowerOfTwoToRadix(benchmark::State& state) {
    const int32_t radix = static_cast<int32_t>(state.range(0));
    ClsBrelvita e;
    const std::u16string text = f累乗文字列計算(u"2", 100000, e.fキャンセル検査());
    int64_t steps = 0;
    size_t length = 0;
    for (auto _ : state) {
        const std::u16string result = Convert(e, text, radix, steps);
        length = result.size();
        benchmark::DoNotOptimize(result.data());
    }
    state.counters["chars"] = static_cast<double>(length);
    state.counters["peak_rss_MiB"] = PeakRssMiB();
}
BENCHMARK(BM_PowerOfTwoToRadix)->Arg(36)->Arg(16)->Unit(benchmark::kMillisecond);

// The longest time between two cancellation points while 2^100000 is converted to
// radix 36: how long a cancel request can wait.
void BM_PowerOfTwoCancelLatency(benchmark::State& state) {
    ClsBrelvita e;
    const std::u16string text = f累乗文字列計算(u"2", 100000, e.fキャンセル検査());
    using Clock = std::chrono::steady_clock;
    Clock::time_point last;
    double worst = 0;
    int64_t points = 0;
    e.t取消要求.f監視設定(
        [&] {
            const Clock::time_point now = Clock::now();
            worst = std::max(worst, std::chrono::duration<double, std::milli>(now - last).count());
            last = now;
            ++points;
        },
        0);
    int64_t steps = 0;
    for (auto _ : state) {
        last = Clock::now();
        const std::u16string result = Convert(e, text, 36, steps);
        benchmark::DoNotOptimize(result.data());
    }
    e.t取消要求.f監視設定(nullptr);
    state.counters["max_gap_ms"] = worst;
    state.counters["points_per_run"] = static_cast<double>(points) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PowerOfTwoCancelLatency)->Unit(benchmark::kMillisecond);

}  // namespace
