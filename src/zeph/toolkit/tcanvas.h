#pragma once

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPolygonF>
#include <QString>
#include <cstdint>
#include <memory>

#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/textcache.h"
#include "zeph/toolkit/tfont.h"
#include "zeph/toolkit/types.h"
#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

class LineRasterizer;

// A drawing surface with the conventions of the classic Windows GDI, which the chart and scale
// geometry is computed for: a line leaves out its end pixel, rectangle and ellipse boxes leave out
// their right and bottom edges, text is placed by its top-left corner. Pen, brush and font are
// kept here and handed to the painter only when a drawing call needs them.
class ZEPH_TOOLKIT_EXPORT TCanvas {
 public:
  // Draws on an image (Format_RGB32). The image must outlive the canvas or be released by End().
  explicit TCanvas(QImage* image = nullptr);
  // Draws on any paint device with `scale` device units for each pixel of the coordinates it is
  // given. A printer canvas (a printer, a PDF or an SVG) says so: it strokes every line at its
  // width in those units, as the screen shows it, and drawing routines avoid single pixels, which
  // vanish at printer resolution.
  TCanvas(QPaintDevice* device, bool printer, qreal scale = 1);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // Starts drawing on another image, keeping pen, brush, font and pen position.
  void Begin(QImage* image);
  void End();
  bool IsActive() const { return painter_ != nullptr; }
  bool IsPrinter() const { return printer_; }
  // Device pixels per pixel of the drawing's coordinates: an image's device pixel ratio, or the
  // scale a paint device was given. Everything drawn grows by it, text is laid out at the
  // device's resolution.
  qreal Scale() const { return scale_; }
  int DeviceWidth() const;
  int DeviceHeight() const;

  // Pen.
  TColor PenColor() const { return pen_color_; }
  void SetPenColor(TColor color);
  TPenStyle PenStyle() const { return pen_style_; }
  void SetPenStyle(TPenStyle style);
  int PenWidth() const { return pen_width_; }
  void SetPenWidth(int width);
  TPenMode PenMode() const { return pen_mode_; }
  void SetPenMode(TPenMode mode);

  // Brush.
  TColor BrushColor() const { return brush_color_; }
  void SetBrushColor(TColor color);
  TBrushStyle BrushStyle() const { return brush_style_; }
  void SetBrushStyle(TBrushStyle style);

  // Font (its colour is the text colour).
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  void SetFontColor(TColor color);

  // Lines: the pen position moves to the end point, which is not drawn.
  QPoint PenPos() const { return pen_pos_; }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const QPoint* points, int count);
  // A polyline through points of sub-pixel precision, for devices finer than the coordinates
  // (a scaled image, a PDF); on a plain image the points are rounded to pixels.
  void Polyline(const QPointF* points, int count);
  void Polygon(const QPoint* points, int count);

  // Boxes from (x1, y1) up to but not including (x2, y2); outlined with the pen and filled with
  // the brush. With a clear pen the filled box is one pixel smaller, as on the designers' GDI.
  void Rectangle(int x1, int y1, int x2, int y2);
  void Ellipse(int x1, int y1, int x2, int y2);
  // Fills (x1, y1) up to but not including (x2, y2) with the brush colour, whatever its style.
  void FillRect(int x1, int y1, int x2, int y2);

  // Text with its top-left corner at (x, y); a solid brush paints the text's background.
  void TextOut(int x, int y, const QString& text);
  int TextWidth(const QString& text);
  int TextHeight(const QString& text);

  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  void Draw(int x, int y, const QImage& image);
  // Draws the source part of the image with its top-left corner at (x, y).
  void Draw(int x, int y, const QImage& image, const QRect& source);
  void StretchDraw(int x1, int y1, int x2, int y2, const QImage& image);

  // One-pixel lines on an image are drawn by the canvas itself, to keep the GDI's end-pixel rule;
  // the drawer of the current pen, for whoever draws very many lines at once.
  bool DrawsOwnLines() const;
  LineRasterizer Rasterizer();

  // The underlying painter with the current pen and brush applied, for drawing the canvas has no
  // call of its own for.
  QPainter& Painter();

 private:
  void Start(QPaintDevice* device);
  void ApplyPen();
  void ApplyBrush();
  void ApplyMode();
  const QFontMetrics& Metrics();
  bool PenVisible() const { return pen_style_ != psClear; }
  // Whether coordinates are mapped onto a finer or a vector device rather than onto image pixels.
  bool Mapped() const { return printer_ || scale_ != 1; }
  // Strokes a line or polyline through the centres of the pixels on a mapped device, covering its
  // first pixel and leaving out its last one, as on an image.
  void StrokeMapped(QPolygonF centres);
  void ApplyFont();
  // Whether pixels can be written straight into the image: no clipping or transformation set on
  // the painter by whoever borrowed it.
  bool DirectAccess() const;
  void CopyRows(int x, int y, const QImage& image, const QRect& part);
  // Fills a box in a colour, straight into the image where the painter adds nothing.
  void FillBox(int x1, int y1, int x2, int y2, TColor color);
  void FillRows(int x1, int y1, int x2, int y2, std::uint32_t pixel);
  // A box of the drawing's coordinates moved onto whole pixels of a finer image.
  QRectF DeviceAligned(const QRectF& box) const;

  std::unique_ptr<QPainter> painter_;
  QImage* image_ = nullptr;
  QPaintDevice* device_ = nullptr;
  bool printer_ = false;
  qreal scale_ = 1;

  TColor pen_color_ = clBlack;
  TPenStyle pen_style_ = psSolid;
  int pen_width_ = 1;
  TPenMode pen_mode_ = pmCopy;
  TColor brush_color_ = clWhite;
  TBrushStyle brush_style_ = bsSolid;
  TFont font_;
  QPoint pen_pos_;

  bool pen_dirty_ = true;
  bool brush_dirty_ = true;
  bool font_dirty_ = true;
  bool mode_dirty_ = true;
  std::unique_ptr<QFontMetrics> metrics_;
  QFont qfont_;
  QString font_key_;
  TextCache text_cache_;
  QColor pen_qcolor_;
};

// An off-screen bitmap with its canvas; resizing keeps the canvas object and its settings, so that
// whoever holds the canvas (a scale drawing on its chart's bitmap) can go on using it. Its size is
// in the pixels of the drawing's coordinates; the image holds ratio times as many device pixels
// each way and carries the ratio as its device pixel ratio.
class ZEPH_TOOLKIT_EXPORT TBitmap {
 public:
  explicit TBitmap(int width = 0, int height = 0, qreal ratio = 1);
  void SetSize(int width, int height);
  // Changes the device pixels per pixel (at least 1); the content is lost.
  void SetRatio(qreal ratio);
  qreal Ratio() const { return ratio_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  QSize Size() const { return {width_, height_}; }
  TCanvas& Canvas() { return canvas_; }
  const QImage& Image() const { return image_; }

 private:
  void Allocate();

  int width_ = 0;
  int height_ = 0;
  qreal ratio_ = 1;
  QImage image_;
  TCanvas canvas_;
};

// The device pixels an extent of logical pixels covers at a device pixel ratio.
ZEPH_TOOLKIT_EXPORT int DeviceExtent(int logical, qreal ratio);

}  // namespace zeph
