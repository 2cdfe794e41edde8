// The gauge's picture box on Win32: drawing goes into a backing bitmap of the control's
// size, on the scale the user sets, and the control is painted from it.
#pragma once

#include "common/window_system.h"
#include "ui/win32/windows_api.h"

namespace ondrel::ui {

class Win32PictureBox : public PictureBox {
 public:
  explicit Win32PictureBox(HWND control);
  ~Win32PictureBox() override;
  Win32PictureBox(const Win32PictureBox&) = delete;
  Win32PictureBox& operator=(const Win32PictureBox&) = delete;

  void SetScaleMode(int mode) override { scaleMode_ = mode; }
  void SetPersistentDrawing(bool on) override { persistent_ = on; }
  void SetScaleHeight(double height) override { scaleHeight_ = height; }
  void SetScaleWidth(double width) override { scaleWidth_ = width; }
  Colour BackColour() const override { return backColour_; }
  void SetBackColour(Colour colour) override;
  void SetDrawStyle(int style) override { drawStyle_ = style; }
  void SetDrawWidth(int width) override { drawWidth_ = width; }
  void FillRectangle(double x1, double y1, double x2, double y2, Colour colour) override;

  // Paints the control from the backing bitmap (its WM_DRAWITEM).
  void Draw(const DRAWITEMSTRUCT& item) const;

 private:
  int PixelX(double x) const;
  int PixelY(double y) const;

  HWND control_;
  int width_ = 0, height_ = 0;
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  Colour backColour_ = Rgb(255, 255, 255);
  int scaleMode_ = 1;
  bool persistent_ = true;
  double scaleWidth_ = 0, scaleHeight_ = 0;
  int drawStyle_ = 0, drawWidth_ = 1;
};

}  // namespace ondrel::ui
