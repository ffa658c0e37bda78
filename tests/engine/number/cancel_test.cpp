// The cancel request: its watch runs rate-limited and never nested, and a request from
// the watch ends a long operation at its next cancellation point.
#include "engine/number/cancel.h"

#include <gtest/gtest.h>

#include "engine/number/integer.h"
#include "test_support.h"

namespace {

TEST(CancelRequest, WatchIsRateLimitedAndNotReentrant) {
    T取消要求 request;
    request.f検査();  // no watch, no request: simply returns
    int runs = 0;
    request.f監視設定([&] {
        ++runs;
        request.f監視();  // a nested call from the watch returns at once
    }, 1000);
    for (int i = 0; i < 1000; ++i) request.f検査();
    EXPECT_EQ(runs, 1);
    request.f監視設定([&] { ++runs; }, 0);
    for (int i = 0; i < 10; ++i) request.f検査();
    EXPECT_EQ(runs, 11);
}

// A product of numbers longer than one GMP call may take: the request arrives from the
// watch after some pieces were done. (A request from another thread: evaluator_test.cpp.)
TEST(CancelRequest, EndsALongProductFromTheWatch) {
    SplitLimitsGuard split(4096);
    const T整数型 big = T整数型::f読込(std::u16string(60000, u'7'));
    T取消要求 request;
    int calls = 0;
    request.f監視設定([&] {
        if (++calls == 3) request.f要求();
    }, 0);
    EXPECT_THROW(f積(big, big, Tキャンセル検査(&request)), Eキャンセル指示);
    EXPECT_GE(calls, 3);
    EXPECT_TRUE(request.f要求中());  // whoever catches it withdraws the request
    request.f取下げ();
    request.f監視設定(nullptr);
    EXPECT_EQ(f積(T整数型(12), T整数型(12), Tキャンセル検査(&request)), T整数型(144));
}

}  // namespace
