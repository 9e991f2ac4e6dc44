#include "zeph/toolkit/tcanvas.h"

#include "zeph/toolkit/fonts_p.h"
#include "zeph/toolkit/imagememory_p.h"
#include "zeph/toolkit/linerasterizer.h"
#include "zeph/toolkit/textcache_p.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPen>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <utility>

namespace zeph {

namespace {

// Where a coordinate lies within a period of pixels that is a whole number of device pixels.
int PhaseIn(int coordinate, int period) { return ((coordinate % period) + period) % period; }

// Dash patterns of the GDI's cosmetic pens, in pixels.
QList<qreal> DashPattern(TPenStyle style) {
  switch (style) {
    case psDash: return {18, 6};
    case psDot: return {3, 3};
    case psDashDot: return {9, 6, 3, 6};
    case psDashDotDot: return {9, 3, 3, 3, 3, 3};
    default: return {};
  }
}

QPointF Centre(QPoint p) { return {p.x() + 0.5, p.y() + 0.5}; }

// Moves a point half a pixel back against the direction from `from` to `to`: a stroke between
// pixel centres, shifted so, starts at the edge of its first pixel and stops at the edge of its last.
QPointF HalfPixelBack(QPointF point, QPointF from, QPointF to) {
  const QPointF d = to - from;
  const qreal length = std::hypot(d.x(), d.y());
  if (length == 0) return point;
  return point - d * (0.5 / length);
}

}  // namespace

int DeviceExtent(int logical, qreal ratio) {
  return static_cast<int>(std::ceil(static_cast<qreal>(std::max(logical, 0)) * ratio - 1e-9));
}

QRect DevicePixels(const QRect& logical, qreal ratio) {
  const QRectF pixels(QPointF(logical.topLeft()) * ratio, QSizeF(logical.size()) * ratio);
  return {QPoint(static_cast<int>(std::floor(pixels.left() + 1e-6)), static_cast<int>(std::floor(pixels.top() + 1e-6))),
          QPoint(static_cast<int>(std::ceil(pixels.right() - 1e-6)) - 1,
                 static_cast<int>(std::ceil(pixels.bottom() - 1e-6)) - 1)};
}

QImage ImagePart(const QImage& image, const QRect& part) {
  // Written through the const view, as the painter working on the same image does: no detach.
  uchar* first = const_cast<uchar*>(image.constBits()) + part.y() * image.bytesPerLine() +
                 static_cast<qsizetype>(part.x()) * (image.depth() / 8);
  return QImage(first, part.width(), part.height(), image.bytesPerLine(), image.format());
}

void CopyPixels(const QImage& source, const QRect& part, const QImage& target, QPoint at) {
  // Opaque pixels of the same format: a plain copy of the rows that overlap, no compositing.
  const QRect from = part & source.rect();
  const QPoint to = at + from.topLeft() - part.topLeft();
  const int left = std::max(to.x(), 0);
  const int top = std::max(to.y(), 0);
  const int right = std::min(to.x() + from.width(), target.width());
  const int bottom = std::min(to.y() + from.height(), target.height());
  if (right <= left || bottom <= top) return;
  const auto bytes = static_cast<std::size_t>(right - left) * sizeof(QRgb);
  for (int row = top; row < bottom; ++row) {
    auto* pixels = const_cast<uchar*>(target.constScanLine(row)) + static_cast<std::size_t>(left) * sizeof(QRgb);
    const uchar* origin = source.constScanLine(from.y() + row - to.y()) +
                          static_cast<std::size_t>(from.x() + left - to.x()) * sizeof(QRgb);
    std::memcpy(pixels, origin, bytes);
  }
}

TCanvas::TCanvas(QImage* image) : text_cache_(std::make_unique<TextCache>()) {
  if (image) Begin(image);
}

TCanvas::TCanvas(QPaintDevice* device, bool printer, qreal scale)
    : printer_(printer), scale_(scale > 0 ? scale : 1), text_cache_(std::make_unique<TextCache>()) {
  Start(device);
}

TCanvas::~TCanvas() { End(); }

void TCanvas::Begin(QImage* image) {
  End();
  image_ = image;
  if (image_) scale_ = image_->devicePixelRatio();
  if (image_ && !image_->isNull()) Start(image_);
}

namespace {
std::atomic<std::uint64_t> drawing_memory_failures{0};
}  // namespace

std::uint64_t DrawingMemoryFailures() { return drawing_memory_failures.load(); }

void NoteDrawingMemoryFailure() { drawing_memory_failures.fetch_add(1); }

void TCanvas::Start(QPaintDevice* device) {
  device_ = device;
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(device)) {
    // A device that exists and still refuses a painter: its buffers could not be had.
    if (device != nullptr) NoteDrawingMemoryFailure();
    painter_.reset();
    return;
  }
  svg_ = painter_->paintEngine() && painter_->paintEngine()->type() == QPaintEngine::SVG;
  // An image carries its scale as its device pixel ratio, which the painter applies by itself.
  if (!image_ && scale_ != 1) painter_->scale(scale_, scale_);
  painter_->setRenderHint(QPainter::Antialiasing, antialiased_);
  painter_->setRenderHint(QPainter::TextAntialiasing, true);
  pen_dirty_ = brush_dirty_ = font_dirty_ = mode_dirty_ = true;
}

