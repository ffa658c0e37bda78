#include <gtest/gtest.h>

#include <random>
#include <unordered_map>
#include <vector>

#include "common/ut_common.h"
#include "common/utf.h"
#include "engine/brelvita.h"
#include "engine/number/digit_strings_ref.h"
#include "test_support.h"

namespace {

using E状態 = E整数順次除算内部状態;

std::u16string U16(uint64_t v) { return Utf8ToUtf16(std::to_string(v)); }

// The whole conversion; the halfway texts after each step that returned false go to
// halfway when given.
std::u16string Convert(const std::u16string& text, int32_t radix,
                       std::vector<std::u16string>* halfway = nullptr,
                       const Tキャンセル検査& check = kNoCancel) {
    T順次基数変換コンテキスト型 ctx;
    f順次基数変換初期化(ctx, text, radix, check);
    while (!f順次基数変換(ctx, 0, check)) {
        if (halfway != nullptr) halfway->push_back(ctx.s除算結果);
    }
    f順次基数変換終了(ctx);
    return ctx.s除算結果;
}

// The decimal expansion of a/b by the stepwise division.
std::u16string Expand(const std::u16string& a, const std::u16string& b) {
    T整数順次除算コンテキスト型 ctx;
    f整数順次除算初期化(ctx, a, b, kNoCancel);
    while (!f整数順次除算(ctx, 0, kNoCancel)) {
    }
    f整数順次除算終了(ctx);
    return ctx.s除算結果;
}

// The conversion exactly as the engine defines its texts: the place values r^0 … r^(k-1)
// as decimal strings for the integer part, fraction digits by subtracting 1/r, and a
// list of the fractional parts met ("num/den" in lowest terms) searched from the front.
class LiteralRadix {
public:
    void Init(std::u16string text, int32_t radix) {
        list_.clear();
        cancelMark_ = false;
        if (text.size() >= 3 && text.substr(text.size() - 3) == u"...") {
            cancelMark_ = true;
            text.resize(text.size() - 3);
        }
        text = f小数正規化(text);
        result.clear();
        midway_.clear();
        state = E状態::m順次除算中状態;
        work_ = text;
        sign_ = f符号取出し(work_);
        radix_ = U16(static_cast<uint64_t>(radix));
        places_.clear();
        fraction_.clear();
        pos = -1;
        if (text == u"0") {
            midway_ = u"0";
            state = E状態::m除算完了状態;
            return;
        }
        f小数分離(work_, fraction_);
        std::u16string p = u"1";
        for (;;) {
            places_.push_back(p);
            if (f自然数比較(p, work_) >= 0) break;
            p = f自然数乗算(p, radix_);
        }
    }

    bool Step() {
        switch (state) {
            case E状態::m順次除算中状態:
                for (size_t i = places_.size(); i-- > 0;) {
                    std::u16string q;
                    work_ = f自然数商余(work_, places_[i], q);
                    midway_ += fn進1桁変換(ForceStrToInt(q));
                }
                if (midway_ != u"0" && midway_[0] == u'0') midway_.erase(0, 1);
                result = sign_ + midway_;
                if (!fraction_.empty()) {
                    state = E状態::m順次小数除算中状態;
                    part_ = f分数変換(u"0" + fraction_, kNoCancel);
                    unit_ = F(u"1", radix_);
                    midway_ += u".";
                    list_.push_back(Key(part_));
                } else {
                    state = E状態::m除算完了状態;
                }
                return false;
            case E状態::m順次小数除算中状態: {
                int32_t d = 0;
                while (f分数比較(part_, unit_, kNoCancel) >= 0) {
                    part_ = f分数減算(part_, unit_, kNoCancel);
                    ++d;
                }
                midway_ += fn進1桁変換(d);
                if (part_.t分子.fゼロ()) {
                    state = E状態::m除算完了状態;
                } else {
                    result = sign_ + midway_;
                    part_.t分子 = T整数型::f読込(f自然数乗算(part_.t分子.f文字列(), radix_));
                    part_ = f約分(part_, kNoCancel);
                    const std::u16string key = Key(part_);
                    pos = -1;
                    for (size_t i = 0; i < list_.size() && pos < 0; ++i) {
                        if (list_[i] == key) pos = static_cast<int32_t>(i);
                    }
                    if (pos >= 0) {
                        state = E状態::m循環節チェック状態;
                    } else {
                        list_.push_back(key);
                    }
                }
                return false;
            }
            case E状態::m循環節チェック状態:
                if (pos >= 0) {
                    const int32_t k = static_cast<int32_t>(list_.size()) - pos - 1;
                    const int32_t len = static_cast<int32_t>(midway_.size());
                    midway_ = StrLeft(midway_, len - k) + u"`" + StrRight(midway_, k);
                    if (midway_.back() != u'`') midway_ += u"`";
                }
                state = E状態::m除算完了状態;
                return false;
            case E状態::m除算完了状態:
                break;
        }
        result = sign_ + midway_ + (cancelMark_ ? u"..." : u"");
        return true;
    }

