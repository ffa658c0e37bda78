// The calculation engine: one object per parser, holding the cancel request, the
// halfway result of a running rendering and the constant values, with every exact
// operation as a method. The records and module functions it works with live in the
// concern headers included here.
#pragma once

#include <cstdint>
#include <string>

#include "engine/halfway.h"
#include "engine/number/cancel.h"
#include "engine/number/digits.h"
#include "engine/number/division.h"
#include "engine/number/fraction.h"
#include "engine/number/mantissa.h"
#include "engine/number/radix.h"
#include "engine/number/root.h"
#include "engine/units/catalogue.h"
#include "engine/units/notation.h"
#include "engine/units/semantic_code.h"
#include "engine/units/unit_number.h"

// Result display modes; the values are the grammar's token codes of the commands.
inline constexpr int32_t FRAC_CMD = 262;     // improper fraction
inline constexpr int32_t MIXFRAC_CMD = 263;  // mixed fraction
inline constexpr int32_t DEC_CMD = 264;      // decimal

class ClsBrelvita {
public:
    ClsBrelvita();

    // --- What other threads may touch while a calculation runs.
    T取消要求 t取消要求;    // the cancel request, checked at every cancellation point
    T途中結果 t途中結果;    // the halfway text of a running rendering

    T単位数型 t単位数のマイナス1;  // -1 without unit, to change a sign
    T単位数型 t単位数の10;         // 10 without unit, for powers of ten
    T分数型 t分数の0;       // 0/1
    T分数型 t分数の1;       // 1/1
    T分数型 t分数の無限大;  // 1/0
    int32_t i結果表示モード = DEC_CMD;
    // Digits after the point at which stepwise expansions end a block (0: none), so that
    // an expansion cut there has exactly that many; the results do not depend on it.
    int64_t i展開目標桁数 = 0;

    // Requests cancellation: the next cancellation point raises Eキャンセル指示. Any thread.
    void f単位付計算キャンセル指示() { t取消要求.f要求(); }
    // Withdraws the cancel request.
    void f単位付計算キャンセル指示クリア() { t取消要求.f取下げ(); }

    // --- Natural numbers (normal-form digit strings; "" reads as 0 in + and *).
    std::u16string f自然数加算(std::u16string vs被加数, std::u16string vs加数);
    int32_t f自然数比較(const std::u16string& vs数1, const std::u16string& vs数2);
    // a - b for a >= b.
    std::u16string f自然数大小減算(const std::u16string& vs被減数大, const std::u16string& vs減数小);
    // a - b as a signed integer string.
    std::u16string f自然数減算(const std::u16string& vs被減数, const std::u16string& vs減数);
    std::u16string f自然数乗算(const std::u16string& vs被乗数, const std::u16string& vs乗数);
    // Returns the remainder; the quotient ("∞" for a zero divisor) goes to rs商.
    std::u16string f自然数商余(const std::u16string& vs被除数, const std::u16string& vs除数,
                              std::u16string& rs商);

    // --- Integers (digit strings with an optional "-"; "-0" counts as zero).
    std::u16string f整数加算(std::u16string vs被加数, std::u16string vs加数);
    std::u16string f整数減算(std::u16string vs被減数, std::u16string vs減数);
    std::u16string f整数乗算(const std::u16string& vs被乗数, const std::u16string& vs乗数);
    // Truncating division: returns the remainder (the dividend's sign), quotient to rs商.
    std::u16string f整数商余(std::u16string vs被除数, std::u16string vs除数, std::u16string& rs商);
    // Greatest common divisor of the magnitudes; "1" when either is "0" or "1".
    std::u16string f整数最大公約数(std::u16string vs整数1, std::u16string vs整数2);
    // Least common multiple of the magnitudes; "0" for a zero operand.
    std::u16string f整数最小公倍数(const std::u16string& vs整数1, const std::u16string& vs整数2);

    // --- Fractions (results reduced; a denominator "0" is infinity).
    // A decimal text (cycle marks allowed) as a fraction.
    T分数型 f分数変換(std::u16string vs小数);
    T分数型 f約分(T分数型 vt分数);
    // 1, 0 or -1 as the first is larger, equal or smaller (decided by subtraction).
    int32_t f分数比較(const T分数型& vt分数1, const T分数型& vt分数2);
    T分数型 f分数加算(const T分数型& vt被加数, const T分数型& vt加数);
    T分数型 f分数減算(const T分数型& vt被減数, const T分数型& vt減数);
    T分数型 f分数乗算(const T分数型& vt被乗数, const T分数型& vt乗数);
    T分数型 f分数除算(const T分数型& vt被除数, const T分数型& vt除数);
    // Integer power by square-and-multiply; 0 to any power is 0/1.
    T分数型 f分数累乗(const T分数型& vt底, int32_t vl指数);
    // Radix digits after the point (cycle marks allowed) as a fraction; false for a bad digit.
    bool f小数基数10進分数変換(const std::u16string& ps小数点以下表記, int32_t pi表記基数,
                               T分数型& rT分数);
    // A natural number written in the radix as decimal digits; false for a bad digit.
    bool f基数自然数10進変換(const std::u16string& ps表記自然数, int32_t pi表記基数,
                             std::u16string& rs10進数);
    // The same as a value.
    bool f基数自然数値変換(const std::u16string& ps表記自然数, int32_t pi表記基数, T整数型& rt値);

