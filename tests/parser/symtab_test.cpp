#include "parser/symtab.h"

#include <gtest/gtest.h>

namespace {

T単位数型 Named(const char16_t* tag) {
    T単位数型 v;
    v.s単位表記 = tag;  // any field will do to tell values apart
    return v;
}

TEST(SymTab, StoresCopiesUnderCaseSensitiveNames) {
    ClsSymTab t;
    T単位数型 out = Named(u"untouched");
    EXPECT_FALSE(t.fSym値取得(u"a", out));
    EXPECT_EQ(out.s単位表記, u"untouched");
    t.fSym値設定(u"a", 267, Named(u"1"));
    t.fSym値設定(u"b", 267, Named(u"b"));
    t.fSym値設定(u"a", 267, Named(u"2"));  // a known name keeps its entry
    EXPECT_EQ(t.Count(), 2);
    ASSERT_TRUE(t.fSym値取得(u"a", out));
    EXPECT_EQ(out.s単位表記, u"2");
    EXPECT_FALSE(t.fSym値取得(u"A", out));
    ASSERT_TRUE(t.fSym値取得(u"b", out));
    EXPECT_EQ(out.s単位表記, u"b");
    t.Clear();
    EXPECT_EQ(t.Count(), 0);
    EXPECT_FALSE(t.fSym値取得(u"a", out));
    t.fSym値設定(u"km", 267, Named(u"3"));  // works again after clearing
    ASSERT_TRUE(t.fSym値取得(u"km", out));
    EXPECT_EQ(out.s単位表記, u"3");
}

}  // namespace
