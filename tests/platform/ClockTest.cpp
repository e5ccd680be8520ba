#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace {

class SteppedClockTest : public ::testing::Test {
protected:
    void TearDown() override { useRealClock(); }
};

TEST_F(SteppedClockTest, AdvancesOnlyWhenAFrameIsCounted) {
    useSteppedClock(40.0);
    EXPECT_TRUE(clockIsStepped());
    EXPECT_EQ(tickCount(), 0u);
    EXPECT_EQ(tickCount(), 0u);
    advanceSteppedClock();
    EXPECT_EQ(tickCount(), 40u);
    setSteppedTime(1000.0);
    EXPECT_EQ(tickCount(), 1000u);
    advanceSteppedClock();
    EXPECT_EQ(tickCount(), 1040u);
}

TEST_F(SteppedClockTest, FractionalStepsDoNotDrift) {
    // 30 frames per second: 33.33 ms each, whole seconds land exactly.
    useSteppedClock(1000.0 / 30.0);
    advanceSteppedClock();
    EXPECT_EQ(tickCount(), 33u);
    for (int i = 1; i < 30 * 229; ++i) advanceSteppedClock();
    EXPECT_EQ(tickCount(), 229000u);
}

TEST_F(SteppedClockTest, RealClockCountsFromProgramStart) {
    useSteppedClock(10.0);
    useRealClock();
    EXPECT_FALSE(clockIsStepped());
    const uint32_t first = tickCount();
    // A test program has run for well under a day: no boot-time offset.
    EXPECT_LT(first, 24u * 3600u * 1000u);
    EXPECT_GE(tickCount(), first);
    advanceSteppedClock();  // no effect on the real clock
    EXPECT_LT(wallClockSeconds(), 24.0 * 3600.0);
}

TEST(MessageBoxTest, HeadlessBoxGoesToStandardErrorAndCounts) {
    setHeadlessMessages(true);
    EXPECT_TRUE(headlessMessages());
    const int before = messageBoxCount();
    ::testing::internal::CaptureStderr();
    showMessageBox("data/missing.jpg", "-=(Status)=-");
    showMessageBox(nullptr, nullptr);
    const std::string text = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(text, "-=(Status)=-: data/missing.jpg\n: \n");
    EXPECT_EQ(messageBoxCount(), before + 2);
}

TEST(MessageBoxTest, SteppedClockMakesTheRunHeadless) {
    setHeadlessMessages(false);
    useSteppedClock(10.0);
    EXPECT_TRUE(headlessMessages());
    useRealClock();
    setHeadlessMessages(true);
}

}  // namespace