void TCanvas::End() {
  if (painter_) painter_->end();
  painter_.reset();
  image_ = nullptr;
  device_ = nullptr;
}

int TCanvas::DeviceWidth() const { return device_ ? device_->width() : 0; }
int TCanvas::DeviceHeight() const { return device_ ? device_->height() : 0; }

void TCanvas::SetPenColor(TColorArg color) {
  if (color == pen_color_) return;
  pen_color_ = color;
  pen_dirty_ = true;
}

void TCanvas::SetPenStyle(TPenStyle style) {
  if (style == pen_style_) return;
  pen_style_ = style;
  pen_dirty_ = true;
}

void TCanvas::SetPenWidth(int width) {
  width = std::max(width, 1);
  if (width == pen_width_) return;
  pen_width_ = width;
  pen_dirty_ = true;
}

void TCanvas::SetPenMode(TPenMode mode) {
  if (mode == pen_mode_) return;
  pen_mode_ = mode;
  mode_dirty_ = true;
}

void TCanvas::SetBrushColor(TColorArg color) {
  if (color == brush_color_) return;
  brush_color_ = color;
  brush_dirty_ = true;
}

void TCanvas::SetBrushStyle(TBrushStyle style) {
  if (style == brush_style_) return;
  brush_style_ = style;
  brush_dirty_ = true;
}

void TCanvas::SetFont(const TFont& font) {
  if (font == font_) return;
  const bool face_changed = font.Name != font_.Name || font.Size != font_.Size || font.Style != font_.Style;
  font_ = font;
  if (face_changed) {
    metrics_.reset();
    font_dirty_ = true;
  }
}

void TCanvas::SetFontColor(TColorArg color) { font_.Color = color; }

void TCanvas::ApplyMode() {
  if (!mode_dirty_) return;
  painter_->setCompositionMode(pen_mode_ == pmXor ? QPainter::RasterOp_SourceXorDestination
                                                  : QPainter::CompositionMode_SourceOver);
  mode_dirty_ = false;
}

