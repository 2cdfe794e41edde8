// The progress gauge's picture box on a terminal: one row of cells, one a column, that
// keeps what was drawn (its backing image) and renders it as ANSI background colours or,
// without colours, as one character per colour.
#pragma once

#include <string>
#include <vector>

#include "common/window_system.h"

namespace ondrel::cli {

class TerminalPictureBox : public PictureBox {
 public:
  // The colour of a fresh box, which the gauge clears back to.
  static constexpr Colour kDefaultBackColour = Rgb(192, 192, 192);

  TerminalPictureBox(int columns, bool colours);

  // One row is all there is and every drawing is kept, so only the scale width matters.
  void SetScaleMode(int) override {}
  void SetPersistentDrawing(bool) override {}
  void SetScaleHeight(double) override {}
  void SetScaleWidth(double width) override;
  Colour BackColour() const override { return backColour_; }
  void SetBackColour(Colour colour) override;
  void SetDrawStyle(int) override {}
  void SetDrawWidth(int) override {}
  // Fills the columns whose centres lie in [min(x1, x2), max(x1, x2)).
  void FillRectangle(double x1, double y1, double x2, double y2, Colour colour) override;

  int Columns() const { return static_cast<int>(cells_.size()); }
  // Appends the box as it looks now; it takes Columns() columns on the terminal.
  void Render(std::string& out) const;
  // Whether the box changed since the last call.
  bool TakeChanged();

 private:
  std::vector<Colour> cells_;
  double scaleWidth_;
  Colour backColour_ = kDefaultBackColour;
  bool colours_;
  bool changed_ = true;
};

// The index (0 black, 1 red, 2 green, 3 yellow, 4 blue, 5 magenta, 6 cyan, 7 white) of the
// basic terminal colour nearest to `colour`.
int NearestBasicColour(Colour colour);

}  // namespace ondrel::cli
