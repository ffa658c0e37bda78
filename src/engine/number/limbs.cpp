#include "engine/number/limbs.h"

#include <cstring>

#include <algorithm>

namespace {

// Removes high zero limbs so that zero is the empty vector.
void Trim(T多倍長型& a) {
    while (!a.empty() && a.back() == 0) a.pop_back();
}

using WorkMeter = T作業計量;

// Quotient and remainder by a single limb d (d > 0).
void DivSmall(const T多倍長型& a, uint32_t d, T多倍長型& q, uint32_t& r) {
    q.assign(a.size(), 0);
    uint64_t rem = 0;
    for (size_t i = a.size(); i-- > 0;) {
        const uint64_t cur = rem * D多倍長基数 + a[i];
        q[i] = static_cast<uint32_t>(cur / d);
        rem = cur % d;
    }
    Trim(q);
    r = static_cast<uint32_t>(rem);
}

// Knuth's algorithm D for divisors of two or more limbs (base 10^9).
void DivLong(const T多倍長型& a, const T多倍長型& b, T多倍長型& q, T多倍長型& r,
             WorkMeter& meter) {
    const size_t n = b.size();
    const size_t m = a.size() - n;
    // Normalise so that the divisor's top limb is at least half the base.
    const uint32_t d = static_cast<uint32_t>(D多倍長基数 / (uint64_t{b.back()} + 1));
    T多倍長型 u = f多倍長小乗算(a, d);
    T多倍長型 v = f多倍長小乗算(b, d);
    u.resize(a.size() + 1, 0);
    q.assign(m + 1, 0);
    const uint64_t vTop = v[n - 1];
    const uint64_t vNext = v[n - 2];
    for (size_t j = m + 1; j-- > 0;) {
        const uint64_t top = uint64_t{u[j + n]} * D多倍長基数 + u[j + n - 1];
        uint64_t qhat = top / vTop;
        uint64_t rhat = top % vTop;
        while (qhat >= D多倍長基数 ||
               qhat * vNext > rhat * D多倍長基数 + u[j + n - 2]) {
            --qhat;
            rhat += vTop;
            if (rhat >= D多倍長基数) break;
        }
        // u[j .. j+n] -= qhat * v
        int64_t borrow = 0;
        uint64_t carry = 0;
        for (size_t i = 0; i < n; ++i) {
            const uint64_t p = qhat * v[i] + carry;
            carry = p / D多倍長基数;
            int64_t t = int64_t{u[i + j]} - static_cast<int64_t>(p % D多倍長基数) - borrow;
            borrow = t < 0 ? 1 : 0;
            if (t < 0) t += D多倍長基数;
            u[i + j] = static_cast<uint32_t>(t);
        }
        int64_t t = int64_t{u[j + n]} - static_cast<int64_t>(carry) - borrow;
        if (t < 0) {
            // qhat was one too large: add the divisor back.
            u[j + n] = static_cast<uint32_t>(t + D多倍長基数);
            --qhat;
            uint64_t c = 0;
            for (size_t i = 0; i < n; ++i) {
                const uint64_t s = uint64_t{u[i + j]} + v[i] + c;
                u[i + j] = static_cast<uint32_t>(s % D多倍長基数);
                c = s / D多倍長基数;
            }
            u[j + n] = static_cast<uint32_t>((u[j + n] + c) % D多倍長基数);
        } else {
            u[j + n] = static_cast<uint32_t>(t);
        }
        q[j] = static_cast<uint32_t>(qhat);
        meter.Add(n);
    }
    Trim(q);
    // Remainder: the low n limbs of u divided by the normalisation factor.
    u.resize(n);
    Trim(u);
    uint32_t unused = 0;
    DivSmall(u, d, r, unused);
}

}  // namespace

