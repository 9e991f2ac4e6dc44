#pragma once

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QPolygonF>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/tfont.h"
#include "zeph/toolkit/types.h"
#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

class LineRasterizer;
class TextCache;
struct TextCacheEntry;
struct TextRendering;

/// A drawing surface with the conventions of the classic Windows GDI, which the chart and scale
/// geometry is computed for.
///
/// A line leaves out its end pixel, rectangle and ellipse boxes leave out their right and bottom
/// edges, text is placed by its top-left corner. Pen, brush and font are kept here and handed to
/// the painter only when a drawing call needs them. Coordinates are integer pixels from the
/// top-left corner of the device; colours are TColor values (system colours are resolved through
/// the application palette). All drawing is aliased, except text.
///
/// A canvas draws while it is active (IsActive()): from construction on an image or a paint
/// device, or from Begin(), up to End(). Drawing calls on an inactive canvas do nothing; the
/// settings (pen, brush, font, pen position) can be read and changed at any time and survive
/// Begin() and End(). A canvas does not own the image or device it draws on. It cannot be copied.
class ZEPH_TOOLKIT_EXPORT TCanvas {
 public:
  /// Constructs a canvas that draws on \a image (Format_RGB32).
  ///
  /// The image must outlive the canvas or be released by End(). The image's device pixel ratio
  /// becomes the canvas's Scale(). Without an image (or with a null image) the canvas is inactive
  /// until Begin().
  explicit TCanvas(QImage* image = nullptr);
  /// Constructs a canvas that draws on any paint \a device with \a scale device units for each
  /// pixel of the coordinates it is given.
  ///
  /// A printer canvas (a printer, a PDF or an SVG) says so with \a printer: it strokes every line
  /// at its width in those units, as the screen shows it, and drawing routines avoid single pixels,
  /// which vanish at printer resolution. A \a scale of 0 or less is taken as 1. The device must
  /// outlive the canvas or be released by End().
  TCanvas(QPaintDevice* device, bool printer, qreal scale = 1);
  /// Ends drawing (see End()).
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  /// Starts drawing on another image, keeping pen, brush, font and pen position.
  ///
  /// Drawing on the previous image or device ends first. The image's device pixel ratio becomes
  /// Scale(). A null pointer or a null image leaves the canvas inactive.
  void Begin(QImage* image);
  /// Ends drawing and lets go of the image or device; the canvas becomes inactive and keeps its
  /// settings. Does nothing on an inactive canvas.
  void End();
  /// Returns whether the canvas is drawing on an image or device (drawing calls have an effect).
  bool IsActive() const { return painter_ != nullptr; }
  /// Returns whether this is a printer canvas (see the paint device constructor).
  bool IsPrinter() const { return printer_; }
  /// Device pixels per pixel of the drawing's coordinates: an image's device pixel ratio, or the
  /// scale a paint device was given.
  ///
  /// Everything drawn grows by it, text is laid out at the device's resolution. 1 for a plain image.
  qreal Scale() const { return scale_; }
  /// Returns the width of the image or device in its own units (device pixels for an image), or 0
  /// when the canvas draws on nothing.
  int DeviceWidth() const;
  /// Returns the height of the image or device in its own units (device pixels for an image), or 0
  /// when the canvas draws on nothing.
  int DeviceHeight() const;

  /// Returns the pen colour, which lines and outlines are drawn in; default \ref clBlack.
  TColor PenColor() const { return pen_color_; }
  /// Sets the pen colour (see PenColor()).
  void SetPenColor(TColorArg color);
  /// Returns the pen's line pattern; default \ref psSolid.
  ///
  /// With \ref psClear no lines or outlines are drawn. Dash patterns apply to one-pixel pens only.
  TPenStyle PenStyle() const { return pen_style_; }
  /// Sets the pen's line pattern (see PenStyle()).
  void SetPenStyle(TPenStyle style);
  /// Returns the pen width in pixels; default 1.
  ///
  /// Pens wider than one pixel draw solid lines with round ends and joins, centred on the pixels
  /// of their path: an odd width covers as many pixels on either side; an even width one more up
  /// and left.
  int PenWidth() const { return pen_width_; }
  /// Sets the pen width in pixels; values below 1 become 1.
  void SetPenWidth(int width);
  /// Returns how drawing combines with the pixels already there; default \ref pmCopy.
  ///
  /// The mode applies to lines, shapes, fills, text and copied images.
  TPenMode PenMode() const { return pen_mode_; }
  /// Sets the drawing mode (see PenMode()).
  void SetPenMode(TPenMode mode);