void TCanvas::ApplyPen() {
  ApplyMode();
  if (!pen_dirty_) return;
  pen_qcolor_ = ColorToQColor(pen_color_);
  if (pen_style_ == psClear) {
    painter_->setPen(Qt::NoPen);
  } else if (Stroked()) {
    // A printer strokes at the width in its units; a finer image at whole device pixels, so
    // that every line of one width is equally thick.
    const bool thin = pen_width_ <= 1;
    QPen pen(pen_qcolor_, 1, Qt::SolidLine, thin ? Qt::FlatCap : Qt::RoundCap, thin ? Qt::MiterJoin : Qt::RoundJoin);
    qreal width_in_pixels = pen_width_;
    if (printer_) {
      pen.setWidthF(pen_width_);
    } else {
      const qreal device_width = DevicePenWidth();
      pen.setCosmetic(true);
      pen.setWidthF(device_width);
      width_in_pixels = device_width / scale_;
    }
    QList<qreal> dashes = thin ? DashPattern(pen_style_) : QList<qreal>();
    for (qreal& dash : dashes) dash /= width_in_pixels;
    if (!dashes.isEmpty()) pen.setDashPattern(dashes);
    painter_->setPen(pen);
  } else if (pen_width_ <= 1) {
    // A cosmetic one-pixel pen with a flat cap leaves out the end pixel of a line.
    QPen pen(pen_qcolor_, 0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    const QList<qreal> dashes = DashPattern(pen_style_);
    if (!dashes.isEmpty()) pen.setDashPattern(dashes);
    painter_->setPen(pen);
  } else {
    // Wide pens are always solid with round ends, as the GDI draws them.
    painter_->setPen(QPen(pen_qcolor_, pen_width_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  }
  pen_dirty_ = false;
}

void TCanvas::ApplyBrush() {
  if (!brush_dirty_) return;
  if (brush_style_ == bsClear) {
    painter_->setBrush(Qt::NoBrush);
  } else {
    painter_->setBrush(ColorToQColor(brush_color_));
  }
  brush_dirty_ = false;
}

QPainter& TCanvas::Painter() {
  ApplyPen();
  ApplyBrush();
  return *painter_;
}

void TCanvas::MoveTo(int x, int y) { pen_pos_ = QPoint(x, y); }

bool TCanvas::DirectAccess() const {
  return image_ && painter_ && scale_ == 1 && !painter_->hasClipping() && painter_->transform().isIdentity();
}

bool TCanvas::DrawsOwnLines() const {
  return DirectAccess() && !antialiased_ && pen_width_ <= 1 && pen_style_ != psClear;
}

void TCanvas::SetAntialiased(bool on) {
  if (on == antialiased_) return;
  antialiased_ = on;
  // Smooth strokes run through the pixel centres, with the pen of the mapped devices.
  pen_dirty_ = true;
  if (painter_) painter_->setRenderHint(QPainter::Antialiasing, on);
}

LineRasterizer TCanvas::Rasterizer() {
  return LineRasterizer(*image_, ColorToPixel(ColorToRGB(pen_color_)), pen_style_, pen_mode_ == pmXor);
}

bool TCanvas::DeviceAccess() const {
  return image_ && painter_ && scale_ != 1 && !painter_->hasClipping() && painter_->transform().isIdentity();
}

bool TCanvas::FillAxisLine(QPoint from, QPoint to) {
  if ((from.x() != to.x() && from.y() != to.y()) || !DrawsDeviceLines()) return false;
  // The stroke runs from the start pixel's near edge to the end pixel's near edge, pen-wide
  // across the pixels' centre line; the painter fills the device pixels whose centres lie in it,
  // a centre on the start edge (the lower one) left out, one on the far edge taken.
  const bool horizontal = from.y() == to.y();
  const int a = horizontal ? from.x() : from.y();
  const int b = horizontal ? to.x() : to.y();
  const qreal low = (b > a ? a : b + 1) * scale_;
  const qreal high = (b > a ? b : a + 1) * scale_;
  const int width = DevicePenWidth();
  const qreal centre = ((horizontal ? from.y() : from.x()) + 0.5) * scale_;
  const auto first = [](qreal edge) { return static_cast<int>(std::floor(edge - 0.5)) + 1; };
  const int along1 = first(low);
  const int along2 = first(high);
  const int across1 = first(centre - width / 2.0);
  const int across2 = first(centre + width / 2.0);
  const std::uint32_t pixel = 0xFF000000u | ColorToPixel(ColorToRGB(pen_color_));
  if (horizontal) {
    FillRows(along1, across1, along2, across2, pixel);
  } else {
    FillRows(across1, along1, across2, along2, pixel);
  }
  return true;
}

bool TCanvas::DrawsDeviceLines() const {
  return DeviceAccess() && !antialiased_ && pen_width_ <= 1 && pen_mode_ == pmCopy &&
         (pen_style_ == psSolid || pen_style_ == psInsideFrame);
}

LineRasterizer TCanvas::DeviceRasterizer() {
  return LineRasterizer(*image_, ColorToPixel(ColorToRGB(pen_color_)), psSolid, false, DevicePenWidth());
}

int TCanvas::DevicePenWidth() const { return std::max(1, static_cast<int>(std::round(pen_width_ * scale_))); }

void TCanvas::StrokeMapped(QPolygonF centres) {
  ApplyPen();
  if (pen_width_ <= 1 && centres.size() >= 2) {
    const qsizetype n = centres.size();
    centres[0] = HalfPixelBack(centres[0], centres[0], centres[1]);
    centres[n - 1] = HalfPixelBack(centres[n - 1], centres[n - 2], centres[n - 1]);
  }
  painter_->drawPolyline(centres);
}

void TCanvas::LineTo(int x, int y) {
  const QPoint to(x, y);
  if (DrawsOwnLines()) {
    Rasterizer().Line(pen_pos_, to);
  } else if (painter_ && PenVisible() && to != pen_pos_ && Stroked()) {
    if (!FillAxisLine(pen_pos_, to)) StrokeMapped(QPolygonF{Centre(pen_pos_), Centre(to)});
  } else if (painter_ && PenVisible() && to != pen_pos_) {
    ApplyPen();
    painter_->drawLine(pen_pos_, to);
  }
  pen_pos_ = to;
}

void TCanvas::Polyline(const QPoint* points, int count) {
  if (!painter_ || !PenVisible() || count < 2) return;
  if (DrawsOwnLines()) {
    LineRasterizer rasterizer = Rasterizer();
    for (int i = 1; i < count; ++i) rasterizer.Line(points[i - 1], points[i]);
    return;
  }
  if (Stroked()) {
    QPolygonF centres;
    centres.reserve(count);
    for (int i = 0; i < count; ++i) centres.append(Centre(points[i]));
    StrokeMapped(std::move(centres));
    return;
  }
  ApplyPen();
  painter_->drawPolyline(points, count);
}

void TCanvas::Polyline(const QPointF* points, int count) {
  if (!painter_ || !PenVisible() || count < 2) return;
  if (!Mapped() && !antialiased_) {
    QVarLengthArray<QPoint, 256> pixels;
    for (int i = 0; i < count; ++i) pixels.append(points[i].toPoint());
    Polyline(pixels.data(), count);
    return;
  }
  QPolygonF centres;
  centres.reserve(count);
  for (int i = 0; i < count; ++i) centres.append(points[i] + QPointF(0.5, 0.5));
  StrokeMapped(std::move(centres));
}

void TCanvas::Polygon(const QPoint* points, int count) {
  if (!painter_ || count <= 0) return;
  if (Stroked()) {
    ApplyPen();
    ApplyBrush();
    QPolygonF centres;
    for (int i = 0; i < count; ++i) centres.append(Centre(points[i]));
    painter_->drawPolygon(centres);
    return;
  }
  if (!DrawsOwnLines()) {
    ApplyPen();
    ApplyBrush();
    painter_->drawPolygon(points, count);
    return;
  }
  // The fill comes from the painter, the closed outline from the GDI line rule.
  if (brush_style_ == bsSolid) {
    ApplyMode();
    const QPen saved = painter_->pen();
    painter_->setPen(Qt::NoPen);
    ApplyBrush();
    painter_->drawPolygon(points, count);
    painter_->setPen(saved);
  }
  LineRasterizer rasterizer = Rasterizer();
  for (int i = 1; i < count; ++i) rasterizer.Line(points[i - 1], points[i]);
  rasterizer.Line(points[count - 1], points[0]);
}

void TCanvas::FillRect(int x1, int y1, int x2, int y2) {
  if (!painter_) return;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x2 <= x1 || y2 <= y1) return;
  FillBox(x1, y1, x2, y2, brush_color_);
}

void TCanvas::FillBox(int x1, int y1, int x2, int y2, TColor color) {
  const QRectF box(QPointF(x1, y1), QPointF(x2, y2));
  if (StraightFill(x1, y1, x2, y2)) {
    FillRows(x1, y1, x2, y2, 0xFF000000u | ColorToPixel(ColorToRGB(color)));
    return;
  }
  ApplyMode();
  painter_->fillRect(DeviceAligned(box), ColorToQColor(color));
}

bool TCanvas::FillsStraight() const { return pen_mode_ == pmCopy && (DirectAccess() || DeviceAccess()); }

bool TCanvas::StraightFill(int& x1, int& y1, int& x2, int& y2) const {
  if (!FillsStraight()) return false;
  if (DirectAccess()) return true;
  // On a finer image the box's device pixels, as the painter would fill them.
  const QRectF box = DeviceBox(QRectF(QPointF(x1, y1), QPointF(x2, y2)));
  x1 = static_cast<int>(box.left());
  y1 = static_cast<int>(box.top());
  x2 = static_cast<int>(box.right());
  y2 = static_cast<int>(box.bottom());
  return true;
}

void TCanvas::FillBoxes(const std::vector<ColorBox>& boxes) {
  if (!painter_) return;
  // Each band of rows looks at every box: beyond a few hundred boxes they are filled one by one.
  constexpr std::size_t kComposedBoxes = 512;
  const bool straight = boxes.size() <= kComposedBoxes && FillsStraight();
  struct Run {
    int x1, y1, x2, y2;
    std::uint32_t pixel;
  };
  std::vector<Run> runs;
  runs.reserve(boxes.size());
  for (const ColorBox& b : boxes) {
    int x1 = std::min(b.x1, b.x2);
    int y1 = std::min(b.y1, b.y2);
    int x2 = std::max(b.x1, b.x2);
    int y2 = std::max(b.y1, b.y2);
    if (x2 <= x1 || y2 <= y1) continue;
    if (!straight) {
      FillBox(x1, y1, x2, y2, b.color);
      continue;
    }
    StraightFill(x1, y1, x2, y2);
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, image_->width());
    y2 = std::min(y2, image_->height());
    if (x2 > x1 && y2 > y1) runs.push_back({x1, y1, x2, y2, 0xFF000000u | ColorToPixel(ColorToRGB(b.color))});
  }
  if (runs.empty()) return;
  // Between two neighbouring edges every row is covered by the same boxes: the band's row is
  // composed once, the last box over a pixel giving its colour, and copied where boxes cover it.
  std::vector<int> edges;
  edges.reserve(runs.size() * 2);
  for (const Run& r : runs) {
    edges.push_back(r.y1);
    edges.push_back(r.y2);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  std::vector<std::uint32_t> row(static_cast<std::size_t>(image_->width()));
  std::vector<std::pair<int, int>> spans;
  // Written through the const view, as the painter working on the same image does: no detach.
  uchar* bits = const_cast<uchar*>(image_->constBits());
  const qsizetype stride = image_->bytesPerLine();
  for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
    const int top = edges[e];
    const int bottom = edges[e + 1];
    spans.clear();
    for (const Run& r : runs) {
      if (r.y1 > top || r.y2 < bottom) continue;
      std::fill(row.begin() + r.x1, row.begin() + r.x2, r.pixel);
      spans.emplace_back(r.x1, r.x2);
    }
    if (spans.empty()) continue;
    std::sort(spans.begin(), spans.end());
    std::size_t merged = 0;
    for (std::size_t i = 1; i < spans.size(); ++i) {
      if (spans[i].first <= spans[merged].second) {
        spans[merged].second = std::max(spans[merged].second, spans[i].second);
      } else {
        spans[++merged] = spans[i];
      }
    }
    spans.resize(merged + 1);
    for (int y = top; y < bottom; ++y) {
      auto* line = reinterpret_cast<std::uint32_t*>(bits + y * stride);
      for (const auto& [from, to] : spans) {
        if (to - from <= 8) {
          // A line across the band: a few pixels, cheaper written than copied.
          for (int x = from; x < to; ++x) line[x] = row[static_cast<std::size_t>(x)];
        } else {
          std::memcpy(line + from, row.data() + from, static_cast<std::size_t>(to - from) * sizeof(std::uint32_t));
        }
      }
    }
  }
}

QRectF TCanvas::DeviceBox(const QRectF& box) const {
  // Each edge on the device pixel where its pixel of the drawing begins, as strokes stand; a box
  // keeps at least its scaled size, so that lines of one width are equally thick everywhere and
  // neighbouring boxes leave no gap.
  const QRectF device = painter_->deviceTransform().mapRect(box);
  const auto span = [](qreal from, qreal to) {
    const qreal first = std::floor(from + 1e-6);
    return std::pair{first, first + std::max(std::floor(to + 1e-6) - first, std::round(to - from))};
  };
  const auto [left, right] = span(device.left(), device.right());
  const auto [top, bottom] = span(device.top(), device.bottom());
  return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QRectF TCanvas::DeviceAligned(const QRectF& box) const {
  if (printer_ || scale_ == 1) return box;
  return painter_->deviceTransform().inverted().mapRect(DeviceBox(box));
}

void TCanvas::FillRows(int x1, int y1, int x2, int y2, std::uint32_t pixel) {
  // Small boxes (grid lines, frames, tick marks) are the common case; the painter's set-up for
  // each of them costs far more than the pixels.
  x1 = std::max(x1, 0);
  y1 = std::max(y1, 0);
  x2 = std::min(x2, image_->width());
  y2 = std::min(y2, image_->height());
  if (x2 <= x1) return;
  // Written through the const view, as the painter working on the same image does: no detach.
  uchar* bits = const_cast<uchar*>(image_->constBits());
  const qsizetype stride = image_->bytesPerLine();
  if (y2 <= y1) return;
  if (x2 - x1 <= 8) {
    // A narrow box (a vertical line, a tick): a few pixels a row, cheaper written than copied.
    for (int row = y1; row < y2; ++row) {
      auto* line = reinterpret_cast<std::uint32_t*>(bits + row * stride);
      for (int x = x1; x < x2; ++x) line[x] = pixel;
    }
    return;
  }
  // The first row is filled pixel by pixel, the others are copies of it: the copy runs at memory
  // speed, which matters for the large backgrounds.
  auto* first = reinterpret_cast<std::uint32_t*>(bits + y1 * stride) + x1;
  std::fill(first, first + (x2 - x1), pixel);
  const auto bytes = static_cast<std::size_t>(x2 - x1) * sizeof(std::uint32_t);
  for (int row = y1 + 1; row < y2; ++row) std::memcpy(bits + row * stride + x1 * 4, first, bytes);
}

int TCanvas::RectangleParts(int x1, int y1, int x2, int y2, std::array<ColorBox, 5>& parts, bool& stroked) const {
  int count = 0;
  if (brush_style_ == bsSolid) {
    const int shrink = PenVisible() ? 0 : 1;
    if (x2 - shrink > x1 && y2 - shrink > y1) parts[count++] = {x1, y1, x2 - shrink, y2 - shrink, brush_color_};
  }
  stroked = false;
  if (!PenVisible() || x2 <= x1 || y2 <= y1) return count;
  if (pen_width_ > 1 || pen_style_ == psDash || pen_style_ == psDot || pen_style_ == psDashDot ||
      pen_style_ == psDashDotDot) {
    stroked = true;
    return count;
  }
  // The outline runs on the box's first and last pixel rows and columns.
  const int w = x2 - x1;
  const int h = y2 - y1;
  parts[count++] = {x1, y1, x2, y1 + 1, pen_color_};
  if (h > 1) parts[count++] = {x1, y2 - 1, x2, y2, pen_color_};
  if (h > 2) {
    parts[count++] = {x1, y1 + 1, x1 + 1, y2 - 1, pen_color_};
    if (w > 1) parts[count++] = {x2 - 1, y1 + 1, x2, y2 - 1, pen_color_};
  }
  return count;
}

bool TCanvas::RectangleBoxes(int x1, int y1, int x2, int y2, std::vector<ColorBox>& boxes) const {
  std::array<ColorBox, 5> parts;
  bool stroked = false;
  const int count =
      RectangleParts(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), parts, stroked);
  if (stroked) return false;
  boxes.insert(boxes.end(), parts.begin(), parts.begin() + count);
  return true;
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (!painter_) return;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  std::array<ColorBox, 5> parts;
  bool stroked = false;
  const int count = RectangleParts(x1, y1, x2, y2, parts, stroked);
  for (int i = 0; i < count; ++i) {
    const ColorBox& b = parts[static_cast<std::size_t>(i)];
    FillBox(b.x1, b.y1, b.x2, b.y2, b.color);
  }
  if (!stroked) return;
  ApplyMode();
  ApplyPen();
  const QBrush saved = painter_->brush();
  painter_->setBrush(Qt::NoBrush);
  if (Mapped() || OddWidePen())
    painter_->drawRect(QRectF(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1));
  else
    painter_->drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
  painter_->setBrush(saved);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (!painter_) return;
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x2 <= x1 || y2 <= y1) return;
  ApplyPen();
  ApplyBrush();
  if (x2 - x1 == 1 && y2 - y1 == 1) {
    SetPixel(x1, y1, PenVisible() ? pen_color_ : brush_color_);
    return;
  }
  if (SetsSmallEllipse(x2 - x1, y2 - y1)) {
    SmallEllipse(x1, y1, x2, y2);
    return;
  }
  if (Stroked())
    painter_->drawEllipse(QRectF(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1));
  else
    painter_->drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

// Up to four pixels across, the painter's aliased outline of an ellipse comes out square or
// lopsided. Only a 3 x 3 box stays with it: its diamond is rounder than the full square that the
// rule of SmallEllipse() gives there.
bool TCanvas::SetsSmallEllipse(int width, int height) const {
  return !Stroked() && pen_width_ <= 1 && (pen_style_ == psSolid || pen_style_ == psInsideFrame) && width <= 4 &&
         height <= 4 && !(width == 3 && height == 3);
}

// A pixel belongs to the ellipse when its centre lies inside the ellipse inscribed in the box, and
// to the outline when a pixel beside it does not; compared in whole numbers, as
// ((2i + 1 - w) / w)^2 + ((2j + 1 - h) / h)^2 <= 1.
void TCanvas::SmallEllipse(int x1, int y1, int x2, int y2) {
  const int w = x2 - x1;
  const int h = y2 - y1;
  const auto inside = [w, h](int i, int j) {
    if (i < 0 || j < 0 || i >= w || j >= h) return false;
    const int dx = 2 * i + 1 - w;
    const int dy = 2 * j + 1 - h;
    return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
  };
  for (int j = 0; j < h; ++j) {
    for (int i = 0; i < w; ++i) {
      if (!inside(i, j)) continue;
      const bool edge = !inside(i - 1, j) || !inside(i + 1, j) || !inside(i, j - 1) || !inside(i, j + 1);
      if (edge)
        FillBox(x1 + i, y1 + j, x1 + i + 1, y1 + j + 1, pen_color_);
      else if (brush_style_ == bsSolid)
        FillBox(x1 + i, y1 + j, x1 + i + 1, y1 + j + 1, brush_color_);
    }
  }
}

const QFontMetrics& TCanvas::Metrics() {
  if (!metrics_) {
    qfont_ = font_.ToQFont();
    font_key_ = QStringLiteral("%1|%2|%3").arg(font_.Name).arg(font_.Size).arg(font_.Style.Bits());
    metrics_ = std::make_unique<QFontMetrics>(qfont_);
  }
  return *metrics_;
}

void TCanvas::ApplyFont() {
  if (font_dirty_) {
    // An SVG names its text's font for the viewer, which would look the designed name up on its
    // own (and find another font): it names the family the text was measured in instead.
    drawn_font_ = qfont_;
    if (svg_) drawn_font_.setFamily(DrawnFamilies(qfont_));
  }
  // Whoever borrowed the painter may have restored an older font under the canvas's feet.
  if (font_dirty_ || painter_->font() != drawn_font_) painter_->setFont(drawn_font_);
  font_dirty_ = false;
}

void TCanvas::TextOut(int x, int y, const QString& text) {
  if (!painter_ || text.isEmpty()) return;
  const QFontMetrics& fm = Metrics();
  // Texts are shaped once and then only drawn where that gives the pixels of shaping them anew; a
  // printer lays them out at its own resolution every time.
  TextCacheEntry* entry = printer_ ? nullptr : &text_cache_->Lookup(font_key_, qfont_, text);
  const int width = entry ? entry->width : fm.horizontalAdvance(text);
  if (brush_style_ == bsSolid) FillBox(x, y, x + width, y + fm.height(), brush_color_);
  if (entry && DrawRenderedText(*entry, text, x, y)) return;
  ApplyMode();
  ApplyFont();
  const QPen saved = painter_->pen();
  painter_->setPen(ColorToQColor(font_.Color));
  if (entry && StaticTextAlike(*entry, text, x, y)) {
    painter_->drawStaticText(QPoint(x, y), entry->text);
  } else {
    painter_->drawText(QPoint(x, y + fm.ascent()), text);
  }
  painter_->setPen(saved);
}

bool TCanvas::StaticTextAlike(TextCacheEntry& entry, const QString& text, int x, int y) {
  if (!Mapped()) return true;
  // On a finer image the glyphs of a text shaped once may fall on other device pixels than those
  // of one shaped at its place, depending on the font, its size and where the text begins within
  // a device pixel. Where that is unknown, both are drawn once off screen and compared.
  if (!DeviceAccess() || pen_mode_ != pmCopy) return false;
  const int period = Period();
  if (period == 0) return false;
  const int px = PhaseIn(x, period);
  const int py = PhaseIn(y, period);
  for (const TextComparison& c : entry.comparisons) {
    if (c.ratio == scale_ && c.x == px && c.y == py) return c.same;
  }
  // Room around the text for glyphs reaching beyond its advance, in whole periods, so that both
  // begin where the text does within a device pixel.
  const int pad = period * ((8 + period - 1) / period);
  const QRgb white = 0xFFFFFFFFu;
  const bool same = TextImage(entry, text, QPoint(px, py), pad, white, Qt::black, false) ==
                    TextImage(entry, text, QPoint(px, py), pad, white, Qt::black, true);
  entry.comparisons.push_back({scale_, px, py, same});
  return same;
}

QImage TCanvas::TextImage(const TextCacheEntry& entry, const QString& text, QPoint phase, int pad, QRgb under,
                          const QColor& over, bool static_text) {
  const QFontMetrics& fm = Metrics();
  QImage target(QSize(entry.width + 2 * pad, fm.height() + 2 * pad) * scale_, image_->format());
  target.setDevicePixelRatio(scale_);
  target.fill(under);
  QPainter painter(&target);
  painter.setRenderHints(painter_->renderHints());
  painter.setFont(qfont_);
  painter.setPen(over);
  const QPoint at(pad + phase.x(), pad + phase.y());
  if (static_text) {
    painter.drawStaticText(at, entry.text);
  } else {
    painter.drawText(at + QPoint(0, fm.ascent()), text);
  }
  painter.end();
  return target;
}

int TCanvas::Period() const {
  for (int n = 1; n <= 8; ++n) {
    if (std::abs(n * scale_ - std::round(n * scale_)) < 1e-9) return n;
  }
  return 0;
}

bool TCanvas::DrawRenderedText(TextCacheEntry& entry, const QString& text, int x, int y) {
  if (pen_mode_ != pmCopy || !(DirectAccess() || DeviceAccess()) || image_->depth() != 32) return false;
  const int period = Period();
  if (period == 0) return false;
  const int px = PhaseIn(x, period);
  const int py = PhaseIn(y, period);
  // The device pixel where the text's period begins: a whole one.
  const QPoint origin(static_cast<int>(std::lround((x - px) * scale_)),
                      static_cast<int>(std::lround((y - py) * scale_)));
  const QRgb color = 0xFF000000u | ColorToPixel(ColorToRGB(font_.Color));
  const QRect device = image_->rect();
  // The background is read where the text begins; a background of another colour under the glyphs
  // shows in the check below.
  const QPoint start = origin + QPoint(static_cast<int>(px * scale_), static_cast<int>(py * scale_));
  if (!device.contains(start)) return false;
  const auto pixel_row = [this](int row) {
    return reinterpret_cast<QRgb*>(const_cast<uchar*>(image_->constBits()) + row * image_->bytesPerLine());
  };
  const QRgb background = pixel_row(start.y())[start.x()];
  const int hints = static_cast<int>(painter_->renderHints());
  const TextRendering key{scale_, px, py, color, background, hints, {}, {}};
  const auto kept = std::find_if(entry.renderings.begin(), entry.renderings.end(), [&key](const auto& r) {
    return r.ratio == key.ratio && r.x == key.x && r.y == key.y && r.color == key.color &&
           r.background == key.background && r.hints == key.hints;
  });
  const TextRendering* rendering = kept != entry.renderings.end() ? &*kept : nullptr;
  if (rendering == nullptr) {
    // A text drawn over ever other backgrounds is not worth keeping more of.
    constexpr std::size_t kMaxRenderings = 8;
    if (entry.renderings.size() >= kMaxRenderings) return false;
    entry.renderings.push_back(RenderText(entry, text, x, y, key));
    rendering = &entry.renderings.back();
  }
  const QRect box = rendering->box.translated(origin);
  if (rendering->box.isEmpty() || !device.contains(box)) return false;
  for (int row = box.top(); row <= box.bottom(); ++row) {
    const QRgb* line = pixel_row(row);
    if (std::any_of(line + box.left(), line + box.right() + 1, [background](QRgb p) { return p != background; }))
      return false;
  }
  const auto width = static_cast<std::size_t>(box.width());
  for (int row = box.top(); row <= box.bottom(); ++row) {
    std::memcpy(pixel_row(row) + box.left(), rendering->pixels.data() + (row - box.top()) * width,
                width * sizeof(QRgb));
  }
  return true;
}

TextRendering TCanvas::RenderText(TextCacheEntry& entry, const QString& text, int x, int y,
                                         const TextRendering& key) {
  TextRendering rendering = key;
  const bool static_text = StaticTextAlike(entry, text, x, y);
  // Room around the text for glyphs reaching beyond its box, in whole periods, so that the text
  // begins where it does within a device pixel.
  const int period = Period();
  const int room = 2 + Metrics().height();
  const int pad = period * ((room + period - 1) / period);
  const QPoint phase(key.x, key.y);
  const QImage shown = TextImage(entry, text, phase, pad, key.background, ColorToQColor(font_.Color), static_text);
  // The glyphs' faintest pixels may blend into this background unseen, but not into another: they
  // are found in the colours farthest apart.
  const QImage contrast = TextImage(entry, text, phase, pad, 0xFF000000u, Qt::white, static_text);
  QRect box;
  for (int row = 0; row < shown.height(); ++row) {
    const auto* a = reinterpret_cast<const QRgb*>(shown.constScanLine(row));
    const auto* b = reinterpret_cast<const QRgb*>(contrast.constScanLine(row));
    for (int column = 0; column < shown.width(); ++column) {
      if (a[column] != key.background || (b[column] & 0xFFFFFFu) != 0) box |= QRect(column, row, 1, 1);
    }
  }
  // Glyphs that reach the edge of the room may reach beyond it: not kept.
  if (box.isEmpty() || !shown.rect().adjusted(1, 1, -1, -1).contains(box)) return rendering;
  rendering.pixels.reserve(static_cast<std::size_t>(box.width()) * box.height());
  for (int row = box.top(); row <= box.bottom(); ++row) {
    const auto* line = reinterpret_cast<const QRgb*>(shown.constScanLine(row));
    rendering.pixels.insert(rendering.pixels.end(), line + box.left(), line + box.right() + 1);
  }
  const int offset = static_cast<int>(std::lround(pad * scale_));
  rendering.box = box.translated(-offset, -offset);
  return rendering;
}

int TCanvas::TextWidth(const QString& text) {
  const QFontMetrics& fm = Metrics();
  if (text.isEmpty()) return fm.horizontalAdvance(text);
  return text_cache_->Lookup(font_key_, qfont_, text).width;
}

int TCanvas::TextHeight(const QString&) { return Metrics().height(); }

TColor TCanvas::Pixel(int x, int y) const {
  if (!image_ || !image_->valid(x, y)) return clBlack;
  const QRgb rgb = reinterpret_cast<const QRgb*>(image_->constScanLine(y))[x];
  return RGBColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (DirectAccess()) {
    if (!image_->valid(x, y)) return;
    const TColor rgb = ColorToRGB(color);
    // Written through the const view, as the painter working on the same image does: no detach.
    reinterpret_cast<QRgb*>(const_cast<uchar*>(image_->constScanLine(y)))[x] = 0xFF000000u | ColorToPixel(rgb);
    return;
  }
  if (!painter_) return;
  FillBox(x, y, x + 1, y + 1, color);
}

void TCanvas::Draw(int x, int y, const QImage& image) { Draw(x, y, image, image.rect()); }

void TCanvas::Draw(int x, int y, const QImage& image, const QRect& source) {
  const qreal ratio = image.devicePixelRatio();
  if (ratio != 1) {
    // The source is given in the image's logical pixels.
    const QRectF logical = QRectF(source) & QRectF(QPointF(0, 0), image.deviceIndependentSize());
    if (!painter_ || logical.isEmpty()) return;
    ApplyMode();
    const QRectF pixels(logical.topLeft() * ratio, logical.size() * ratio);
    const QPointF wanted = QPointF(x, y) + logical.topLeft() - QPointF(source.topLeft());
    const QPointF at = DeviceAligned(QRectF(wanted, QSizeF(1, 1))).topLeft();
    if (DeviceAccess() && ratio == scale_ && pen_mode_ == pmCopy && image.format() == image_->format() &&
        image.format() == QImage::Format_RGB32) {
      // The same density on both sides: the device pixels the source covers, copied one to one
      // (the painter would resample them where the logical box ends inside a device pixel).
      const QRect part = DevicePixels(logical.toAlignedRect(), ratio) & image.rect();
      if (!part.isEmpty())
        CopyPixels(image, part, *image_,
                   QPoint(static_cast<int>(std::lround(at.x() * ratio)),
                          static_cast<int>(std::lround(at.y() * ratio))));
      return;
    }
    painter_->drawImage(QRectF(at, logical.size()), image, pixels);
    return;
  }
  const QRect part = source & image.rect();
  if (!painter_ || part.isEmpty()) return;
  x += part.x() - source.x();
  y += part.y() - source.y();
  if (DirectAccess() && pen_mode_ == pmCopy && image.format() == image_->format() &&
      image.format() == QImage::Format_RGB32) {
    CopyPixels(image, part, *image_, QPoint(x, y));
    return;
  }
  ApplyMode();
  painter_->drawImage(QPoint(x, y), image, part);
}

void TCanvas::StretchDraw(int x1, int y1, int x2, int y2, const QImage& image) {
  if (!painter_ || image.isNull() || x2 <= x1 || y2 <= y1) return;
  ApplyMode();
  painter_->drawImage(QRect(x1, y1, x2 - x1, y2 - y1), image);
}

TBitmap::TBitmap(int width, int height, qreal ratio) : ratio_(std::max<qreal>(ratio, 1)) { SetSize(width, height); }

TBitmap::~TBitmap() {
  if (host_) host_->window_ = nullptr;
  if (window_) {
    // The window's pixels go with these: it is left without any until it is sized again.
    window_->host_ = nullptr;
    window_->canvas_.End();
    window_->image_ = QImage();
    window_->shared_ = false;
  }
}

void TBitmap::ShowIn(TBitmap* host, QPoint at) {
  if (host == host_ && (!host || at == at_)) return;
  if (host_) host_->window_ = nullptr;
  if (host && host->window_ && host->window_ != this) host->window_->ShowIn(nullptr, QPoint());
  host_ = host;
  at_ = at;
  if (host_) host_->window_ = this;
  Allocate();
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (!image_.isNull() && width_ == width && height_ == height) return;
  width_ = width;
  height_ = height;
  Allocate();
}

void TBitmap::SetRatio(qreal ratio) {
  ratio = std::max<qreal>(ratio, 1);
  if (ratio == ratio_) return;
  ratio_ = ratio;
  Allocate();
}

void TBitmap::Allocate() {
  canvas_.End();
  // The window's painter lets go of these pixels before they go.
  if (window_) window_->canvas_.End();
  shared_ = false;
  if (host_ && width_ > 0 && height_ > 0 && host_->ratio_ == ratio_ && !host_->image_.isNull()) {
    const QImage& pixels = host_->image_;
    // As many device pixels as pixels of its own would be, from the one its first pixel begins in.
    const QPoint first = DevicePixels(QRect(at_, QSize(1, 1)), ratio_).topLeft();
    const QRect part = QRect(first, QSize(DeviceExtent(width_, ratio_), DeviceExtent(height_, ratio_))) & pixels.rect();
    if (!part.isEmpty() && part.topLeft() == first) {
      image_ = ImagePart(pixels, part);
      image_.setDevicePixelRatio(ratio_);
      shared_ = true;
      canvas_.Begin(&image_);
      if (window_) window_->Allocate();
      return;
    }
  }
  image_ = (width_ > 0 && height_ > 0) ? NewPixelImage(DeviceExtent(width_, ratio_), DeviceExtent(height_, ratio_))
                                       : QImage();
  if (!image_.isNull()) image_.setDevicePixelRatio(ratio_);
  if (image_.isNull() && width_ > 0 && height_ > 0) NoteDrawingMemoryFailure();
  canvas_.Begin(&image_);
  if (window_) window_->Allocate();
}

}  // namespace zeph