namespace {

// Writes the 4 digits of v (below 10000) at p: both digit pairs are split into tens and
// units at once inside one 64-bit word, the first digit ending in the lowest lane.
void f4桁書込(char16_t* p, uint32_t v) {
    const uint64_t pairs = (v / 100) | (uint64_t{v % 100} << 32);
    const uint64_t tens = ((pairs * 103) >> 10) & 0x0000000F0000000F;  // exact below 179
    const uint64_t units = pairs - tens * 10;
    const uint64_t lanes = (tens | (units << 16)) + 0x0030003000300030;
    std::memcpy(p, &lanes, sizeof lanes);
}

// Writes the 9 digits of a limb (leading zeros included) ending just before `end`.
void f桁書込(char16_t* end, uint32_t limb) {
    const uint32_t low8 = limb % 100000000;
    f4桁書込(end - 4, low8 % 10000);
    f4桁書込(end - 8, low8 / 10000);
    end[-9] = static_cast<char16_t>(u'0' + limb / 100000000);
}

// The value of digits[begin, end), at most 9 of them; other characters count as 0.
uint32_t f桁読込(std::u16string_view digits, size_t begin, size_t end) {
    uint32_t limb = 0;
    for (size_t i = begin; i < end; ++i) {
        const char16_t c = digits[i];
        limb = limb * 10 + ((c >= u'0' && c <= u'9') ? static_cast<uint32_t>(c - u'0') : 0);
    }
    return limb;
}

// The value of 4 decimal digits, combined pairwise inside one 64-bit word (the first
// digit in the lowest lane) instead of one after the other.
uint32_t f4桁読込(const char16_t* p) {
    uint64_t x;
    std::memcpy(&x, p, sizeof x);
    x -= 0x0030003000300030;
    x = (x * 10 + (x >> 16)) & 0x0000FFFF0000FFFF;
    return static_cast<uint32_t>((x * 100 + (x >> 32)) & 0xFFFFFFFF);
}

// True when the 4 characters at p are all "0" to "9": each 16-bit lane is tested for
// >= "0" and > "9" by the high bit of a sum that cannot carry into the next lane.
bool f4桁判定(const char16_t* p) {
    uint64_t x;
    std::memcpy(&x, p, sizeof x);
    constexpr uint64_t kHigh = 0x8000800080008000;
    const uint64_t low = x & ~kHigh;
    const uint64_t atLeast0 = (low + 0x7FD07FD07FD07FD0) & kHigh;
    const uint64_t above9 = (low + 0x7FC67FC67FC67FC6) & kHigh;
    return (x & kHigh) == 0 && atLeast0 == kHigh && above9 == 0;
}

// The value of digits[begin, end) as f桁読込 gives it, 9 digits at a time when they are
// all digits.
uint32_t f9桁読込(std::u16string_view digits, size_t begin, size_t end) {
    const char16_t* p = digits.data() + begin;
    if (end - begin == 9 && static_cast<char16_t>(p[0] - u'0') < 10 && f4桁判定(p + 1) && f4桁判定(p + 5)) {
        return static_cast<uint32_t>(p[0] - u'0') * 100000000 + f4桁読込(p + 1) * 10000 + f4桁読込(p + 5);
    }
    return f桁読込(digits, begin, end);
}

// The decimal digits of a number, 1 to 20.
size_t f桁数64(uint64_t v) {
    size_t n = 1;
    while (v >= 10) {
        v /= 10;
        ++n;
    }
    return n;
}

}  // namespace

T多倍長型 f多倍長変換(std::u16string_view digits) {
    T多倍長型 a;
    a.reserve(digits.size() / 9 + 1);
    size_t end = digits.size();
    while (end > 0) {
        const size_t begin = end >= 9 ? end - 9 : 0;
        a.push_back(f9桁読込(digits, begin, end));
        end = begin;
    }
    Trim(a);
    return a;
}


std::u16string f多倍長文字列化(const T多倍長型& a) {
    if (a.empty()) return u"0";
    // Sized exactly: the top limb without its leading zeros, every other limb 9 digits.
    const size_t top = f桁数64(a.back());
    std::u16string s(top + (a.size() - 1) * 9, u'0');
    char16_t* end = s.data() + s.size();
    for (size_t i = 0; i + 1 < a.size(); ++i) {
        f桁書込(end, a[i]);
        end -= 9;
    }
    for (uint32_t limb = a.back(); end > s.data(); limb /= 10) *--end = static_cast<char16_t>(u'0' + limb % 10);
    return s;
}

