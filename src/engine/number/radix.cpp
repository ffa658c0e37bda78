// Stepwise conversion of a decimal text (sign, point, cycle marks and a final "..."
// allowed) into another radix: the whole integer part in the first step, then one
// fraction digit per step, the repeating cycle marked as in a decimal expansion.
//
// The texts are those of the place-value method: the integer part divided by each of
// r^(k-1) … r^0 kept as decimal strings, each fraction digit by subtracting 1/r, and
// every fractional part met remembered in lowest terms in a list searched from the
// front. Here:
// - the integer part is read once into a binary integer and written in radix r by
//   splitting at powers of r (huge.h); the digits are the standard representation,
//   which is what the place values give once the single leading zero is dropped.
// - the fraction digits: long division of the fractional part's numerator by its
//   denominator in radix r, in blocks, the list's answers from T循環探索 (cycle.h).
#include <algorithm>

#include "common/checked_int.h"
#include "engine/number/digits.h"
#include "engine/number/huge.h"
#include "engine/number/radix.h"

namespace {

using E状態 = E整数順次除算内部状態;

// Digit characters only, and at least one; anything else cannot be converted.
void RequireDigits(const std::u16string& s) {
    if (s.empty() || s.find_first_not_of(u"0123456789") != std::u16string::npos) {
        throw E一般例外(u"駄目だこりゃ! 数字でない文字列は基数変換できないのよ～ん!");
    }
}

// The natural number written in `decimal` as radix-r digits, most significant first,
// "0" for zero.
std::u16string IntegerDigits(const std::u16string& decimal, int32_t r, const Tキャンセル検査& check) {
    T作業整数 value;
    fZ文字列読込(value, decimal, 10, check);
    check();
    std::u16string digits;
    T分割文字列化(value, r).f全部(digits, check);
    return digits;
}

}  // namespace

namespace {

constexpr char16_t kNotAFraction[] = u"駄目だこりゃ! 小数部が 0 以上 1 以下の分数でないのよ～ん!";

// The fraction digits of t (0 <= t <= 1, in lowest terms) in radix r; none for 0.
std::unique_ptr<T循環探索> MakeFractionDigits(const T分数型& t, int32_t r, const Tキャンセル検査& check) {
    if (t.t分子.f負記号() || t.t分母.f符号() <= 0 || f大小比較(t.t分子, t.t分母) > 0) {
        throw E一般例外(kNotAFraction);
    }
    if (t.t分子.fゼロ()) return nullptr;
    return std::make_unique<T循環探索>(t.t分子, t.t分母, r, check);
}

// The whole integer part, and the preparation of the fraction digits. Everything that
// can be cancelled comes before the context changes: a cancel leaves it as it was.
bool IntegerStep(T順次基数変換コンテキスト型& rtc, const Tキャンセル検査& check) {
    check();
    std::u16string digits = IntegerDigits(rtc.s被除数ワーク, rtc.i変換基数, check);
    std::unique_ptr<T循環探索> fraction;
    T分数型 t;
    if (!rtc.s小数桁.empty()) {
        t = f分数変換(u"0" + rtc.s小数桁, check);
        fraction = MakeFractionDigits(t, rtc.i変換基数, check);
    }
    rtc.s被除数ワーク = u"0";  // what the division by the last place value leaves
    rtc.s除算途中 = std::move(digits);
    rtc.s除算結果 = rtc.s符号 + rtc.s除算途中;
    if (rtc.s小数桁.empty()) {
        rtc.e状態 = E状態::m除算完了状態;
        return false;
    }
    rtc.e状態 = E状態::m順次小数除算中状態;
    rtc.t小数桁 = std::move(t);
    rtc.t累基小数桁用 = f分数値(1, rtc.i変換基数);
    rtc.s除算途中.push_back(u'.');
    rtc.p循環探索 = std::move(fraction);
    return false;
}

// A block of fraction digits, ending at the goal (0: none); the last one either ends the
// expansion, closes the cycle, or the expansion goes on.
bool FractionStep(T順次基数変換コンテキスト型& rtc, int64_t goal, const Tキャンセル検査& check) {
    check();
    if (!rtc.p循環探索) {
        if (!rtc.t小数桁.t分子.fゼロ()) throw E一般例外(u"駄目だこりゃ! 初期化されていない基数変換なのよ～ん!");
        rtc.s除算途中.push_back(u'0');  // a fractional part of 0 gives one digit 0
        rtc.e状態 = E状態::m除算完了状態;
        return false;
    }
    T循環探索& x = *rtc.p循環探索;
    const size_t before = rtc.s除算途中.size();
    const T循環探索::E結末 end = x.f次桁(x.f段階桁数(rtc.l小数桁数, goal), rtc.s除算途中, check);
    rtc.l小数桁数 += rtc.s除算途中.size() - before;
    if (end == T循環探索::E結末::m割切れ) {
        rtc.e状態 = E状態::m除算完了状態;  // the text is written by the next step
        return false;
    }
    f符号付結果追従(rtc.s除算結果, rtc.s符号, rtc.s除算途中);
    if (end == T循環探索::E結末::m循環) {
        rtc.l循環小数リスト位置 = f検査付32bit変換(static_cast<int64_t>(x.f循環開始()));
        rtc.e状態 = E状態::m循環節チェック状態;
    }
    return false;
}

// Marks the cycle: its first digit comes from the entry at l循環小数リスト位置, its last
// from the last entry. The result text is left to the next step.
bool CycleCheckStep(T順次基数変換コンテキスト型& rtc) {
    if (rtc.l循環小数リスト位置 >= 0) {
        if (!rtc.p循環探索) throw E一般例外(u"駄目だこりゃ! 小数部のリストがもう無いのよ～ん!");
        const uint64_t k = rtc.p循環探索->f記録数() - static_cast<uint64_t>(rtc.l循環小数リスト位置) - 1;
        f循環節印挿入(rtc.s除算途中, k);
    }
    rtc.e状態 = E状態::m除算完了状態;
    return false;
}

// The final text, written once: sign, digits, marks, and the cancel mark of the input.
bool FinishStep(T順次基数変換コンテキスト型& rtc) {
    if (rtc.b結果確定) return true;
    if (rtc.l循環小数リスト位置 >= 0) {  // marks went into the middle of s除算途中
        rtc.s除算結果 = rtc.s符号 + rtc.s除算途中;
    } else {
        f符号付結果追従(rtc.s除算結果, rtc.s符号, rtc.s除算途中);
    }
    if (rtc.b末尾キャンセル印) rtc.s除算結果 += Dキャンセル印;
    rtc.b結果確定 = true;
    return true;
}

}  // namespace