    E状態 state = E状態::m除算完了状態;
    int32_t pos = -1;
    std::u16string result;

private:
    static std::u16string Key(const T分数型& f) { return f.t分子.f文字列() + u"/" + f.t分母.f文字列(); }

    std::u16string sign_, work_, radix_, midway_, fraction_;
    std::vector<std::u16string> places_, list_;
    T分数型 part_, unit_;
    bool cancelMark_ = false;
};

// Steps the literal conversion (at most maxSteps steps) and the engine side by side, the
// engine's fraction digits one per step (its goal moved on before each step): each of
// the engine's texts, up to the last one the literal conversion reached, must be one it
// left, with the same return value, state and cycle index, in order; when the literal
// conversion ended, the engine must end the same way.
::testing::AssertionResult SameSteps(const std::u16string& text, int32_t radix,
                                     int maxSteps) {
    LiteralRadix ref;
    ref.Init(text, radix);
    T順次基数変換コンテキスト型 ctx;
    f順次基数変換初期化(ctx, text, radix, kNoCancel);
    const auto result = fSameSteps(ref, maxSteps, [&] {
        const bool done = f順次基数変換(ctx, static_cast<int64_t>(ctx.l小数桁数) + 1, kNoCancel);
        return TStepSeen{done, ctx.s除算結果, ctx.e状態, ctx.l循環小数リスト位置};
    }, "\"" + Utf16ToUtf8(text) + "\" radix " + std::to_string(radix));
    f順次基数変換終了(ctx);
    return result;
}

// 2^i·5^j·m with small i, j and m of a short period in every radix: expansions with a
// pre-period in the radixes that share a prime with the denominator, and cycles rarely
// longer than a few dozen digits.
std::u16string ShortCycleDenominator(std::mt19937_64& rng) {
    static const uint64_t kFactors[] = {1, 1, 3, 7, 9, 11, 13, 21, 27};
    uint64_t d = kFactors[rng() % std::size(kFactors)];
    d <<= rng() % 5;
    for (int n = static_cast<int>(rng() % 3); n > 0; --n) d *= 5;
    return U16(d);
}

// A decimal text as the conversion meets it: a sign, an integer part, fraction digits
// written out or with a cycle, and now and then the cancel mark of a cut-short result.
std::u16string RandomDecimal(std::mt19937_64& rng) {
    std::u16string text;
    const uint64_t kind = rng() % 10;
    if (kind < 3) {  // an integer up to 40 digits
        text = rng() % 20 == 0 ? u"0" : RandomDigits(rng, 1 + static_cast<int>(rng() % 40));
    } else if (kind < 6) {  // fraction digits, finite or with a cycle written by hand
        text = (rng() % 2 ? u"0" : RandomDigits(rng, 1 + static_cast<int>(rng() % 20))) + u".";
        for (int n = static_cast<int>(rng() % 6); n > 0; --n) text += static_cast<char16_t>(u'0' + rng() % 10);
        const int cycle = static_cast<int>(rng() % 5);
        if (cycle > 0) {
            const std::u16string c = RandomDigits(rng, cycle);
            text += c.size() == 1 ? c + u"`" : c.substr(0, 1) + u"`" + c.substr(1) + u"`";
        } else {
            text += static_cast<char16_t>(u'1' + rng() % 9);
        }
    } else if (kind < 7) {  // long fraction digits: denominators beyond 64 bits
        text = RandomDigits(rng, 1 + static_cast<int>(rng() % 5)) + u"." +
               RandomDigits(rng, 20 + static_cast<int>(rng() % 8));
    } else {  // the expansion of a fraction, often with a short cycle in the radix
        text = Expand(RandomDigits(rng, 1 + static_cast<int>(rng() % 6)), ShortCycleDenominator(rng));
    }
    if (rng() % 3 == 0) text = u"-" + text;
    if (rng() % 10 == 0) text += u"...";
    return text;
}

// The expansion of a/b (0 <= a, b > 0, a/b in lowest terms) in radix r with the cycle
// found by a hash map of the fractional parts' numerators: an independent check of
// where long cycles close.
std::u16string MapExpansion(uint64_t a, uint64_t b, uint32_t r) {
    static const char16_t kDigits[] = u"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::u16string digits;
    for (uint64_t n = a / b; n > 0; n /= r) digits.insert(digits.begin(), kDigits[n % r]);
    std::u16string text = digits.empty() ? u"0" : digits;
    uint64_t x = a % b;
    if (x == 0) return text;
    text += u".";
    std::unordered_map<uint64_t, size_t> first;
    for (;;) {
        if (const auto it = first.find(x); it != first.end()) {
            const size_t k = first.size() - it->second - 1;
            text.insert(text.size() - k, 1, u'`');
            if (text.back() != u'`') text += u'`';
            return text;
        }
        first.emplace(x, first.size());
        const unsigned __int128 t = static_cast<unsigned __int128>(x) * r;
        text += kDigits[static_cast<size_t>(t / b)];
        x = static_cast<uint64_t>(t % b);
        if (x == 0) return text;
    }
}

// The value of a plain number as one fraction.
T分数型 ValueOf(const T単位数型& v) { return f仮数真数化(v.t複素数.t浮動小数.t仮数, kNoCancel); }

TEST(Radix, DigitsReadAsValue) {
    ClsBrelvita e;
    struct Case {
        const char16_t* text;
        int32_t radix;
        const char16_t *num, *den;  // nullptr: not valid in the radix
    };
    const Case cases[] = {
        {u"1010", 2, u"10", u"1"},   {u"A", 16, u"10", u"1"},     {u"a", 16, u"10", u"1"},
        {u"0", 16, u"0", u"1"},      {u"15", 6, u"11", u"1"},     {u"100", 16, u"256", u"1"},
        {u"1B", 16, u"27", u"1"},    {u"0.4", 16, u"1", u"4"},    {u"1.0", 2, u"1", u"1"},
        {u"0.1`", 16, u"1", u"15"},  {u"0.6`", 16, u"2", u"5"},   {u"0.f`", 16, u"1", u"1"},
        {u"3.A`", 16, u"11", u"3"},  {u"Z.Z", 36, u"1295", u"36"}, {u"0.00`011`", 2, u"1", u"10"},
        {u"007", 8, u"7", u"1"},     {u"10", 10, u"10", u"1"},
        {u"9", 2, nullptr, nullptr}, {u"G", 16, nullptr, nullptr}, {u"1.2", 2, nullptr, nullptr},
        {u"1.G`", 16, nullptr, nullptr}, {u"1.1.1", 2, nullptr, nullptr}, {u"1-1", 2, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        T単位数型 v;
        v.s単位表記 = u"km";  // what the value held before must not survive
        v.s変数名 = u"x";
        v.i表記基数 = 16;
        const bool ok = e.f基数10進変換(c.text, c.radix, v);
        ASSERT_EQ(ok, c.num != nullptr) << Utf16ToUtf8(c.text);
        if (!ok) continue;
        EXPECT_EQ(ValueOf(v), F(c.num, c.den)) << Utf16ToUtf8(c.text);
        EXPECT_EQ(v.t意味コ配列, f数値意味コ配列());
        EXPECT_TRUE(v.s単位表記.empty() && v.s基底値変換式.empty() && v.s変数名.empty());
        EXPECT_TRUE(v.t単項表記リスト.empty() && v.t保留.empty());
        EXPECT_EQ(v.i表記基数, D基数変換無);
    }
}

// The value term by term with the unit-aware operations: digit·r^place for every
// integer digit that is not 0, then the fraction digits added in the complex layer;
// then the fields of a plain number.
T単位数型 TermByTermValue(ClsBrelvita& e, const std::u16string& text, int32_t radix) {
    T単位数型 value = e.f単位数変換(u"0");
    const T単位数型 R = e.f単位数変換(U16(static_cast<uint64_t>(radix)));
    const size_t point = text.find(u'.');
    int64_t place = point == std::u16string::npos ? static_cast<int64_t>(text.size()) - 1
                                                   : static_cast<int64_t>(point) - 1;
    for (size_t i = 0; i < text.size(); ++i, --place) {
        if (text[i] == u'.') {
            T分数型 F;
            EXPECT_TRUE(f小数基数10進分数変換(text.substr(i + 1), radix, F, kNoCancel));
            value.t複素数 = f複素数加算(value.t複素数, f複素数変換(f浮動小数変換(f仮数変換(F))), kNoCancel);
            break;
        }
        if (text[i] == u'0') continue;
        const T単位数型 digit = e.f単位数変換(U16(static_cast<uint64_t>(fn進1桁値(text[i]))));
        const T単位数型 power = e.f累乗(R, e.f単位数変換(Utf8ToUtf16(std::to_string(place))));
        value = e.f加算(value, e.f乗算(digit, power));
    }
    value.s単位表記.clear();
    e.f意味コ変換(value.s単位表記, value.t意味コ配列, value.t単項表記リスト, value.s基底値変換式, value.t保留);
    value.s変数名.clear();
    value.i表記基数 = D基数変換無;
    return value;
}

// A cancel while the digits are read gives a cancelled value, and the request is used up.
TEST(Radix, DigitsReadWhileCancelledGiveACancelledValue) {
    ClsBrelvita e;
    e.t取消要求.f監視設定([&] { e.f単位付計算キャンセル指示(); }, 0);
    for (const char16_t* text : {u"1234", u"12.3`4`"}) {
        T単位数型 v;
        EXPECT_TRUE(e.f基数10進変換(text, 16, v));
        EXPECT_TRUE(fキャンセル印チェック(v, v)) << Utf16ToUtf8(text);
        EXPECT_FALSE(e.t取消要求.f要求中());
    }
    T単位数型 v;
    EXPECT_FALSE(e.f基数10進変換(u"12.G", 16, v));  // a bad digit is reported all the same
}

// The integer digits are read in one go; the value must still be the one the sum of
// the terms gives, field for field (exponent 1/1, the same base, the same imaginary part).
TEST(Radix, ValueEqualsTheTermByTermSum) {
    ClsBrelvita e;
    std::mt19937_64 rng(271828);
    std::vector<std::pair<std::u16string, int32_t>> cases = {
        {u"0", 2},    {u"000", 16}, {u"", 10},      {u".", 3},       {u"0.0", 2},     {u"0.00`", 2},
        {u"1", 2},    {u"10.01", 2}, {u"Zz.zZ`", 36}, {u"0.9`", 10},  {u"1.0`", 7},    {u"100", 16},
    };
    static const char16_t kDigits[] = u"0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (int i = 0; i < 100; ++i) {
        const int32_t radix = 2 + static_cast<int32_t>(rng() % 35);
        auto digit = [&] {
            const int32_t v = static_cast<int32_t>(rng() % static_cast<uint64_t>(radix));
            return kDigits[v >= 10 && rng() % 2 ? v + 26 : v];
        };
        std::u16string text;
        for (int n = static_cast<int>(rng() % 12); n > 0; --n) text += rng() % 3 ? digit() : u'0';
        if (rng() % 2) {
            text += u".";
            for (int n = static_cast<int>(rng() % 6); n > 0; --n) text += digit();
            if (rng() % 2) text += std::u16string(1, digit()) + u"`" + digit() + u"`";
        }
        cases.emplace_back(text, radix);
    }
    for (const auto& [text, radix] : cases) {
        T単位数型 got;
        ASSERT_TRUE(e.f基数10進変換(text, radix, got)) << Utf16ToUtf8(text);
        EXPECT_TRUE(got == TermByTermValue(e, text, radix)) << Utf16ToUtf8(text) << " radix " << radix;
    }
}

TEST(Radix, ConvertedTexts) {
    struct Case {
        const char16_t* text;
        int32_t radix;
        const char16_t* want;
    };
    const Case cases[] = {
        {u"10", 16, u"A"},
        {u"10", 2, u"1010"},
        {u"0", 16, u"0"},
        {u"0.25", 12, u"0.3"},
        {u"0.25", 20, u"0.5"},
        {u"3.6`", 16, u"3.A`"},
        {u"3.6`", 6, u"3.4"},
        {u"0.1", 2, u"0.00`011`"},
        {u"9.4`81`", 16, u"9.7`B425ED09`"},
        {u"-0.4", 16, u"-0.6`"},
        {u"0.06`", 16, u"0.1`"},
        {u"123...", 16, u"7B..."},
        {u"0...", 2, u"0..."},
        {u"-0.3`...", 3, u"-0.1..."},
        {u"-0", 16, u"-0"},  // a sign without value is kept, as the text had it
        {u"007.500", 2, u"111.1"},
        {u"1", 2, u"1"},
        {u"35", 36, u"Z"},
        {u"36", 36, u"10"},
        {u"255", 16, u"FF"},
        {u"1.5", 10, u"1.5"},
        {u"1", 10, u"1"},
        {u"0.1`", 10, u"0.1`"},
        {u"0.5", 3, u"0.1`"},
        {u"0.0`9`", 10, u"0.0`9`"},
        {u"0.00`990`", 10, u"0.0`099`"},  // 1/101: the list starts with the part before the first digit
        {u"18446744073709551616", 16, u"10000000000000000"},
        {u"18446744073709551615", 16, u"FFFFFFFFFFFFFFFF"},
        {u"12345678901234567890123456789", 36, u"17384DV0Z83QK7482Z9"},
        {u"18446744073999999999", 36, u"3W5E112AXPS73"},
        {u"170581728179578208256", 36, u"10000000000000"},  // 36^13
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf16ToUtf8(Convert(c.text, c.radix)), Utf16ToUtf8(c.want))
            << Utf16ToUtf8(c.text) << " radix " << c.radix;
        EXPECT_TRUE(SameSteps(c.text, c.radix, 200));
    }
    // Texts no expansion produces: an empty or bare fraction, a fractional part of 1.
    for (const auto& [text, radix] : {std::pair<const char16_t*, int32_t>{u"", 2}, {u".5", 2}, {u"0.9`", 16},
                                      {u"2.19`", 3}, {u"-0.0`", 5}, {u"-...", 8}}) {
        EXPECT_TRUE(SameSteps(text, radix, 50));
    }
}

