// Property tests of the digit-string arithmetic (and so of the integer layer under it) on
// seeded random operands of mixed lengths, against a deliberately simple reference kept here.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/number/digit_strings_ref.h"

namespace {

using Str = std::u16string;

// --- Reference: one decimal digit at a time, no cleverness.
Str RefTrim(Str s) {
    const size_t i = s.find_first_not_of(u'0');
    return i == Str::npos ? u"0" : s.substr(i);
}

int RefCompare(const Str& a, const Str& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a < b ? -1 : (a == b ? 0 : 1);
}

Str RefAdd(const Str& a, const Str& b) {
    Str r;
    int carry = 0;
    for (size_t i = 0; i < std::max(a.size(), b.size()) || carry; ++i) {
        int t = carry;
        if (i < a.size()) t += a[a.size() - 1 - i] - u'0';
        if (i < b.size()) t += b[b.size() - 1 - i] - u'0';
        r.insert(r.begin(), static_cast<char16_t>(u'0' + t % 10));
        carry = t / 10;
    }
    return RefTrim(r);
}

Str RefSub(const Str& a, const Str& b) {  // a >= b
    Str r = a;
    int borrow = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        int t = (a[a.size() - 1 - i] - u'0') - borrow - (i < b.size() ? b[b.size() - 1 - i] - u'0' : 0);
        borrow = t < 0;
        r[a.size() - 1 - i] = static_cast<char16_t>(u'0' + (t + 10) % 10);
    }
    return RefTrim(r);
}

Str RefMul(const Str& a, const Str& b) {
    std::vector<int> acc(a.size() + b.size(), 0);
    for (size_t i = 0; i < a.size(); ++i)
        for (size_t j = 0; j < b.size(); ++j)
            acc[i + j + 1] += (a[i] - u'0') * (b[j] - u'0');
    for (size_t k = acc.size(); k-- > 1;) {
        acc[k - 1] += acc[k] / 10;
        acc[k] %= 10;
    }
    Str r;
    for (int d : acc) r.push_back(static_cast<char16_t>(u'0' + d));
    return RefTrim(r);
}

// Long division by repeated subtraction, one quotient digit at a time.
Str RefDivMod(const Str& a, const Str& b, Str& q) {
    Str rem = u"0";
    q.clear();
    for (char16_t c : a) {
        rem = RefTrim(rem + c);
        int digit = 0;
        while (RefCompare(rem, b) >= 0) {
            rem = RefSub(rem, b);
            ++digit;
        }
        q.push_back(static_cast<char16_t>(u'0' + digit));
    }
    q = RefTrim(q);
    return rem;
}

// --- Random operands: lengths around the chunk widths and beyond, up to 2,000 digits.
class Operands {
public:
    explicit Operands(unsigned seed) : rng_(seed) {}
    Str Natural(size_t maxLen) {
        static const size_t lengths[] = {1, 2, 3, 4, 5, 8, 9, 10, 17, 18, 19, 20, 27, 28, 36, 37};
        size_t len = rng_() % 3 ? lengths[rng_() % std::size(lengths)] : 1 + rng_() % maxLen;
        len = std::min(len, maxLen);
        Str s;
        const int style = rng_() % 4;  // plain, runs of 9s, runs of 0s, mixed
        for (size_t i = 0; i < len; ++i) {
            int d = rng_() % 10;
            if (style == 1 && rng_() % 4) d = 9;
            if (style == 2 && rng_() % 4) d = 0;
            s.push_back(static_cast<char16_t>(u'0' + d));
        }
        return RefTrim(s);
    }
    bool Coin() { return rng_() % 2; }

private:
    std::mt19937 rng_;
};

bool IsNormal(const Str& s) {
    if (s.empty()) return false;
    if (s.size() > 1 && s[0] == u'0') return false;
    return s.find_first_not_of(u"0123456789") == Str::npos;
}

TEST(ArithProperty, AgreesWithReferenceOnShortOperands) {
    Operands gen(20261209);
    for (int i = 0; i < 1500; ++i) {
        const Str a = gen.Natural(120), b = gen.Natural(120);
        ASSERT_EQ(f自然数加算(a, b), RefAdd(a, b)) << "a=" << a.size() << " b=" << b.size();
        ASSERT_EQ(f自然数乗算(a, b), RefMul(a, b));
        ASSERT_EQ(f自然数比較(a, b), RefCompare(a, b));
        const Str& big = RefCompare(a, b) >= 0 ? a : b;
        const Str& small = RefCompare(a, b) >= 0 ? b : a;
        ASSERT_EQ(f自然数大小減算(big, small), RefSub(big, small));
        if (small != u"0") {
            Str q, refQ;
            const Str r = f自然数商余(big, small, q);
            ASSERT_EQ(r, RefDivMod(big, small, refQ));
            ASSERT_EQ(q, refQ);
        }
    }
}

TEST(ArithProperty, ShortFactorsTimesLongOperandsAgreeWithReference) {
    // A factor of up to 9 digits takes the text-to-text path.
    Operands gen(7001);
    for (int i = 0; i < 300; ++i) {
        const Str a = gen.Natural(2000), m = gen.Natural(9);
        ASSERT_EQ(f自然数乗算(a, m), RefMul(a, m)) << "a=" << a.size() << " m=" << m.size();
        ASSERT_EQ(f自然数乗算(m, a), RefMul(a, m));
    }
}

TEST(ArithProperty, DivisionAndSumIdentitiesOnLongOperands) {
    Operands gen(7);
    for (int i = 0; i < 2000; ++i) {
        const Str a = gen.Natural(2000), b = gen.Natural(2000);
        const Str sum = f自然数加算(a, b);
        ASSERT_TRUE(IsNormal(sum));
        ASSERT_EQ(f整数減算(sum, b), a);                         // (a + b) - b = a
        ASSERT_EQ(f自然数減算(a, b), f整数減算(a, b));
        ASSERT_EQ(f整数加算(u"-" + a, b), f自然数減算(b, a));  // -a + b = b - a
        if (b == u"0") continue;
        Str q;
        const Str r = f自然数商余(a, b, q);
        ASSERT_TRUE(IsNormal(q) && IsNormal(r));
        ASSERT_EQ(f自然数比較(r, b), -1);                        // 0 <= r < b
        ASSERT_EQ(f自然数加算(f自然数乗算(q, b), r), a);       // a = q*b + r
    }
}

TEST(ArithProperty, GcdDividesBothAndLeavesCoprimeCofactors) {
    Operands gen(99);
    for (int i = 0; i < 400; ++i) {
        Str a = gen.Natural(600), b = gen.Natural(600);
        if (gen.Coin()) {  // give them a sizeable common factor
            const Str f = gen.Natural(200);
            a = f自然数乗算(a, f);
            b = f自然数乗算(b, f);
        }
        if (a == u"0" || b == u"0" || a == u"1" || b == u"1") continue;
        const Str g = f整数最大公約数(gen.Coin() ? u"-" + a : a, b);
        ASSERT_TRUE(IsNormal(g));
        Str qa, qb;
        ASSERT_EQ(f自然数商余(a, g, qa), u"0");
        ASSERT_EQ(f自然数商余(b, g, qb), u"0");
        if (qa == u"1" || qb == u"1") continue;  // the "1" rule answers without Euclid
        ASSERT_EQ(f整数最大公約数(qa, qb), u"1");
        // lcm * gcd = a * b
        ASSERT_EQ(f自然数乗算(f整数最小公倍数(a, b), g), f自然数乗算(a, b));
    }
}

}  // namespace