    // --- Stepwise division into a decimal text with the cycle marked.
    void f整数順次除算初期化(T整数順次除算コンテキスト型& rtc, std::u16string vs被除数,
                             std::u16string vs除数);
    void f整数順次除算初期化(T整数順次除算コンテキスト型& rtc, const T整数型& vt被除数,
                             const T整数型& vt除数);
    // One step: false while the expansion goes on, true once s除算結果 is final.
    bool f整数順次除算(T整数順次除算コンテキスト型& rtc);
    // Releases the remainder list; safe when none was created.
    void f整数順次除算終了(T整数順次除算コンテキスト型& rtc);
    // The exact decimal text of base^n for n >= 0; "" for a negative n.
    std::u16string f累乗文字列計算(const std::u16string& vs底, int32_t vl指数);

    // --- Stepwise n-th root, a block of decimal digits per step.
    void f分数累乗根順次計算初期化(T分数累乗根順次計算コンテキスト型& rtc, const T分数型& vt底,
                                   int32_t vl指数);
    // One step: false while digits are produced, true once s累乗根計算結果 is final.
    bool f分数累乗根順次計算(T分数累乗根順次計算コンテキスト型& rtc);
    // The n-th root as a fraction, stepping to the end (an irrational root runs until cancelled).
    T分数型 f分数累乗根(const T分数型& vt底, int32_t vl指数);
    // Floor of the n-th root (n >= 2) of a natural number; rb完全 tells whether it is exact.
    std::u16string f自然数累乗根(const std::u16string& vs自然数, int32_t vl指数, bool& rb完全);

    // --- Mantissa, floating and complex layers.
    T仮数型 f仮数変換(const T分数型& vt分数);
    // The value of a mantissa as one fraction (a root is extracted when needed).
    T分数型 f仮数真数化(const T仮数型& vt仮数);
    T仮数型 f仮数加算(const T仮数型& vt被加数, const T仮数型& vt加数);
    T仮数型 f仮数減算(const T仮数型& vt被減数, const T仮数型& vt減数);
    // Rewrites both mantissas over a common root index.
    void f指数等化(T仮数型& rt被乗除数, T仮数型& rt乗除数);
    T仮数型 f仮数乗算(const T仮数型& vt被乗数, const T仮数型& vt乗数);
    T仮数型 f仮数除算(const T仮数型& vt被除数, const T仮数型& vt除数);
    // Multiplies the base's exponent by the value of the exponent operand.
    T仮数型 f仮数累乗(const T仮数型& vt底, const T仮数型& vt指数);
    T浮動小数型 f浮動小数変換(const T仮数型& vt仮数);
    T浮動小数型 f浮動小数正規化(const T浮動小数型& vt浮動小数);
    T浮動小数型 f浮動小数加算(const T浮動小数型& a, const T浮動小数型& b);
    T浮動小数型 f浮動小数減算(const T浮動小数型& a, const T浮動小数型& b);
    T浮動小数型 f浮動小数乗算(const T浮動小数型& a, const T浮動小数型& b);
    T浮動小数型 f浮動小数除算(const T浮動小数型& a, const T浮動小数型& b);
    T浮動小数型 f浮動小数累乗(const T浮動小数型& a, const T浮動小数型& b);
    T複素数型 f複素数変換(const T浮動小数型& vt浮動小数);
    T複素数型 f複素数加算(const T複素数型& a, const T複素数型& b);
    T複素数型 f複素数減算(const T複素数型& a, const T複素数型& b);
    T複素数型 f複素数乗算(const T複素数型& a, const T複素数型& b);
    T複素数型 f複素数除算(const T複素数型& a, const T複素数型& b);
    T複素数型 f複素数累乗(const T複素数型& a, const T複素数型& b);