void f順次基数変換初期化(T順次基数変換コンテキスト型& rtc, const std::u16string& ps10進表記, int32_t pi表記基数,
                         const Tキャンセル検査& check) {
    if (pi表記基数 < 2 || pi表記基数 > 36) throw E一般例外(u"駄目だこりゃ! 基数は 2 から 36 までなのよ～ん!");
    rtc.p循環探索.reset();
    check();  // a long text takes a while to take apart
    std::u16string text = ps10進表記;
    rtc.b末尾キャンセル印 = text.ends_with(Dキャンセル印);
    if (rtc.b末尾キャンセル印) text.resize(text.size() - (std::size(Dキャンセル印) - 1));
    text = f小数正規化(std::move(text));
    rtc.s除算結果.clear();
    rtc.s除算途中.clear();
    rtc.e状態 = E状態::m順次除算中状態;
    const bool bZero = text == u"0";
    rtc.s被除数ワーク = std::move(text);
    rtc.s符号 = f符号取出し(rtc.s被除数ワーク);
    rtc.i変換基数 = pi表記基数;
    rtc.s小数桁.clear();
    rtc.l循環小数リスト位置 = -1;
    rtc.t小数桁 = {};
    rtc.t累基小数桁用 = {};
    rtc.l小数桁数 = 0;
    rtc.b結果確定 = false;
    if (bZero) {
        rtc.s除算途中 = u"0";
        rtc.e状態 = E状態::m除算完了状態;
        return;
    }
    f小数分離(rtc.s被除数ワーク, rtc.s小数桁);
    RequireDigits(rtc.s被除数ワーク);
    check();  // where the first place value is compared with the integer part
}

bool f順次基数変換(T順次基数変換コンテキスト型& rtc, int64_t vi展開目標桁数, const Tキャンセル検査& check) {
    switch (rtc.e状態) {
        case E状態::m順次除算中状態:
            return IntegerStep(rtc, check);
        case E状態::m順次小数除算中状態:
            return FractionStep(rtc, vi展開目標桁数, check);
        case E状態::m循環節チェック状態:
            return CycleCheckStep(rtc);
        case E状態::m除算完了状態:
            break;
    }
    return FinishStep(rtc);
}

void f順次基数変換終了(T順次基数変換コンテキスト型& rtc) { rtc.p循環探索.reset(); }