TEST(Radix, StepProtocol) {
    std::vector<std::u16string> halfway;
    // The integer part, the digits before the cycle, the cycle up to where it closes, then
    // the marks; the step that closes it still leaves the text unmarked.
    EXPECT_EQ(Convert(u"0.1", 2, &halfway), u"0.00`011`");
    const std::vector<std::u16string> want = {u"0", u"0.0", u"0.00011", u"0.00011"};
    EXPECT_EQ(halfway, want);

    // The step that ends the expansion leaves the text to the next one.
    halfway.clear();
    EXPECT_EQ(Convert(u"-2.25", 12, &halfway), u"-2.3");
    EXPECT_EQ(halfway, (std::vector<std::u16string>{u"-2", u"-2"}));

    // The whole integer part comes in the first step.
    halfway.clear();
    EXPECT_EQ(Convert(u"4095", 16, &halfway), u"FFF");
    EXPECT_EQ(halfway, std::vector<std::u16string>{u"FFF"});

    // Zero is settled by the initialisation; finishing is safe before, after and twice.
    T順次基数変換コンテキスト型 ctx;
    f順次基数変換終了(ctx);
    f順次基数変換初期化(ctx, u"0", 7, kNoCancel);
    EXPECT_TRUE(f順次基数変換(ctx, 0, kNoCancel));
    EXPECT_EQ(ctx.s除算結果, u"0");
    EXPECT_TRUE(f順次基数変換(ctx, 0, kNoCancel));
    EXPECT_EQ(ctx.s除算結果, u"0");
    f順次基数変換終了(ctx);

    f順次基数変換初期化(ctx, u"0.3`", 3, kNoCancel);
    EXPECT_FALSE(f順次基数変換(ctx, 0, kNoCancel));
    EXPECT_FALSE(f順次基数変換(ctx, 0, kNoCancel));
    EXPECT_TRUE(ctx.p循環探索 != nullptr);
    f順次基数変換終了(ctx);
    f順次基数変換終了(ctx);
    EXPECT_TRUE(ctx.p循環探索 == nullptr);

    // A context is reusable after a new initialisation.
    f順次基数変換初期化(ctx, u"5...", 2, kNoCancel);
    while (!f順次基数変換(ctx, 0, kNoCancel)) {
    }
    EXPECT_EQ(ctx.s除算結果, u"101...");
    f順次基数変換初期化(ctx, u"0.5", 2, kNoCancel);
    while (!f順次基数変換(ctx, 0, kNoCancel)) {
    }
    EXPECT_EQ(ctx.s除算結果, u"0.1");
    f順次基数変換終了(ctx);

    EXPECT_THROW(f順次基数変換初期化(ctx, u"1", 1, kNoCancel), E一般例外);
    EXPECT_THROW(f順次基数変換初期化(ctx, u"1", 37, kNoCancel), E一般例外);
    EXPECT_THROW(f順次基数変換初期化(ctx, u"∞", 16, kNoCancel), E一般例外);
}

