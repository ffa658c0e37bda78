// Speed of whole lines through the evaluation entry: the mixed lines of a batch session
// and the long single lines (big powers, long products, full cycles).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/ut_common.h"
#include "parser/parser.h"

namespace {

// Evaluates one line and keeps the result alive.
void Run(ClsParser& p, const std::u16string& line) {
    std::u16string r, e;
    int32_t a, b, c, d;
    p.yygo(line, r, e, a, b, u"", c, d);
    benchmark::DoNotOptimize(r.data());
}

// Unit conversions, derived units, temperatures, time literals, radixes and variables.
void BM_MixedLine(benchmark::State& state) {
    const std::vector<std::u16string> lines = {
        u"10km/5[m/h]\n", u"3[km/h][m/s]\n", u"20[℃][K]\n", u"1:30:15\n", u"(ff)16\n", u"255[16]\n",
        u"a:=5m\n",       u"a*2\n",          u"1[kWh][J]\n", u"2[N]*3[m]\n", u"1/3+1/6\n", u"1.5[h][min]\n"};
    ClsParser p;
    size_t i = 0;
    for (auto _ : state) Run(p, lines[i++ % lines.size()]);
}
BENCHMARK(BM_MixedLine)->Unit(benchmark::kMicrosecond);

void BM_LinePowerOfTwo100000(benchmark::State& state) {
    ClsParser p;
    for (auto _ : state) Run(p, u"2^100000\n");
}
BENCHMARK(BM_LinePowerOfTwo100000)->Unit(benchmark::kMillisecond);

void BM_LineFactorial5000(benchmark::State& state) {
    std::u16string line = u"1";
    for (int i = 2; i <= 5000; ++i) line += u"*" + IntToStr(i);
    line += u"\n";
    ClsParser p;
    for (auto _ : state) Run(p, line);
}
BENCHMARK(BM_LineFactorial5000)->Unit(benchmark::kMillisecond);

void BM_Line1Over9967(benchmark::State& state) {
    ClsParser p;
    for (auto _ : state) Run(p, u"1/9967\n");
}
BENCHMARK(BM_Line1Over9967)->Unit(benchmark::kMillisecond);

}  // namespace
