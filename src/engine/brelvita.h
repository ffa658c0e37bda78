// The calculation engine: one object per parser, holding the cancel request, the halfway
// result of a running rendering, the display mode and the digit goal, with the operations
// on values with units as methods. The exact numbers they are made of are the free
// functions of the number layer, included here with the units' records and functions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/halfway.h"
#include "engine/number/cancel.h"
#include "engine/number/digits.h"
#include "engine/number/division.h"
#include "engine/number/fraction.h"
#include "engine/number/mantissa.h"
#include "engine/number/radix.h"
#include "engine/number/root.h"
#include "engine/real/real_arith.h"
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
    int32_t i結果表示モード = DEC_CMD;
    // Digits after the point at which stepwise expansions end a block (0: none), so that
    // an expansion cut there has exactly that many; the results do not depend on it.
    int64_t i展開目標桁数 = 0;

    // Requests cancellation: the next cancellation point raises Eキャンセル指示. Any thread.
    void f単位付計算キャンセル指示() { t取消要求.f要求(); }
    // Withdraws the cancel request.
    void f単位付計算キャンセル指示クリア() { t取消要求.f取下げ(); }

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
    // The unit of A ± B; converts B's number into it in place. For a sum (vb和), a B
    // without offset added to an A with one (20 °C + 5 K) is a difference, not a point on
    // the absolute scale: it converts by the factors alone.
    T単位数型 f加減算単位補正(const T単位数型& vt被加減数, T単位数型& rt加減数, bool vb和 = false);
    // A value in a ratio unit ("5 [%]") as the plain number it stands for (0.05), built
    // in rt作業; any other value as it is, without a copy.
    const T単位数型& f比率解消(const T単位数型& vt単位数, std::optional<T単位数型>& rt作業);
    // A value with a unit attached (plain number) or converted into it (same dimension).
    T単位数型 f単位数補正(const T単位数型& vt単位補正数, const T単位数型& vt補正単位);
    // A + B and A - B in A's unit (B converted into it when the dimensions agree).
    T単位数型 f加算(const T単位数型& vt被加数, const T単位数型& vt加数);
    T単位数型 f減算(const T単位数型& vt被減数, const T単位数型& vt減数);
    // The unit of A op B; may replace both numbers by their base values (then the flag).
    T単位数型 f乗除単位補正(const std::u16string& vs乗除, T単位数型& rt被乗除数, T単位数型& rt乗除数,
                            bool& rb基底補正フラグ);
    // A * B and A / B, formed in base units and converted into the unit shown.
    T単位数型 f乗算(const T単位数型& vt被乗数, const T単位数型& vt乗数);
    T単位数型 f除算(const T単位数型& vt被除数, const T単位数型& vt除数);
    // A ^ B with the unit of the power (unknown where the exponent leaves none).
    T単位数型 f累乗(const T単位数型& vt底, const T単位数型& vt指数);
    // A function of the expression language (a call node's operation) on a value: sqrt and
    // cbrt take the root of the unit, abs, floor and ceil keep it, the others need a
    // dimensionless argument and give a plain number. Throws E実数エラー for an argument
    // with a dimension or outside the domain where that is known without the module.
    T単位数型 f関数値(E実数演算 e関数, const T単位数型& vt引数);
    // -A: the product with -1.
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

    // A cancellation point: the watch, then Eキャンセル指示 when a cancel was requested.
    void fキャンセル点() const { t取消要求.f検査(); }
    // The check bound to this engine's request, which the number functions take.
    Tキャンセル検査 fキャンセル検査() const { return Tキャンセル検査(&t取消要求); }
};