// The literal conversion spends about twenty fraction operations per digit, so every
// input is compared through the integer step, every fourth one through two fraction
// digits more, and every sixteenth one for up to 24 fraction digits, enough to close
// most short cycles.
TEST(Radix, MatchesLiteralConversionOnRandomDecimals) {
    std::mt19937_64 rng(1606);
    for (int i = 0; i < 2000; ++i) {
        const std::u16string text = RandomDecimal(rng);
        const int32_t radix = 2 + static_cast<int32_t>(rng() % 35);
        ASSERT_TRUE(SameSteps(text, radix, i % 16 == 0 ? 25 : i % 4 == 0 ? 3 : 1));
    }
}

TEST(Radix, MatchesLiteralConversionBeyondSixtyFourBits) {
    // 1/(3·2^70): a pre-period of 70 binary digits, then the cycle of 3; in radix 16 a
    // pre-period of 18; in radix 6 no cycle. 1/(7·10^25) and 1/(5^30·9): long pre-periods
    // in the radixes that share a prime with the denominator.
    for (const char16_t* b : {u"3541774862152233910272", u"70000000000000000000000000",
                              u"8381903171539306640625"}) {
        const std::u16string text = Expand(u"1", b);
        for (int32_t radix : {2, 16, 30}) EXPECT_TRUE(SameSteps(text, radix, 80));
    }
}

