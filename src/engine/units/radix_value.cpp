// Radix digits (with an optional point, fraction digits and cycle marks) read as a plain
// number.
//
// The value is the sum of digit·r^place over the integer digits plus the fraction digits
// read as a fraction. Summed term by term with the unit-aware operations, the integer
// digits give a number whose base is the integer over 1 under the exponent 1/1, and the
// fraction is then added in the complex layer. The integer is read here in one go
// (Horner's scheme on limbs) and put into the same form by the same complex addition,
// so the value is field for field the one the term-by-term sum gives.
#include <algorithm>

#include "engine/brelvita.h"

namespace {

// True when every character of the integer digits is a digit of the radix and every
// character after the point is one or a cycle mark.
bool ValidDigits(const std::u16string& integer, const std::u16string* fraction, int32_t radix) {
    auto valid = [radix](char16_t c) {
        const int32_t v = fn進1桁値(c);
        return v >= 0 && v < radix;
    };
    if (!std::all_of(integer.begin(), integer.end(), valid)) return false;
    return fraction == nullptr ||
           std::all_of(fraction->begin(), fraction->end(), [&](char16_t c) { return c == D循環節文字 || valid(c); });
}

// A fraction in the number layers, as a value's t複素数 is built from it.
T複素数型 ComplexOf(const T分数型& f) { return f複素数変換(f浮動小数変換(f仮数変換(f))); }

}  // namespace

bool ClsBrelvita::f基数10進変換(const std::u16string& ps表記, int32_t pi表記基数, T単位数型& rtT単位数) {
    const size_t point = ps表記.find(u'.');
    const std::u16string integer = ps表記.substr(0, point);
    const std::u16string fraction = point == std::u16string::npos ? u"" : ps表記.substr(point + 1);
    const bool bPoint = point != std::u16string::npos;
    if (!ValidDigits(integer, bPoint ? &fraction : nullptr, pi表記基数)) return false;

    // The integer digits; a cancel there gives a cancelled value, as the unit-aware
    // operations that would sum the terms give one.
    const Tキャンセル検査 check = fキャンセル検査();
    T単位数型 value;
    try {
        value = f単位数変換(u"0");
        T整数型 tInteger;
        f基数自然数値変換(integer, pi表記基数, tInteger, check);
        if (!tInteger.fゼロ() && !fキャンセル印チェック(value, value)) {
            value.t複素数 = f値加算(value.t複素数, ComplexOf({tInteger, T整数型(1)}), check);
        }
    } catch (const Eキャンセル指示&) {
        f単位付計算キャンセル指示クリア();
        value = fキャンセル値作成();
    }
    if (fキャンセル印チェック(value, value)) {
        rtT単位数 = value;
        return true;
    }
    if (bPoint) {
        T分数型 F;
        if (!f小数基数10進分数変換(fraction, pi表記基数, F, check)) return false;
        value.t複素数 = f値加算(value.t複素数, ComplexOf(F), check);
    }
    // A plain number: the dimension of a number, no name, no display radix.
    value.s単位表記.clear();
    f意味コ変換(value.s単位表記, value.t意味コ配列, value.t単項表記リスト, value.s基底値変換式, value.t保留);
    value.s変数名.clear();
    value.i表記基数 = D基数変換無;
    rtT単位数 = std::move(value);
    return true;
}
