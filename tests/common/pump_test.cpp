#include "common/pump.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/brelvita.h"
#include "test_support.h"

namespace {


TEST(Pump, NoCallbackIsANoOp) {
    SetMessagePump(nullptr);
    ProcessMessages();  // must simply return
}

TEST(Pump, RateLimitedAndNotReentrant) {
    PumpGuard guard;
    int runs = 0;
    SetMessagePump([&] {
        ++runs;
        ProcessMessages();  // nested call from a handler returns at once
    }, 1000);
    for (int i = 0; i < 1000; ++i) ProcessMessages();
    EXPECT_EQ(runs, 1);
    SetMessagePump([&] { ++runs; }, 0);
    for (int i = 0; i < 10; ++i) ProcessMessages();
    EXPECT_EQ(runs, 11);
}

TEST(Pump, CancelFromCallbackEndsLongMultiplication) {
    PumpGuard guard;
    SplitLimitsGuard split(4096);  // the product is formed in pieces, with checks between
    ClsBrelvita engine;
    int calls = 0;
    // The request arrives from "inside the window", after some work has been done.
    SetMessagePump([&] {
        if (++calls == 3) engine.f単位付計算キャンセル指示();
    }, 0);
    const std::u16string big(60000, u'7');
    EXPECT_THROW(engine.f自然数乗算(big, big), Eキャンセル指示);
    EXPECT_TRUE(engine.bキャンセル指示フラグ);  // whoever catches it clears the flag
    EXPECT_GE(calls, 3);
    engine.f単位付計算キャンセル指示クリア();
    EXPECT_EQ(engine.f自然数乗算(u"12", u"12"), u"144");
}

TEST(Pump, CancelledOperationsRaiseAtTheirCancellationPoint) {
    ClsBrelvita engine;
    engine.f単位付計算キャンセル指示();
    std::u16string q;
    EXPECT_THROW(engine.f自然数加算(u"1", u"1"), Eキャンセル指示);
    EXPECT_THROW(engine.f自然数比較(u"1", u"1"), Eキャンセル指示);
    EXPECT_THROW(engine.f自然数大小減算(u"2", u"1"), Eキャンセル指示);
    EXPECT_THROW(engine.f自然数商余(u"100", u"7", q), Eキャンセル指示);
    EXPECT_THROW(engine.f整数最大公約数(u"12", u"18"), Eキャンセル指示);
    // Operations that reach no cancellation point still answer.
    EXPECT_EQ(engine.f自然数乗算(u"12345", u"0"), u"0");
    EXPECT_EQ(engine.f自然数商余(u"5", u"12", q), u"5");
    EXPECT_EQ(engine.f整数最大公約数(u"0", u"12"), u"1");
}

}  // namespace