TEST(Radix, LongCyclesCloseWhereTheyRepeat) {
    std::mt19937_64 rng(9);
    for (int i = 0; i < 30; ++i) {
        const uint64_t b = 1000 + rng() % 20000;
        uint64_t a = 1 + rng() % (3 * b);
        const uint64_t g = std::gcd(a, b);
        const uint32_t radix = 2 + static_cast<uint32_t>(rng() % 35);
        EXPECT_EQ(Utf16ToUtf8(Convert(Expand(U16(a), U16(b)), static_cast<int32_t>(radix))),
                  Utf16ToUtf8(MapExpansion(a / g, b / g, radix)))
            << a << "/" << b << " radix " << radix;
    }
    const std::u16string text = Convert(Expand(u"1", u"9973"), 16);
    EXPECT_EQ(text, MapExpansion(1, 9973, 16));
}

TEST(Radix, FinalTextReadsBackAsTheValue) {
    ClsBrelvita e;
    std::mt19937_64 rng(31337);
    for (int i = 0; i < 400; ++i) {
        const std::u16string a = RandomDigits(rng, 1 + static_cast<int>(rng() % 30));
        const std::u16string b = ShortCycleDenominator(rng);
        const bool bNegative = rng() % 3 == 0;
        const int32_t radix = 2 + static_cast<int32_t>(rng() % 35);
        std::u16string text = Convert(Expand((bNegative ? u"-" : u"") + a, b), radix);
        ASSERT_EQ(f符号取出し(text), bNegative ? u"-" : u"");
        T単位数型 v;
        ASSERT_TRUE(e.f基数10進変換(text, radix, v)) << Utf16ToUtf8(text);
        EXPECT_EQ(f分数比較(ValueOf(v), f約分(F(a, b), kNoCancel), kNoCancel), 0)
            << Utf16ToUtf8(a) << "/" << Utf16ToUtf8(b) << " radix " << radix << ": " << Utf16ToUtf8(text);
    }
}

