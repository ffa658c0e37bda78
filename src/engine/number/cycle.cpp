#include "engine/number/cycle.h"

#include <algorithm>
#include <unordered_map>
#include <variant>
#include <vector>

#include "engine/number/fraction.h"
#include "engine/number/huge.h"

namespace {

using u128 = unsigned __int128;
using E結末 = T循環探索::E結末;

// s from the divisor and the first entry: over the primes p of the radix, the factors p
// the divisor has beyond e_0's, in steps of the radix's own factors p (rounded up).
uint64_t CycleStart(mpz_srcptr b, mpz_srcptr e0, uint32_t radix, const Tキャンセル検査& check) {
    uint64_t s = 0;
    uint32_t rest = radix;
    for (uint32_t p = 2; p <= rest; ++p) {
        uint64_t e = 0;
        for (; rest % p == 0; rest /= p) ++e;
        if (e == 0) continue;
        const uint64_t vb = fZ素因数個数(b, p, nullptr, check), ve = fZ素因数個数(e0, p, nullptr, check);
        if (vb > ve) s = std::max(s, (vb - ve + e - 1) / e);
    }
    return s;
}

// Entries of a divisor below 2^64: machine divisions, the entry itself as its key.
struct TWordEntries {
    using Entry = uint64_t;
    uint64_t b = 0;
    uint32_t radix = 10;

    uint64_t Cell() const { return 4096; }
    uint64_t Block() const { return 4096; }
    uint64_t Work() const { return 1; }
    Entry Copy(Entry e) const { return e; }
    uint64_t Key(Entry e) const { return e; }
    bool Same(Entry x, Entry y) const { return x == y; }

    // n digits from e, appended to out when given; e moves on. True when a remainder 0
    // ended them early (after a digit that is not 0).
    bool Digits(Entry& e, uint64_t n, std::u16string* out, const Tキャンセル検査&) const {
        Entry x = e;
        for (uint64_t i = 0; i < n; ++i) {
            uint64_t digit;
            if (x < UINT64_MAX / radix) {  // the usual case: one machine word
                const uint64_t cur = x * radix;
                digit = cur / b;
                x = cur % b;
            } else {
                const u128 cur = u128{x} * radix;
                digit = static_cast<uint64_t>(cur / b);
                x = static_cast<uint64_t>(cur % b);
            }
            if (out != nullptr) out->push_back(fn進1桁変換(static_cast<int32_t>(digit)));
            if (x == 0) break;
        }
        e = x;
        return x == 0;
    }

    // e moved on by n digits without writing them: e r^n mod b.
    void Jump(Entry& e, uint64_t n, const Tキャンセル検査&) const {
        u128 power = 1, base = radix % b;
        for (; n != 0; n >>= 1) {
            if (n & 1) power = power * base % b;
            base = base * base % b;
        }
        e = static_cast<uint64_t>(u128{e} * power % b);
    }
};

// Entries of a longer divisor: a GMP division per block, a hash of the value as key.
struct TBigEntries {
    using Entry = T作業整数;
    T作業整数 b;
    uint32_t radix = 10;

    uint64_t Cell() const { return std::clamp<uint64_t>(mpz_sizeinbase(b, radix), 64, 8192); }
    uint64_t Block() const { return 8192; }
    uint64_t Work() const { return mpz_size(b); }
    Entry Copy(const Entry& e) const {
        Entry x;
        mpz_set(x, e);
        return x;
    }
    uint64_t Key(const Entry& e) const {
        uint64_t h = 0x243F6A8885A308D3u ^ static_cast<uint64_t>(mpz_size(e));
        const mp_limb_t* p = mpz_limbs_read(e);
        for (size_t i = 0; i < mpz_size(e); ++i) {
            h = (h ^ p[i]) * 0x9E3779B97F4A7C15u;
            h ^= h >> 32;
        }
        return h;
    }
    bool Same(const Entry& x, const Entry& y) const { return mpz_cmp(x, y) == 0; }

    bool Digits(Entry& e, uint64_t n, std::u16string* out, const Tキャンセル検査& check) const {
        T作業整数 t, q, r;
        if (n == 1) {
            mpz_mul_ui(t, e, radix);
            mpz_tdiv_qr(q, r, t, b);
        } else {
            T作業整数 power;
            mpz_ui_pow_ui(power, radix, n);
            fZ乗算(t, e, power, check);
            fZ商余(q, r, t, b, check);
        }
        const bool exact = mpz_sgn(r) == 0;
        if (out != nullptr) {
            std::u16string digits;
            T分割文字列化(q, static_cast<int>(radix), n).f全部(digits, check);
            if (exact) digits.erase(digits.find_last_not_of(u'0') + 1);  // it ended at the last nonzero digit
            out->append(digits);
        }
        mpz_swap(e, r);
        return exact;
    }

    void Jump(Entry& e, uint64_t n, const Tキャンセル検査& check) const { Digits(e, n, nullptr, check); }
};

// The search over the entries of one kind of divisor.
template <class A>
class TCycle {
public:
    using Entry = typename A::Entry;

    TCycle(A arithmetic, Entry e0, uint64_t s) : a_(std::move(arithmetic)), current_(std::move(e0)), s_(s) {
        cell_ = a_.Cell();
    }

