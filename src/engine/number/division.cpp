// Stepwise division of two integers into a decimal text with the repeating cycle marked.
//
// The texts are those of long division by repeated subtraction with a list of the
// remainders recorded after the point, a remainder met again closing the cycle. The
// integer part is the quotient a / b, computed once and converted a piece per step; the
// fraction digits come in blocks from T循環探索, which also finds where the cycle closes
// without a list (cycle.h).
#include <algorithm>

#include "common/checked_int.h"
#include "engine/number/cycle.h"
#include "engine/number/digits.h"
#include "engine/number/division.h"
#include "engine/number/fraction.h"
#include "engine/number/huge.h"

// The operands, the quotient's text still to write and the recorded remainders. A step
// computes into locals and commits at its end, so a cancel never leaves a partial text.
struct T順次除算作業 {
    enum class E段階 { m開始, m整数部, m小数部 };
    E段階 phase = E段階::m開始;
    T整数型 a, b;  // magnitudes of the dividend and the divisor

    // Integer part.
    std::unique_ptr<T分割文字列化> quotientText;  // absent for a zero quotient
    T整数型 remainder;                            // a mod b: the entry at the point

    // Fraction part: the digits and the recorded remainders; `written` digits after the point.
    std::unique_ptr<T循環探索> cycle;
    uint64_t written = 0;

    void Start(T整数順次除算コンテキスト型& rtc, const Tキャンセル検査& check);
    void BeginFraction(const T整数型& e0, uint64_t written0, const Tキャンセル検査& check);
    void IntegerPiece(T整数順次除算コンテキスト型& rtc, const Tキャンセル検査& check);
    void FractionBlock(T整数順次除算コンテキスト型& rtc, int64_t goal, const Tキャンセル検査& check);
};

void T順次除算作業削除::operator()(T順次除算作業* p) const noexcept { delete p; }

// The quotient and remainder, or the leading zeros of a dividend shorter than the divisor.
void T順次除算作業::Start(T整数順次除算コンテキスト型& rtc, const Tキャンセル検査& check) {
    if (f大小比較(a, b) >= 0 || f10進桁数(a, check) == f10進桁数(b, check)) {
        T整数型 q, r;
        f商余(a, b, q, r, check);
        std::unique_ptr<T分割文字列化> text;
        if (!q.fゼロ()) text = std::make_unique<T分割文字列化>(T整数視(q), 10);
        quotientText = std::move(text);
        remainder = std::move(r);
        phase = E段階::m整数部;
        return;
    }
    // The dividend is k digits shorter: k - 1 zeros without recorded remainders, and the
    // first entry already has k - 1 zeros appended.
    const uint64_t k = f10進桁数(b, check) - f10進桁数(a, check);
    const T整数型 e0 = f10冪倍(a, k - 1, check);
    std::u16string prefix = u"0." + std::u16string(k - 1, u'0');
    BeginFraction(e0, k - 1, check);
    rtc.s除算途中 = std::move(prefix);
    rtc.b余り保存フラグ = true;
}

void T順次除算作業::BeginFraction(const T整数型& e0, uint64_t written0, const Tキャンセル検査& check) {
    cycle = std::make_unique<T循環探索>(e0, b, 10, check);
    written = written0;
    phase = E段階::m小数部;
}

// Appends one piece of the integer part; after the last one the point (the remainder is
// not zero) or the end (it is).
void T順次除算作業::IntegerPiece(T整数順次除算コンテキスト型& rtc, const Tキャンセル検査& check) {
    std::u16string& s = rtc.s除算途中;
    const size_t before = s.size();
    while (quotientText && quotientText->f次(s, check)) {
        if (s.size() > before) return;
        check();
    }
    quotientText.reset();
    if (remainder.fゼロ()) {
        rtc.l循環小数リスト位置 = -1;
        rtc.e状態 = E整数順次除算内部状態::m循環節チェック状態;
        return;
    }
    BeginFraction(remainder, 0, check);
    if (s.empty()) s = u"0";
    s.push_back(u'.');
    rtc.b余り保存フラグ = true;
}

