#include <gtest/gtest.h>

#include <cmath>

#include "run_fixture.h"

namespace cj::test {
namespace {

class TimerTicks : public RunFixture {};

TEST_F(TimerTicks, EachTickBeepsAndDrawsACentredCircleFromTheNextDraw) {
    random.draws = {0.0f};  // the coding number
    random.fallback = 0.5f;
    start("1", "A", "B", "1");
    const int drawnAtStart = random.drawn;  // the coding number and the header's noise line come first
    random.draws = {0.0f, 0.5f, std::nextafter(1.0f, 0.0f)};
    for (int tick = 0; tick < 3; ++tick) run().timerTick();

    EXPECT_EQ(pictures.beeps, 3);
    EXPECT_EQ(random.drawn, drawnAtStart + 3);
    ASSERT_EQ(pictures.circles.size(), 3u);
    for (const auto& circle : pictures.circles) {
        EXPECT_EQ(circle.box, PictureBoxId::Picture1);
        EXPECT_EQ(circle.x, 500.0f);
        EXPECT_EQ(circle.y, 500.0f);
    }
    EXPECT_EQ(pictures.circles[0].radius, 0.0f);
    EXPECT_EQ(pictures.circles[1].radius, 250.0f);
    EXPECT_LT(pictures.circles[2].radius, 500.0f);
}

}  // namespace
}  // namespace cj::test