  /// Returns the brush colour, which shapes and text backgrounds are filled with; default
  /// \ref clWhite.
  TColor BrushColor() const { return brush_color_; }
  /// Sets the brush colour (see BrushColor()).
  void SetBrushColor(TColorArg color);
  /// Returns whether shapes and text backgrounds are filled; default \ref bsSolid.
  TBrushStyle BrushStyle() const { return brush_style_; }
  /// Sets whether shapes and text backgrounds are filled (see BrushStyle()).
  void SetBrushStyle(TBrushStyle style);

  /// Returns the font that text is written and measured in; its colour is the text colour.
  const TFont& Font() const { return font_; }
  /// Sets the font (face, size, styles and text colour).
  void SetFont(const TFont& font);
  /// Sets only the text colour, the colour of Font().
  void SetFontColor(TColorArg color);

  /// Returns the pen position, where LineTo() starts; initially (0, 0).
  QPoint PenPos() const { return pen_pos_; }
  /// Moves the pen position to (\a x, \a y) without drawing.
  void MoveTo(int x, int y);
  /// Draws a line from the pen position to (\a x, \a y) and moves the pen position there.
  ///
  /// The end pixel is not drawn, so a line to the pen position itself draws nothing. The pen
  /// position moves even when nothing is drawn (a clear pen, an inactive canvas).
  void LineTo(int x, int y);
  /// Draws connected lines through \a count points; the last point's pixel is not drawn.
  ///
  /// Nothing is drawn for fewer than two points. A dash pattern runs on across the segments. The
  /// pen position does not change.
  void Polyline(const QPoint* points, int count);
  /// A polyline through points of sub-pixel precision, for devices finer than the coordinates
  /// (a scaled image, a PDF); on a plain image the points are rounded to pixels.
  ///
  /// Otherwise as the integer overload.
  void Polyline(const QPointF* points, int count);
  /// Draws the closed polygon through \a count points, outlined with the pen and, with a solid
  /// brush, filled with the brush colour. The pen position does not change.
  void Polygon(const QPoint* points, int count);

  /// Draws the box from (\a x1, \a y1) up to but not including (\a x2, \a y2), outlined with the pen
  /// and filled with the brush.
  ///
  /// The corners may be given in any order. The outline runs on the box's first and last rows
  /// and columns. With a clear pen the filled box is one pixel smaller, as on the designers' GDI.
  void Rectangle(int x1, int y1, int x2, int y2);
  /// Draws the ellipse inscribed in the box from (\a x1, \a y1) up to but not including
  /// (\a x2, \a y2), outlined with the pen and filled with the brush.
  ///
  /// The corners may be given in any order; an empty box draws nothing, a one-pixel box sets
  /// that pixel. Up to four pixels across, a one-pixel solid pen sets the pixels whose centres lie
  /// inside the ellipse, so that a small circle leaves out the corners of its box.
  void Ellipse(int x1, int y1, int x2, int y2);
  /// Fills (\a x1, \a y1) up to but not including (\a x2, \a y2) with the brush colour, whatever its
  /// style; no outline is drawn. The corners may be given in any order.
  void FillRect(int x1, int y1, int x2, int y2);

  /// A box filled in one colour, as FillBoxes() takes it: from (x1, y1) up to but not including
  /// (x2, y2), the corners in any order.
  struct ColorBox {
    int x1;        ///< One corner's x.
    int y1;        ///< One corner's y.
    int x2;        ///< The opposite corner's x.
    int y2;        ///< The opposite corner's y.
    TColor color;  ///< The colour it is filled with.
  };
  /// Fills the boxes one after the other, each as FillRect() would in its colour; the brush stays
  /// as it is.
  ///
  /// On an image in copy mode every pixel is written once: the rows that the same boxes cover are
  /// composed once and copied, so a background with lines over it costs one pass over its memory.
  void FillBoxes(const std::vector<ColorBox>& boxes);
  /// What Rectangle() draws with the current pen and brush as boxes, appended to \a boxes in
  /// drawing order: the filled inside and the sides of a thin solid outline.
  ///
  /// Returns false, appending nothing, where Rectangle() strokes the outline instead (a wide or
  /// dashed pen).
  bool RectangleBoxes(int x1, int y1, int x2, int y2, std::vector<ColorBox>& boxes) const;

