// Workers compute in the full extended format: a thread whose x87 precision control were set to
// 53 bits (as threads from CreateThread start on Windows) would round every long double result
// to double precision without any other sign.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>

namespace {

// 1 + 2^-63 survives only with the 64-bit significand; volatile keeps the sum at run time, on
// the thread that evaluates it.
bool AddsInExtended() {
    volatile long double one = 1.0L;
    volatile long double tiny = std::ldexp(1.0L, -63);
    const long double sum = one + tiny;
    return sum != 1.0L;
}

TEST(ThreadPrecision, MainAndWorkerThreadsComputeInExtended) {
    EXPECT_TRUE(AddsInExtended());
    bool worker = false;
    std::thread t([&] { worker = AddsInExtended(); });
    t.join();
    EXPECT_TRUE(worker);
}

} // namespace
