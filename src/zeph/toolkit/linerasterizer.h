#pragma once

#include <QImage>
#include <QPoint>
#include <cstdint>

#include "zeph/toolkit/types.h"
#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// Draws one-pixel lines straight into an RGB32 image the way the GDI does.
///
/// A line runs from the start pixel up to but not including the end pixel, whichever way it runs,
/// with the dash pattern running on across the segments of one polyline. Lines are clipped to the
/// image arithmetically first, so far-away end points cost nothing; the dash pattern advances over
/// the pixels left out, as if they had been drawn.
///
/// With a brush wider than one pixel (a one-pixel line on a high-density image, drawn in device
/// pixels) every pixel of the line becomes a square of brush x brush pixels: the one at (x, y)
/// covers x - brush + 1 .. x and y - brush + 1 .. y. Coordinates are then those of the squares'
/// last pixels, and Width() and Height() grow by brush - 1, so that a square reaching into the
/// image from beside it counts as inside.
///
/// It is a building block of TCanvas (TCanvas::Rasterizer(), TCanvas::DeviceRasterizer()) for code
/// that draws very many lines at once; applications draw through TCanvas. It writes into the image's pixels without
/// detaching it, so it must not outlive the image, and the image must not be resized meanwhile.
class ZEPH_TOOLKIT_EXPORT LineRasterizer {
 public:
  /// Prepares drawing into \a image (Format_RGB32) in the colour \a pixel (0x00RRGGBB, as
  /// ColorToPixel() gives it) with the dash pattern of \a style, replacing pixels or, with
  /// \a xor_mode, combining them by exclusive or.
  ///
  /// \ref psClear and \ref psInsideFrame draw solid lines here; whoever must draw nothing for a
  /// clear pen does not call the rasterizer. A \a brush of more than one pixel (see above) needs
  /// the copy mode: squares of one line overlap, so exclusive or would take pixels out again; with
  /// \a xor_mode it is taken as 1.
  LineRasterizer(QImage& image, std::uint32_t pixel, TPenStyle style, bool xor_mode, int brush = 1);

  /// Draws the line from \a from up to but not including \a to, continuing the dash pattern.
  ///
  /// A line of zero length draws nothing and leaves the pattern where it is.
  void Line(QPoint from, QPoint to);
  /// Paints column x from row top to row bottom, both included (with the brush: its squares),
  /// clipped to the image; the dash pattern is not involved.
  void Column(int x, int top, int bottom);
  /// Returns whether the pen style has a dash pattern (it is not solid).
  bool Dashed() const { return dash_period_ != 0; }
  /// The next line starts at the beginning of the dash pattern, as a new polyline does.
  void RestartPattern() { dash_pos_ = 0; }
  /// Moves the dash pattern on by the pixels of lines that are not drawn (lying beside the image).
  ///
  /// \a steps counts pixels along the lines' major axis; negative values are not allowed.
  void Skip(long long steps);
  /// Returns the image's width in pixels, plus brush - 1.
  int Width() const { return width_; }
  /// Returns the image's height in pixels, plus brush - 1.
  int Height() const { return height_; }
  /// Returns the side of the square each pixel of a line becomes.
  int Brush() const { return brush_; }

 private:
  void Plot(int x, int y);
  void PlotSquare(int x, int y);
  // Fills the squares whose last pixels run from (x1, y1) to (x2, y2) (x1 <= x2, y1 <= y2: a row
  // or a column), cut to the image.
  void FillSquares(int x1, int y1, int x2, int y2);

  // The image's rows, written through its const view, as the painter working on it does: no detach.
  uchar* bits_;
  qsizetype stride_;
  int width_;
  int height_;
  std::uint32_t pixel_;
  bool xor_;
  int brush_ = 1;
  // The dash pattern as one flag per pixel of its period; a period of 0 is a solid line.
  const bool* dash_on_ = nullptr;
  int dash_period_ = 0;
  int dash_pos_ = 0;
};

}  // namespace zeph
