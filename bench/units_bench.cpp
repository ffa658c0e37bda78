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

// The whole road of "10km/5[m/h]" through the engine: numbers, units attached, the
// quotient and its rendering as "2000 [h]".
void BM_TenKmPerFiveMetresPerHour(benchmark::State& state) {
    ClsBrelvita e;
    auto unit = [&](const std::u16string& notation) {
        T単位数型 u = e.f単位数変換(u"0");
        u.s単位表記 = notation;
        e.f意味コ変換(notation, u.t意味コ配列, u.t単項表記リスト, u.s基底値変換式, u.t保留);
        return u;
    };
    auto number = [&](const std::u16string& text) {
        T単位数型 v = e.f単位数変換(text);
        e.f意味コ変換(u"", v.t意味コ配列, v.t単項表記リスト, v.s基底値変換式, v.t保留);
        return v;
    };
    for (auto _ : state) {
        const T単位数型 a = e.f単位数補正(number(u"10"), unit(u"km"));
        const T単位数型 b = e.f単位数補正(number(u"5"), unit(u"m/h"));
        T単位数型 q = e.f除算(a, b);
        benchmark::DoNotOptimize(e.f単位数文字列変換(q));
    }
}
BENCHMARK(BM_TenKmPerFiveMetresPerHour)->Unit(benchmark::kMicrosecond);

}  // namespace