// A cancel at any cancellation point leaves the text and the context as they were before
// the step: cleared of the request, the conversion goes on to the same result.
TEST(Radix, CancelLeavesTheContextAsBeforeTheStep) {
    ClsBrelvita e;
    const Tキャンセル検査 check = e.fキャンセル検査();
    long calls = 0, cancelAt = -1;
    e.t取消要求.f監視設定([&] { if (++calls == cancelAt) e.f単位付計算キャンセル指示(); }, 0);
    for (const auto& [text, radix] : {std::pair<const char16_t*, int32_t>{u"-12.3`4`", 7}, {u"0.1", 2}}) {
        std::vector<std::u16string> halfway{u""};  // after 0, 1, 2, ... steps
        calls = 0;
        cancelAt = -1;
        const std::u16string whole = Convert(text, radix, &halfway, check);
        const long total = calls;
        for (cancelAt = 1; cancelAt <= total; ++cancelAt) {
            calls = 0;
            T順次基数変換コンテキスト型 ctx;
            size_t done = 0;
            try {
                f順次基数変換初期化(ctx, text, radix, check);
                EXPECT_THROW(while (!f順次基数変換(ctx, 0, check)) ++done, Eキャンセル指示);
            } catch (const Eキャンセル指示&) {  // in the initialisation
                e.f単位付計算キャンセル指示クリア();
                f順次基数変換初期化(ctx, text, radix, check);
            }
            EXPECT_EQ(ctx.s除算結果, halfway.at(done)) << cancelAt;
            e.f単位付計算キャンセル指示クリア();
            while (!f順次基数変換(ctx, 0, check)) {
            }
            EXPECT_EQ(ctx.s除算結果, whole);
            f順次基数変換終了(ctx);
        }
    }
}

// The integer part is converted in one step, and a long one is cancellable inside it.
TEST(Radix, CancelTakesEffectInsideALongIntegerStep) {
    ClsBrelvita e;
    const Tキャンセル検査 check = e.fキャンセル検査();
    const std::u16string big = f累乗文字列計算(u"3", 40000, kNoCancel);  // 19085 digits
    long calls = 0, cancelAt = -1;
    e.t取消要求.f監視設定([&] { if (++calls == cancelAt) e.f単位付計算キャンセル指示(); }, 0);
    T順次基数変換コンテキスト型 ctx;
    f順次基数変換初期化(ctx, big, 3, check);
    calls = 0;
    cancelAt = 2;  // the first call is the cancellation point at the start of the step
    EXPECT_THROW(f順次基数変換(ctx, 0, check), Eキャンセル指示);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(ctx.e状態, E状態::m順次除算中状態);
    EXPECT_EQ(ctx.s除算結果, u"");
    e.f単位付計算キャンセル指示クリア();
    EXPECT_FALSE(f順次基数変換(ctx, 0, check));
    EXPECT_EQ(ctx.s除算結果, u"1" + std::u16string(40000, u'0'));
    f順次基数変換終了(ctx);
}

}  // namespace
