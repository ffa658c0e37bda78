// The notation composed for a derived dimension from the unit terms the operands had.
#include <gtest/gtest.h>

#include "common/utf.h"
#include "engine/brelvita.h"

namespace {

class DisplayNotation : public ::testing::Test {
protected:
    ClsBrelvita e;

    // The dimension of a notation.
    T意味コ配列型 Dim(const std::u16string& notation) {
        T意味コ配列型 dim;
        T単項表記配列型 terms;
        std::u16string formula;
        T保留補正式配列型 pending;
        e.f意味コ変換(notation, dim, terms, formula, pending);
        return dim;
    }

    // The unit terms of several notations, one after the other.
    T単項表記配列型 Terms(std::initializer_list<const char16_t*> notations) {
        T単項表記配列型 all(1);
        for (const char16_t* n : notations) {
            T意味コ配列型 dim;
            T単項表記配列型 terms;
            std::u16string formula;
            T保留補正式配列型 pending;
            e.f意味コ変換(n, dim, terms, formula, pending);
            all.insert(all.end(), terms.begin() + 1, terms.end());
        }
        return all;
    }
};

TEST_F(DisplayNotation, WorkedResults) {
    struct Case {
        const char16_t* dimensionOf;  // a notation with the wanted dimension
        std::initializer_list<const char16_t*> unary;
        std::u16string want;
    };
    const Case cases[] = {
        {u"m/s", {u"m", u"h"}, u"m/h"},
        {u"m/s", {u"km", u"!time"}, u"km/!time"},
        {u"m2", {u"cm"}, u"cm2"},
        {u"m3", {u"km"}, u"km3"},
        {u"s", {u"km", u"h"}, u"h"},
        {u"s-1", {u"min"}, u"min-1"},
        {u"m/s2", {}, u"m/s2"},
        {u"N", {u"kg", u"m", u"s2"}, u"N"},
        {u"N", {u"kN"}, u"kN"},
        {u"g2", {u"g"}, u"g2"},
        {u"s2", {u"min"}, u"min2"},
        {u"m4", {u"km"}, u"km4"},
        {u"g/m3", {u"g", u"l"}, u"g/l"},
        {u"g*A/s", {}, u"g/s*A"},           // unnamed, base spellings from the catalogue
        {u"m2/s2", {u"m", u"s"}, u"Gy"},    // the first matching row decides the spelling
        {u"m/s", {u"m", u"s"}, u"m/s"},
        {u"J/g/s", {}, u"Gy/s"},
        {u"s-2*m-1", {}, u"m-1/s2"},
        // products and quotients the calculator forms: the operands' terms, merged
        {u"N*m", {u"N", u"m"}, u"J"},
        {u"J/m", {u"J", u"m"}, u"N"},
        {u"N/m2", {u"N", u"m2"}, u"Pa"},
        {u"MPa*m2", {u"MPa", u"m2"}, u"N"},
        {u"V*s", {u"V", u"s"}, u"Wb"},
        {u"Wb/m2", {u"Wb", u"m2"}, u"T"},
        {u"Wb/A", {u"Wb", u"A"}, u"H"},
        {u"A/V", {u"A", u"V"}, u"S"},
        {u"C/V", {u"C", u"V"}, u"F"},
        {u"s-1", {u"s"}, u"s-1"},
        {u"g2", {u"g"}, u"g2"},
        {u"J/kg/s", {u"J", u"kg", u"s"}, u"Gy/s"},
        {u"J/kg", {u"J", u"kg"}, u"Gy"},
        {u"m/s", {u"cm", u"min"}, u"cm/min"},
        // the user's terms would compose a notation the reader refuses: catalogue spellings
        {u"m333334", {u"mm", u"m333333"}, u"m333334"},  // "mm333334": prefix power beyond the bound
        {u"s619467/m309734", {u"h"}, u"m-309734*s619467"},  // "h619467": a factor of 2.2M digits
    };
    for (const auto& c : cases) {
        std::u16string notation, formula;
        T保留補正式配列型 pending;
        e.f単位表記変換(Dim(c.dimensionOf), Terms(c.unary), notation, formula, pending);
        EXPECT_EQ(notation, c.want) << Utf16ToUtf8(c.want);
    }
}

TEST_F(DisplayNotation, FormulaAndPendingFollowTheComposedNotation) {
    std::u16string notation, formula;
    T保留補正式配列型 pending;
    EXPECT_TRUE(e.f単位表記変換(Dim(u"m/s"), Terms({u"km", u"h"}), notation, formula, pending));
    EXPECT_EQ(formula, u"*1000*1/3600");
    EXPECT_FALSE(e.f単位表記変換(Dim(u"K2"), Terms({u"°C"}), notation, formula, pending));
    EXPECT_EQ(notation, u"°C2");
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_EQ(pending[1].s基底値補正式, u"+273.15");
    // A dimensionless result has no notation at all.
    EXPECT_FALSE(e.f単位表記変換(T意味コ配列型(1), Terms({u"m"}), notation, formula, pending));
    EXPECT_EQ(notation, u"");
}

TEST_F(DisplayNotation, ZeroExponentsDivideNothing) {
    std::u16string notation, formula;
    T保留補正式配列型 pending;
    for (const char16_t* zero : {u"m0", u"m-", u"m00"}) {
        e.f単位表記変換(Dim(zero), Terms({zero, u"h"}), notation, formula, pending);
        EXPECT_EQ(notation, u"m0");
        e.f単位表記変換(Dim(u"m/s"), Terms({zero, u"s-"}), notation, formula, pending);
        EXPECT_EQ(notation, u"km/h");  // the defaults: no zero-exponent term fits a slot
    }
    // "a0" (are, 100 m², to the 0th) spells neither m nor m²: the user's km does.
    for (const char16_t* zero : {u"a0", u"a-", u"a00"}) {
        e.f単位表記変換(Dim(u"m*s"), Terms({zero, u"km", u"s"}), notation, formula, pending);
        EXPECT_EQ(notation, u"km*s") << Utf16ToUtf8(zero);
    }
}

TEST_F(DisplayNotation, ACodeWithoutAnySpellingIsAnInternalError) {
    std::u16string notation, formula;
    T保留補正式配列型 pending;
    const T意味コ配列型 strange{{}, {u"!12345", 1}};
    EXPECT_THROW(e.f単位表記変換(strange, Terms({u"m"}), notation, formula, pending), E一般例外);
}

}  // namespace