    // --- Units and quantities.
    // Resolves a unit notation into its dimension, unit terms, base-value formula and
    // pending corrections; an unresolvable notation gives the unknown unit.
    void f意味コ変換(const std::u16string& vs単位表記, T意味コ配列型& rt意味コ配列,
                     T単項表記配列型& rt単項表記リスト, std::u16string& rs基底値変換式,
                     T保留補正式配列型& rt保留補正式);
    // The notation shown for a dimension, preferring the given unit terms, with the
    // formula and pending corrections of that notation. True when a named row matched.
    bool f単位表記変換(const T意味コ配列型& vt意味コ配列, const T単項表記配列型& vt単項表記リスト,
                      std::u16string& rs単位表記, std::u16string& rs基底値変換式,
                      T保留補正式配列型& rt保留補正式);
    // A decimal text as a value without unit fields (the caller sets them); a cancel
    // during the conversion gives a cancelled value and clears the request.
    T単位数型 f単位数変換(const std::u16string& vs小数);

    // --- Unit-aware arithmetic. Operations on values return a cancelled value when an
    // operand is cancelled or a cancel request arrives (the request is then cleared).
    // Unit value -> base value by the conversion formula, then the pending offset.
    T複素数型 f複素数基底値補正(const T複素数型& vt被補正値, const std::u16string& vs保留基底値補正式,
                                const std::u16string& vs基底値変換式);
    // Base value -> unit value: the exact inverse of f複素数基底値補正.
    T複素数型 f複素数単位値補正(const T複素数型& vt被補正値, const std::u16string& vs保留基底値補正式,
                                const std::u16string& vs基底値変換式);
    // The unit of A ± B; converts B's number into it in place.
    T単位数型 f加減算単位補正(const T単位数型& vt被加減数, T単位数型& rt加減数);
    // A value with a unit attached (plain number) or converted into it (same dimension).
    T単位数型 f単位数補正(const T単位数型& vt単位補正数, const T単位数型& vt補正単位);
    T単位数型 f加算(const T単位数型& vt被加数, const T単位数型& vt加数);
    T単位数型 f減算(const T単位数型& vt被減数, const T単位数型& vt減数);
    // The unit of A op B; may replace both numbers by their base values (then the flag).
    T単位数型 f乗除単位補正(const std::u16string& vs乗除, T単位数型& rt被乗除数, T単位数型& rt乗除数,
                            bool& rb基底補正フラグ);
    T単位数型 f乗算(const T単位数型& vt被乗数, const T単位数型& vt乗数);
    T単位数型 f除算(const T単位数型& vt被除数, const T単位数型& vt除数);
    T単位数型 f累乗(const T単位数型& vt底, const T単位数型& vt指数);
    T単位数型 f符号付加(const T単位数型& vt単位数);
    // The unit of the n-th root of the value's unit (unknown when exponents do not divide).
    T単位数型 f基本単位取得(const T単位数型& vt単位数, int32_t vl累乗根);

    // --- Rendering a value as result text.
    // The result text: number in the display mode, radix, unit in brackets. May change
    // the record's notation and radix; callers pass a working copy.
    std::u16string f単位数文字列変換(T単位数型& rt単位数);
    // Sets the display mode (FRAC_CMD, MIXFRAC_CMD or DEC_CMD) without checking it.
    void f結果表示モード(int32_t iCmd) { i結果表示モード = iCmd; }
    // Whether a rendering is running. Any thread.
    bool f単位数文字列変換中() const {
        return t途中結果.f参照([](bool running, const std::u16string&) { return running; });
    }
    // The halfway text followed by the cancel mark. Any thread.
    std::u16string f単位数文字列変換途中結果() const {
        return t途中結果.f参照([](bool, const std::u16string& s) { return s + Dキャンセル印; });
    }
    // The displayed number text for a value whose notation may hold an exceptional unit
    // ("!time" as h:mm:ss in decimal mode, else respelled); may rewrite the notation.
    std::u16string f例外単位数変換(const std::u16string& vs数値, std::u16string& rs単位表記);

    // --- Radix notation.
    // Radix digits (point, fraction digits and cycle marks allowed) as a plain value;
    // false when a digit is not valid in the radix.
    bool f基数10進変換(const std::u16string& ps表記, int32_t pi表記基数, T単位数型& rtT単位数);
    // Prepares the conversion of a decimal text (sign, point, cycle marks and a final
    // "..." allowed) into the radix.
    void f順次基数変換初期化(T順次基数変換コンテキスト型& rtc, const std::u16string& ps10進表記,
                             int32_t pi表記基数);
    // One step: false while not finished, true once s除算結果 is final.
    bool f順次基数変換(T順次基数変換コンテキスト型& rtc);
    // Releases what the context holds; safe to call more than once.
    void f順次基数変換終了(T順次基数変換コンテキスト型& rtc);

    // The cancellation point of the digit primitives: the watch, then throw if asked.
    void fキャンセル点() const { t取消要求.f検査(); }
    // A check object long inner loops call between chunks of work.
    Tキャンセル検査 fキャンセル検査() const { return Tキャンセル検査(&t取消要求); }
};
