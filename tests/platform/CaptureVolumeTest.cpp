#include <gtest/gtest.h>

#include "platform/CaptureVolume.h"

TEST(CaptureVolume, FallsBackToTheSimulatedControlWithoutACard) {
    qputenv("TOLVANE_AUDIO", "virtual");
    auto v = platform::openCaptureVolume();
    qunsetenv("TOLVANE_AUDIO");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->description(), QStringLiteral("simulated"));
    EXPECT_TRUE(v->setLevel(32'750 / 65'500.0));
    EXPECT_DOUBLE_EQ(v->level(), 0.5);
    v->setLevel(7.0);
    EXPECT_DOUBLE_EQ(v->level(), 1.0);
    v->setLevel(-1.0);
    EXPECT_DOUBLE_EQ(v->level(), 0.0);
    // Opening the real control never fails: without a card it is simulated.
    EXPECT_TRUE(platform::openCaptureVolume());
}