    E結末 Next(uint64_t limit, std::u16string& out, const Tキャンセル検査& check) {
        const uint64_t c = count_ - 1;  // the current entry
        if (c >= s_ && !haveS_) {
            eS_ = a_.Copy(current_);
            baby_.emplace(a_.Key(eS_), 0);
            haveS_ = true;
        }
        if (c >= s_ && c < s_ + cell_) return Baby(c, limit, out, check);
        uint64_t d = limit;
        if (c < s_) {
            d = std::min(d, s_ - c);
        } else {
            const uint64_t t = (c - s_) / cell_ + 1;  // the cell the next entries belong to
            const uint64_t end = s_ + t * cell_;
            if (closeAt_ == 0 && lookedUp_ < t) LookUp(c, t, end, check);
            d = std::min(d, end - c);
            if (closeAt_ != 0) d = std::min(d, closeAt_ - c);
        }
        Entry e = a_.Copy(current_);
        std::u16string digits;
        const bool exact = a_.Digits(e, d, &digits, check);
        out += digits;
        current_ = std::move(e);
        if (exact) return E結末::m割切れ;
        if (closeAt_ != 0 && c + d == closeAt_) {
            count_ = closeAt_;  // e_closeAt repeats e_s and is not recorded
            return E結末::m循環;
        }
        count_ += d;
        return E結末::m継続;
    }

    uint64_t Count() const { return count_; }
    uint64_t Start() const { return s_; }
    uint64_t Block() const { return a_.Block(); }

private:
    // The entries after e_s one digit at a time, up to e_(s+m): each is compared with e_s,
    // and those before e_(s+m) are remembered.
    E結末 Baby(uint64_t c, uint64_t limit, std::u16string& out, const Tキャンセル検査& check) {
        const uint64_t index = c - s_;  // entries e_s .. e_(s+index) are known
        limit = std::min(limit, cell_ - index);
        Entry e = a_.Copy(current_);
        std::u16string digits;
        std::vector<std::pair<uint64_t, uint64_t>> seen;
        T作業計量 meter(check);
        E結末 end = E結末::m継続;
        while (digits.size() < limit) {
            if (a_.Digits(e, 1, &digits, check)) {
                end = E結末::m割切れ;
                break;
            }
            if (a_.Same(e, eS_)) {
                end = E結末::m循環;
                break;
            }
            seen.emplace_back(a_.Key(e), index + digits.size());
            meter.Add(a_.Work());
        }
        for (const auto& [key, j] : seen) {
            if (j < cell_) baby_.emplace(key, j);
        }
        count_ += seen.size();
        current_ = std::move(e);
        out += digits;
        return end;
    }

    // Searches cell t, the entries after e_(end-m) up to e_end, for the one that repeats
    // e_s, from the current entry c = end - m; sets closeAt when it is there.
    void LookUp(uint64_t c, uint64_t t, uint64_t end, const Tキャンセル検査& check) {
        Entry last = a_.Copy(current_);
        a_.Jump(last, end - c, check);
        std::vector<uint64_t> candidates;  // j with e_end = e_(s+j): then e_(end-j) = e_s
        const auto range = baby_.equal_range(a_.Key(last));
        for (auto it = range.first; it != range.second; ++it) candidates.push_back(it->second);
        std::sort(candidates.rbegin(), candidates.rend());
        for (uint64_t j : candidates) {  // a key is only a hint: the entry itself decides
            Entry e = a_.Copy(current_);
            a_.Jump(e, end - j - c, check);
            if (a_.Same(e, eS_)) {
                closeAt_ = end - j;
                break;
            }
        }
        lookedUp_ = t;
    }

    A a_;
    Entry current_, eS_{};
    bool haveS_ = false;
    uint64_t count_ = 1, s_ = 0, cell_ = 1;
    uint64_t closeAt_ = 0;   // entries recorded when the cycle closes; 0 while unknown
    uint64_t lookedUp_ = 1;  // cells t <= lookedUp have been searched (cell 1 digit by digit)
    std::unordered_multimap<uint64_t, uint64_t> baby_;  // key of e_(s+j) -> j, 0 <= j < m
};

}  // namespace

struct T循環探索::T実装 {
    std::variant<TCycle<TWordEntries>, TCycle<TBigEntries>> search;
};

namespace {

std::variant<TCycle<TWordEntries>, TCycle<TBigEntries>> MakeSearch(const T整数型& e0, const T整数型& b,
                                                                    uint32_t radix, const Tキャンセル検査& check) {
    const T整数視 vb(b), ve(e0);
    const uint64_t s = CycleStart(vb, ve, radix, check);
    if (b.fビット数() <= 64) {
        TWordEntries a;
        a.radix = radix;
        uint64_t e = 0;
        mpz_export(&a.b, nullptr, -1, sizeof a.b, 0, 0, vb);
        mpz_export(&e, nullptr, -1, sizeof e, 0, 0, ve);
        return TCycle<TWordEntries>(a, e, s);
    }
    TBigEntries a;
    a.radix = radix;
    mpz_set(a.b, vb);
    T作業整数 e;
    mpz_set(e, ve);
    return TCycle<TBigEntries>(std::move(a), std::move(e), s);
}

}  // namespace

T循環探索::T循環探索(const T整数型& e0, const T整数型& b, int32_t radix, const Tキャンセル検査& check)
    : p_(new T実装{MakeSearch(e0, b, static_cast<uint32_t>(radix), check)}) {}

T循環探索::~T循環探索() = default;

T循環探索::E結末 T循環探索::f次桁(uint64_t limit, std::u16string& out, const Tキャンセル検査& check) {
    return std::visit([&](auto& s) { return s.Next(limit, out, check); }, p_->search);
}

uint64_t T循環探索::f記録数() const {
    return std::visit([](const auto& s) { return s.Count(); }, p_->search);
}

uint64_t T循環探索::f循環開始() const {
    return std::visit([](const auto& s) { return s.Start(); }, p_->search);
}

uint64_t T循環探索::f段階桁数(uint64_t written, int64_t goal) const {
    const uint64_t block = std::visit([](const auto& s) { return s.Block(); }, p_->search);
    if (goal <= 0) return block;
    const uint64_t g = static_cast<uint64_t>(goal);
    return written < g ? std::min(block, g - written) : 1;
}