  /// Writes \a text with its top-left corner at (\a x, \a y) in Font() and its colour.
  ///
  /// A solid brush paints the text's background first: a box of TextWidth() by TextHeight() in
  /// the brush colour. An empty text draws nothing. The pen position does not change.
  void TextOut(int x, int y, const QString& text);
  /// Returns the width in pixels that TextOut() covers with \a text in the current font.
  ///
  /// Works on an inactive canvas too.
  int TextWidth(const QString& text);
  /// Returns the line height in pixels of the current font; the same for every \a text.
  ///
  /// Works on an inactive canvas too.
  int TextHeight(const QString& text);

  /// Returns the colour of the image pixel at (\a x, \a y), in the image's own pixels.
  ///
  /// \ref clBlack outside the image, and on a canvas that does not draw on an image.
  TColor Pixel(int x, int y) const;
  /// Sets the pixel at (\a x, \a y) to \a color; points outside the device are ignored.
  ///
  /// On a scaled or printer canvas the whole square that the pixel covers on the device is filled.
  void SetPixel(int x, int y, TColor color);

  /// Draws the whole \a image with its top-left corner at (\a x, \a y), in the pen mode.
  ///
  /// An image with a device pixel ratio is drawn at its size in logical pixels.
  void Draw(int x, int y, const QImage& image);
  /// Draws the source part of the image with its top-left corner at (x, y).
  ///
  /// \a source is given in the image's logical pixels and is cut to the image; the parts that
  /// remain keep their place relative to (\a x, \a y).
  void Draw(int x, int y, const QImage& image, const QRect& source);
  /// Draws \a image scaled to fill the box from (\a x1, \a y1) up to but not including
  /// (\a x2, \a y2); a null image or an empty box draws nothing.
  void StretchDraw(int x1, int y1, int x2, int y2, const QImage& image);

  /// One-pixel lines on an image are drawn by the canvas itself, to keep the GDI's end-pixel rule.
  ///
  /// Returns whether that is the case now: the canvas draws on an unscaled image whose painter has
  /// no clipping or transformation set, and the pen is one pixel wide and not clear. Only then may
  /// Rasterizer() be called.
  bool DrawsOwnLines() const;
  /// Whether lines, polygons and ellipses are drawn anti-aliased (smoothed); false by default.
  ///
  /// While false the canvas keeps the pixel rules of the designers' GDI exactly. While true, lines
  /// run through the centres of their pixels and their edges are blended with what lies below;
  /// the canvas then never draws its own lines (DrawsOwnLines() is false). Filled boxes, single
  /// pixels, text and images are drawn as before.
  bool Antialiased() const { return antialiased_; }
  /// Switches anti-aliasing on or off for what is drawn from now on.
  void SetAntialiased(bool on);
  /// The drawer of the current pen, for whoever draws very many lines at once.
  ///
  /// It draws straight into the image in the current pen colour, style and mode. Call it only
  /// while DrawsOwnLines() is true; it must not outlive the image.
  LineRasterizer Rasterizer();
  /// Whether one-pixel solid lines can be drawn in device pixels by DeviceRasterizer() now: the
  /// canvas draws on an image of a device pixel ratio other than 1 (a high-density screen) whose
  /// painter has no clipping or transformation set, not smoothed, with a solid pen of one pixel
  /// in copy mode.
  bool DrawsDeviceLines() const;
  /// The drawer of the current pen in device pixels, for whoever draws very many lines at once on
  /// a high-density image: each pixel of a line becomes a square as wide as the pen is on the
  /// device (LineRasterizer's brush), so the lines are as thick as the painter strokes them.
  ///
  /// Call it only while DrawsDeviceLines() is true; it must not outlive the image.
  LineRasterizer DeviceRasterizer();
  /// The width in device pixels that one-pixel pens have on this canvas: the scale rounded, at
  /// least 1.
  int DevicePenWidth() const;

