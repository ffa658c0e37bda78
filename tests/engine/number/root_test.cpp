#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/utf.h"
#include "engine/brelvita.h"
#include "engine/number/digit_strings_ref.h"
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
    void Init(const T分数型& b, int32_t n) {
        t底ワーク = b;
        l指数ワーク = n;
        s符号 = t底ワーク.t分子.f負記号() ? u"-" : u"";
        t底ワーク.t分子 = f絶対値(t底ワーク.t分子);
        s累乗根計算途中.clear();
        t累乗根計算途中 = t分数の0;
        std::u16string integer;
        f自然数商余(t底ワーク.t分子.f文字列(), t底ワーク.t分母.f文字列(), integer);
        l10指数 = static_cast<int32_t>(integer.size()) / n + 1;
        e状態 = E状態::m累乗根順次計算中状態;
    }

    bool Step() {
        if (e状態 == E状態::m累乗根計算完了状態) return true;
        if (e状態 == E状態::m累乗根符号付加中状態) {
            s累乗根計算結果 = s符号 + s累乗根計算途中;
            e状態 = E状態::m累乗根計算完了状態;
            return true;
        }
        const T分数型 u = f分数累乗(F(u"10", u"1"), l10指数, kNoCancel);
        T分数型 test = t累乗根計算途中, previous = t累乗根計算途中;
        for (int i = 1; i <= 10; ++i) {
            test = f分数加算(test, u, kNoCancel);
            const int32_t c = f分数比較(t底ワーク, f分数累乗(test, l指数ワーク, kNoCancel), kNoCancel);
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
std::vector<std::u16string> RunRoot(const T分数型& b, int32_t n, int maxSteps) {
    T分数累乗根順次計算コンテキスト型 ctx;
    f分数累乗根順次計算初期化(ctx, b, n, kNoCancel);
    std::vector<std::u16string> texts;
    for (int k = 0; k < maxSteps; ++k) {
        const bool done = f分数累乗根順次計算(ctx, 0, kNoCancel);
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
        const auto texts = RunRoot(f分数変換(c.base, kNoCancel), c.n, 100);
        ASSERT_LT(texts.size(), 100u) << U8(c.base) << " did not end";
        ASSERT_GE(texts.size(), 2u) << U8(c.base);
        EXPECT_EQ(U8(texts.back()), U8(c.want)) << U8(c.base) << " root " << c.n;
        // The exact step already shows the final text; the next one only confirms it.
        EXPECT_EQ(U8(texts[texts.size() - 2]), U8(c.want)) << U8(c.base);
        const T分数型 root = f分数累乗根(f分数変換(c.base, kNoCancel), c.n, kNoCancel);
        EXPECT_EQ(root, f分数変換(c.want, kNoCancel)) << U8(c.base);
    }
}

// The fraction of a root that ends comes from the root's state: it must be the fraction
// its final text reads as, down to the mark of lowest terms, for perfect powers of every
// sign and scale written reduced or not, and for the bases the initialisation settles.
TEST(Root, EndedRootIsTheFractionItsTextReads) {
    std::mt19937_64 rng(314159);
    std::vector<std::pair<T分数型, int32_t>> cases = {
        {F(u"0", u"1"), 2},  {F(u"-0", u"7"), 3}, {F(u"0", u"0"), 2},  {F(u"3", u"3"), 4},
        {F(u"-1", u"1"), 5}, {F(u"-5", u"5"), 3}, {F(u"1", u"1"), 0},  {F(u"2", u"3"), 0},
        {F(u"4", u"16"), 2}, {F(u"1000", u"1"), 3},
    };
    for (int i = 0; i < 400; ++i) {
        const uint64_t n = 2 + rng() % 6;
        T整数型 P = T整数型::f読込(RandomDigits(rng, 1 + static_cast<int>(rng() % 14)));
        if (n % 2 == 1 && rng() % 3 == 0) P = f符号反転(P);
        // Q = 2^a 5^b, so that the root ends; both parts times k^n (k made of 2s and 5s,
        // which keeps the root's end in sight) leave the base unreduced.
        const T整数型 Q =
            f積(T整数型(int64_t{1} << (rng() % 12)), f冪(T整数型(5), rng() % 9, kNoCancel), kNoCancel);
        static const int64_t kScales[] = {1, 1, 1, 2, 4, 5, 10, 25, 40};
        const T整数型 kn = f冪(T整数型(kScales[rng() % std::size(kScales)]), n, kNoCancel);
        const auto power = [&](const T整数型& x) { return f積(f冪(x, n, kNoCancel), kn, kNoCancel); };
        cases.push_back({{power(P), power(Q)}, static_cast<int32_t>(n)});
    }
    for (const auto& [base, n] : cases) {
        const std::string label =
            U8(base.t分子.f文字列()) + "/" + U8(base.t分母.f文字列()) + " root " + std::to_string(n);
        const std::vector<std::u16string> texts = RunRoot(base, n, 10);
        ASSERT_LT(texts.size(), 10u) << label << " did not end";
        const T分数型 got = f分数累乗根(base, n, kNoCancel);
        const T分数型 want = texts.back() == u"∞" ? t分数の無限大 : f分数変換(texts.back(), kNoCancel);
        EXPECT_EQ(got, want) << label;
        EXPECT_EQ(got.b既約確認済, want.b既約確認済) << label;
    }
}

// Steps the trial method (at most refSteps steps) and the engine side by side, the
// engine's fraction digits one per step (its goal moved on before each step): each of
// the engine's texts, up to the last one the trial method reached, must be a text the
// trial method left (with its state and place), in order; when the trial method ended,
// the engine must end the same way.
::testing::AssertionResult MatchesTrialMethod(const T分数型& base, int32_t n, int refSteps) {
    const std::string label = U8(base.t分子.f文字列()) + "/" + U8(base.t分母.f文字列()) + " root " + std::to_string(n);
    struct Seen {
        bool done;
        std::u16string text, midway;
        int32_t place;
        E状態 state;
        bool operator==(const Seen&) const = default;
    };
    RefRoot ref;
    ref.Init(base, n);
    std::vector<Seen> want;
    for (int k = 0; k < refSteps && (want.empty() || !want.back().done); ++k) {
        const bool done = ref.Step();
        want.push_back({done, ref.s累乗根計算結果, ref.s累乗根計算途中, ref.l10指数, ref.e状態});
    }
    T分数累乗根順次計算コンテキスト型 ctx;
    f分数累乗根順次計算初期化(ctx, base, n, kNoCancel);
    size_t at = 0;
    bool done = false;
    while (!done) {
        const size_t point = ctx.s累乗根計算途中.find(u'.');
        const int64_t goal =
            point == std::u16string::npos ? 1 : static_cast<int64_t>(ctx.s累乗根計算途中.size() - point);
        done = f分数累乗根順次計算(ctx, goal, kNoCancel);
        const Seen got{done, ctx.s累乗根計算結果, ctx.s累乗根計算途中, ctx.l10指数, ctx.e状態};
        if (!want.back().done && (done || got.text.size() > want.back().text.size())) break;  // beyond it
        while (at < want.size() && !(want[at] == got)) ++at;
        if (at == want.size()) {
            return ::testing::AssertionFailure() << label << ": \"" << U8(got.text) << "\" (place "
                                                 << got.place << ") is no text of the trial method";
        }
        if (!want.back().done && at + 1 == want.size()) break;  // the last step it took
    }
    if (want.back().done && !done) return ::testing::AssertionFailure() << label << ": did not end";
    return ::testing::AssertionSuccess();
}

TEST(Root, HalfwayTextsOfIrrationalRoots) {
    const std::pair<T分数型, int32_t> cases[] = {
        {F(u"2", u"1"), 2},  {F(u"401", u"1"), 2}, {F(u"1", u"50"), 2},  {F(u"1", u"1000000"), 3},
        {F(u"-2", u"1"), 3}, {F(u"1", u"3"), 2},   {F(u"2", u"1"), 12},
    };
    for (const auto& [base, n] : cases) EXPECT_TRUE(MatchesTrialMethod(base, n, 24));
    // Without a goal the blocks double from the first fraction digits on.
    const auto texts = RunRoot(F(u"2", u"1"), 2, 4);
    EXPECT_EQ(U8(texts[0]), "1");
    EXPECT_EQ(U8(texts[1]), "1.4142135623730950");
    EXPECT_EQ(texts[2].size(), 2u + 32u);
    EXPECT_EQ(texts[3].size(), 2u + 64u);
}

TEST(Root, SpecialBasesAndIndexes) {
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
        f分数累乗根順次計算初期化(ctx, c.base, c.n, kNoCancel);
        EXPECT_TRUE(f分数累乗根順次計算(ctx, 0, kNoCancel)) << c.n;
        EXPECT_EQ(U8(ctx.s累乗根計算結果), U8(c.want)) << c.n;
        EXPECT_TRUE(f分数累乗根順次計算(ctx, 0, kNoCancel));
        EXPECT_EQ(U8(ctx.s累乗根計算結果), U8(c.want));
    }
    EXPECT_EQ(f分数累乗根(F(u"2", u"1"), 0, kNoCancel), F(u"1", u"0"));
    EXPECT_EQ(f分数累乗根(F(u"-1", u"1"), 0, kNoCancel), F(u"-1", u"1"));
    EXPECT_EQ(f分数累乗根(F(u"0", u"1"), 0, kNoCancel), F(u"0", u"1"));
    // Index 1 returns the base itself, unreduced and with its sign.
    for (const T分数型& x : {F(u"-7", u"2"), F(u"6", u"4"), F(u"-3", u"0"), F(u"-0", u"5")}) {
        EXPECT_EQ(f分数累乗根(x, 1, kNoCancel), x);
    }
}

TEST(Root, Errors) {
    T分数累乗根順次計算コンテキスト型 ctx;
    const std::u16string logic = u"駄目だこりゃ! f分数累乗根順次計算初期化()で論理エラー";
    const std::u16string imaginary = u"駄目だこりゃ! 虚数はまだ対応してないのよ～ん!";
    ExpectMessage([&] { f分数累乗根順次計算初期化(ctx, F(u"2", u"1"), -1, kNoCancel); }, logic);
    // The negative index is refused before the zero base is looked at.
    ExpectMessage([&] { f分数累乗根順次計算初期化(ctx, F(u"0", u"1"), -2, kNoCancel); }, logic);
    ExpectMessage([&] { f分数累乗根順次計算初期化(ctx, F(u"2", u"1"), 1, kNoCancel); }, logic + u" その2");
    ExpectMessage([&] { f分数累乗根順次計算初期化(ctx, F(u"-4", u"1"), 2, kNoCancel); }, imaginary);
    ExpectMessage([&] { f分数累乗根順次計算初期化(ctx, F(u"-1", u"1"), 4, kNoCancel); }, imaginary);
    ExpectMessage([&] { f分数累乗根(F(u"-4", u"1"), 2, kNoCancel); }, imaginary);
    ExpectMessage([&] { f分数累乗根(F(u"-2", u"1"), 0, kNoCancel); },
                  u"駄目だこりゃ! 勘弁してね～ん。これ以上計算続けられな～い!");
    ExpectMessage([&] { f分数累乗根(F(u"2", u"1"), -3, kNoCancel); }, logic);
}

TEST(Root, InfiniteBaseFindsNoDigit) {
    struct Case {
        T分数型 base;
        int32_t n;
        std::u16string want;
    };
    const Case cases[] = {{F(u"1", u"0"), 2, u""}, {F(u"-1", u"0"), 3, u"-"}, {F(u"7", u"0"), 5, u""}};
    for (const auto& c : cases) {
        T分数累乗根順次計算コンテキスト型 ctx;
        f分数累乗根順次計算初期化(ctx, c.base, c.n, kNoCancel);
        for (int k = 0; k < 50; ++k) ASSERT_FALSE(f分数累乗根順次計算(ctx, 0, kNoCancel));
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
std::vector<RandomBase> RandomBases(uint64_t seed, int count,
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
            b = f分数累乗(f約分(F(digits(6), u"1" + scale), kNoCancel), n, kNoCancel);
        } else if (kind == 4) {
            b = f分数累乗(F(digits(7), u"1"), n, kNoCancel);
        } else if (kind == 5) {
            b = F(u"1", digits(20));
        } else if (kind == 6) {
            b = F(digits(3), digits(3));  // near 1
        } else {
            const T分数型 p = f分数累乗(F(digits(5), u"1"), n, kNoCancel);  // a perfect power ± 1
            b = f分数加算(p, F(rng() % 2 ? u"1" : u"-1", u"1"), kNoCancel);
        }
        b = f約分(b, kNoCancel);
        if (n % 2 == 1 && rng() % 3 == 0) b.t分子 = f符号反転(b.t分子);
        T分数型 magnitude = b;
        magnitude.t分子 = f絶対値(magnitude.t分子);
        if (f分数比較(magnitude, t分数の1, kNoCancel) == 0) continue;  // settled by the initialisation
        bases.push_back({b, n, kind == 3 || kind == 4});
    }
    return bases;
}

std::string Label(const RandomBase& c) {
    return U8(c.base.t分子.f文字列()) + "/" + U8(c.base.t分母.f文字列()) + " root " + std::to_string(c.n);
}

TEST(Root, MatchesTrialMethod) {
    // The trial method's cost grows quickly with the index and the number of steps.
    constexpr int kSteps[] = {0, 0, 32, 20, 14, 12};
    int ended = 0;
    for (const RandomBase& c : RandomBases(20240611, 120, {2, 2, 2, 3, 3, 4, 5})) {
        ASSERT_TRUE(MatchesTrialMethod(c.base, c.n, kSteps[c.n]));
        T分数累乗根順次計算コンテキスト型 ctx;
        f分数累乗根順次計算初期化(ctx, c.base, c.n, kNoCancel);
        bool done = false;
        for (int k = 0; k < 3 && !done; ++k) done = f分数累乗根順次計算(ctx, 0, kNoCancel);
        EXPECT_EQ(done, c.ends) << Label(c);
        ended += done ? 1 : 0;
    }
    EXPECT_GE(ended, 25);
}

// Deeper than the trial method can go in a test: after many steps the digits D with f
// digits after the point must satisfy D^n <= |base| 10^(nf) < (D + 1)^n, and a root that
// ended must raise back to the base exactly.
TEST(Root, LongExpansionsBracketTheRoot) {
    auto power = [&](const std::u16string& x, int32_t n) {
        std::u16string r = x;
        for (int32_t k = 1; k < n; ++k) r = f自然数乗算(r, x);
        return r;
    };
    for (const RandomBase& c : RandomBases(99, 64, {2, 3, 4, 5, 6, 7, 12})) {
        T分数累乗根順次計算コンテキスト型 ctx;
        f分数累乗根順次計算初期化(ctx, c.base, c.n, kNoCancel);
        const std::string label = Label(c);
        bool done = false;
        for (int k = 1; k <= 9 && !done; ++k) {  // up to 2048 fraction digits
            done = f分数累乗根順次計算(ctx, 0, kNoCancel);
            std::u16string digits = ctx.s累乗根計算途中;
            const size_t point = digits.find(u'.');
            const int32_t f = point == std::u16string::npos
                                  ? 0 : static_cast<int32_t>(digits.size() - point - 1);
            if (point != std::u16string::npos) digits.erase(point, 1);
            digits = fゼロ正規化(digits);
            const std::u16string p = f絶対値(c.base.t分子).f文字列();
            const std::u16string q = c.base.t分母.f文字列();
            const std::u16string scaled = p + StringOfZeroC(c.n * f);
            const std::u16string low = f自然数乗算(power(digits, c.n), q);
            const std::u16string high = f自然数乗算(power(f自然数加算(digits, u"1"), c.n), q);
            ASSERT_LE(f自然数比較(low, scaled), 0) << label << " step " << k;
            ASSERT_LT(f自然数比較(scaled, high), 0) << label << " step " << k;
        }
        EXPECT_EQ(done, c.ends) << label;
        if (done) {
            EXPECT_EQ(f分数累乗(f分数変換(ctx.s累乗根計算結果, kNoCancel), c.n, kNoCancel), c.base) << label;
        }
    }
}

// Large indexes, and roots that end after a long integer part.
TEST(Root, LargeIndexesMatchTrialMethod) {
    const std::pair<T分数型, int32_t> cases[] = {
        {F(u"2", u"1"), 65},
        {F(u"-3", u"7"), 67},
        {F(u"123456789012", u"1"), 66},
        {f分数累乗(F(u"3", u"2"), 65, kNoCancel), 65},    // ends with "1.5"
        {f分数累乗(F(u"12", u"1"), 80, kNoCancel), 80},   // ends with "12"
    };
    for (const auto& [base, n] : cases) EXPECT_TRUE(MatchesTrialMethod(base, n, 6));
    EXPECT_EQ(f分数累乗根(f分数累乗(F(u"3", u"2"), 65, kNoCancel), 65, kNoCancel), F(u"3", u"2"));
    EXPECT_EQ(f分数累乗根(f分数累乗(F(u"-12", u"1"), 81, kNoCancel), 81, kNoCancel), F(u"-12", u"1"));
}

// An index so large that the next digit needs numbers of billions of digits: steps still
// return at once (and can be cancelled), they only add no more digits.
TEST(Root, HugeIndexStaysResponsive) {
    T分数累乗根順次計算コンテキスト型 ctx;
    f分数累乗根順次計算初期化(ctx, F(u"2", u"1"), 2000000000, kNoCancel);
    for (int k = 0; k < 20; ++k) ASSERT_FALSE(f分数累乗根順次計算(ctx, 0, kNoCancel));
    EXPECT_EQ(U8(ctx.s累乗根計算結果), "1");
}

TEST(Root, IntegerRootOfNaturalNumbers) {
    // floor of the n-th root of the digits, and whether it is exact.
    const auto Root = [](const std::u16string& digits, int32_t n, bool& exact) {
        return f冪根(T整数型::f読込(digits), static_cast<uint64_t>(n), exact, kNoCancel).f文字列();
    };
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
        EXPECT_EQ(U8(Root(c.value, c.n, exact)), U8(c.want)) << U8(c.value) << " root " << c.n;
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
        const std::u16string power = f分数累乗(F(k, u"1"), n, kNoCancel).t分子.f文字列();
        const std::u16string below = f自然数大小減算(power, u"1");
        const std::u16string kMinus1 = f自然数大小減算(k, u"1");
        bool exact = false;
        EXPECT_EQ(U8(Root(power, n, exact)), U8(k)) << n;
        EXPECT_TRUE(exact);
        if (k != u"1") {
            EXPECT_EQ(U8(Root(below, n, exact)), U8(kMinus1)) << U8(k) << " " << n;
            EXPECT_FALSE(exact);
        }
        EXPECT_EQ(U8(Root(f自然数加算(power, u"1"), n, exact)), U8(k)) << n;
        EXPECT_FALSE(exact);
    }
}

