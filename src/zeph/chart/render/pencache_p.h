#pragma once

#include "zeph/toolkit/tcanvas.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/types.h"

namespace zeph {

// The canvas settings of the item being drawn, handed to the canvas only when they change.
class TPenCache {
 public:
  explicit TPenCache(TCanvas& canvas) : canvas_(canvas) {}
  void Reset(TColor color, int width) {
    pen_color_ = brush_color_ = font_color_ = color;
    pen_style_ = psSolid;
    pen_width_ = width;
    canvas_.SetPenColor(color);
    canvas_.SetPenStyle(psSolid);
    canvas_.SetPenWidth(width);
    canvas_.SetBrushColor(color);
    canvas_.SetFontColor(color);
  }
  TColor PenColor() const { return pen_color_; }
  TPenStyle PenStyle() const { return pen_style_; }
  int PenWidth() const { return pen_width_; }
  void SetPenColor(TColor value) {
    if (value != pen_color_) canvas_.SetPenColor(pen_color_ = value);
  }
  void SetPenStyle(TPenStyle value) {
    if (value != pen_style_) canvas_.SetPenStyle(pen_style_ = value);
  }
  void SetPenWidth(int value) {
    if (value != pen_width_) canvas_.SetPenWidth(pen_width_ = value);
  }
  void SetBrushColor(TColor value) {
    if (value != brush_color_) canvas_.SetBrushColor(brush_color_ = value);
  }
  void SetFontColor(TColor value) {
    if (value != font_color_) canvas_.SetFontColor(font_color_ = value);
  }

 private:
  TCanvas& canvas_;
  TColor pen_color_ = clBlack;
  TPenStyle pen_style_ = psSolid;
  int pen_width_ = 1;
  TColor brush_color_ = clBlack;
  TColor font_color_ = clBlack;
};

}  // namespace zeph
