// The cancel request: its watch runs rate-limited and never nested, and a request from
// the watch or from another thread ends a long operation at its next cancellation point.
#include "engine/number/cancel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

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
// watch after some pieces were done, or from another thread while it runs.
TEST(CancelRequest, EndsALongProductFromTheWatchOrAnotherThread) {
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

    std::atomic<bool> started{false};
    request.f監視設定([&] { started = true; }, 0);
    std::thread asker([&] {
        while (!started) std::this_thread::yield();
        request.f要求();
    });
    const T整数型 huge = T整数型::f読込(std::u16string(400000, u'9'));
    bool cancelled = false;
    try {
        for (int i = 0; i < 1000 && !cancelled; ++i) f積(huge, huge, Tキャンセル検査(&request));
    } catch (const Eキャンセル指示&) {
        cancelled = true;
    }
    asker.join();
    EXPECT_TRUE(cancelled);
}

}  // namespace