// A copied context steps on independently of its original.
TEST(Root, CopiedContextsStepIndependently) {
    T分数累乗根順次計算コンテキスト型 a;
    f分数累乗根順次計算初期化(a, F(u"2", u"1"), 2, kNoCancel);
    for (int k = 0; k < 2; ++k) f分数累乗根順次計算(a, 0, kNoCancel);
    T分数累乗根順次計算コンテキスト型 b = a;
    for (int k = 0; k < 2; ++k) f分数累乗根順次計算(b, 0, kNoCancel);
    f分数累乗根順次計算(a, 0, kNoCancel);
    EXPECT_EQ(a.s累乗根計算結果.size(), 2u + 32u);
    EXPECT_EQ(b.s累乗根計算結果.size(), 2u + 64u);
    f分数累乗根順次計算(a, 0, kNoCancel);
    EXPECT_EQ(U8(a.s累乗根計算結果), U8(b.s累乗根計算結果));
}

TEST(Root, CancelRequestStopsAnIrrationalRoot) {
    ClsBrelvita e;
    const Tキャンセル検査 check = e.fキャンセル検査();
    int calls = 0;
    e.t取消要求.f監視設定([&] {
        if (++calls == 8) e.f単位付計算キャンセル指示();
    }, 0);
    EXPECT_THROW(f分数累乗根(F(u"2", u"1"), 2, check), Eキャンセル指示);
    EXPECT_TRUE(e.t取消要求.f要求中());
    EXPECT_GE(calls, 8);
    // An infinite base is stopped the same way.
    e.f単位付計算キャンセル指示クリア();
    calls = 0;
    EXPECT_THROW(f分数累乗根(F(u"5", u"0"), 3, check), Eキャンセル指示);
    EXPECT_TRUE(e.t取消要求.f要求中());
}

