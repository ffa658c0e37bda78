#include <gtest/gtest.h>

#include <map>
#include <random>
#include <unordered_map>

#include "common/ut_common.h"
#include "common/utf.h"
#include "engine/brelvita.h"
#include "engine/number/digit_strings_ref.h"
#include "test_support.h"

namespace {

using E状態 = E整数順次除算内部状態;

// The whole expansion of a/b.
std::u16string Expand(const std::u16string& a, const std::u16string& b) {
    T整数順次除算コンテキスト型 ctx;
    f整数順次除算初期化(ctx, a, b, kNoCancel);
    while (!f整数順次除算(ctx, 0, kNoCancel)) {
    }
    f整数順次除算終了(ctx);
    return ctx.s除算結果;
}

// Long division exactly as the engine defines its texts: digit-string remainders,
// repeated subtraction, a remainder list searched from the front.
class LiteralDivision {
public:
    void Init(std::u16string a, std::u16string b) {
        list_.clear();
        state = E状態::m順次除算中状態;
        const bool bA = !f符号取出し(a).empty();
        const bool bB = !f符号取出し(b).empty();
        sign_ = bA != bB ? u"-" : u"";
        if (a == u"0") {
            result = u"0";
            state = E状態::m除算完了状態;
            return;
        }
        if (b == u"0") {
            result = sign_ + u"∞";
            state = E状態::m除算完了状態;
            return;
        }
        const int32_t L = static_cast<int32_t>(b.size());
        midway_.clear();
        saving_ = false;
        work_ = a;
        divisor_ = b;
        pos = -1;
        rem_ = f指定上桁数値取出し(work_, L);
        if (static_cast<int32_t>(rem_.size()) < L) {
            const int32_t k = L - static_cast<int32_t>(rem_.size());
            midway_ = u"0." + StringOfZeroC(k - 1);
            rem_ += StringOfZeroC(k);
            list_.push_back(rem_);
            saving_ = true;
        }
    }

    bool Step() {
        if (state == E状態::m除算完了状態) return true;
        if (state == E状態::m循環節チェック状態) {
            if (pos >= 0) {
                const int32_t k = static_cast<int32_t>(list_.size()) - pos - 1;
                const int32_t len = static_cast<int32_t>(midway_.size());
                midway_ = StrLeft(midway_, len - k) + u"`" + StrRight(midway_, k);
                if (midway_.back() != u'`') midway_ += u"`";
            }
            result = sign_ + midway_;
            state = E状態::m除算完了状態;
            return true;
        }
        int count = 0;
        while (f自然数比較(rem_, divisor_) != -1) {
            rem_ = f自然数大小減算(rem_, divisor_);
            ++count;
        }
        if (count != 0 || !midway_.empty()) midway_ += static_cast<char16_t>(u'0' + count);
        if (rem_ == u"0" && work_.empty()) {
            state = E状態::m循環節チェック状態;
        } else if (saving_) {
            rem_ += u"0";
            pos = -1;
            for (size_t i = 0; i < list_.size() && pos < 0; ++i) {
                if (list_[i] == rem_) pos = static_cast<int32_t>(i);
            }
            if (pos >= 0) {
                state = E状態::m循環節チェック状態;
            } else {
                list_.push_back(rem_);
            }
        } else if (!work_.empty()) {
            if (rem_ == u"0") rem_.clear();
            rem_ += f指定上桁数値取出し(work_, 1);
        } else {
            if (midway_.empty()) midway_ = u"0";
            midway_ += u".";
            rem_ += u"0";
            list_.push_back(rem_);
            saving_ = true;
        }
        result = sign_ + midway_;
        return false;
    }

