// The terminal picture box: scale units map to columns, drawings are kept, and colours show
// as ANSI backgrounds or, without colours, as one character per colour.
#include "cli/terminal_picture_box.h"

#include <gtest/gtest.h>

namespace ondrel::cli {
namespace {

constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kYellow = Rgb(255, 255, 0);
constexpr Colour kGreen = Rgb(0, 255, 0);

std::string Rendered(const TerminalPictureBox& box) {
  std::string text;
  box.Render(text);
  return text;
}

TEST(TerminalPictureBoxTest, ScaleUnitsMapToColumnsAndEveryDrawingIsKept) {
  TerminalPictureBox box(10, false);
  box.SetScaleWidth(100);
  EXPECT_EQ(Rendered(box), "..........");
  box.FillRectangle(0, 0, 30, 1, kBlue);
  EXPECT_EQ(Rendered(box), "===.......");
  box.FillRectangle(30, 0, 60, 1, kBlue);
  EXPECT_EQ(Rendered(box), "======....");
  box.FillRectangle(20, 0, 60, 1, TerminalPictureBox::kDefaultBackColour);  // a gauge going back
  EXPECT_EQ(Rendered(box), "==........");
  box.FillRectangle(50, 1, 20, 0, kRed);  // corners in either order
  EXPECT_EQ(Rendered(box), "==###.....");
  box.FillRectangle(100, 0, 100, 1, kGreen);  // no width, no column
  EXPECT_EQ(Rendered(box), "==###.....");
}

TEST(TerminalPictureBoxTest, SettingTheBackgroundClearsTheWholeBox) {
  TerminalPictureBox box(4, false);
  box.SetScaleWidth(100);
  box.FillRectangle(0, 0, 50, 1, kBlue);
  box.SetBackColour(kYellow);
  EXPECT_EQ(box.BackColour(), kYellow);
  EXPECT_EQ(Rendered(box), "::::");
}

TEST(TerminalPictureBoxTest, ColoursAreDrawnAsRunsOfAnsiBackgrounds) {
  TerminalPictureBox box(6, true);
  box.SetScaleWidth(60);
  box.FillRectangle(0, 0, 20, 1, kBlue);
  box.FillRectangle(20, 0, 30, 1, kRed);
  EXPECT_EQ(Rendered(box), "\x1b[44m  \x1b[41m \x1b[47m   \x1b[0m");
}

TEST(TerminalPictureBoxTest, ColoursMapToTheNearestBasicColour) {
  EXPECT_EQ(NearestBasicColour(Rgb(0, 0, 0)), 0);
  EXPECT_EQ(NearestBasicColour(Rgb(255, 0, 0)), 1);
  EXPECT_EQ(NearestBasicColour(Rgb(0, 200, 0)), 2);
  EXPECT_EQ(NearestBasicColour(Rgb(255, 255, 0)), 3);
  EXPECT_EQ(NearestBasicColour(Rgb(0, 0, 255)), 4);
  EXPECT_EQ(NearestBasicColour(Rgb(192, 192, 192)), 7);
  EXPECT_EQ(NearestBasicColour(Rgb(192, 255, 192)), 7);
}

TEST(TerminalPictureBoxTest, TellsWhetherItChangedSinceItWasLastAsked) {
  TerminalPictureBox box(4, false);
  EXPECT_TRUE(box.TakeChanged()) << "a new box has never been drawn";
  EXPECT_FALSE(box.TakeChanged());
  box.SetScaleWidth(100);
  box.FillRectangle(0, 0, 10, 1, kBlue);  // covers no column's centre
  EXPECT_FALSE(box.TakeChanged());
  box.FillRectangle(0, 0, 50, 1, kBlue);
  EXPECT_TRUE(box.TakeChanged());
}

}  // namespace
}  // namespace ondrel::cli