// A step interrupted by a cancel request leaves the context as it was: stepping on after
// the request is withdrawn gives the digits an uninterrupted expansion gives.
TEST(Root, InterruptedStepLeavesContextIntact) {
    ClsBrelvita e;
    const Tキャンセル検査 check = e.fキャンセル検査();
    const T分数型 base = F(u"98765432109876543210987", u"12345678901234567");
    T分数累乗根順次計算コンテキスト型 ctx;
    f分数累乗根順次計算初期化(ctx, base, 3, check);
    int calls = 0, cancels = 0;
    e.t取消要求.f監視設定([&] {  // cancels at calls 1, 2, 4, 8, ...: inside steps and between them
        ++calls;
        if ((calls & (calls - 1)) == 0) e.f単位付計算キャンセル指示();
    }, 0);
    int steps = 0;
    while (steps < 10) {
        try {
            f分数累乗根順次計算(ctx, 0, check);
            ++steps;
        } catch (const Eキャンセル指示&) {
            ++cancels;
            e.f単位付計算キャンセル指示クリア();
        }
    }
    e.t取消要求.f監視設定(nullptr);
    EXPECT_GT(cancels, 0);
    const auto texts = RunRoot(base, 3, 10);
    EXPECT_EQ(U8(ctx.s累乗根計算結果), U8(texts.back()));
}

}  // namespace
