// The decimal period of 1/d for a machine-word d: the multiplicative order of 10
// modulo d, found from the factorisation of d (trial division, Miller-Rabin and
// Pollard-Brent rho in Montgomery arithmetic) and Carmichael's function.
#include "engine/number/period.h"

#include <algorithm>
#include <bit>
#include <numeric>
#include <vector>

namespace {

using u128 = unsigned __int128;

// Arithmetic modulo an odd n > 1 in Montgomery form (a·2^64 mod n).
class Montgomery {
public:
    explicit Montgomery(uint64_t n) : n_(n) {
        uint64_t inv = n;  // Newton's iteration doubles the correct low bits of n^-1
        for (int i = 0; i < 5; ++i) inv *= 2 - n * inv;
        inv_ = inv;
        const uint64_t r = (0 - n) % n;  // 2^64 mod n
        r2_ = static_cast<uint64_t>(u128{r} * r % n);
    }
    uint64_t To(uint64_t a) const { return Mul(a % n_, r2_); }
    uint64_t Mul(uint64_t a, uint64_t b) const { return Reduce(u128{a} * b); }
    uint64_t Add(uint64_t a, uint64_t b) const { return a >= n_ - b ? a - (n_ - b) : a + b; }
    uint64_t Pow(uint64_t base, uint64_t e) const {
        uint64_t result = To(1);
        while (e != 0) {
            if (e & 1) result = Mul(result, base);
            base = Mul(base, base);
            e >>= 1;
        }
        return result;
    }

private:
    // t·2^-64 mod n for t < n·2^64. t - m·n is a multiple of 2^64, so only the high
    // halves need subtracting; this form cannot overflow even for n near 2^64.
    uint64_t Reduce(u128 t) const {
        const uint64_t m = static_cast<uint64_t>(t) * inv_;
        const uint64_t hi = static_cast<uint64_t>(t >> 64);
        const uint64_t mnHi = static_cast<uint64_t>((u128{m} * n_) >> 64);
        return hi >= mnHi ? hi - mnHi : hi - mnHi + n_;
    }

    uint64_t n_;
    uint64_t inv_;
    uint64_t r2_;
};

constexpr uint64_t kSmallPrimes[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};

// Miller-Rabin with the first twelve prime bases: exact for every 64-bit number.
bool IsPrime(uint64_t n) {
    if (n < 2) return false;
    for (uint64_t p : kSmallPrimes) {
        if (n % p == 0) return n == p;
    }
    if (n < 37 * 37) return true;
    const Montgomery m(n);
    const int s = std::countr_zero(n - 1);
    const uint64_t d = (n - 1) >> s;
    const uint64_t one = m.To(1);
    const uint64_t minusOne = m.To(n - 1);
    for (uint64_t a : kSmallPrimes) {
        uint64_t x = m.Pow(m.To(a), d);
        if (x == one || x == minusOne) continue;
        bool bComposite = true;
        for (int i = 1; i < s && bComposite; ++i) {
            x = m.Mul(x, x);
            if (x == minusOne) bComposite = false;
        }
        if (bComposite) return false;
    }
    return true;
}

// A proper divisor of the odd composite n (Brent's variant of Pollard's rho).
uint64_t FindDivisor(uint64_t n, const Tキャンセル検査& check) {
    const Montgomery m(n);
    constexpr uint64_t kBatch = 128;
    for (uint64_t c0 = 1;; ++c0) {
        const uint64_t c = m.To(c0);
        auto f = [&](uint64_t v) { return m.Add(m.Mul(v, v), c); };
        auto diff = [](uint64_t a, uint64_t b) { return a > b ? a - b : b - a; };
        uint64_t y = m.To(2), x = y, ys = y, q = m.To(1), g = 1;
        for (uint64_t r = 1; g == 1; r *= 2) {
            x = y;
            for (uint64_t i = 0; i < r; ++i) y = f(y);
            for (uint64_t k = 0; k < r && g == 1; k += kBatch) {
                ys = y;
                for (uint64_t i = 0; i < std::min(kBatch, r - k); ++i) {
                    y = f(y);
                    q = m.Mul(q, diff(x, y));
                }
                g = std::gcd(q, n);  // Montgomery form keeps the common divisor with n
                check();
            }
        }
        if (g == n) {  // the batch overshot: retrace it one step at a time
            do {
                ys = f(ys);
                g = std::gcd(diff(x, ys), n);
            } while (g == 1);
        }
        if (g != n) return g;
    }
}

void FactorLarge(uint64_t n, std::vector<uint64_t>& primes, const Tキャンセル検査& check) {
    if (n == 1) return;
    if (IsPrime(n)) {
        primes.push_back(n);
        return;
    }
    const uint64_t d = FindDivisor(n, check);
    FactorLarge(d, primes, check);
    FactorLarge(n / d, primes, check);
}

// The prime factors of n >= 1 with multiplicity, in no particular order.
void Factor(uint64_t n, std::vector<uint64_t>& primes, const Tキャンセル検査& check) {
    for (uint64_t p = 2; p < 1000 && p * p <= n; p += (p == 2 ? 1 : 2)) {
        while (n % p == 0) {
            primes.push_back(p);
            n /= p;
        }
    }
    FactorLarge(n, primes, check);
}

}  // namespace

uint64_t f10進周期(uint64_t d, const Tキャンセル検査& check) {
    if (d == 1) return 1;
    std::vector<uint64_t> factors;
    Factor(d, factors, check);
    std::sort(factors.begin(), factors.end());
    // Carmichael's function: lcm of p^(e-1)·(p-1); every order divides it.
    uint64_t lambda = 1;
    std::vector<uint64_t> lambdaPrimes;
    for (size_t i = 0; i < factors.size();) {
        const uint64_t p = factors[i];
        uint64_t t = p - 1;
        size_t j = i + 1;
        for (; j < factors.size() && factors[j] == p; ++j) t *= p;
        if (j > i + 1) lambdaPrimes.push_back(p);
        Factor(p - 1, lambdaPrimes, check);
        lambda = lambda / std::gcd(lambda, t) * t;  // divides phi(d) < d: no overflow
        i = j;
    }
    std::sort(lambdaPrimes.begin(), lambdaPrimes.end());
    lambdaPrimes.erase(std::unique(lambdaPrimes.begin(), lambdaPrimes.end()), lambdaPrimes.end());
    const Montgomery m(d);
    const uint64_t ten = m.To(10), one = m.To(1);
    uint64_t order = lambda;
    for (uint64_t q : lambdaPrimes) {
        while (order % q == 0 && m.Pow(ten, order / q) == one) order /= q;
    }
    return order;
}

