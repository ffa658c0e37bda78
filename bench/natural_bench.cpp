// Speed of the digit-string primitives on long operands.
#include <benchmark/benchmark.h>

#include <random>

#include "engine/brelvita.h"

namespace {

std::u16string RandomDigits(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::u16string s(n, u'0');
    for (auto& c : s) c = static_cast<char16_t>(u'0' + rng() % 10);
    s[0] = static_cast<char16_t>(u'1' + rng() % 9);
    return s;
}

void BM_NaturalAdd100k(benchmark::State& state) {
    ClsBrelvita e;
    const auto a = RandomDigits(100000, 1), b = RandomDigits(100000, 2);
    for (auto _ : state) benchmark::DoNotOptimize(e.f自然数加算(a, b));
}
BENCHMARK(BM_NaturalAdd100k)->Unit(benchmark::kMillisecond);

void BM_NaturalMul10k(benchmark::State& state) {
    ClsBrelvita e;
    const auto a = RandomDigits(10000, 3), b = RandomDigits(10000, 4);
    for (auto _ : state) benchmark::DoNotOptimize(e.f自然数乗算(a, b));
}
BENCHMARK(BM_NaturalMul10k)->Unit(benchmark::kMillisecond);

void BM_NaturalDivMod20kBy10k(benchmark::State& state) {
    ClsBrelvita e;
    const auto a = RandomDigits(20000, 5), b = RandomDigits(10000, 6);
    std::u16string q;
    for (auto _ : state) benchmark::DoNotOptimize(e.f自然数商余(a, b, q));
}
BENCHMARK(BM_NaturalDivMod20kBy10k)->Unit(benchmark::kMillisecond);

void BM_IntegerGcd5k(benchmark::State& state) {
    ClsBrelvita e;
    const auto a = RandomDigits(5000, 7), b = RandomDigits(5000, 8);
    for (auto _ : state) benchmark::DoNotOptimize(e.f整数最大公約数(a, b));
}
BENCHMARK(BM_IntegerGcd5k)->Unit(benchmark::kMillisecond);

}  // namespace
