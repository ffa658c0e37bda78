#include "engine/units/semantic_code.h"

#include <gtest/gtest.h>

#include "common/exception.h"

namespace {

using A = T意味コ配列型;
const T意味コ配列要素 P{};  // the placeholder at index 0

A Parse(const std::u16string& code) {
    A a;
    f意味コ昇順配列作成(code, a);
    return a;
}

A Op(const A& x, const char16_t* op, const A& y) {
    A r;
    f意味コ演算(x, op, y, r);
    return r;
}

TEST(SemanticCode, ParsesCodeStringsIntoSortedArrays) {
    struct Case {
        std::u16string code;
        A want;
    };
    const Case cases[] = {
        {u"!1190*!1192(2)/!119621(2)", {P, {u"!1190", 1}, {u"!1192", 2}, {u"!119621", -2}}},
        {u"!1192/!119621", {P, {u"!1192", 1}, {u"!119621", -1}}},
        {u"!1190(-1)/!1192(2)*!119621(4)*!119622(2)",
         {P, {u"!1190", -1}, {u"!1192", -2}, {u"!119621", 4}, {u"!119622", 2}}},
        {u"!119622*!1190", {P, {u"!1190", 1}, {u"!119622", 1}}},  // sorted by code
        {u"!1192*x", {P, {u"!33066", 1}}},
        {u"!1192)", {P, {u"!33066", 1}}},
        {u"(!1192*!119621)", {P, {u"!1192", 1}, {u"!119621", 1}}},
    };
    for (const auto& c : cases) EXPECT_EQ(Parse(c.code), c.want);
}

TEST(SemanticCode, ProductsAndQuotients) {
    const A m = Parse(u"!1192"), s = Parse(u"!119621"), s2 = Parse(u"!119621(2)");
    const A ms = Op(m, u"*", s);
    EXPECT_EQ(Op(ms, u"/", ms), A{P});  // every dimension cancels: no element
    EXPECT_EQ(f意味コ配列比較(Op(ms, u"/", ms), f数値意味コ配列()), -1);
    EXPECT_EQ(Op(Op(m, u"/", s2), u"*", s2), m);
    EXPECT_EQ(Op(Parse(u"!1192(2)"), u"/", m), m);
    EXPECT_EQ(Op(m, u"/", s), (A{P, {u"!1192", 1}, {u"!119621", -1}}));
    EXPECT_EQ(Op(f未知意味コ配列(), u"*", m), f未知意味コ配列());
    EXPECT_EQ(Op(m, u"/", f未知意味コ配列()), f未知意味コ配列());
    EXPECT_EQ(Op(f数値意味コ配列(), u"*", m), m);
    EXPECT_EQ(Op(m, u"*", f数値意味コ配列()), m);
    EXPECT_EQ(Op(f数値意味コ配列(), u"/", m), (A{P, {u"!1192", -1}}));
    // Arrays of length 0 or 1 merge without reading past their end.
    EXPECT_EQ(Op(A{}, u"*", m), m);
    EXPECT_EQ(Op(A{P}, u"/", m), (A{P, {u"!1192", -1}}));
    EXPECT_EQ(Op(m, u"*", A{}), m);
    // Exponent arithmetic is checked.
    EXPECT_THROW(Op(A{P, {u"!1192", INT32_MAX}}, u"*", m), E整数オーバーフロー);
}

TEST(SemanticCode, ComparisonInclusionAndRoots) {
    const A m = Parse(u"!1192"), m2 = Parse(u"!1192(2)");
    EXPECT_EQ(f意味コ配列比較(m, m2), -1);
    EXPECT_EQ(f意味コ配列比較(m, m2, true), 0);
    EXPECT_EQ(f意味コ配列比較(Parse(u"!1190"), m), -1);
    EXPECT_EQ(f意味コ配列比較(A{}, A{P}), 0);
    EXPECT_TRUE(f意味コ配列包含(Parse(u"!1192*!119621"), m2));
    EXPECT_FALSE(f意味コ配列包含(m, Parse(u"!119621")));
    EXPECT_TRUE(f意味コ配列包含(m, A{}));

    A a = m2;
    EXPECT_TRUE(f基本意味コ配列変換(a, 2));
    EXPECT_EQ(a, m);
    A b = Parse(u"!1192(3)");
    EXPECT_FALSE(f基本意味コ配列変換(b, 2));
    EXPECT_EQ(b, Parse(u"!1192(3)"));
    A c = Parse(u"!119621(-1)");
    EXPECT_TRUE(f基本意味コ配列変換(c, -1));
    EXPECT_EQ(c, Parse(u"!119621"));
    A zero = m;
    EXPECT_FALSE(f基本意味コ配列変換(zero, 0));  // a root of 0 divides nothing
    EXPECT_EQ(zero, m);
}

TEST(SemanticCode, PendingCorrectionsAndTermLists) {
    const T保留補正式型 celsius{Parse(u"!11931"), u"+273.15"};
    const T保留補正式配列型 set{{}, celsius};
    EXPECT_TRUE(f保留補正式包含(set, celsius));
    EXPECT_FALSE(f保留補正式包含(set, {Parse(u"!11931"), u"+0"}));
    EXPECT_FALSE(f保留補正式包含(set, {Parse(u"!1192"), u"+273.15"}));
    EXPECT_EQ(f保留補正式比較(set, set), 0);
    EXPECT_EQ(f保留補正式比較(T保留補正式配列型{}, set), -1);
    EXPECT_EQ(f保留補正式比較(set, T保留補正式配列型{{}}), 1);

    const T単項表記配列型 km{{}, {Parse(u"!1192"), u"km"}};
    T単項表記配列型 merged;
    f単項表記リストマージ(T単項表記配列型{}, km, merged);
    ASSERT_EQ(merged.size(), 2u);
    EXPECT_EQ(merged[1].s綴り, u"km");
    const T単項表記配列型 hm{{}, {Parse(u"!119621"), u"h"}, {Parse(u"!1192"), u"m"}};
    f単項表記リストマージ(km, hm, merged);  // "m" has km's dimension: not appended
    ASSERT_EQ(merged.size(), 3u);
    EXPECT_EQ(merged[2].s綴り, u"h");
}

}  // namespace
