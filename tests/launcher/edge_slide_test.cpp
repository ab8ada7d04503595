#include <gtest/gtest.h>

#include <vector>

#include "launcher/edge_slide.h"

namespace {

const ScreenRect kArea{0, 0, 1024, 680};

ScreenRect at(int left, int top, int width = 200, int height = 150) {
    return ScreenRect{left, top, left + width, top + height};
}

TEST(EdgeSlide, HidingPicksTheFirstEdgeTouchedAndLeavesTwoPixels) {
    const Slide right = hideSlide(at(824, 530), kArea);  // touches right and bottom
    EXPECT_EQ(right.direction, kSlideRight);
    EXPECT_EQ(right.target, 1022);
    const Slide left = hideSlide(at(0, 100), kArea);
    EXPECT_EQ(left.direction, kSlideLeft);
    EXPECT_EQ(left.target, -198);  // its right 2 pixels stay
    const Slide down = hideSlide(at(300, 530), kArea);
    EXPECT_EQ(down.direction, kSlideDown);
    EXPECT_EQ(down.target, 678);
    const Slide up = hideSlide(at(300, -20), kArea);
    EXPECT_EQ(up.direction, kSlideUp);
    EXPECT_EQ(up.target, -148);

    EXPECT_EQ(hideSlide(at(1, 100), kArea).direction, 0) << "one pixel in does not touch the left edge";
    EXPECT_EQ(hideSlide(at(400, 300), kArea).direction, 0) << "the middle of the screen";
    EXPECT_EQ(hideSlide(at(1025, 100), kArea).direction, 0) << "wholly outside";
}

TEST(EdgeSlide, AHiddenWindowHidesAtTheSameEdgeOfANewWorkArea) {
    const ScreenRect smaller{0, 0, 800, 560};  // the display made smaller, the taskbar below
    const ScreenRect belowOld = hiddenAtEdgeOf(at(300, 678), kSlideDown, smaller);
    EXPECT_EQ(belowOld.top, 558);
    EXPECT_EQ(belowOld.left, 300);
    EXPECT_EQ(belowOld.bottom - belowOld.top, 150);
    const ScreenRect right = hiddenAtEdgeOf(at(1022, 500), kSlideRight, smaller);
    EXPECT_EQ(right.left, 798);
    EXPECT_EQ(right.top, 410) << "along the edge it stays whole in the area";
    const ScreenRect left = hiddenAtEdgeOf(at(-198, 100), kSlideLeft, ScreenRect{40, 0, 1024, 680});
    EXPECT_EQ(left.left, -158) << "the taskbar went to the left: 2 pixels right of it";
    const ScreenRect up = hiddenAtEdgeOf(at(900, -148), kSlideUp, ScreenRect{0, 30, 800, 600});
    EXPECT_EQ(up.top, -118);
    EXPECT_EQ(up.left, 600);
}

TEST(EdgeSlide, ShowingBringsEveryEdgeBackInsideUnlessTheWindowIsLost) {
    const std::vector<Slide> corner = showSlides(at(1022, 600), kArea);
    ASSERT_EQ(corner.size(), 2u);
    EXPECT_EQ(corner[0].direction, kSlideLeft);
    EXPECT_EQ(corner[0].target, 824);
    EXPECT_EQ(corner[1].direction, kSlideUp);
    EXPECT_EQ(corner[1].target, 530);
    const std::vector<Slide> topLeft = showSlides(at(-198, -148), kArea);
    ASSERT_EQ(topLeft.size(), 2u);
    EXPECT_EQ(topLeft[0].direction, kSlideRight);
    EXPECT_EQ(topLeft[0].target, 0);
    EXPECT_EQ(topLeft[1].direction, kSlideDown);
    EXPECT_EQ(topLeft[1].target, 0);

    EXPECT_TRUE(showSlides(at(824, 530), kArea).empty()) << "touching the edges is inside";
    EXPECT_TRUE(showSlides(at(2000, 100), kArea).empty());
    EXPECT_TRUE(windowOffWorkArea(at(-201, 100), kArea));
    EXPECT_FALSE(windowOffWorkArea(at(-200, 100), kArea)) << "its right edge on the work area's left edge";
    EXPECT_TRUE(windowOffWorkArea(at(100, 681), kArea));
}

TEST(EdgeSlide, StepsEndExactlyOnTheTarget) {
    EXPECT_EQ(slidePositions(100, Slide{kSlideRight, 120}, 7), (std::vector<int>{107, 114, 120}));
    EXPECT_EQ(slidePositions(120, Slide{kSlideLeft, 100}, 7), (std::vector<int>{113, 106, 100}));
    EXPECT_EQ(slidePositions(100, Slide{kSlideDown, 114}, 7), (std::vector<int>{107, 114}));
    EXPECT_EQ(slidePositions(100, Slide{kSlideUp, 50}, 0), (std::vector<int>{50})) << "no animation: one jump";
    EXPECT_EQ(slidePositions(100, Slide{kSlideRight, 98}, 7), (std::vector<int>{98})) << "already past the target";
    EXPECT_EQ(slidePositions(2147483000, Slide{kSlideRight, 2147483600}, 2147483000), (std::vector<int>{2147483600}));
}

TEST(EdgeSlide, TheTickHidesOnlyAfterThePointerWasThereAndHasBeenAwayLongEnough) {
    EdgeTimes times;
    EXPECT_EQ(edgeTimerVerdict(times, 5000, 0, true, false), EdgeVerdict::None) << "never over the window yet";
    EXPECT_EQ(edgeTimerVerdict(times, 5250, 0, true, true), EdgeVerdict::None);
    EXPECT_EQ(times.mouseOver, 5250u);
    EXPECT_EQ(edgeTimerVerdict(times, 5500, 0, true, false), EdgeVerdict::Hide) << "a delay of 0: the next tick";

    times = EdgeTimes{5000, 0};
    EXPECT_EQ(edgeTimerVerdict(times, 7000, 2000, true, false), EdgeVerdict::None) << "not past the delay yet";
    EXPECT_EQ(edgeTimerVerdict(times, 7001, 2000, true, false), EdgeVerdict::Hide);
    EXPECT_EQ(edgeTimerVerdict(times, 9000, 2000, false, false), EdgeVerdict::None) << "auto-hide off";

    times = EdgeTimes{0, 0xFFFFFF00u};  // the tick count wraps meanwhile
    EXPECT_EQ(edgeTimerVerdict(times, 0xF0, 0x1FF, false, false), EdgeVerdict::None);
    EXPECT_EQ(edgeTimerVerdict(times, 0x100, 0x1FF, false, false), EdgeVerdict::HideOrClose);
    times = EdgeTimes{100, 100};
    EXPECT_EQ(edgeTimerVerdict(times, 200, 50, true, true), EdgeVerdict::HideOrClose) << "auto close comes first";
}

}  // namespace
