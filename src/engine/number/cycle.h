// The fraction digits of long division in a radix and where its remainders first repeat,
// a block of digits at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/number/cancel.h"
#include "engine/number/integer.h"

// The entries e_0, e_1, ... of long division by b in radix r after the point (e_0 the
// remainder at the point, e_(j+1) = r e_j mod b, each giving the digit floor(r e_j / b)),
// as long division with a list of them searched from the front records them: the
// expansion ends when a remainder is 0, or when e_J equals an entry recorded before,
// which then is e_s. (The fraction digits of x = e_0 / b in radix r are the same thing:
// the fractional parts frac(r^j x) have the numerators e_j over b.)
//
// s is known from the factors b has in common with r, and e_0. From e_s on the entries go
// round a cycle on which x -> r x mod b is one to one, so e_(s+L) = e_s exactly when
// e_(s+t m) = e_(s+j) for L = t m - j: the m entries e_s .. e_(s+m-1) are remembered by
// a key (baby steps), and the entry at the end of each cell of m digits is looked up
// before the cell's digits are written (giant steps); a hit is confirmed by comparing
// the entry it names with e_s. Divisors below 2^64 work in machine words, larger ones
// with a GMP division per block.
class T循環探索 {
public:
    enum class E結末 { m継続, m割切れ, m循環 };

    // For e_0 (0 < e_0 <= b) in radix r (2..36).
    T循環探索(const T整数型& e0, const T整数型& b, int32_t radix, const Tキャンセル検査& check);
    ~T循環探索();
    T循環探索(const T循環探索&) = delete;
    T循環探索& operator=(const T循環探索&) = delete;

    // Appends up to `limit` (at least 1) more digits to out and tells whether the expansion
    // goes on, ended with a remainder 0, or closed its cycle with the last digit. A cancel
    // leaves everything as it was.
    E結末 f次桁(uint64_t limit, std::u16string& out, const Tキャンセル検査& check);
    // Entries recorded so far (the closing entry is not recorded).
    uint64_t f記録数() const;
    // s, the index of the entry the first repeat repeats.
    uint64_t f循環開始() const;
    // Digits the next step may ask for, when `written` digits after the point are written
    // and expansions are cut at the goal (0: never): a full block, or what ends at the
    // goal, or past the goal (zeros in front of the first digit can pass it) one digit.
    uint64_t f段階桁数(uint64_t written, int64_t goal) const;

private:
    struct T実装;
    std::unique_ptr<T実装> p_;
};
