// Shared test support: readable failure output for the engine's records in gtest
// assertions, and a guard that switches the message pump off when a test ends.
#pragma once

#include <ostream>
#include <random>
#include <string>

#include "common/pump.h"
#include "common/utf.h"
#include "engine/brelvita.h"

inline void PrintTo(const T分数型& f, std::ostream* os) {
    *os << Utf16ToUtf8(f.s分子) << "/" << Utf16ToUtf8(f.s分母);
}

inline void PrintTo(const T仮数型& m, std::ostream* os) {
    *os << "(";
    PrintTo(m.t底, os);
    *os << ")^(";
    PrintTo(m.t指数, os);
    *os << ")";
}

// Switches pumping off again when a test ends, whatever happened.
struct PumpGuard {
    ~PumpGuard() { SetMessagePump(nullptr); }
};

// A random natural number of the given length, without leading zero.
inline std::u16string RandomDigits(std::mt19937_64& rng, int length) {
    std::u16string s(1, static_cast<char16_t>(u'1' + rng() % 9));
    while (static_cast<int>(s.size()) < length) s += static_cast<char16_t>(u'0' + rng() % 10);
    return s;
}
