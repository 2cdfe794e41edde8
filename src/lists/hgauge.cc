#include "lists/hgauge.h"

#include <cstdlib>

#include "common/checked_int.h"

namespace ondrel {

void CHgauge::Setup(PictureBox& pic) {
  pic.SetScaleMode(0);
  pic.SetPersistentDrawing(true);
  height_ = 1;
  range_ = CheckedNarrow<std::int16_t>(CheckedSub(maximum_, minimum_));
  if (range_ == 0) FatalCheck();
  pic.SetScaleHeight(height_);
  pic.SetScaleWidth(range_);
  background_ = pic.BackColour();
  pic.SetDrawStyle(0);
  pic.SetDrawWidth(1);
}

void CHgauge::Paint(std::int16_t val, PictureBox& pic, Colour vColor) {
  if (range_ == 0) FatalCheck();
  if (val < lastValue_) {
    pic.FillRectangle(val, 0, lastValue_, height_, background_);
  } else {
    pic.FillRectangle(lastValue_, 0, val, height_, vColor);
  }
  lastValue_ = val;
}

void CHgauge::FatalCheck() {
  windows_.ShowMessage(
      "HGauge Object needs to be .Setup and Max & Min properties need to be set...", kMessageNoIcon,
      "HGauge Object");
  windows_.EndProgram();
  std::abort();  // EndProgram never returns; compilers cannot see that through the override
}

}  // namespace ondrel