// A block of fraction digits, ending where an expansion cut at the goal (0: none) should.
void T順次除算作業::FractionBlock(T整数順次除算コンテキスト型& rtc, int64_t goal, const Tキャンセル検査& check) {
    const uint64_t limit = cycle->f段階桁数(written, goal);
    const size_t before = rtc.s除算途中.size();
    const T循環探索::E結末 end = cycle->f次桁(limit, rtc.s除算途中, check);
    written += rtc.s除算途中.size() - before;
    if (end == T循環探索::E結末::m継続) return;
    rtc.l循環小数リスト位置 =
        end == T循環探索::E結末::m循環 ? f検査付32bit変換(static_cast<int64_t>(cycle->f循環開始())) : -1;
    rtc.e状態 = E整数順次除算内部状態::m循環節チェック状態;
}

void f整数順次除算初期化(T整数順次除算コンテキスト型& rtc, std::u16string vs被除数, std::u16string vs除数,
                         const Tキャンセル検査& check) {
    f整数順次除算初期化(rtc, T整数型::f読込(vs被除数, check), T整数型::f読込(vs除数, check));
}

void f整数順次除算初期化(T整数順次除算コンテキスト型& rtc, const T整数型& vt被除数, const T整数型& vt除数) {
    rtc.p作業.reset();
    rtc.e状態 = E整数順次除算内部状態::m順次除算中状態;
    rtc.s符号 = vt被除数.f負記号() != vt除数.f負記号() ? u"-" : u"";
    rtc.b余り保存フラグ = false;
    rtc.l循環小数リスト位置 = -1;
    rtc.s除算途中.clear();
    rtc.s除算結果.clear();
    if (vt被除数.fゼロ()) {
        rtc.s除算結果 = u"0";
        rtc.e状態 = E整数順次除算内部状態::m除算完了状態;
        return;
    }
    if (vt除数.fゼロ()) {
        rtc.s除算結果 = rtc.s符号 + u"∞";
        rtc.e状態 = E整数順次除算内部状態::m除算完了状態;
        return;
    }
    rtc.p作業.reset(new T順次除算作業);
    rtc.p作業->a = f絶対値(vt被除数);
    rtc.p作業->b = f絶対値(vt除数);
}

bool f整数順次除算(T整数順次除算コンテキスト型& rtc, int64_t vi展開目標桁数, const Tキャンセル検査& check) {
    using E = E整数順次除算内部状態;
    switch (rtc.e状態) {
        case E::m順次小数除算中状態:
            return false;
        case E::m除算完了状態:
            return true;
        case E::m循環節チェック状態:
            if (rtc.l循環小数リスト位置 >= 0) {
                if (!rtc.p作業) throw E一般例外(u"駄目だこりゃ! 余りのリストがもう無いのよ～ん!");
                // Cycle digits after the first one: the entries after the repeated one.
                const uint64_t k =
                    rtc.p作業->cycle->f記録数() - static_cast<uint64_t>(rtc.l循環小数リスト位置) - 1;
                f循環節印挿入(rtc.s除算途中, k);
            }
            rtc.s除算結果 = rtc.s符号 + rtc.s除算途中;
            rtc.e状態 = E::m除算完了状態;
            return true;
        case E::m順次除算中状態:
            break;
    }
    check();
    if (!rtc.p作業) throw E一般例外(u"駄目だこりゃ! 初期化されていない割り算なのよ～ん!");
    T順次除算作業& x = *rtc.p作業;
    if (x.phase == T順次除算作業::E段階::m開始) x.Start(rtc, check);
    if (x.phase == T順次除算作業::E段階::m整数部) {
        x.IntegerPiece(rtc, check);
    } else {
        x.FractionBlock(rtc, vi展開目標桁数, check);
    }
    f符号付結果追従(rtc.s除算結果, rtc.s符号, rtc.s除算途中);
    return false;
}

void f整数順次除算終了(T整数順次除算コンテキスト型& rtc) { rtc.p作業.reset(); }

std::u16string f累乗文字列計算(const std::u16string& vs底, int32_t vl指数, const Tキャンセル検査& check) {
    if (vl指数 < 0) return u"";
    const T分数型 p = f分数累乗(f分数変換(f小数正規化(vs底), check), vl指数, check);
    T整数順次除算コンテキスト型 ctx;
    f整数順次除算初期化(ctx, p.t分子, p.t分母);
    while (!f整数順次除算(ctx, 0, check)) {
    }
    return std::move(ctx.s除算結果);
}