  /// The underlying painter with the current pen and brush applied, for drawing the canvas has no
  /// call of its own for.
  ///
  /// Call it only while IsActive(). The canvas font is not set on it. Whoever changes the
  /// painter's pen, brush, clipping or transformation restores them (\c QPainter::save() and
  /// \c restore()) before drawing through the canvas again.
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
  // Whether lines go through the painter along the pixel centres: mapped, smoothed, or with a pen
  // of odd width.
  bool Stroked() const { return Mapped() || antialiased_ || OddWidePen(); }
  // A pen wider than a pixel whose width is odd: centred on the pixel centres it covers whole
  // pixels on either side, so shapes keep their symmetry. An even width straddles a pixel edge
  // whichever way it is placed; on whole coordinates it does so consistently up and left.
  bool OddWidePen() const { return pen_width_ > 1 && pen_width_ % 2 == 1; }
  // Whether the canvas sets the pixels of an ellipse of this box size itself (SmallEllipse()).
  bool SetsSmallEllipse(int width, int height) const;
  // An ellipse in a box of a few pixels, set pixel by pixel; corners in order.
  void SmallEllipse(int x1, int y1, int x2, int y2);
  // Strokes a line or polyline through the centres of its pixels (see Stroked()); a one-pixel pen
  // covers the first pixel and leaves out the last one, as on an image.
  void StrokeMapped(QPolygonF centres);
  void ApplyFont();
  // Whether the entry's static text, drawn at (x, y), gives the pixels of drawing the text shaped
  // anew there.
  bool StaticTextAlike(TextCacheEntry& entry, const QString& text, int x, int y);
  // Draws the entry's text at (x, y) from the pixels it came to before, where the device pixels its
  // glyphs cover hold one plain colour, as a scale's labels on its rim do; false, drawing nothing,
  // where that cannot be done.
  bool DrawRenderedText(TextCacheEntry& entry, const QString& text, int x, int y);
  // The entry's text drawn at (x, y) off screen, over the plain background and in the place within
  // a device pixel that key gives, for DrawRenderedText().
  TextRendering RenderText(TextCacheEntry& entry, const QString& text, int x, int y,
                                  const TextRendering& key);
  // The entry's text drawn in colour over on an image of colour under, at phase (its place within a
  // period of device pixels) with pad pixels of room on every side; from its static text or shaped
  // anew.
  QImage TextImage(const TextCacheEntry& entry, const QString& text, QPoint phase, int pad, QRgb under,
                   const QColor& over, bool static_text);
  // The smallest number of pixels, up to 8, that is a whole number of device pixels; 0 for none.
  int Period() const;
  // Whether device pixels of a finer image can be written straight: no clipping or transformation
  // set on the painter by whoever borrowed it.
  bool DeviceAccess() const;
  // On a finer image, draws a horizontal or vertical one-pixel solid line straight into the
  // device pixels the painter would stroke; false (nothing drawn) for other lines and pens.
  bool FillAxisLine(QPoint from, QPoint to);
  // The device pixels of a box as DeviceAligned() places it.
  QRectF DeviceBox(const QRectF& box) const;
  // Whether pixels can be written straight into the image: no clipping or transformation set on
  // the painter by whoever borrowed it.
  bool DirectAccess() const;
  // Fills a box in a colour, straight into the image where the painter adds nothing.
  void FillBox(int x1, int y1, int x2, int y2, TColor color);
  // Whether FillBox() writes the image's pixels straight now.
  bool FillsStraight() const;
  // The image pixels FillBox() writes straight for a box (corners in order, not cut to the image);
  // false where the painter fills it.
  bool StraightFill(int& x1, int& y1, int& x2, int& y2) const;
  // The boxes Rectangle() fills for corners in order, into parts; returns their number, stroked
  // telling whether the outline is stroked instead.
  int RectangleParts(int x1, int y1, int x2, int y2, std::array<ColorBox, 5>& parts, bool& stroked) const;
  void FillRows(int x1, int y1, int x2, int y2, std::uint32_t pixel);
  // A box of the drawing's coordinates moved onto whole pixels of a finer image.
  QRectF DeviceAligned(const QRectF& box) const;

  std::unique_ptr<QPainter> painter_;
  QImage* image_ = nullptr;
  QPaintDevice* device_ = nullptr;
  bool printer_ = false;
  // Whether the device is an SVG drawing, whose text names its font family.
  bool svg_ = false;
  qreal scale_ = 1;
  bool antialiased_ = false;

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
  // The font set on the painter: qfont_, on an SVG named by the family it resolves to.
  QFont drawn_font_;
  QString font_key_;
  std::unique_ptr<TextCache> text_cache_;
  QColor pen_qcolor_;
};

