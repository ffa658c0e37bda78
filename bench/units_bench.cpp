// Speed of resolving unit notations and composing display notations: both lie on the
// path of every number the lexer reads and every product the calculator forms.
#include <benchmark/benchmark.h>

#include "engine/brelvita.h"

namespace {

void ResolveNotation(benchmark::State& state, const char16_t* notation) {
    ClsBrelvita e;
    T意味コ配列型 dim;
    T単項表記配列型 terms;
    std::u16string formula;
    T保留補正式配列型 pending;
    for (auto _ : state) {
        e.f意味コ変換(notation, dim, terms, formula, pending);
        benchmark::DoNotOptimize(formula);
    }
}
BENCHMARK_CAPTURE(ResolveNotation, km_per_h, u"km/h")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ResolveNotation, C_per_kg_s, u"C/(kg*s)")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ResolveNotation, unknown_xyz, u"xyz")->Unit(benchmark::kMicrosecond);

void BM_DisplayNotationForce(benchmark::State& state) {
    ClsBrelvita e;
    T意味コ配列型 force, dim;
    T単項表記配列型 unary, terms;
    std::u16string formula, notation;
    T保留補正式配列型 pending;
    e.f意味コ変換(u"N", force, terms, formula, pending);
    e.f意味コ変換(u"kg*m*s2", dim, unary, formula, pending);  // the terms kg, m, s2
    for (auto _ : state) {
        e.f単位表記変換(force, unary, notation, formula, pending);
        benchmark::DoNotOptimize(notation);
    }
}
BENCHMARK(BM_DisplayNotationForce)->Unit(benchmark::kMicrosecond);

}  // namespace
