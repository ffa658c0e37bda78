// The calculation engine: one object per parser, holding the cancel request, the
// halfway result of a running rendering and the constant values, with every exact
// operation as a method. The records and module functions it works with live in the
// concern headers included here.
#pragma once

#include <cstdint>
#include <string>

#include "engine/number/cancel.h"
#include "engine/number/digits.h"

class ClsBrelvita {
public:
    ClsBrelvita();

    // --- Rendering state read by the window while a calculation runs.
    std::u16string s単位数文字列変換途中結果;  // halfway result text of a running rendering
    bool b単位数文字列変換中フラグ = false;    // a rendering is running
    bool bキャンセル指示フラグ = false;         // the user asked to cancel

    // Requests cancellation: the next cancellation point raises Eキャンセル指示.
    void f単位付計算キャンセル指示() { bキャンセル指示フラグ = true; }
    // Withdraws the cancel request.
    void f単位付計算キャンセル指示クリア() { bキャンセル指示フラグ = false; }

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
    std::u16string f整数乗算(std::u16string vs被乗数, std::u16string vs乗数);
    // Truncating division: returns the remainder (the dividend's sign), quotient to rs商.
    std::u16string f整数商余(std::u16string vs被除数, std::u16string vs除数, std::u16string& rs商);
    // Greatest common divisor of the magnitudes; "1" when either is "0" or "1".
    std::u16string f整数最大公約数(std::u16string vs整数1, std::u16string vs整数2);
    // Least common multiple of the magnitudes; "0" for a zero operand.
    std::u16string f整数最小公倍数(const std::u16string& vs整数1, const std::u16string& vs整数2);

private:
    // The cancellation point of the digit primitives: pump messages, then throw if asked.
    void fキャンセル点() const { fキャンセル検査()(); }
    // A check object long inner loops call between chunks of work.
    Tキャンセル検査 fキャンセル検査() const { return Tキャンセル検査(&bキャンセル指示フラグ); }
};