/// An off-screen bitmap with its canvas.
///
/// Resizing keeps the canvas object and its settings, so that whoever holds the canvas (a scale
/// drawing on its chart's bitmap) can go on using it. Its size is in the pixels of the drawing's
/// coordinates; the image holds ratio times as many device pixels each way and carries the ratio
/// as its device pixel ratio. A new or reallocated image is white. A bitmap of zero width or
/// height has a null image and an inactive canvas.
class ZEPH_TOOLKIT_EXPORT TBitmap {
 public:
  /// Constructs a white bitmap of \a width by \a height pixels with \a ratio device pixels per
  /// pixel; negative sizes become 0 and a ratio below 1 becomes 1.
  explicit TBitmap(int width = 0, int height = 0, qreal ratio = 1);
  /// Lets go of a host or a window (see ShowIn()).
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  /// Changes the size in pixels (negative values become 0); the content is lost and the image is
  /// white again, unless the size stays the same.
  void SetSize(int width, int height);
  /// Changes the device pixels per pixel (at least 1); the content is lost.
  void SetRatio(qreal ratio);
  /// Returns the device pixels per pixel.
  qreal Ratio() const { return ratio_; }
  /// Returns the width in pixels of the drawing's coordinates.
  int Width() const { return width_; }
  /// Returns the height in pixels of the drawing's coordinates.
  int Height() const { return height_; }
  /// Returns the size in pixels of the drawing's coordinates.
  QSize Size() const { return {width_, height_}; }
  /// Returns the canvas that draws on the image; the same object for the bitmap's whole life.
  TCanvas& Canvas() { return canvas_; }
  /// Returns the image (Format_RGB32, with Ratio() as its device pixel ratio).
  const QImage& Image() const { return image_; }

  /// Makes the bitmap a window onto the pixels of \a host from its pixel \a at on, so that a
  /// picture drawn on it needs no copy into the host; a null host gives it pixels of its own again
  /// (white ones).
  ///
  /// As a window its image is the part of the host's pixels it covers (clipped to the host): what
  /// is drawn on either shows in both. It follows the host when that is resized or changes its
  /// ratio; while the two differ in ratio, or the window would begin outside the host, it keeps
  /// pixels of its own (Shared() is false). A host has at most one window, and either may be
  /// destroyed first: the other lets go of it.
  void ShowIn(TBitmap* host, QPoint at);
  /// Whether the image is a window onto another bitmap's pixels now.
  bool Shared() const { return shared_; }

 private:
  void Allocate();

  int width_ = 0;
  int height_ = 0;
  qreal ratio_ = 1;
  QImage image_;
  TCanvas canvas_;
  // The bitmap this one is a window onto, where; the window onto this one.
  TBitmap* host_ = nullptr;
  QPoint at_;
  TBitmap* window_ = nullptr;
  bool shared_ = false;
};

/// How many drawing surfaces could not be made for want of memory since the program started:
/// bitmaps whose pixels could not be allocated and canvases whose painter could not begin on their
/// image or device. Such a surface draws nothing; a caller that must know whether a picture is
/// complete (a file that is written) compares the count before and after drawing it.
ZEPH_TOOLKIT_EXPORT std::uint64_t DrawingMemoryFailures();
/// Counts one surface that could not be made (see DrawingMemoryFailures()).
ZEPH_TOOLKIT_EXPORT void NoteDrawingMemoryFailure();

/// The device pixels an extent of logical pixels covers at a device pixel ratio.
///
/// That is \a logical times \a ratio, rounded up; a negative extent counts as 0.
ZEPH_TOOLKIT_EXPORT int DeviceExtent(int logical, qreal ratio);

/// The device pixels a box of logical pixels covers at a device pixel ratio: from the one its left
/// (top) edge falls in up to the one its right (bottom) edge ends in, as an image of that ratio
/// drawn one to one (TCanvas::Draw()) takes them.
ZEPH_TOOLKIT_EXPORT QRect DevicePixels(const QRect& logical, qreal ratio);

/// A \a part of an image, inside it, as an image of its own that shares the pixels: what is drawn on
/// either shows in both, without a copy. The part carries no device pixel ratio; \a image must
/// outlive it.
ZEPH_TOOLKIT_EXPORT QImage ImagePart(const QImage& image, const QRect& part);

/// Copies the pixels of \a part of \a source into \a target with the part's top left pixel at
/// \a at, clipped to both; both images have 32 bits a pixel in one format. The target is written
/// in place, without detaching its data, as a painter working on it would.
ZEPH_TOOLKIT_EXPORT void CopyPixels(const QImage& source, const QRect& part, const QImage& target, QPoint at);

}  // namespace zeph
