// Stepwise division: whole expansions of fractions with long cycles and of a huge
// integer, and the memory a long-running expansion holds.
//
//   bench_division --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// The memory benchmarks run first (the peak resident size only grows) and once each.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdint>

#include "bench_support.h"
#include "engine/brelvita.h"

namespace {

double PeakRssMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

// Steps a/b until it ends, maxSteps steps are done or `seconds` have passed; reports the
// steps, the rate, the growth of the peak resident size and the bytes held per step.
void BM_LongExpansion(benchmark::State& state, const char16_t* a, const char16_t* b,
                      uint64_t maxSteps, double seconds) {
    for (auto _ : state) {
        const double before = PeakRssMiB();
        const auto start = std::chrono::steady_clock::now();
        const auto deadline = start + std::chrono::duration<double>(seconds);
        ClsBrelvita e;
        T整数順次除算コンテキスト型 ctx;
        f整数順次除算初期化(ctx, a, b, e.fキャンセル検査());
        uint64_t steps = 0;
        bool bDone = false;
        while (steps < maxSteps && !bDone) {
            bDone = f整数順次除算(ctx, 0, e.fキャンセル検査());
            ++steps;
            if ((steps & 0xFFFF) == 0 && std::chrono::steady_clock::now() > deadline) break;
        }
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double growth = PeakRssMiB() - before;
        state.counters["steps"] = static_cast<double>(steps);
        state.counters["finished"] = bDone ? 1 : 0;
        state.counters["steps_per_s"] = static_cast<double>(steps) / elapsed;
        state.counters["peak_rss_growth_MiB"] = growth;
        state.counters["bytes_per_step"] = growth * 1048576.0 / static_cast<double>(steps);
        benchmark::DoNotOptimize(ctx.s除算結果.data());
        f整数順次除算終了(ctx);
    }
}
// 1/9999991: a cycle of 1,666,665 digits; the whole expansion ends long before 10 s.
BENCHMARK_CAPTURE(BM_LongExpansion, one_by_9999991_10s, u"1", u"9999991", UINT64_MAX, 10.0)
    ->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);
// A prime below 2^64 whose cycle never ends in practice: a fixed number of steps.
BENCHMARK_CAPTURE(BM_LongExpansion, one_by_999999999999999989_50M, u"1", u"999999999999999989",
                  50000000, 60.0)
    ->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);
// 3^50 needs limbs; its cycle (2·3^49 digits) never ends either.
BENCHMARK_CAPTURE(BM_LongExpansion, one_by_3pow50_5M, u"1", u"717897987691852588770249", 5000000,
                  60.0)
    ->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

void BM_Expand(benchmark::State& state, const char16_t* a, const char16_t* b) {
    ClsBrelvita e;
    for (auto _ : state) benchmark::DoNotOptimize(ExpandAll(e, a, b));
}
BENCHMARK_CAPTURE(BM_Expand, one_by_9967, u"1", u"9967")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Expand, one_by_9973, u"1", u"9973")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Expand, p355_by_113, u"355", u"113")->Unit(benchmark::kMicrosecond);

const T分数型 kTwo = f分数値(2, 1);

// 2^100000 as a fraction, then its 30,103 digits through the stepwise division.
void BM_PowerThenExpand_2pow100000(benchmark::State& state) {
    ClsBrelvita e;
    for (auto _ : state) {
        const T分数型 p = f分数累乗(kTwo, 100000, e.fキャンセル検査());
        benchmark::DoNotOptimize(ExpandAll(e, p.t分子.f文字列(), p.t分母.f文字列()));
    }
}
BENCHMARK(BM_PowerThenExpand_2pow100000)->Unit(benchmark::kMillisecond);

void BM_PowerOnly_2pow100000(benchmark::State& state) {
    ClsBrelvita e;
    for (auto _ : state) benchmark::DoNotOptimize(f分数累乗(kTwo, 100000, e.fキャンセル検査()));
}
BENCHMARK(BM_PowerOnly_2pow100000)->Unit(benchmark::kMillisecond);

void BM_ExpandOnly_2pow100000(benchmark::State& state) {
    ClsBrelvita e;
    const T分数型 p = f分数累乗(kTwo, 100000, e.fキャンセル検査());
    for (auto _ : state) benchmark::DoNotOptimize(ExpandAll(e, p.t分子.f文字列(), p.t分母.f文字列()));
}
BENCHMARK(BM_ExpandOnly_2pow100000)->Unit(benchmark::kMillisecond);

// The same through the engine's one-shot power text.
void BM_PowerText_2pow100000(benchmark::State& state) {
    ClsBrelvita e;
    for (auto _ : state) benchmark::DoNotOptimize(f累乗文字列計算(u"2", 100000, e.fキャンセル検査()));
}
BENCHMARK(BM_PowerText_2pow100000)->Unit(benchmark::kMillisecond);

}  // namespace
