// Runs under Wine through the cross-built gtest_main: the posix thread
// model of the MinGW runtime, which the program's threads rely on.
#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

TEST(WindowsRuntime, ThreadsShareAMutex) {
    std::mutex mutex;
    long long total = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; ++i) {
                std::lock_guard<std::mutex> lock(mutex);
                ++total;
            }
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(total, 40000);
}
