#include <gtest/gtest.h>

#include <algorithm>

#include "control_table.h"

namespace cj::test {
namespace {

using form::Control;

// Neighbours share an edge one pixel deep at 96 dots per inch, their borders falling on one another.
constexpr int kSharedEdgeTwips = 15;
// The buttons at the right and bottom edges run four pixels past them, where the window clips them.
constexpr int kClippedTwips = 60;

// How far two stretches of one axis overlap; not above zero when they do not.
int overlap(int start, int length, int otherStart, int otherLength) {
    return std::min(start + length, otherStart + otherLength) - std::max(start, otherStart);
}

// A label may lie partly under the box it names, that is, the box described by its caption.
bool labels(const Control& label, const Control& box) {
    return label.kind == form::Kind::Label && label.text == box.describedAs;
}

TEST(FormLayout, NoTwoControlsOverlapBeyondASharedEdge) {
    const auto all = form::controls();
    for (auto one = all.begin(); one != all.end(); ++one) {
        for (auto other = one + 1; other != all.end(); ++other) {
            if (labels(*one, *other) || labels(*other, *one)) continue;
            const form::TwipRect& a = one->place;
            const form::TwipRect& b = other->place;
            const int across = overlap(a.left, a.width, b.left, b.width);
            const int down = overlap(a.top, a.height, b.top, b.height);
            EXPECT_LE(std::min(across, down), kSharedEdgeTwips) << one->name << " and " << other->name;
        }
    }
}

TEST(FormLayout, EveryControlLiesInTheClientArea) {
    for (const Control& control : form::controls()) {
        const form::TwipRect& place = control.place;
        EXPECT_GE(std::min(place.left, place.top), 0) << control.name;
        EXPECT_LE(place.left + place.width, form::kClientWidthTwips + kClippedTwips) << control.name;
        EXPECT_LE(place.top + place.height, form::kClientHeightTwips + kClippedTwips) << control.name;
    }
}

}  // namespace
}  // namespace cj::test
