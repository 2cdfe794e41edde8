#include "lists/hgauge.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "common/recording_window_system.h"

namespace ondrel {
namespace {

using testing::ProgramEnded;
using testing::RecordedRectangle;
using testing::RecordingPictureBox;
using testing::RecordingWindowSystem;

constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kBackground = Rgb(10, 20, 30);

void ExpectRectangle(const RecordedRectangle& r, double x1, double x2, Colour colour) {
  EXPECT_EQ(r.x1, x1);
  EXPECT_EQ(r.y1, 0);
  EXPECT_EQ(r.x2, x2);
  EXPECT_EQ(r.y2, 1);
  EXPECT_EQ(r.colour, colour);
}

void ExpectFatalMessage(const RecordingWindowSystem& windows) {
  ASSERT_EQ(windows.messages.size(), 1u);
  EXPECT_EQ(windows.messages[0].text,
            "HGauge Object needs to be .Setup and Max & Min properties need to be set...");
  EXPECT_EQ(windows.messages[0].title, "HGauge Object");
  EXPECT_EQ(windows.messages[0].style, 0);
}

TEST(CHgauge, SetupPreparesTheBoxForAScaleOfTheRange) {
  RecordingWindowSystem windows;
  RecordingPictureBox box;
  box.backColour = kBackground;
  CHgauge gauge(windows);
  gauge.Min(10);
  gauge.Max(110);
  gauge.Setup(box);
  EXPECT_EQ(box.scaleMode, 0);
  EXPECT_TRUE(box.persistent);
  EXPECT_EQ(box.scaleHeight, 1);
  EXPECT_EQ(box.scaleWidth, 100);
  EXPECT_EQ(box.drawStyle, 0);
  EXPECT_EQ(box.drawWidth, 1);
  // The minimum only narrows the scale: a value is an x position from 0.
  gauge.Paint(50, box, kBlue);
  ASSERT_EQ(box.rectangles.size(), 1u);
  ExpectRectangle(box.rectangles[0], 0, 50, kBlue);
  EXPECT_TRUE(windows.messages.empty());
}

TEST(CHgauge, PaintGrowsTheBarAndClearsToTheBackgroundReadAtSetup) {
  RecordingWindowSystem windows;
  RecordingPictureBox box;
  box.backColour = kBackground;
  CHgauge gauge(windows);
  gauge.Max(100);
  gauge.Min(0);
  gauge.Setup(box);
  box.SetBackColour(Rgb(255, 255, 0));  // a later change of the box's colour is not used

  gauge.Paint(30, box, kBlue);
  gauge.Paint(60, box, kBlue);
  gauge.Paint(20, box, kRed);  // loses 20..60, draws no red
  gauge.Paint(50, box, kRed);
  gauge.Paint(50, box, kRed);  // an equal value: a rectangle of no width
  ASSERT_EQ(box.rectangles.size(), 5u);
  ExpectRectangle(box.rectangles[0], 0, 30, kBlue);
  ExpectRectangle(box.rectangles[1], 30, 60, kBlue);
  ExpectRectangle(box.rectangles[2], 20, 60, kBackground);
  ExpectRectangle(box.rectangles[3], 20, 50, kRed);
  ExpectRectangle(box.rectangles[4], 50, 50, kRed);
}

TEST(CHgauge, EqualOrUnsetBoundsEndTheProgramAtSetup) {
  for (const int bound : {0, 100}) {
    RecordingWindowSystem windows;
    RecordingPictureBox box;
    CHgauge gauge(windows);
    gauge.Min(bound);
    gauge.Max(bound);
    EXPECT_THROW(gauge.Setup(box), ProgramEnded);
    ExpectFatalMessage(windows);
  }
}

TEST(CHgauge, PaintBeforeSetupEndsTheProgram) {
  RecordingWindowSystem windows;
  RecordingPictureBox box;
  CHgauge gauge(windows);
  gauge.Max(100);
  EXPECT_THROW(gauge.Paint(10, box, kBlue), ProgramEnded);
  ExpectFatalMessage(windows);
  EXPECT_TRUE(box.rectangles.empty());
}

TEST(CHgauge, ARangeBeyondSixteenBitsFailsAndKeepsTheEarlierRange) {
  RecordingWindowSystem windows;
  RecordingPictureBox box;
  CHgauge fresh(windows);
  fresh.Max(32768);
  fresh.Min(0);
  try {
    fresh.Setup(box);
    FAIL() << "no overflow";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.Number(), kFailureOverflow);
  }
  EXPECT_THROW(fresh.Paint(1, box, kBlue), ProgramEnded);  // still not set up

  RecordingWindowSystem windows2;
  CHgauge gauge(windows2);
  gauge.Max(100);
  gauge.Setup(box);
  gauge.Min(-32768);
  EXPECT_THROW(gauge.Setup(box), Failure);
  gauge.Min(-2147483647 - 1);
  gauge.Max(2147483647);  // the difference overflows 32 bits already
  EXPECT_THROW(gauge.Setup(box), Failure);
  EXPECT_EQ(box.scaleWidth, 100);
  gauge.Paint(40, box, kBlue);  // the range of the earlier Setup still holds
  EXPECT_TRUE(windows2.messages.empty());
}

}  // namespace
}  // namespace ondrel
