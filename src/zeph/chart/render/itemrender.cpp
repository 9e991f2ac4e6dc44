// Rendering the display list into the chart-area image: grid, items, text labels and frame.
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "zeph/chart/data/curvedata_p.h"
#include "zeph/chart/axes/gridpositions_p.h"
#include "zeph/chart/render/indexedrun_p.h"
#include "zeph/chart/render/pencache_p.h"
#include "zeph/chart/pixelmap.h"
#include "zeph/chart/render/polylinebatch_p.h"
#include "zeph/chart/solidpolyline.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"
#include "zeph/scales/drawmark.h"
#include "zeph/toolkit/linerasterizer.h"

namespace zeph {

namespace {

// Half the opening of an arrow head: 20 degrees.
constexpr double kArrowHalfAngle = 0.3490658503988659;

int RoundOffset(double value) { return static_cast<int>(std::nearbyint(std::clamp(value, -1e9, 1e9))); }

// Whether every coordinate the item's kind uses is a finite number.
bool CoordinatesFinite(const TZephChartItem& item) {
  const bool first = std::isfinite(item.X1) && std::isfinite(item.Y1);
  switch (item.Kind) {
    case ikLine:
    case ikRectangle:
    case ikFramedRect:
    case ikBar3D:
    case ikEllipse:
    case ikArrow: return first && std::isfinite(item.X2) && std::isfinite(item.Y2);
    default: return first;
  }
}

void OrderCorners(QPoint& a, QPoint& b) {
  if (a.x() > b.x()) std::swap(a.rx(), b.rx());
  if (a.y() > b.y()) std::swap(a.ry(), b.ry());
}

void Outline(TCanvas& canvas, int left, int top, int right, int bottom) {
  const std::array<QPoint, 5> corners = {QPoint(left, top), QPoint(right, top), QPoint(right, bottom),
                                         QPoint(left, bottom), QPoint(left, top)};
  canvas.Polyline(corners.data(), 5);
  canvas.MoveTo(left, top);
}

}  // namespace

QPoint TCustomZephChartPrivate::ItemPixel(int layer, double x, double y) const {
  const QPoint p = q->WorldToPixel(layer, x, y);
  return {std::clamp(p.x(), -kPixelClamp, kPixelClamp) - geometry_.LRim(), std::clamp(p.y(), -kPixelClamp, kPixelClamp) - geometry_.TRim()};
}

QPointF TCustomZephChartPrivate::PolylinePixel(int layer, double x, double y, bool exact) const {
  if (!exact) return ItemPixel(layer, x, y);
  const QPointF p = q->WorldToPixelF(layer, x, y);
  const auto clamp = [](double v) { return std::clamp(v, -double{kPixelClamp}, double{kPixelClamp}); };
  return {clamp(p.x()) - geometry_.LRim(), clamp(p.y()) - geometry_.TRim()};
}

void TCustomZephChartPrivate::RenderChartArea(TCanvas& canvas) {
  area_clear_pending_ = false;
  // Background and grid come from the cached empty area while nothing they depend on changed.
  const bool cacheable = back_ground_img_->Name().isEmpty() && !q->OnBeforeRenderData;
  const QSize area_size(std::max(q->ChartWidth() + 1, 0), std::max(q->ChartHeight() + 1, 0));
  const bool unchanged =
      cacheable && area_base_valid_ && area_base_layer_ == q->CurrentLayer() && area_bmp_.Size() == area_size;
  if (unchanged && !area_base_pending_ && area_base_.Holds(area_bmp_.Image().size())) {
    // Only what the last data rendering drew on needs the empty area back.
    const QImage& area = area_bmp_.Image();
    if (!dirty_columns_.RestoreRows([this](int y) { return area_base_.Row(y); }, area)) area_base_.CopyTo(area);
    ResetDirtyColumns();
    RenderData(canvas);
    return;
  }
  const TColor background = q->ShownColor(chart_color_, QPalette::Base);
  const TColor grid = q->ShownColor(grid_color_, QPalette::Mid);
  const QImage& image = area_bmp_.Image();
  // The grid's boxes go back to the background as well, whatever grid this rendering draws.
  const bool erasable = cacheable && drawn_area_valid_ && drawn_area_bits_ == image.constBits() &&
                        drawn_area_size_ == image.size() && drawn_area_background_ == background &&
                        drawn_area_grid_ == grid && area_bmp_.Size() == area_size;
  // A solid grid's boxes for this rendering: drawn with the background, and on a scroll the ones
  // that stay where they were need no erasing.
  const bool solid_grid = cacheable && SolidGrid();
  const std::vector<QRect> grid_boxes = solid_grid ? SolidGridBoxes() : std::vector<QRect>{};
  bool erased = false;
  if (erasable) {
    const std::vector<std::uint32_t> plain(static_cast<std::size_t>(std::max(image.width(), 0)),
                                           0xFF000000u | ColorToPixel(ColorToRGB(background)));
    erased = dirty_columns_.RestoreRows([&plain](int) { return plain.data(); }, image);
  }
  if (erased) {
    // A changed range over the same area (a live plot scrolling): only the pixels the last
    // rendering drew on get the background back, not the whole area. The frame is drawn anew.
    // Grid lines drawn again where they were (those along the scrolling axis) need no erasing.
    canvas.SetPenMode(pmCopy);
    canvas.SetBrushStyle(bsSolid);
    canvas.SetBrushColor(background);
    for (const QRect& box : grid_boxes_) {
      if (std::find(grid_boxes.begin(), grid_boxes.end(), box) == grid_boxes.end())
        canvas.FillRect(box.left(), box.top(), box.right() + 1, box.bottom() + 1);
    }
  }
  ResetDirtyColumns();
  grid_boxes_.clear();
  // A solid grid goes down with the background, in one pass over the area's memory; handlers that
  // draw between the two (q->OnBeforeRenderData) keep them apart.
  if (solid_grid) {
    const std::vector<TCanvas::ColorBox> fill = SolidGridFill(canvas, grid_boxes);
    if (erased) {
      canvas.FillBoxes(fill);
    } else {
      ClearChartArea(canvas, 0, 0, fill);
    }
    SetSolidGridPen(canvas);
  } else if (!erased) {
    ClearChartArea(canvas, 0, 0);
  }
  // Dotted grids and grid points are not boxes a later rendering could take away.
  drawn_area_valid_ = cacheable && (grid_style_ == gsNone || SolidGrid());
  drawn_area_bits_ = image.constBits();
  drawn_area_size_ = image.size();
  drawn_area_background_ = background;
  drawn_area_grid_ = grid;
  if (!cacheable) {
    dirty_columns_.MarkAll();
    RenderItems(canvas);
    return;
  }
  if (grid_style_ != gsNone && !solid_grid) DrawGrid(canvas);
  // Keeping the empty area costs a copy of it: worth it once a paint follows without a change,
  // not while every paint changes the range (a live plot).
  if (unchanged) {
    area_base_.Take(area_bmp_.Image());
  }
  area_base_pending_ = !unchanged;
  area_base_valid_ = true;
  area_base_layer_ = q->CurrentLayer();
  RenderData(canvas);
}

void TCustomZephChartPrivate::ResetDirtyColumns() {
  // In the image's own pixels: device pixels on a finer one.
  const QSize pixels = area_bmp_.Image().size();
  dirty_columns_.Reset(pixels.width(), pixels.height());
  dirty_columns_.SetBrush(1);
  if (!record_area_drawing_) dirty_columns_.MarkAll();
}

void TCustomZephChartPrivate::RenderItems(TCanvas& canvas) {
  if (q->OnBeforeRenderData) {
    const TColor brush = canvas.BrushColor();
    const TColor pen = canvas.PenColor();
    q->OnBeforeRenderData(q, canvas, geometry_.TRim(), geometry_.LRim());
    canvas.SetBrushColor(brush);
    canvas.SetPenColor(pen);
  }
  if (grid_style_ != gsNone) DrawGrid(canvas);
  RenderData(canvas);
}

void TCustomZephChartPrivate::RenderData(TCanvas& canvas) {
  TPenCache cache(canvas);
  cache.Reset(q->ShownColor(chart_color_, QPalette::Base), q->LineWidth());
  canvas.SetBrushStyle(bsSolid);
  canvas.MoveTo(0, 0);
  // On a device finer than the pixels (a high-density screen, a PDF) curves keep their fractions.
  const bool exact = canvas.IsPrinter() || canvas.Scale() != 1 || canvas.Antialiased();
  TPolylineBatch batch([this, &canvas, exact](const QPointF* points, int count) {
    const QPoint last = points[count - 1].toPoint();
    if (exact) {
      dirty_columns_.MarkAll();
      canvas.Polyline(points, count);
      canvas.MoveTo(last.x(), last.y());
      return;
    }
    // Whole pixels here: the points convert exactly.
    std::array<QPoint, TPolylineBatch::kMaxPoints> pixels;
    for (int i = 0; i < count; ++i) pixels[static_cast<std::size_t>(i)] = points[i].toPoint();
    if (canvas.PenWidth() > 1) dirty_columns_.MarkAll();
    for (int i = 1; i < count; ++i) dirty_columns_.MarkSegment(pixels[i - 1], pixels[i]);
    canvas.Polyline(pixels.data(), count);
    canvas.MoveTo(last.x(), last.y());
  });
  batch.SetPenPos(QPointF(0, 0));

  const TZephItemList& list = q->Items();
  solid_cache_.Rewind();

  // Each layer's mapping in double precision where it gives the exact pixel, made when first used.
  std::array<TPixelMap, kLayerCount> maps;
  std::array<bool, kLayerCount> mapped{};
  const auto map_of = [&](int layer) -> const TPixelMap& {
    const std::size_t i = TLayerSettings::ClampedSlot(layer);
    if (!mapped[i]) {
      const TLayerScaling& s = q->LayerScaling(layer);
      maps[i] = TPixelMap(s.KX, s.DX, s.KY, s.DY, q->ScaleX(layer)->Logarithmic(), q->ScaleY(layer)->Logarithmic(),
                          kPixelClamp, geometry_.LRim(), geometry_.TRim());
      mapped[i] = true;
    }
    return maps[i];
  };
  const auto pixel = [&](int layer, const TZephItemPoint& point) {
    if (exact) return PolylinePixel(layer, point.X, point.Y, true);
    QPoint p;
    if (!map_of(layer).Map(point, p)) p = ItemPixel(layer, point.X, point.Y);
    return QPointF(p);
  };

  // One-pixel pens on the image draw each segment as it comes instead of collecting it: the same
  // pixels, as long as the dash pattern starts anew where a polyline of the batch would start, at
  // most every kMaxPoints points. The batch then holds only the pen position.
  struct {
    bool on = false;
    int points = 0;  // of the polyline the batch would be collecting
    QPoint pen;
    std::optional<LineRasterizer> rasterizer;
    int width = 0;
    int height = 0;
    long long skipped = 0;  // pixels of lines beside the image the dash pattern has yet to move on by
  } stream;
  const auto flush = [&] {
    if (stream.on) {
      stream.on = false;
      batch.SetPenPos(stream.pen);
      canvas.MoveTo(stream.pen.x(), stream.pen.y());
    }
    batch.Flush();
  };
  const auto stream_to = [&](QPoint to) {
    if (stream.points == 0) {
      stream.points = 1;
      stream.skipped = 0;
      stream.rasterizer->RestartPattern();
    }
    const QPoint from = stream.pen;
    if ((TPixelMap::PixelSidesBeside(from, stream.width, stream.height) &
         TPixelMap::PixelSidesBeside(to, stream.width, stream.height)) != 0) {
      // Beside the image (a curve zoomed in is mostly): only the pattern moves on, later at once.
      stream.skipped += std::max(std::abs(static_cast<long long>(to.x()) - from.x()),
                                 std::abs(static_cast<long long>(to.y()) - from.y()));
    } else {
      stream.rasterizer->Skip(stream.skipped);
      stream.skipped = 0;
      stream.rasterizer->Line(from, to);
      dirty_columns_.MarkSegment(from, to);
    }
    stream.pen = to;
    if (++stream.points == TPolylineBatch::kMaxPoints) stream.points = 0;
  };
  // While the stream starts a polyline of the batch, whole polylines whose points all lie beyond
  // one side of the image are passed over: they draw nothing, and the next one starts the dash
  // pattern anew, so the pixels they skip do not count. Returns the index of the first point left
  // to draw one by one.
  const auto skip_beside = [&](const TPixelMap& map, const TZephItemPoint* points, const std::uint8_t* kinds,
                               std::size_t k, std::size_t n, int layer) {
    constexpr std::size_t kSegments = TPolylineBatch::kMaxPoints - 1;
    while (stream.points == 0 && n - k >= kSegments &&
           std::all_of(kinds + k, kinds + k + kSegments, [](std::uint8_t kind) { return kind == ikDrawTo; })) {
      const int pen_sides = TPixelMap::PixelSidesBeside(stream.pen, stream.width, stream.height);
      if (pen_sides == 0 || (map.SidesBeside(points + k, kSegments, stream.width, stream.height) & pen_sides) == 0)
        break;
      const TZephItemPoint& last = points[k + kSegments - 1];
      if (!map.Map(last, stream.pen)) stream.pen = ItemPixel(layer, last.X, last.Y);
      k += kSegments;
    }
    return k;
  };
  const auto draw_to = [&](QPointF point) {
    if (!stream.on) {
      if (exact || batch.Pending() != 0 || !canvas.DrawsOwnLines()) {
        batch.Append(point);
        return;
      }
      stream.on = true;
      stream.points = 0;
      stream.pen = batch.PenPos().toPoint();
      stream.rasterizer.emplace(canvas.Rasterizer());
      stream.width = stream.rasterizer->Width();
      stream.height = stream.rasterizer->Height();
    }
    stream_to(point.toPoint());
  };

  // A point that is no finite number breaks the polyline: the next finite point starts anew, as
  // after a move-to. Other items that are not finite are left out.
  bool broken = false;
  const auto set_width = [&](int width) {
    if (width == cache.PenWidth()) return;
    flush();
    cache.SetPenWidth(width);
  };
  const auto polyline_point = [&](std::uint8_t kind, const TZephItemPoint& point,
                                  const TZephPointAttributes& attributes) {
    if (!std::isfinite(point.X) || !std::isfinite(point.Y)) {
      flush();
      broken = true;
    } else if (kind == ikMoveTo || broken) {
      broken = false;
      flush();
      const QPointF p = pixel(attributes.Layer, point);
      batch.SetPenPos(p);
      canvas.MoveTo(p.toPoint().x(), p.toPoint().y());
    } else {
      const auto style = static_cast<TPenStyle>(attributes.PenStyle);
      if (attributes.Color != cache.PenColor() || style != cache.PenStyle()) {
        flush();
        cache.SetPenColor(attributes.Color);
        cache.SetPenStyle(style);
      }
      draw_to(pixel(attributes.Layer, point));
    }
  };
  const auto other_item = [&](const TZephChartItem& item) {
    flush();
    dirty_columns_.MarkAll();
    RenderItem(canvas, item, cache);
    if (item.Kind == ikRelMove || item.Kind == ikRelDraw) {
      batch.SetPenPos(canvas.PenPos());
      broken = false;
    }
  };
  // On a high-density image a solid one-pixel pen draws in device pixels, square by square, so that
  // a dense stretch is drawn column by column there too. Its pen position in device pixels is kept
  // beside the chart-area one the painter's polylines go on from.
  std::array<std::optional<TPixelMap>, kLayerCount> device_maps;
  struct {
    bool valid = false;
    QPointF area;
    QPoint device;
  } device_pen;
  // Draws a stretch in device pixels: draw(polyline, map, exact_pixel) draws its points, and
  // last_point() gives its last finite point afterwards (null when there is none). Returns false,
  // drawing nothing, where the canvas cannot draw the pen so.
  const auto device_stretch = [&](int layer, const auto& draw, const auto& last_point) {
    if (!canvas.DrawsDeviceLines()) return false;
    LineRasterizer rasterizer = canvas.DeviceRasterizer();
    const qreal scale = canvas.Scale();
    const int brush = rasterizer.Brush();
    std::optional<TPixelMap>& map = device_maps[TLayerSettings::ClampedSlot(layer)];
    if (!map) map = DevicePixelMap(layer, scale, brush);
    const QPointF start = batch.PenPos();
    dirty_columns_.SetBrush(brush);
    TSolidPolyline polyline(rasterizer, dirty_columns_,
                            device_pen.valid && device_pen.area == start ? device_pen.device
                                                                         : DevicePen(start, scale, brush));
    draw(polyline, *map,
         [&](const TZephItemPoint& point) { return DevicePixel(layer, point.X, point.Y, scale, brush); });
    const QPoint end = polyline.Finish();
    dirty_columns_.SetBrush(1);
    if (const TZephItemPoint* last = last_point()) {
      const QPointF area = PolylinePixel(layer, last->X, last->Y, true);
      batch.SetPenPos(area);
      canvas.MoveTo(area.toPoint().x(), area.toPoint().y());
      device_pen = {true, area, end};
    }
    return true;
  };
  // The last finite point of points[from, to), or null.
  const auto last_finite = [](const auto& point_at, std::size_t from, std::size_t to) -> const TZephItemPoint* {
    for (std::size_t i = to; i > from; --i) {
      const TZephItemPoint& point = point_at(i - 1);
      if (std::isfinite(point.X) && std::isfinite(point.Y)) return &point;
    }
    return nullptr;
  };

  // Move-to and draw-to points of one run from index k on, up to the first point of another kind,
  // drawn with a solid one-pixel pen on the image straight (the same pixels as the polylines of the
  // batch, whose splitting only matters to dashes); returns the index after the last one drawn, or
  // k when the pen does not allow it.
  const auto solid_points = [&](const TZephItemPoint* points, const std::uint8_t* kinds, std::size_t k,
                                std::size_t n, const TZephPointAttributes& attributes, bool cacheable = true) {
    set_width(attributes.LineWidth);
    flush();
    cache.SetPenColor(attributes.Color);
    cache.SetPenStyle(static_cast<TPenStyle>(attributes.PenStyle));
    if (exact) {
      const std::size_t first = k;
      const auto draw = [&](TSolidPolyline& polyline, const TPixelMap& map, const auto& exact_pixel) {
        k = polyline.Draw(map, points, kinds, k, n, broken, exact_pixel);
      };
      const auto point_at = [points](std::size_t i) -> const TZephItemPoint& { return points[i]; };
      return device_stretch(attributes.Layer, draw, [&] { return last_finite(point_at, first, k); }) ? k : first;
    }
    if (!canvas.DrawsOwnLines() || canvas.PenMode() != pmCopy) return k;
    LineRasterizer rasterizer = canvas.Rasterizer();
    if (rasterizer.Dashed()) return k;
    TSolidPolyline polyline(rasterizer, dirty_columns_, batch.PenPos().toPoint());
    const int layer = attributes.Layer;
    const TLayerScaling& scaling = q->LayerScaling(layer);
    const bool linear = !q->ScaleX(layer)->Logarithmic() && !q->ScaleY(layer)->Logarithmic();
    const TSolidPolylineCache::Key key{list.Generation(), points, k, n, polyline.State(broken).pen, broken,
                                       scaling.KX, scaling.DX, scaling.KY, scaling.DY, geometry_.LRim(), geometry_.TRim()};
    bool reused = false;
    // Short stretches are drawn anew at once; keeping them would cost more than it saves.
    const bool keep = cacheable && linear && n - k >= TSolidPolylineCache::kLongStretch;
    TSolidPolylineCache::Entry* entry = keep ? &solid_cache_.Slot(key, reused) : nullptr;
    if (reused && entry->kept) {
      polyline.Replay(entry->shapes, entry->end);
      broken = entry->end.broken;
      k = entry->next;
    } else {
      std::vector<TSolidPolyline::Shape> shapes;
      if (entry) polyline.Record(&shapes);
      k = polyline.Draw(map_of(layer), points, kinds, k, n, broken,
                        [&](const TZephItemPoint& point) { return ItemPixel(layer, point.X, point.Y); });
      // The column still gathered is painted by Finish from the end state, when replayed too.
      polyline.Record(nullptr);
      if (entry) {
        entry->kept = TSolidPolylineCache::WorthKeeping(shapes.size(), k - key.first);
        entry->next = k;
        entry->end = polyline.State(broken);
        if (entry->kept) entry->shapes = std::move(shapes);
      }
    }
    const QPoint pen = polyline.Finish();
    batch.SetPenPos(pen);
    canvas.MoveTo(pen.x(), pen.y());
    return k;
  };

  // Move-to and draw-to points of one run from index k on, up to the first point of another kind,
  // through the batch as one by one, with what is the same for all of them done once; returns the
  // index after the last one.
  const auto batched_points = [&](const TZephItemPoint* points, const std::uint8_t* kinds, std::size_t k,
                                  std::size_t n, const TZephPointAttributes& attributes) {
    set_width(attributes.LineWidth);
    const auto style = static_cast<TPenStyle>(attributes.PenStyle);
    if (attributes.Color != cache.PenColor() || style != cache.PenStyle()) {
      flush();
      cache.SetPenColor(attributes.Color);
      cache.SetPenStyle(style);
    }
    const TPixelMap& map = map_of(attributes.Layer);
    for (; k < n; ++k) {
      if (stream.on && !broken && !exact) {
        k = skip_beside(map, points, kinds, k, n, attributes.Layer);
        if (k == n) break;
      }
      const std::uint8_t kind = kinds[k];
      if (kind != ikMoveTo && kind != ikDrawTo) break;
      QPointF p;
      QPoint mapped;
      if (!exact && map.Map(points[k], mapped)) {
        if (stream.on && kind == ikDrawTo && !broken) {
          stream_to(mapped);
          continue;
        }
        p = mapped;
      } else if (std::isfinite(points[k].X) && std::isfinite(points[k].Y)) {
        p = pixel(attributes.Layer, points[k]);
      } else {
        flush();
        broken = true;
        continue;
      }
      if (kind == ikMoveTo || broken) {
        broken = false;
        flush();
        batch.SetPenPos(p);
        canvas.MoveTo(p.toPoint().x(), p.toPoint().y());
      } else {
        draw_to(p);
      }
    }
    return k;
  };

  // An ordered run (x never decreasing) is drawn from its index: only the stretch from the last
  // point before the visible x range to the first after it, and dense columns from block
  // summaries. The pixels are those of the whole run: segments between two points beyond one side
  // draw nothing; a dashed or painted pen starts where one of its polylines of kMaxPoints would
  // start, so dash pattern and polyline ends stay where they were. Returns false when the run must
  // be drawn point by point after all (nothing drawn then). chunk_at(i, count) gives the points
  // and kinds from position i that lie together, count receiving how many; start_at_begin says
  // that a polyline starts at the run's first point, cut_end that what follows the run does not
  // continue its polyline.
  const auto draw_ordered = [&](const TRunIndex& index, const auto& point_at, const auto& kind_at, const auto& chunk_at,
                                std::size_t begin, std::size_t end, const TZephPointAttributes& attributes,
                                bool start_at_begin, bool cut_end) {
    const int layer = attributes.Layer;
    const TLayerScaling& scaling = q->LayerScaling(layer);
    const bool log_x = q->ScaleX(layer)->Logarithmic();
    const int reach = 2 * std::max(attributes.LineWidth, 1) + 2;
    double low = 0;
    double high = 0;
    if (begin == end ||
        !VisibleXRange(scaling.KX, scaling.DX, log_x, geometry_.LRim(), q->ChartWidth(), reach + 16.0, low, high))
      return false;
    if (log_x) {
      // The points at or below the smallest logarithm share one pixel beside the area; only where
      // that lies beyond the pen's reach on their side are they passed over.
      const int tiny = ItemPixel(layer, 0, 1).x();
      if (scaling.KX > 0 ? tiny >= -reach : tiny <= q->ChartWidth() + reach) return false;
    }
    const auto style = static_cast<TPenStyle>(attributes.PenStyle);
    bool solid = (style == psSolid || style == psInsideFrame) && attributes.LineWidth <= 1;
    if (solid && exact) {
      set_width(attributes.LineWidth);
      flush();
      cache.SetPenColor(attributes.Color);
      cache.SetPenStyle(style);
      solid = canvas.DrawsDeviceLines();
    }
    const std::size_t first = index.FirstAtLeast(begin, end, low, point_at);
    std::size_t from = first > begin ? first - 1 : begin;
    if (from > begin && !solid) {
      std::size_t start = begin;
      const bool known = index.LastStart(from, start) || start_at_begin;
      constexpr std::size_t kSegments = TPolylineBatch::kMaxPoints - 1;
      from = known ? start + (from - start) / kSegments * kSegments : begin;
    }
    std::size_t to = end;
    if (cut_end || solid) to = std::min(end, index.FirstAtLeast(from, end, std::nextafter(high, HUGE_VAL), point_at) + 1);
    set_width(attributes.LineWidth);
    if (from > begin) {
      flush();
      broken = true;
    }
    std::size_t k = from;
    if (solid) {
      flush();
      cache.SetPenColor(attributes.Color);
      cache.SetPenStyle(style);
      const auto kinds_at = [&](std::size_t i) {
        std::size_t count = 0;
        return chunk_at(i, count).second;
      };
      const TIndexedSource source(index, point_at, kind_at, kinds_at);
      if (exact) {
        const auto draw = [&](TSolidPolyline& polyline, const TPixelMap& map, const auto& exact_pixel) {
          k = polyline.DrawFrom(map, source, k, to, broken, exact_pixel);
        };
        device_stretch(layer, draw, [&] { return last_finite(point_at, from, k); });
      } else if (canvas.DrawsOwnLines() && canvas.PenMode() == pmCopy) {
        LineRasterizer rasterizer = canvas.Rasterizer();
        TSolidPolyline polyline(rasterizer, dirty_columns_, batch.PenPos().toPoint());
        k = polyline.DrawFrom(map_of(layer), source, k, to, broken,
                              [&](const TZephItemPoint& point) { return ItemPixel(layer, point.X, point.Y); });
        const QPoint pen = polyline.Finish();
        batch.SetPenPos(pen);
        canvas.MoveTo(pen.x(), pen.y());
      }
    }
    while (k < to) {
      std::size_t count = 0;
      const auto [points, kinds] = chunk_at(k, count);
      const std::size_t n = std::min(count, to - k);
      batched_points(points, kinds, 0, n, attributes);
      k += n;
    }
    if (to < end) {
      // The state the whole run leaves: the pen on its last finite point, broken after one that is
      // not.
      flush();
      for (std::size_t i = end; i > to; --i) {
        const TZephItemPoint& point = point_at(i - 1);
        if (std::isfinite(point.X) && std::isfinite(point.Y)) {
          const QPointF p = pixel(layer, point);
          batch.SetPenPos(p);
          canvas.MoveTo(p.toPoint().x(), p.toPoint().y());
          if (solid && exact)
            device_pen = {true, p, DevicePixel(layer, point.X, point.Y, canvas.Scale(), canvas.DevicePenWidth())};
          break;
        }
      }
      const TZephItemPoint& last = point_at(end - 1);
      broken = !std::isfinite(last.X) || !std::isfinite(last.Y);
    }
    return true;
  };

  const auto list_point = [&list](std::size_t i) -> const TZephItemPoint& { return list.PointAt(i); };
  const auto list_kind = [&list](std::size_t i) { return list.PointKindAt(i); };
  const auto list_chunk = [&list](std::size_t i, std::size_t& count) {
    const TZephItemPoint* points = list.Points(i, count);
    return std::pair(points, list.PointKinds(i));
  };
  // Whether what follows run r starts a polyline of its own, so that the run's may end early.
  const auto followed_by_new_polyline = [&](std::size_t r) {
    const auto& runs = list.Runs();
    if (r + 1 == runs.size()) return true;
    const TZephItemList::Run& next = runs[r + 1];
    const TZephItemList::Run& run = runs[r];
    if (!next.points) return list.Record(next.start).Kind != ikDrawTo && q->ItemVisible(list.Record(next.start));
    if (!q->ItemVisible(next.attributes)) return false;
    return list.PointKindAt(next.start) != ikDrawTo || next.attributes.Color != run.attributes.Color ||
           next.attributes.PenStyle != run.attributes.PenStyle || next.attributes.LineWidth != run.attributes.LineWidth;
  };

  for (std::size_t run_number = 0; run_number < list.Runs().size(); ++run_number) {
    const TZephItemList::Run& run = list.Runs()[run_number];
    if (!run.points) {
      for (int k = 0; k < run.count; ++k) {
        const TZephChartItem& item = list.Record(run.start + static_cast<std::size_t>(k));
        if (!q->ItemVisible(item)) continue;
        const bool polyline = item.Kind == ikMoveTo || item.Kind == ikDrawTo;
        if (!polyline && !CoordinatesFinite(item)) continue;
        set_width(item.LineWidth);
        if (polyline) {
          polyline_point(item.Kind, {item.X1, item.Y1},
                         {item.Color, item.LineWidth, item.Layer, item.PenStyle, item.ItemClass, item.MarkType});
        } else {
          other_item(item);
        }
      }
      continue;
    }
    const TZephPointAttributes& attributes = run.attributes;
    if (!q->ItemVisible(attributes)) continue;
    const auto style = static_cast<TPenStyle>(attributes.PenStyle);
    bool solid = (style == psSolid || style == psInsideFrame) && attributes.LineWidth <= 1;
    std::size_t index = run.start;
    const std::size_t end = run.start + static_cast<std::size_t>(run.count);
    if (const TRunIndex* ordered = list.OrderedIndex(run_number);
        ordered && draw_ordered(*ordered, list_point, list_kind, list_chunk, index, end, attributes, false,
                                followed_by_new_polyline(run_number)))
      continue;
    while (index < end) {
      std::size_t available = 0;
      const TZephItemPoint* points = list.Points(index, available);
      const std::uint8_t* kinds = list.PointKinds(index);
      const std::size_t n = std::min(available, end - index);
      std::size_t k = 0;
      while (k < n) {
        const std::uint8_t kind = kinds[k];
        if (kind == ikMoveTo || kind == ikDrawTo) {
          if (solid) {
            const std::size_t next = solid_points(points, kinds, k, n, attributes);
            if (next != k) {
              k = next;
              continue;
            }
            solid = false;
          }
          k = batched_points(points, kinds, k, n, attributes);
          continue;
        } else if (std::isfinite(points[k].X) && std::isfinite(points[k].Y)) {
          set_width(attributes.LineWidth);
          other_item(list[run.first + static_cast<int>(index - run.start + k)]);
        }
        ++k;
      }
      index += n;
    }
  }
  flush();

  // Curve objects after the items, each a polyline of its own from its first point on.
  for (const auto& curve_data : list.Curves()) {
    TZephCurveData& curve = *curve_data;
    if (!curve.visible || !q->LayerVisible(curve.layer) || curve.points.Count() == 0) continue;
    const TZephPointAttributes attributes{curve.color, curve.line_width, curve.layer,
                                          static_cast<std::uint8_t>(curve.pen_style), 0, 0};
    const std::uint8_t* kinds = list.DrawToKinds();
    const auto style = static_cast<TPenStyle>(attributes.PenStyle);
    const bool solid = (style == psSolid || style == psInsideFrame) && attributes.LineWidth <= 1;
    set_width(attributes.LineWidth);
    flush();
    broken = true;
    curve.CatchUpIndex();
    const auto curve_point = [&curve](std::size_t i) -> const TZephItemPoint& { return curve.points.At(i); };
    const auto curve_kind = [](std::size_t) { return static_cast<std::uint8_t>(ikDrawTo); };
    const auto curve_chunk = [&curve, kinds](std::size_t i, std::size_t& count) {
      return std::pair(curve.points.Contiguous(i, count), kinds);
    };
    if (!curve.index.Ordered() || !draw_ordered(curve.index, curve_point, curve_kind, curve_chunk,
                                                curve.points.Begin(), curve.points.End(), attributes, true, true)) {
      for (std::size_t position = curve.points.Begin(); position < curve.points.End();) {
        std::size_t n = 0;
        const TZephItemPoint* points = curve.points.Contiguous(position, n);
        std::size_t k = solid ? solid_points(points, kinds, 0, n, attributes, false) : 0;
        if (k < n) batched_points(points, kinds, k, n, attributes);
        position += n;
      }
    }
    flush();
    if (curve.mark_type != TZephCurve::kNoMark) {
      dirty_columns_.MarkAll();
      cache.SetPenColor(curve.color);
      cache.SetPenStyle(style);
      // Of an ordered curve only the marks that can reach into the area.
      std::size_t from = curve.points.Begin();
      std::size_t to = curve.points.End();
      const TLayerScaling& scaling = q->LayerScaling(curve.layer);
      double low = 0;
      double high = 0;
      if (curve.index.Ordered() && !q->ScaleX(curve.layer)->Logarithmic() &&
          VisibleXRange(scaling.KX, scaling.DX, false, geometry_.LRim(), q->ChartWidth(), 128, low, high)) {
        from = curve.index.FirstAtLeast(from, to, low, curve_point);
        to = curve.index.FirstAtLeast(from, to, std::nextafter(high, HUGE_VAL), curve_point);
      }
      for (std::size_t position = from; position < to; ++position) {
        const TZephItemPoint& point = curve.points.At(position);
        if (!std::isfinite(point.X) || !std::isfinite(point.Y)) continue;
        const QPoint p = ItemPixel(curve.layer, point.X, point.Y);
        DrawMark(canvas, static_cast<std::uint8_t>(curve.mark_type), p.x(), p.y());
      }
    }
  }
  canvas.SetPenWidth(1);

  DrawTextLabels(canvas);
  if (q->OnDataRendered || std::any_of(text_labels_.begin(), text_labels_.end(),
                                    [](const TTextLabel* label) { return label->Mode() != tlOff; }))
    dirty_columns_.MarkAll();
  if (q->OnDataRendered) q->OnDataRendered(q, canvas, geometry_.TRim(), geometry_.LRim());

  const int cw = q->ChartWidth();
  const int ch = q->ChartHeight();
  // The frame lies on the outermost pixels of the chart-area image, all four corners included;
  // drawn as one-pixel boxes, which cover the same pixels as the closed outline.
  const TColor frame = q->ShownColor(chart_frame_color_, QPalette::WindowText);
  canvas.SetPenColor(frame);
  canvas.SetPenStyle(psSolid);
  canvas.SetPenWidth(1);
  canvas.SetBrushColor(frame);
  canvas.FillRect(0, 0, cw + 1, 1);
  canvas.FillRect(0, ch, cw + 1, ch + 1);
  canvas.FillRect(0, 0, 1, ch + 1);
  canvas.FillRect(cw, 0, cw + 1, ch + 1);
}

void TCustomZephChartPrivate::RenderItem(TCanvas& canvas, const TZephChartItem& item, TPenCache& cache) {
  const auto style = static_cast<TPenStyle>(item.PenStyle);
  switch (item.Kind) {
    case ikLine: {
      cache.SetPenColor(item.Color);
      cache.SetPenStyle(style);
      const QPoint a = ItemPixel(item.Layer, item.X1, item.Y1);
      const QPoint b = ItemPixel(item.Layer, item.X2, item.Y2);
      if (a == b) {
        canvas.SetPixel(a.x(), a.y(), item.Color);
        canvas.MoveTo(a.x(), a.y());
      } else {
        canvas.MoveTo(a.x(), a.y());
        canvas.LineTo(b.x(), b.y());
      }
      break;
    }
    case ikRectangle:
    case ikEllipse: {
      cache.SetPenColor(item.Color);
      cache.SetPenStyle(style);
      cache.SetBrushColor(item.FillColor);
      QPoint a;
      QPoint b;
      if (item.Kind == ikRectangle) {
        a = ItemPixel(item.Layer, item.X1, item.Y1);
        b = ItemPixel(item.Layer, item.X2, item.Y2);
      } else {
        a = ItemPixel(item.Layer, item.X1 - item.X2, item.Y1 - item.Y2);
        b = ItemPixel(item.Layer, item.X1 + item.X2, item.Y1 + item.Y2);
      }
      OrderCorners(a, b);
      // The far edge belongs to the shape.
      if (item.Transparent) canvas.SetBrushStyle(bsClear);
      if (item.Kind == ikRectangle) {
        canvas.Rectangle(a.x(), a.y(), b.x() + 1, b.y() + 1);
      } else {
        canvas.Ellipse(a.x(), a.y(), b.x() + 1, b.y() + 1);
      }
      canvas.SetBrushStyle(bsSolid);
      break;
    }
    case ikFramedRect: {
      QPoint a = ItemPixel(item.Layer, item.X1, item.Y1);
      QPoint b = ItemPixel(item.Layer, item.X2, item.Y2);
      OrderCorners(a, b);
      cache.SetPenColor(item.FillColor);
      cache.SetPenStyle(psSolid);
      cache.SetBrushColor(item.FillColor);
      canvas.Rectangle(a.x(), a.y(), b.x() + 1, b.y() + 1);
      const int l = a.x();
      const int t = a.y();
      const int r = b.x();
      const int btm = b.y();
      const auto edges = [&](TColor top_left, TColor bottom_right) {
        cache.SetPenColor(top_left);
        canvas.MoveTo(l, btm);
        canvas.LineTo(l, t);
        canvas.LineTo(r, t);
        cache.SetPenColor(bottom_right);
        canvas.LineTo(r, btm);
        canvas.LineTo(l, btm);
      };
      const auto outline_twice = [&](TColor first, TColor second) {
        cache.SetPenColor(first);
        Outline(canvas, l + 1, t + 1, r + 1, btm + 1);
        cache.SetPenColor(second);
        Outline(canvas, l - 1, t - 1, r - 1, btm - 1);
      };
      switch (item.FrameStyle) {
        case fsLowered: edges(item.Color2, item.Color3); break;
        case fsRaised: edges(item.Color3, item.Color2); break;
        case fsEmbossed: outline_twice(item.Color2, item.Color3); break;
        case fsEngraved: outline_twice(item.Color3, item.Color2); break;
        default: break;
      }
      break;
    }
    case ikBar3D: {
      QPoint a = ItemPixel(item.Layer, item.X1, item.Y1);
      QPoint b = ItemPixel(item.Layer, item.X2, item.Y2);
      OrderCorners(a, b);
      const double angle = item.Size * M_PI / 180.0;
      const int dx = RoundOffset(item.Depth * std::cos(angle));
      const int dy = -RoundOffset(item.Depth * std::sin(angle));
      cache.SetPenColor(item.Color);
      cache.SetPenStyle(style);
      cache.SetBrushColor(item.FillColor);
      const int l = a.x();
      const int t = a.y();
      const int r = b.x();
      const int btm = b.y();
      const std::array<QPoint, 4> top = {QPoint(l, t), QPoint(l + dx, t + dy), QPoint(r + dx, t + dy), QPoint(r, t)};
      const std::array<QPoint, 4> side = {QPoint(r, t), QPoint(r + dx, t + dy), QPoint(r + dx, btm + dy),
                                          QPoint(r, btm)};
      canvas.Polygon(top.data(), 4);
      canvas.Polygon(side.data(), 4);
      canvas.Rectangle(l, t, r + 1, btm + 1);
      break;
    }
    case ikText: {
      const QPoint p = ItemPixel(item.Layer, item.X1, item.Y1);
      const QString text = QString::fromUcs4(item.Text, std::char_traits<char32_t>::length(item.Text));
      TFont font = font_;
      font.Size = item.Size;
      font.Style = text_font_style_;
      font.Color = item.Color;
      canvas.SetFont(font);
      cache.SetFontColor(item.Color);
      const bool solid = text_bk_style_ == tbSolid;
      if (solid) cache.SetBrushColor(text_bk_color_);
      canvas.SetBrushStyle(solid ? bsSolid : bsClear);
      const int w = canvas.TextWidth(text);
      const int h = canvas.TextHeight(text);
      int x = p.x();
      if (text_alignment_ == taRightJustify) x -= w;
      if (text_alignment_ == taCenter) x -= w / 2;
      canvas.TextOut(x, p.y() - h / 2, text);
      canvas.SetBrushStyle(bsSolid);
      break;
    }
    case ikRelMove: {
      const QPoint p = canvas.PenPos() + QPoint(RoundOffset(item.X1), RoundOffset(item.Y1));
      canvas.MoveTo(p.x(), p.y());
      break;
    }
    case ikRelDraw: {
      cache.SetPenColor(item.Color);
      cache.SetPenStyle(style);
      const QPoint p = canvas.PenPos() + QPoint(RoundOffset(item.X1), RoundOffset(item.Y1));
      canvas.LineTo(p.x(), p.y());
      canvas.SetPixel(p.x(), p.y(), item.Color);
      break;
    }
    case ikArrow: {
      cache.SetPenColor(item.Color);
      cache.SetPenStyle(style);
      const QPoint tail = ItemPixel(item.Layer, item.X1, item.Y1);
      const QPoint head = ItemPixel(item.Layer, item.X2, item.Y2);
      canvas.MoveTo(tail.x(), tail.y());
      canvas.LineTo(head.x(), head.y());
      if (item.Size >= 1) {
        // The head's sides point back along the shaft, 20 degrees to either side.
        const double back = std::atan2(tail.y() - head.y(), tail.x() - head.x());
        const auto side = [&](double angle) {
          return QPoint(head.x() + RoundOffset(item.Size * std::cos(angle)),
                        head.y() + RoundOffset(item.Size * std::sin(angle)));
        };
        const QPoint s1 = side(back + kArrowHalfAngle);
        const QPoint s2 = side(back - kArrowHalfAngle);
        if (item.Transparent) {
          canvas.MoveTo(head.x(), head.y());
          canvas.LineTo(s1.x(), s1.y());
          canvas.MoveTo(head.x(), head.y());
          canvas.LineTo(s2.x(), s2.y());
        } else {
          cache.SetBrushColor(item.FillColor);
          const std::array<QPoint, 3> triangle = {head, s1, s2};
          canvas.Polygon(triangle.data(), 3);
        }
      }
      canvas.MoveTo(head.x(), head.y());
      break;
    }
    case ikMark: {
      cache.SetPenColor(item.Color);
      cache.SetPenStyle(style);
      const QPoint p = ItemPixel(item.Layer, item.X1, item.Y1);
      DrawMark(canvas, item.MarkType, p.x(), p.y());
      break;
    }
    default:
      break;
  }
}

}  // namespace zeph