std::u16string f文字列小乗算(std::u16string_view a, uint32_t m) {
    // Chunks of 9 digits from the right, each written as soon as it is multiplied. The
    // leftmost (possibly shorter) chunk gets top * m plus a carry below m, so the length
    // of the product is known before writing unless a power of ten falls in that range.
    const bool b正規 = !a.empty() && a[0] != u'0' && m != 0;
    const size_t topLen = b正規 ? (a.size() % 9 == 0 ? 9 : a.size() % 9) : 0;
    const uint64_t top = b正規 ? f9桁読込(a, 0, topLen) : 0;
    const size_t lo = f桁数64(top * m), hi = b正規 ? f桁数64(top * m + m - 1) : 19;
    std::u16string s(a.size() - topLen + hi + (b正規 ? 0 : 9), u'0');
    char16_t* end = s.data() + s.size();
    uint64_t carry = 0;
    for (size_t stop = a.size(); stop > topLen; end -= 9) {
        const size_t start = stop >= topLen + 9 ? stop - 9 : topLen;
        const uint64_t v = uint64_t{f9桁読込(a, start, stop)} * m + carry;
        f桁書込(end, static_cast<uint32_t>(v % D多倍長基数));
        carry = v / D多倍長基数;
        stop = start;
    }
    for (uint64_t v = top * m + carry; end > s.data(); v /= 10) *--end = static_cast<char16_t>(u'0' + v % 10);
    if (!b正規 || lo != hi) {
        const size_t first = s.find_first_not_of(u'0');
        s.erase(0, first == std::u16string::npos ? s.size() - 1 : first);
    }
    return s;
}

int f多倍長比較(const T多倍長型& a, const T多倍長型& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

int f固定幅比較(const uint32_t* a, const uint32_t* b, size_t w) {
    for (size_t i = w; i-- > 0;) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

T多倍長型 f多倍長小乗算(const T多倍長型& a, uint32_t m, uint32_t add) {
    T多倍長型 r;
    r.reserve(a.size() + 1);
    uint64_t carry = add;
    for (uint32_t limb : a) {
        const uint64_t t = uint64_t{limb} * m + carry;
        r.push_back(static_cast<uint32_t>(t % D多倍長基数));
        carry = t / D多倍長基数;
    }
    if (carry != 0) r.push_back(static_cast<uint32_t>(carry));
    Trim(r);
    return r;
}

T多倍長型 f多倍長乗算(const T多倍長型& a, const T多倍長型& b, const Tキャンセル検査& check) {
    if (a.empty() || b.empty()) return {};
    const T多倍長型& x = a.size() >= b.size() ? a : b;  // the longer operand runs inside
    const T多倍長型& y = a.size() >= b.size() ? b : a;
    T多倍長型 r(x.size() + y.size(), 0);
    WorkMeter meter(check);
    for (size_t j = 0; j < y.size(); ++j) {
        const uint64_t yj = y[j];
        if (yj == 0) continue;
        uint64_t carry = 0;
        for (size_t i = 0; i < x.size(); ++i) {
            const uint64_t t = r[i + j] + yj * x[i] + carry;
            r[i + j] = static_cast<uint32_t>(t % D多倍長基数);
            carry = t / D多倍長基数;
        }
        r[j + x.size()] = static_cast<uint32_t>(carry);
        meter.Add(x.size());
    }
    Trim(r);
    return r;
}

void f多倍長商余(const T多倍長型& a, const T多倍長型& b, T多倍長型& q, T多倍長型& r,
                const Tキャンセル検査& check) {
    if (f多倍長比較(a, b) < 0) {
        q.clear();
        r = a;
        return;
    }
    if (b.size() == 1) {
        uint32_t rem = 0;
        DivSmall(a, b[0], q, rem);
        r.clear();
        if (rem != 0) r.push_back(rem);
        return;
    }
    WorkMeter meter(check);
    DivLong(a, b, q, r, meter);
}

T多倍長型 f多倍長最大公約数(T多倍長型 a, T多倍長型 b, const Tキャンセル検査& check) {
    if (f多倍長比較(a, b) < 0) std::swap(a, b);
    T多倍長型 q, r;
    while (!b.empty()) {
        check();
        f多倍長商余(a, b, q, r, check);
        a.swap(b);
        b.swap(r);
    }
    return a;
}
