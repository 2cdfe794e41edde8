#include "ui/win32/win32_picture_box.h"

#include <algorithm>
#include <cmath>

namespace ondrel::ui {

Win32PictureBox::Win32PictureBox(HWND control) : control_(control) {
  RECT area;
  GetClientRect(control, &area);
  width_ = area.right;
  height_ = area.bottom;
  HDC screen = GetDC(control);
  memory_ = CreateCompatibleDC(screen);
  bitmap_ = CreateCompatibleBitmap(screen, std::max(width_, 1), std::max(height_, 1));
  ReleaseDC(control, screen);
  oldBitmap_ = SelectObject(memory_, bitmap_);
  SetBackColour(backColour_);
}

Win32PictureBox::~Win32PictureBox() {
  SelectObject(memory_, oldBitmap_);
  DeleteObject(bitmap_);
  DeleteDC(memory_);
}

void Win32PictureBox::SetBackColour(Colour colour) {
  backColour_ = colour;
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(colour));
  const RECT all{0, 0, width_, height_};
  FillRect(memory_, &all, brush);
  DeleteObject(brush);
  InvalidateRect(control_, nullptr, FALSE);
}

int Win32PictureBox::PixelX(double x) const {
  if (scaleMode_ != 0 || scaleWidth_ == 0) return static_cast<int>(std::lround(x));
  return static_cast<int>(std::lround(x * width_ / scaleWidth_));
}

int Win32PictureBox::PixelY(double y) const {
  if (scaleMode_ != 0 || scaleHeight_ == 0) return static_cast<int>(std::lround(y));
  return static_cast<int>(std::lround(y * height_ / scaleHeight_));
}

void Win32PictureBox::FillRectangle(double x1, double y1, double x2, double y2, Colour colour) {
  const int left = std::min(PixelX(x1), PixelX(x2));
  const int right = std::max(PixelX(x1), PixelX(x2));
  const int top = std::min(PixelY(y1), PixelY(y2));
  const int bottom = std::max(PixelY(y1), PixelY(y2));
  // A rectangle of no width still draws its one-pixel edge, as a solid pen of width 1 does.
  const RECT area{left, top, std::max(right, left + drawWidth_), std::max(bottom, top + 1)};
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(colour));
  FillRect(memory_, &area, brush);
  DeleteObject(brush);
  InvalidateRect(control_, nullptr, FALSE);
}

void Win32PictureBox::Draw(const DRAWITEMSTRUCT& item) const {
  BitBlt(item.hDC, 0, 0, width_, height_, memory_, 0, 0, SRCCOPY);
}

}  // namespace ondrel::ui
