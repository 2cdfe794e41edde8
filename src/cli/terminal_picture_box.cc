#include "cli/terminal_picture_box.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

namespace ondrel::cli {
namespace {

constexpr std::array<Colour, 8> kBasicColours = {
    Rgb(0, 0, 0),   Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),
    Rgb(0, 0, 255), Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(255, 255, 255),
};

// Without colours each basic colour gets a character that tells the gauge's phases apart.
constexpr std::array<char, 8> kGlyphs = {' ', '#', '+', ':', '=', '%', '*', '.'};

int Channel(Colour colour, int shift) {
  return static_cast<int>((colour >> shift) & 0xFF);
}

}  // namespace

int NearestBasicColour(Colour colour) {
  int best = 0;
  long bestDistance = -1;
  for (int i = 0; i < static_cast<int>(kBasicColours.size()); ++i) {
    long distance = 0;
    for (int shift : {0, 8, 16}) {
      const long d = Channel(colour, shift) - Channel(kBasicColours[i], shift);
      distance += d * d;
    }
    if (bestDistance < 0 || distance < bestDistance) best = i, bestDistance = distance;
  }
  return best;
}

TerminalPictureBox::TerminalPictureBox(int columns, bool colours)
    : cells_(static_cast<std::size_t>(std::max(columns, 1)), kDefaultBackColour),
      scaleWidth_(static_cast<double>(cells_.size())),
      colours_(colours) {}

void TerminalPictureBox::SetScaleWidth(double width) {
  scaleWidth_ = width;
}

void TerminalPictureBox::SetBackColour(Colour colour) {
  backColour_ = colour;
  std::fill(cells_.begin(), cells_.end(), colour);
  changed_ = true;
}

void TerminalPictureBox::FillRectangle(double x1, double, double x2, double, Colour colour) {
  const double low = std::min(x1, x2), high = std::max(x1, x2);
  const double unitsPerColumn = scaleWidth_ / static_cast<double>(cells_.size());
  for (std::size_t column = 0; column < cells_.size(); ++column) {
    const double centre = (static_cast<double>(column) + 0.5) * unitsPerColumn;
    if (centre >= low && centre < high) {
      cells_[column] = colour;
      changed_ = true;
    }
  }
}

void TerminalPictureBox::Render(std::string& out) const {
  if (!colours_) {
    for (Colour cell : cells_) out += kGlyphs[NearestBasicColour(cell)];
    return;
  }
  int current = -1;
  for (Colour cell : cells_) {
    const int basic = NearestBasicColour(cell);
    if (basic != current) {
      out += "\x1b[4";
      out += static_cast<char>('0' + basic);
      out += 'm';
      current = basic;
    }
    out += ' ';
  }
  out += "\x1b[0m";
}

bool TerminalPictureBox::TakeChanged() {
  return std::exchange(changed_, false);
}

}  // namespace ondrel::cli
