// Shared test support: readable failure output for the engine's records in gtest
// assertions, and helpers the number tests share.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "common/utf.h"
#include "engine/brelvita.h"
#include "engine/number/huge.h"

// The check of the calls no test cancels.
inline const Tキャンセル検査 kNoCancel;

inline void PrintTo(const T分数型& f, std::ostream* os) {
    *os << Utf16ToUtf8(f.t分子.f文字列()) << "/" << Utf16ToUtf8(f.t分母.f文字列());
}

// The fraction of two digit strings (a "-" allowed on either).
inline T分数型 F(std::u16string_view num, std::u16string_view den) {
    return {T整数型::f読込(num), T整数型::f読込(den)};
}

inline void PrintTo(const T仮数型& m, std::ostream* os) {
    *os << "(";
    PrintTo(m.t底, os);
    *os << ")^(";
    PrintTo(m.t指数, os);
    *os << ")";
}

// Lowers the sizes above which big-number operations are split into cancellable pieces,
// so that small numbers take the split paths; restores them when the test ends.
struct SplitLimitsGuard {
    T分割上限型 saved = f分割上限();
    explicit SplitLimitsGuard(uint64_t bits = 256) {
        f分割上限() = T分割上限型{bits, bits, bits, bits, bits};
    }
    ~SplitLimitsGuard() { f分割上限() = saved; }
};

// What a step of a stepwise division or radix conversion left, to compare the engine's
// steps with a literal method's.
struct TStepSeen {
    bool done;
    std::u16string text;
    E整数順次除算内部状態 state;
    int32_t pos;
    bool operator==(const TStepSeen&) const = default;
};

// Steps a literal method (at most maxSteps steps; ref.Step() and its result, state and pos)
// and the engine (engineStep(), giving a TStepSeen) side by side: each of the engine's
// steps, up to the last one the literal method took, must be one the literal method left,
// in order; when the literal method ended, the engine must end the same way.
template <class Ref, class EngineStep>
::testing::AssertionResult fSameSteps(Ref& ref, int maxSteps, EngineStep engineStep, const std::string& label) {
    std::vector<TStepSeen> want;
    for (int i = 0; i < maxSteps && (want.empty() || !want.back().done); ++i) {
        const bool done = ref.Step();
        want.push_back({done, ref.result, ref.state, ref.pos});
    }
    size_t at = 0;
    for (bool done = false; !done;) {
        const TStepSeen got = engineStep();
        done = got.done;
        if (!want.back().done && (done || got.text.size() > want.back().text.size())) break;  // beyond it
        while (at < want.size() && !(want[at] == got)) ++at;
        if (at == want.size()) {
            return ::testing::AssertionFailure() << label << ": step " << done << " \"" << Utf16ToUtf8(got.text)
                                                 << "\" pos " << got.pos << " is none of the literal method's";
        }
        if (!want.back().done && at + 1 == want.size()) break;  // the last step it took
    }
    if (want.back().done && at + 1 != want.size()) return ::testing::AssertionFailure() << label << " did not end";
    return ::testing::AssertionSuccess();
}

// A random natural number of the given length, without leading zero.
inline std::u16string RandomDigits(std::mt19937_64& rng, int length) {
    std::u16string s(1, static_cast<char16_t>(u'1' + rng() % 9));
    while (static_cast<int>(s.size()) < length) s += static_cast<char16_t>(u'0' + rng() % 10);
    return s;
}
