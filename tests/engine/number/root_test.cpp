#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/utf.h"
#include "engine/brelvita.h"
#include "test_support.h"

namespace {

using E状態 = E分数累乗根順次計算内部状態;

// The trial method itself, transcribed literally: for each place, ten candidates, each
// raised to the n-th power as a fraction and compared with the base. Every text the
// engine leaves must be one the trial method leaves, with the same state, and the end
// must be the same.
struct RefRoot {
    E状態 e状態 = E状態::m累乗根計算完了状態;
    std::u16string s累乗根計算結果, s符号, s累乗根計算途中;
    T分数型 t累乗根計算途中, t底ワーク;
    int32_t l指数ワーク = 0, l10指数 = 0;

    // Only for the bases the comparison uses: not 0, not ±1, index >= 2.
    void Init(ClsBrelvita& e, const T分数型& b, int32_t n) {
        t底ワーク = b;
        l指数ワーク = n;
        s符号 = t底ワーク.t分子.f負記号() ? u"-" : u"";
        t底ワーク.t分子 = f絶対値(t底ワーク.t分子);
        s累乗根計算途中.clear();
        t累乗根計算途中 = e.t分数の0;
        std::u16string integer;
        e.f自然数商余(t底ワーク.t分子.f文字列(), t底ワーク.t分母.f文字列(), integer);
        l10指数 = static_cast<int32_t>(integer.size()) / n + 1;
        e状態 = E状態::m累乗根順次計算中状態;
    }