    E状態 state = E状態::m除算完了状態;
    int32_t pos = -1;
    std::u16string result;

private:
    std::u16string sign_, rem_, work_, divisor_, midway_;
    bool saving_ = false;
    std::vector<std::u16string> list_;
};

// Digits after the point of a text.
size_t FractionDigits(const std::u16string& s) {
    const size_t point = s.find(u'.');
    return point == std::u16string::npos ? 0 : s.size() - point - 1;
}

// Steps the literal division (at most maxSteps steps) and the engine side by side, the
// engine's fraction digits one per step (its goal moved on before each step): each of
// the engine's texts, up to the last one the literal division reached, must be one it
// left, with the same return value, state and cycle index, in order; when the literal
// division ended, the engine must end the same way.
::testing::AssertionResult SameSteps(const std::u16string& a,
                                     const std::u16string& b, int maxSteps) {
    LiteralDivision ref;
    ref.Init(a, b);
    T整数順次除算コンテキスト型 ctx;
    f整数順次除算初期化(ctx, a, b, kNoCancel);
    const auto result = fSameSteps(ref, maxSteps, [&] {
        const int64_t goal = static_cast<int64_t>(FractionDigits(ctx.s除算途中)) + 1;
        const bool done = f整数順次除算(ctx, goal, kNoCancel);
        return TStepSeen{done, ctx.s除算結果, ctx.e状態, ctx.l循環小数リスト位置};
    }, Utf16ToUtf8(a) + "/" + Utf16ToUtf8(b));
    f整数順次除算終了(ctx);
    return result;
}

// base^n for small n, remembered between calls.
const std::u16string& Power(const std::u16string& base, int n) {
    static std::map<std::u16string, std::vector<std::u16string>> powers;
    std::vector<std::u16string>& list = powers[base];
    if (list.empty()) list.push_back(u"1");
    while (static_cast<int>(list.size()) <= n) list.push_back(f自然数乗算(list.back(), base));
    return list[static_cast<size_t>(n)];
}

// 2^i·5^j times a few primes of short decimal period, at most maxDigits digits: the
// expansion has a pre-period and ends within a few hundred digits.
std::u16string ShortPeriodDenominator(std::mt19937_64& rng, int maxDigits) {
    static const char16_t* const kPrimes[] = {
        u"3",     u"7",     u"11",    u"13",     u"17",     u"31",         u"37",
        u"41",    u"53",    u"73",    u"101",    u"137",    u"239",        u"271",
        u"4649",  u"9091",  u"9901",  u"21649",  u"333667", u"909091",     u"99990001",
        u"513239", u"265371653", u"5363222357", u"1111111111111111111"};
    std::u16string d;
    do {  // distinct primes: the period modulo p^2 is usually p times that modulo p
        d = u"1";
        size_t used = 0;
        for (int n = static_cast<int>(rng() % 4); n > 0; --n) {
            const size_t i = rng() % std::size(kPrimes);
            if ((used >> i & 1) == 0) d = f自然数乗算(d, kPrimes[i]);
            used |= size_t{1} << i;
        }
    } while (static_cast<int>(d.size()) > maxDigits);
    // About 3.3 factors of 2 or 1.4 factors of 5 per spare digit.
    auto spare = [&] { return std::max(0, maxDigits - static_cast<int>(d.size())); };
    d = f自然数乗算(d, Power(u"2", static_cast<int>(rng() % (10 * spare() / 3 + 1))));
    return f自然数乗算(d, Power(u"5", static_cast<int>(rng() % (10 * spare() / 7 + 1))));
}

TEST(Division, ExpansionTexts) {
    struct Case {
        const char16_t *a, *b, *want;
    };
    const Case cases[] = {
        {u"1", u"3", u"0.3`"},
        {u"22", u"7", u"3.1`42857`"},
        {u"5", u"108", u"0.046`29`"},
        {u"1", u"12", u"0.083`"},
        {u"1", u"11", u"0.0`9`"},
        {u"1", u"33", u"0.0`3`"},
        {u"1", u"7", u"0.1`42857`"},
        {u"1", u"70", u"0.01`42857`"},
        {u"5", u"18", u"0.27`"},
        {u"379", u"370", u"1.02`43`"},
        {u"1", u"101", u"0.00`990`"},  // the cycle starts at the first recorded remainder
        {u"355", u"113",
         u"3.1`41592920353982300884955752212389380530973451327433628318584070796460176991"
         u"1504424778761061946902654867256637168`"},
        {u"1", u"2", u"0.5"},
        {u"10", u"5", u"2"},
        {u"100", u"5", u"20"},
        {u"100", u"3", u"33.3`"},
        {u"1", u"300", u"0.003`"},
        {u"1", u"800000000", u"0.00000000125"},
        {u"-1", u"2", u"-0.5"},
        {u"1", u"-2", u"-0.5"},
        {u"-1", u"-2", u"0.5"},
        {u"-22", u"7", u"-3.1`42857`"},
        {u"0", u"5", u"0"},
        {u"-0", u"5", u"0"},
        {u"0", u"-5", u"0"},
        {u"0", u"0", u"0"},
        {u"1", u"0", u"∞"},
        {u"-1", u"0", u"-∞"},
        {u"7", u"-0", u"-∞"},
        {u"123456789012345678901234567890", u"1", u"123456789012345678901234567890"},
        {u"1", u"18446744073709551616",  // 2^64: the first divisor held in limbs
         u"0.0000000000000000000542101086242752217003726400434970855712890625"},
        {u"1", u"18446744073709551615", nullptr},  // 2^64 - 1: the largest machine divisor,
                                                    // a period far beyond the steps compared
    };
    for (const auto& c : cases) {
        if (c.want != nullptr) {
            EXPECT_EQ(Utf16ToUtf8(Expand(c.a, c.b)), Utf16ToUtf8(c.want))
                << Utf16ToUtf8(c.a) << "/" << Utf16ToUtf8(c.b);
        }
        EXPECT_TRUE(SameSteps(c.a, c.b, 400));
    }
}

TEST(Division, StepProtocol) {
    T整数順次除算コンテキスト型 ctx;
    f整数順次除算終了(ctx);  // nothing created yet
    f整数順次除算初期化(ctx, u"1", u"2", kNoCancel);
    EXPECT_FALSE(f整数順次除算(ctx, 0, kNoCancel));
    EXPECT_EQ(ctx.s除算結果, u"0.");
    EXPECT_FALSE(f整数順次除算(ctx, 0, kNoCancel));
    EXPECT_EQ(ctx.s除算結果, u"0.5");
    EXPECT_TRUE(f整数順次除算(ctx, 0, kNoCancel));
    EXPECT_EQ(ctx.s除算結果, u"0.5");
    EXPECT_TRUE(f整数順次除算(ctx, 0, kNoCancel));
    f整数順次除算終了(ctx);
    f整数順次除算終了(ctx);
    EXPECT_TRUE(ctx.p作業 == nullptr);

    // The step that meets the repeated remainder still returns false, unmarked.
    f整数順次除算初期化(ctx, u"1", u"3", kNoCancel);
    EXPECT_FALSE(f整数順次除算(ctx, 0, kNoCancel));
    EXPECT_FALSE(f整数順次除算(ctx, 0, kNoCancel));
    EXPECT_EQ(ctx.s除算結果, u"0.3");
    EXPECT_EQ(ctx.e状態, E状態::m循環節チェック状態);
    EXPECT_TRUE(f整数順次除算(ctx, 0, kNoCancel));
    EXPECT_EQ(ctx.s除算結果, u"0.3`");

    // The integer part comes from the quotient in one piece; an exact one ends there.
    f整数順次除算初期化(ctx, u"-1234", u"617", kNoCancel);
    EXPECT_FALSE(f整数順次除算(ctx, 0, kNoCancel));
    EXPECT_EQ(ctx.s除算結果, u"-2");
    EXPECT_EQ(ctx.e状態, E状態::m循環節チェック状態);
    EXPECT_TRUE(f整数順次除算(ctx, 0, kNoCancel));
    EXPECT_EQ(ctx.s除算結果, u"-2");

    // Zero and infinity are settled by the initialisation; no list is created.
    f整数順次除算初期化(ctx, u"5", u"0", kNoCancel);
    EXPECT_TRUE(ctx.p作業 == nullptr);
    EXPECT_TRUE(f整数順次除算(ctx, 0, kNoCancel));
    EXPECT_EQ(ctx.s除算結果, u"∞");

    // The radix conversion's state is not this division's: a step leaves it alone.
    f整数順次除算初期化(ctx, u"1", u"7", kNoCancel);
    ctx.e状態 = E状態::m順次小数除算中状態;
    EXPECT_FALSE(f整数順次除算(ctx, 0, kNoCancel));
    EXPECT_EQ(ctx.s除算結果, u"");
    f整数順次除算終了(ctx);
}

TEST(Division, MatchesLiteralDivisionOnRandomFractions) {
    std::mt19937_64 rng(20240611);
    for (int i = 0; i < 2000; ++i) {
        // Random divisors almost never close a cycle: enough steps to pass the point.
        const bool bShort = i % 2 == 0;
        const std::u16string b = bShort ? ShortPeriodDenominator(rng, 40)
                                        : RandomDigits(rng, 1 + static_cast<int>(rng() % 40));
        std::u16string a = rng() % 50 == 0 ? u"0" : RandomDigits(rng, 1 + static_cast<int>(rng() % 40));
        const std::u16string sa = rng() % 2 ? u"-" : u"";
        const std::u16string sb = rng() % 3 ? u"" : u"-";
        ASSERT_TRUE(SameSteps(sa + a, sb + b, bShort ? 100 : 50));
    }
}

TEST(Division, MatchesLiteralDivisionOnLongCycles) {
    struct Case {
        const char16_t *a, *b;
    };
    const Case cases[] = {
        {u"1", u"11111111111111111"},                // 2071723·5363222357: period 17
        {u"98765", u"1423247182283646121"},          // 265371653·5363222357: period 221
        {u"3", u"5675968205101636493"},              // 1058313049·5363222357: period 442
        {u"7", u"138715207958528000"},               // 2^20·5^3·1058313049: pre-period 20
        {u"1", u"1423247182283646121000000"},       // the same periods in limbs
        {u"12345678901234567890", u"30330333636366696697"},  // 99990001·909091·333667: period 504
        {u"1", u"18446744073709551557"},             // largest 64-bit prime: no early cycle
        {u"1", u"9973"},
    };
    for (const auto& c : cases) EXPECT_TRUE(SameSteps(c.a, c.b, 1200));
}

std::u16string U16(uint64_t v) { return Utf8ToUtf16(std::to_string(v)); }

// Long division with machine integers and a hash map of first indexes: an independent
// check of where long cycles close, for divisors below 2^64.
std::u16string MapDivision(uint64_t a, uint64_t b) {
    std::u16string text = U16(a / b);
    unsigned __int128 r = a % b;
    if (r == 0) return text;
    text += u".";
    std::unordered_map<uint64_t, size_t> first;
    for (;;) {
        const auto it = first.find(static_cast<uint64_t>(r));
        if (it != first.end()) {
            const size_t k = first.size() - it->second - 1;
            text.insert(text.size() - k, 1, u'`');
            if (text.back() != u'`') text += u'`';
            return text;
        }
        first.emplace(static_cast<uint64_t>(r), first.size());
        r *= 10;
        text += static_cast<char16_t>(u'0' + static_cast<int>(r / b));
        r %= b;
        if (r == 0) return text;
    }
}

TEST(Division, LongCyclesCloseWhereTheyRepeat) {
    std::mt19937_64 rng(77);
    // Dividend as long as the divisor, so that no leading zeros shift the recorded entries.
    for (int i = 0; i < 40; ++i) {
        const uint64_t b = 1000 + rng() % 20000;
        const uint64_t a = b + rng() % (9 * b);
        EXPECT_EQ(Utf16ToUtf8(Expand(U16(a), U16(b))),
                  Utf16ToUtf8(MapDivision(a, b)));
    }
    EXPECT_EQ(Expand(u"10000", u"9967"), MapDivision(10000, 9967));
}

TEST(Division, FinalTextReadsBackAsTheFraction) {
    std::mt19937_64 rng(4242);
    for (int i = 0; i < 2000; ++i) {
        const std::u16string a = (rng() % 2 ? u"-" : u"") + RandomDigits(rng, 1 + static_cast<int>(rng() % 60));
        const std::u16string b = (rng() % 4 ? u"" : u"-") + ShortPeriodDenominator(rng, 60);
        const std::u16string text = Expand(a, b);
        ASSERT_EQ(f分数変換(text, kNoCancel), f約分(F(a, b), kNoCancel))
            << Utf16ToUtf8(a) << "/" << Utf16ToUtf8(b);
    }
}

// A cancel at any cancellation point, also those inside a step's own work (the second
// divisor is factored when its first remainder is looked up), leaves the text and the
// context as they were before the step: cleared of the request, the expansion goes on.
TEST(Division, CancelLeavesTheContextAsBeforeTheStep) {
    ClsBrelvita e;
    const Tキャンセル検査 check = e.fキャンセル検査();
    long calls = 0, cancelAt = -1;
    e.t取消要求.f監視設定([&] { if (++calls == cancelAt) e.f単位付計算キャンセル指示(); }, 0);
    for (const char16_t* b : {u"70", u"11111111111111111"}) {
        std::vector<std::u16string> halfway;  // after 0, 1, 2, ... steps
        T整数順次除算コンテキスト型 ctx;
        calls = 0;
        cancelAt = -1;
        f整数順次除算初期化(ctx, u"1", b, check);
        do halfway.push_back(ctx.s除算結果);
        while (!f整数順次除算(ctx, 0, check));
        f整数順次除算終了(ctx);
        const std::u16string whole = ctx.s除算結果;
        const long total = calls;
        for (cancelAt = 1; cancelAt <= total; ++cancelAt) {
            calls = 0;
            f整数順次除算初期化(ctx, u"1", b, check);
            size_t done = 0;
            EXPECT_THROW(while (!f整数順次除算(ctx, 0, check)) ++done, Eキャンセル指示);
            EXPECT_EQ(ctx.s除算結果, halfway.at(done));
            e.f単位付計算キャンセル指示クリア();
            while (!f整数順次除算(ctx, 0, check)) {
            }
            EXPECT_EQ(ctx.s除算結果, whole);
            f整数順次除算終了(ctx);
            EXPECT_TRUE(ctx.p作業 == nullptr);
        }
    }
    e.t取消要求.f監視設定(nullptr);
}

TEST(Division, PowerAsDecimalText) {
    struct Case {
        const char16_t* base;
        int32_t n;
        const char16_t* want;
    };
    const Case cases[] = {
        {u"1000", 2, u"1000000"}, {u"0.0254", 1, u"0.0254"}, {u"10", 0, u"1"},
        {u"10", -1, u""},         {u"-2", 3, u"-8"},         {u"0.5", 3, u"0.125"},
        {u"1.50", 2, u"2.25"},    {u"0.3`", 2, u"0.1`"},     {u"0", 0, u"0"},
        {u"-0.2", 2, u"0.04"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(f累乗文字列計算(c.base, c.n, kNoCancel), c.want) << Utf16ToUtf8(c.base);
    }

    const std::u16string big = f累乗文字列計算(u"2", 100000, kNoCancel);
    EXPECT_EQ(big.size(), 30103u);
    EXPECT_EQ(big.substr(0, 20), u"99900209301438450794");
    EXPECT_EQ(big.substr(big.size() - 20), u"55304734389883109376");
}

}  // namespace