    bool Step(ClsBrelvita& e) {
        if (e状態 == E状態::m累乗根計算完了状態) return true;
        if (e状態 == E状態::m累乗根符号付加中状態) {
            s累乗根計算結果 = s符号 + s累乗根計算途中;
            e状態 = E状態::m累乗根計算完了状態;
            return true;
        }
        const T分数型 u = e.f分数累乗(F(u"10", u"1"), l10指数);
        T分数型 test = t累乗根計算途中, previous = t累乗根計算途中;
        for (int i = 1; i <= 10; ++i) {
            test = e.f分数加算(test, u);
            const int32_t c = e.f分数比較(t底ワーク, e.f分数累乗(test, l指数ワーク));
            if (c == 0 || c == -1) {
                if (c == -1) {
                    i = i - 1;
                    test = previous;
                }
                if (l10指数 == -1) {
                    if (s累乗根計算途中.empty()) s累乗根計算途中 = u"0";
                    s累乗根計算途中 += u".";
                }
                if (i != 0 || !s累乗根計算途中.empty()) {
                    s累乗根計算途中 += static_cast<char16_t>(u'0' + i);
                }
                if (c == 0) {
                    e状態 = E状態::m累乗根符号付加中状態;
                    if (l10指数 > 0) s累乗根計算途中 += StringOfZeroC(l10指数);
                }
                t累乗根計算途中 = test;
                l10指数 = l10指数 - 1;
                break;
            }
            previous = test;
        }
        s累乗根計算結果 = s符号 + s累乗根計算途中;
        return false;
    }
};

// Steps the engine's root until it returns true (at most maxSteps steps) and gives the
// halfway texts, the final text last.
std::vector<std::u16string> RunRoot(ClsBrelvita& e, const T分数型& b, int32_t n, int maxSteps) {
    T分数累乗根順次計算コンテキスト型 ctx;
    e.f分数累乗根順次計算初期化(ctx, b, n);
    std::vector<std::u16string> texts;
    for (int k = 0; k < maxSteps; ++k) {
        const bool done = e.f分数累乗根順次計算(ctx);
        texts.push_back(ctx.s累乗根計算結果);
        if (done) break;
    }
    return texts;
}

std::string U8(const std::u16string& s) { return Utf16ToUtf8(s); }

// Expects the message of an E一般例外 raised by body.
template <typename Body>
void ExpectMessage(Body body, const std::u16string& want) {
    try {
        body();
        ADD_FAILURE() << "no exception, wanted " << U8(want);
    } catch (const Eキャンセル指示&) {
        ADD_FAILURE() << "cancelled, wanted " << U8(want);
    } catch (const E一般例外& ex) {
        EXPECT_EQ(U8(ex.message()), U8(want));
    }
}

TEST(Root, ExactRootsEndByThemselves) {
    ClsBrelvita e;
    struct Case {
        std::u16string base;
        int32_t n;
        std::u16string want;
    };
    const Case cases[] = {
        {u"4", 2, u"2"},          {u"27", 3, u"3"},         {u"400", 2, u"20"},
        {u"1000000", 2, u"1000"}, {u"0.25", 2, u"0.5"},     {u"0.0001", 2, u"0.01"},
        {u"0.000625", 2, u"0.025"}, {u"2.25", 2, u"1.5"},   {u"-8", 3, u"-2"},
        {u"-0.001", 3, u"-0.1"},  {u"1024", 10, u"2"},      {u"100000", 5, u"10"},
        {u"3.375", 3, u"1.5"},    {u"9", 2, u"3"},          {u"0.09", 2, u"0.3"},
        {u"10000000000", 2, u"100000"},
    };
    for (const auto& c : cases) {
        const auto texts = RunRoot(e, e.f分数変換(c.base), c.n, 100);
        ASSERT_LT(texts.size(), 100u) << U8(c.base) << " did not end";
        ASSERT_GE(texts.size(), 2u) << U8(c.base);
        EXPECT_EQ(U8(texts.back()), U8(c.want)) << U8(c.base) << " root " << c.n;
        // The exact step already shows the final text; the next one only confirms it.
        EXPECT_EQ(U8(texts[texts.size() - 2]), U8(c.want)) << U8(c.base);
        EXPECT_EQ(e.f分数累乗根(e.f分数変換(c.base), c.n), e.f分数変換(c.want)) << U8(c.base);
    }
}

// Steps the trial method (at most refSteps steps) and the engine side by side, the
// engine's fraction digits one per step (its goal moved on before each step): each of
// the engine's texts, up to the last one the trial method reached, must be a text the
// trial method left (with its state and place), in order; when the trial method ended,
// the engine must end the same way.
::testing::AssertionResult MatchesTrialMethod(ClsBrelvita& e, const T分数型& base, int32_t n, int refSteps) {
    const std::string label = U8(base.t分子.f文字列()) + "/" + U8(base.t分母.f文字列()) + " root " + std::to_string(n);
    struct Seen {
        bool done;
        std::u16string text, midway;
        int32_t place;
        E状態 state;
        bool operator==(const Seen&) const = default;
    };
    RefRoot ref;
    ref.Init(e, base, n);
    std::vector<Seen> want;
    for (int k = 0; k < refSteps && (want.empty() || !want.back().done); ++k) {
        const bool done = ref.Step(e);
        want.push_back({done, ref.s累乗根計算結果, ref.s累乗根計算途中, ref.l10指数, ref.e状態});
    }
    T分数累乗根順次計算コンテキスト型 ctx;
    e.f分数累乗根順次計算初期化(ctx, base, n);
    size_t at = 0;
    bool done = false;
    while (!done) {
        const size_t point = ctx.s累乗根計算途中.find(u'.');
        e.i展開目標桁数 = point == std::u16string::npos ? 1 : static_cast<int64_t>(ctx.s累乗根計算途中.size() - point);
        done = e.f分数累乗根順次計算(ctx);
        const Seen got{done, ctx.s累乗根計算結果, ctx.s累乗根計算途中, ctx.l10指数, ctx.e状態};
        if (!want.back().done && (done || got.text.size() > want.back().text.size())) break;  // beyond it
        while (at < want.size() && !(want[at] == got)) ++at;
        if (at == want.size()) {
            e.i展開目標桁数 = 0;
            return ::testing::AssertionFailure() << label << ": \"" << U8(got.text) << "\" (place "
                                                 << got.place << ") is no text of the trial method";
        }
        if (!want.back().done && at + 1 == want.size()) break;  // the last step it took
    }
    e.i展開目標桁数 = 0;
    if (want.back().done && !done) return ::testing::AssertionFailure() << label << ": did not end";
    return ::testing::AssertionSuccess();
}

TEST(Root, HalfwayTextsOfIrrationalRoots) {
    ClsBrelvita e;
    const std::pair<T分数型, int32_t> cases[] = {
        {F(u"2", u"1"), 2},  {F(u"401", u"1"), 2}, {F(u"1", u"50"), 2},  {F(u"1", u"1000000"), 3},
        {F(u"-2", u"1"), 3}, {F(u"1", u"3"), 2},   {F(u"2", u"1"), 12},
    };
    for (const auto& [base, n] : cases) EXPECT_TRUE(MatchesTrialMethod(e, base, n, 24));
    // Without a goal the blocks double from the first fraction digits on.
    const auto texts = RunRoot(e, F(u"2", u"1"), 2, 4);
    EXPECT_EQ(U8(texts[0]), "1");
    EXPECT_EQ(U8(texts[1]), "1.4142135623730950");
    EXPECT_EQ(texts[2].size(), 2u + 32u);
    EXPECT_EQ(texts[3].size(), 2u + 64u);
}

TEST(Root, SpecialBasesAndIndexes) {
    ClsBrelvita e;
    struct Case {
        T分数型 base;
        int32_t n;
        std::u16string want;
    };
    // Settled by the initialisation: the first step returns true.
    const Case cases[] = {
        {F(u"0", u"1"), 0, u"0"},   {F(u"0", u"1"), 1, u"0"},   {F(u"0", u"1"), 2, u"0"},
        {F(u"-0", u"7"), 3, u"0"},  {F(u"0", u"0"), 2, u"0"},   {F(u"1", u"1"), 0, u"1"},
        {F(u"1", u"1"), 1, u"1"},   {F(u"1", u"1"), 2, u"1"},   {F(u"1", u"1"), 7, u"1"},
        {F(u"-1", u"1"), 1, u"-1"}, {F(u"-1", u"1"), 3, u"-1"}, {F(u"-1", u"1"), 0, u"-1"},
        {F(u"2", u"1"), 0, u"∞"},   {F(u"-2", u"1"), 0, u"±∞"}, {F(u"1", u"3"), 0, u"∞"},
    };
    for (const auto& c : cases) {
        T分数累乗根順次計算コンテキスト型 ctx;
        e.f分数累乗根順次計算初期化(ctx, c.base, c.n);
        EXPECT_TRUE(e.f分数累乗根順次計算(ctx)) << c.n;
        EXPECT_EQ(U8(ctx.s累乗根計算結果), U8(c.want)) << c.n;
        EXPECT_TRUE(e.f分数累乗根順次計算(ctx));
        EXPECT_EQ(U8(ctx.s累乗根計算結果), U8(c.want));
    }
    EXPECT_EQ(e.f分数累乗根(F(u"2", u"1"), 0), F(u"1", u"0"));
    EXPECT_EQ(e.f分数累乗根(F(u"-1", u"1"), 0), F(u"-1", u"1"));
    EXPECT_EQ(e.f分数累乗根(F(u"0", u"1"), 0), F(u"0", u"1"));
    // Index 1 returns the base itself, unreduced and with its sign.
    for (const T分数型& x : {F(u"-7", u"2"), F(u"6", u"4"), F(u"-3", u"0"), F(u"-0", u"5")}) {
        EXPECT_EQ(e.f分数累乗根(x, 1), x);
    }
}

TEST(Root, Errors) {
    ClsBrelvita e;
    T分数累乗根順次計算コンテキスト型 ctx;
    const std::u16string logic = u"駄目だこりゃ! f分数累乗根順次計算初期化()で論理エラー";
    const std::u16string imaginary = u"駄目だこりゃ! 虚数はまだ対応してないのよ～ん!";
    ExpectMessage([&] { e.f分数累乗根順次計算初期化(ctx, F(u"2", u"1"), -1); }, logic);
    // The negative index is refused before the zero base is looked at.
    ExpectMessage([&] { e.f分数累乗根順次計算初期化(ctx, F(u"0", u"1"), -2); }, logic);
    ExpectMessage([&] { e.f分数累乗根順次計算初期化(ctx, F(u"2", u"1"), 1); }, logic + u" その2");
    ExpectMessage([&] { e.f分数累乗根順次計算初期化(ctx, F(u"-4", u"1"), 2); }, imaginary);
    ExpectMessage([&] { e.f分数累乗根順次計算初期化(ctx, F(u"-1", u"1"), 4); }, imaginary);
    ExpectMessage([&] { e.f分数累乗根(F(u"-4", u"1"), 2); }, imaginary);
    ExpectMessage([&] { e.f分数累乗根(F(u"-2", u"1"), 0); },
                  u"駄目だこりゃ! 勘弁してね～ん。これ以上計算続けられな～い!");
    ExpectMessage([&] { e.f分数累乗根(F(u"2", u"1"), -3); }, logic);
    bool exact = false;
    ExpectMessage([&] { e.f自然数累乗根(u"8", 0, exact); }, u"駄目だこりゃ! f自然数累乗根()で論理エラー");
}

TEST(Root, InfiniteBaseFindsNoDigit) {
    ClsBrelvita e;
    struct Case {
        T分数型 base;
        int32_t n;
        std::u16string want;
    };
    const Case cases[] = {{F(u"1", u"0"), 2, u""}, {F(u"-1", u"0"), 3, u"-"}, {F(u"7", u"0"), 5, u""}};
    for (const auto& c : cases) {
        T分数累乗根順次計算コンテキスト型 ctx;
        e.f分数累乗根順次計算初期化(ctx, c.base, c.n);
        for (int k = 0; k < 50; ++k) ASSERT_FALSE(e.f分数累乗根順次計算(ctx));
        EXPECT_EQ(U8(ctx.s累乗根計算結果), U8(c.want));
        EXPECT_EQ(ctx.l10指数, 1);
    }
}

struct RandomBase {
    T分数型 base;
    int32_t n;
    bool ends;  // a perfect power of a terminating decimal: its root ends by itself
};

// Bases of every kind with indexes drawn from the list: fractions and integers of up to
// 30 digits, bases below 1, perfect powers and their neighbours, negative odd roots.
std::vector<RandomBase> RandomBases(ClsBrelvita& e, uint64_t seed, int count,
                                    const std::vector<int32_t>& indexes) {
    std::mt19937_64 rng(seed);
    auto digits = [&](int maxLen) {
        const int len = 1 + static_cast<int>(rng() % static_cast<uint64_t>(maxLen));
        std::u16string s(1, static_cast<char16_t>(u'1' + rng() % 9));
        while (static_cast<int>(s.size()) < len) s += static_cast<char16_t>(u'0' + rng() % 10);
        return s;
    };
    std::vector<RandomBase> bases;
    for (int k = 0; k < count; ++k) {
        const int32_t n = indexes[rng() % indexes.size()];
        const int kind = k % 8;
        T分数型 b;
        if (kind == 0) {
            b = F(digits(30), digits(30));
        } else if (kind == 1) {
            b = F(digits(30), u"1");
        } else if (kind == 2) {
            b = F(digits(8), digits(12) + u"000");  // mostly below 1
        } else if (kind == 3) {
            const auto scale = StringOfZeroC(static_cast<int32_t>(rng() % 5));
            b = e.f分数累乗(e.f約分(F(digits(6), u"1" + scale)), n);
        } else if (kind == 4) {
            b = e.f分数累乗(F(digits(7), u"1"), n);
        } else if (kind == 5) {
            b = F(u"1", digits(20));
        } else if (kind == 6) {
            b = F(digits(3), digits(3));  // near 1
        } else {
            const T分数型 p = e.f分数累乗(F(digits(5), u"1"), n);  // a perfect power ± 1
            b = e.f分数加算(p, F(rng() % 2 ? u"1" : u"-1", u"1"));
        }
        b = e.f約分(b);
        if (n % 2 == 1 && rng() % 3 == 0) b.t分子 = f符号反転(b.t分子);
        T分数型 magnitude = b;
        magnitude.t分子 = f絶対値(magnitude.t分子);
        if (e.f分数比較(magnitude, e.t分数の1) == 0) continue;  // settled by the initialisation
        bases.push_back({b, n, kind == 3 || kind == 4});
    }
    return bases;
}

std::string Label(const RandomBase& c) {
    return U8(c.base.t分子.f文字列()) + "/" + U8(c.base.t分母.f文字列()) + " root " + std::to_string(c.n);
}

TEST(Root, MatchesTrialMethod) {
    ClsBrelvita e;
    // The trial method's cost grows quickly with the index and the number of steps.
    constexpr int kSteps[] = {0, 0, 32, 20, 14, 12};
    int ended = 0;
    for (const RandomBase& c : RandomBases(e, 20240611, 120, {2, 2, 2, 3, 3, 4, 5})) {
        ASSERT_TRUE(MatchesTrialMethod(e, c.base, c.n, kSteps[c.n]));
        T分数累乗根順次計算コンテキスト型 ctx;
        e.f分数累乗根順次計算初期化(ctx, c.base, c.n);
        bool done = false;
        for (int k = 0; k < 3 && !done; ++k) done = e.f分数累乗根順次計算(ctx);
        EXPECT_EQ(done, c.ends) << Label(c);
        ended += done ? 1 : 0;
    }
    EXPECT_GE(ended, 25);
}

// Deeper than the trial method can go in a test: after many steps the digits D with f
// digits after the point must satisfy D^n <= |base| 10^(nf) < (D + 1)^n, and a root that
// ended must raise back to the base exactly.
TEST(Root, LongExpansionsBracketTheRoot) {
    ClsBrelvita e;
    auto power = [&](const std::u16string& x, int32_t n) {
        std::u16string r = x;
        for (int32_t k = 1; k < n; ++k) r = e.f自然数乗算(r, x);
        return r;
    };
    for (const RandomBase& c : RandomBases(e, 99, 64, {2, 3, 4, 5, 6, 7, 12})) {
        T分数累乗根順次計算コンテキスト型 ctx;
        e.f分数累乗根順次計算初期化(ctx, c.base, c.n);
        const std::string label = Label(c);
        bool done = false;
        for (int k = 1; k <= 9 && !done; ++k) {  // up to 2048 fraction digits
            done = e.f分数累乗根順次計算(ctx);
            std::u16string digits = ctx.s累乗根計算途中;
            const size_t point = digits.find(u'.');
            const int32_t f = point == std::u16string::npos
                                  ? 0 : static_cast<int32_t>(digits.size() - point - 1);
            if (point != std::u16string::npos) digits.erase(point, 1);
            digits = fゼロ正規化(digits);
            const std::u16string p = f絶対値(c.base.t分子).f文字列();
            const std::u16string q = c.base.t分母.f文字列();
            const std::u16string scaled = p + StringOfZeroC(c.n * f);
            const std::u16string low = e.f自然数乗算(power(digits, c.n), q);
            const std::u16string high = e.f自然数乗算(power(e.f自然数加算(digits, u"1"), c.n), q);
            ASSERT_LE(e.f自然数比較(low, scaled), 0) << label << " step " << k;
            ASSERT_LT(e.f自然数比較(scaled, high), 0) << label << " step " << k;
        }
        EXPECT_EQ(done, c.ends) << label;
        if (done) {
            EXPECT_EQ(e.f分数累乗(e.f分数変換(ctx.s累乗根計算結果), c.n), c.base) << label;
        }
    }
}

// Large indexes, and roots that end after a long integer part.
TEST(Root, LargeIndexesMatchTrialMethod) {
    ClsBrelvita e;
    const std::pair<T分数型, int32_t> cases[] = {
        {F(u"2", u"1"), 65},
        {F(u"-3", u"7"), 67},
        {F(u"123456789012", u"1"), 66},
        {e.f分数累乗(F(u"3", u"2"), 65), 65},    // ends with "1.5"
        {e.f分数累乗(F(u"12", u"1"), 80), 80},   // ends with "12"
    };
    for (const auto& [base, n] : cases) EXPECT_TRUE(MatchesTrialMethod(e, base, n, 6));
    EXPECT_EQ(e.f分数累乗根(e.f分数累乗(F(u"3", u"2"), 65), 65), F(u"3", u"2"));
    EXPECT_EQ(e.f分数累乗根(e.f分数累乗(F(u"-12", u"1"), 81), 81), F(u"-12", u"1"));
}

// An index so large that the next digit needs numbers of billions of digits: steps still
// return at once (and can be cancelled), they only add no more digits.
TEST(Root, HugeIndexStaysResponsive) {
    ClsBrelvita e;
    T分数累乗根順次計算コンテキスト型 ctx;
    e.f分数累乗根順次計算初期化(ctx, F(u"2", u"1"), 2000000000);
    for (int k = 0; k < 20; ++k) ASSERT_FALSE(e.f分数累乗根順次計算(ctx));
    EXPECT_EQ(U8(ctx.s累乗根計算結果), "1");
}

TEST(Root, NaturalRoot) {
    ClsBrelvita e;
    struct Case {
        std::u16string value;
        int32_t n;
        std::u16string want;
        bool exact;
    };
    const Case cases[] = {
        {u"0", 2, u"0", true},        {u"1", 2, u"1", true},      {u"2", 2, u"1", false},
        {u"3", 2, u"1", false},       {u"4", 2, u"2", true},      {u"99", 2, u"9", false},
        {u"100", 2, u"10", true},     {u"1000000", 2, u"1000", true}, {u"999999", 3, u"99", false},
        {u"007", 1, u"7", true},      {u"0027", 3, u"3", true},   {u"1", 1000000000, u"1", true},
        {u"123456789", 1000000000, u"1", false}, {u"1024", 10, u"2", true}, {u"1023", 10, u"1", false},
    };
    for (const auto& c : cases) {
        bool exact = !c.exact;
        EXPECT_EQ(U8(e.f自然数累乗根(c.value, c.n, exact)), U8(c.want)) << U8(c.value) << " root " << c.n;
        EXPECT_EQ(exact, c.exact) << U8(c.value) << " root " << c.n;
    }
    // k^n is exact, k^n - 1 has the floor k - 1, k^n + 1 the floor k; both inexact.
    std::mt19937_64 rng(77);
    for (int t = 0; t < 120; ++t) {
        const int32_t n = t % 4 == 3 ? 65 + static_cast<int32_t>(rng() % 40)
                                      : 2 + static_cast<int32_t>(rng() % 8);
        std::u16string k(1, static_cast<char16_t>(u'1' + rng() % 9));
        for (int len = 1 + static_cast<int>(rng() % 25); static_cast<int>(k.size()) < len;) {
            k += static_cast<char16_t>(u'0' + rng() % 10);
        }
        const std::u16string power = e.f分数累乗(F(k, u"1"), n).t分子.f文字列();
        const std::u16string below = e.f自然数大小減算(power, u"1");
        const std::u16string kMinus1 = e.f自然数大小減算(k, u"1");
        bool exact = false;
        EXPECT_EQ(U8(e.f自然数累乗根(power, n, exact)), U8(k)) << n;
        EXPECT_TRUE(exact);
        if (k != u"1") {
            EXPECT_EQ(U8(e.f自然数累乗根(below, n, exact)), U8(kMinus1)) << U8(k) << " " << n;
            EXPECT_FALSE(exact);
        }
        EXPECT_EQ(U8(e.f自然数累乗根(e.f自然数加算(power, u"1"), n, exact)), U8(k)) << n;
        EXPECT_FALSE(exact);
    }
}

// A copied context steps on independently of its original.
TEST(Root, CopiedContextsStepIndependently) {
    ClsBrelvita e;
    T分数累乗根順次計算コンテキスト型 a;
    e.f分数累乗根順次計算初期化(a, F(u"2", u"1"), 2);
    for (int k = 0; k < 2; ++k) e.f分数累乗根順次計算(a);
    T分数累乗根順次計算コンテキスト型 b = a;
    for (int k = 0; k < 2; ++k) e.f分数累乗根順次計算(b);
    e.f分数累乗根順次計算(a);
    EXPECT_EQ(a.s累乗根計算結果.size(), 2u + 32u);
    EXPECT_EQ(b.s累乗根計算結果.size(), 2u + 64u);
    e.f分数累乗根順次計算(a);
    EXPECT_EQ(U8(a.s累乗根計算結果), U8(b.s累乗根計算結果));
}

TEST(Root, CancelRequestStopsAnIrrationalRoot) {
    ClsBrelvita e;
    int calls = 0;
    e.t取消要求.f監視設定([&] {
        if (++calls == 8) e.f単位付計算キャンセル指示();
    }, 0);
    EXPECT_THROW(e.f分数累乗根(F(u"2", u"1"), 2), Eキャンセル指示);
    EXPECT_TRUE(e.t取消要求.f要求中());
    EXPECT_GE(calls, 8);
    // An infinite base is stopped the same way.
    e.f単位付計算キャンセル指示クリア();
    calls = 0;
    EXPECT_THROW(e.f分数累乗根(F(u"5", u"0"), 3), Eキャンセル指示);
    EXPECT_TRUE(e.t取消要求.f要求中());
}

// A step interrupted by a cancel request leaves the context as it was: stepping on after
// the request is withdrawn gives the digits an uninterrupted expansion gives.
TEST(Root, InterruptedStepLeavesContextIntact) {
    ClsBrelvita e;
    const T分数型 base = F(u"98765432109876543210987", u"12345678901234567");
    T分数累乗根順次計算コンテキスト型 ctx;
    e.f分数累乗根順次計算初期化(ctx, base, 3);
    int calls = 0, cancels = 0;
    e.t取消要求.f監視設定([&] {  // cancels at calls 1, 2, 4, 8, ...: inside steps and between them
        ++calls;
        if ((calls & (calls - 1)) == 0) e.f単位付計算キャンセル指示();
    }, 0);
    int steps = 0;
    while (steps < 10) {
        try {
            e.f分数累乗根順次計算(ctx);
            ++steps;
        } catch (const Eキャンセル指示&) {
            ++cancels;
            e.f単位付計算キャンセル指示クリア();
        }
    }
    e.t取消要求.f監視設定(nullptr);
    EXPECT_GT(cancels, 0);
    const auto texts = RunRoot(e, base, 3, 10);
    EXPECT_EQ(U8(ctx.s累乗根計算結果), U8(texts.back()));
}

}  // namespace
