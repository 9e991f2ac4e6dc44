// Drawing the display list's polylines and the curve objects: batched, streamed, column by column
// on the image or in device pixels, and from the index of ordered runs.
#include "zeph/chart/render/curvedrawing_p.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

#include "zeph/chart/data/curvedata_p.h"
#include "zeph/chart/render/indexedrun_p.h"
#include "zeph/chart/render/solidpolyline_p.h"
#include "zeph/scales/drawmark.h"

namespace zeph {

namespace {

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

// The last finite point of points[from, to), or null.
template <typename PointAt>
const TZephItemPoint* LastFinite(const PointAt& point_at, std::size_t from, std::size_t to) {
  for (std::size_t i = to; i > from; --i) {
    const TZephItemPoint& point = point_at(i - 1);
    if (std::isfinite(point.X) && std::isfinite(point.Y)) return &point;
  }
  return nullptr;
}

bool SolidOnePixel(const TZephPointAttributes& attributes) {
  const auto style = static_cast<TPenStyle>(attributes.PenStyle);
  return (style == psSolid || style == psInsideFrame) && attributes.LineWidth <= 1;
}

}  // namespace

TCurveDrawing::TCurveDrawing(TChartRenderer& chart, TCanvas& canvas, TDirtyColumns& dirty_columns,
                             TSolidPolylineCache& solid_cache)
    : chart_(chart),
      store_(chart.Store()),
      canvas_(canvas),
      dirty_columns_(dirty_columns),
      solid_cache_(solid_cache),
      list_(chart.Store().Items()),
      cache_(canvas),
      exact_(canvas.IsPrinter() || canvas.Scale() != 1 || canvas.Antialiased()),
      batch_([this](const QPointF* points, int count) { DrawPolyline(points, count); }) {
  cache_.Reset(chart.ShownColor(chart.Look().chart_color, QPalette::Base), store_.LineWidth());
  canvas_.SetBrushStyle(bsSolid);
  canvas_.MoveTo(0, 0);
  batch_.SetPenPos(QPointF(0, 0));
  solid_cache_.Rewind();
}

// The batch's sink.
void TCurveDrawing::DrawPolyline(const QPointF* points, int count) {
  const QPoint last = points[count - 1].toPoint();
  if (exact_) {
    dirty_columns_.MarkAll();
    canvas_.Polyline(points, count);
    canvas_.MoveTo(last.x(), last.y());
    return;
  }
  // Whole pixels here: the points convert exactly.
  std::array<QPoint, TPolylineBatch::kMaxPoints> pixels;
  for (int i = 0; i < count; ++i) pixels[static_cast<std::size_t>(i)] = points[i].toPoint();
  if (canvas_.PenWidth() > 1) dirty_columns_.MarkAll();
  for (int i = 1; i < count; ++i) dirty_columns_.MarkSegment(pixels[i - 1], pixels[i]);
  canvas_.Polyline(pixels.data(), count);
  canvas_.MoveTo(last.x(), last.y());
}

// The steps the point loops take are inline, so that the compiler may fold them into those loops.
inline const TPixelMap& TCurveDrawing::MapOf(int layer) {
  const std::size_t i = TLayerSettings::ClampedSlot(layer);
  if (!mapped_[i]) {
    const TLayerScaling& s = chart_.Geometry().Scaling(layer);
    const TLayerSettings& layers = chart_.Layers();
    maps_[i] = TPixelMap(s.KX, s.DX, s.KY, s.DY, layers.X(layer)->Logarithmic(), layers.Y(layer)->Logarithmic(),
                         kChartPixelClamp, chart_.Geometry().LRim(), chart_.Geometry().TRim());
    mapped_[i] = true;
  }
  return maps_[i];
}

inline QPointF TCurveDrawing::Pixel(int layer, const TZephItemPoint& point) {
  if (exact_) return chart_.PolylinePixel(layer, point.X, point.Y, true);
  QPoint p;
  if (!MapOf(layer).Map(point, p)) p = chart_.ItemPixel(layer, point.X, point.Y);
  return QPointF(p);
}

void TCurveDrawing::Flush() {
  if (stream_.on) {
    stream_.on = false;
    batch_.SetPenPos(stream_.pen);
    canvas_.MoveTo(stream_.pen.x(), stream_.pen.y());
  }
  batch_.Flush();
}

// Always inline: a streamed curve takes this step for every point.
Q_ALWAYS_INLINE void TCurveDrawing::StreamTo(QPoint to) {
  if (stream_.points == 0) {
    stream_.points = 1;
    stream_.skipped = 0;
    stream_.rasterizer->RestartPattern();
  }
  const QPoint from = stream_.pen;
  if ((TPixelMap::PixelSidesBeside(from, stream_.width, stream_.height) &
       TPixelMap::PixelSidesBeside(to, stream_.width, stream_.height)) != 0) {
    // Beside the image (a curve zoomed in is mostly): only the pattern moves on, later at once.
    stream_.skipped += std::max(std::abs(static_cast<long long>(to.x()) - from.x()),
                                std::abs(static_cast<long long>(to.y()) - from.y()));
  } else {
    stream_.rasterizer->Skip(stream_.skipped);
    stream_.skipped = 0;
    stream_.rasterizer->Line(from, to);
    dirty_columns_.MarkSegment(from, to);
  }
  stream_.pen = to;
  if (++stream_.points == TPolylineBatch::kMaxPoints) stream_.points = 0;
}

// While the stream starts a polyline of the batch, whole polylines whose points all lie beyond
// one side of the image are passed over: they draw nothing, and the next one starts the dash
// pattern anew, so the pixels they skip do not count. Returns the index of the first point left
// to draw one by one.
inline std::size_t TCurveDrawing::SkipBeside(const TPixelMap& map, const TZephItemPoint* points,
                                             const std::uint8_t* kinds, std::size_t k, std::size_t n, int layer) {
  constexpr std::size_t kSegments = TPolylineBatch::kMaxPoints - 1;
  while (stream_.points == 0 && n - k >= kSegments &&
         std::all_of(kinds + k, kinds + k + kSegments, [](std::uint8_t kind) { return kind == ikDrawTo; })) {
    const int pen_sides = TPixelMap::PixelSidesBeside(stream_.pen, stream_.width, stream_.height);
    if (pen_sides == 0 || (map.SidesBeside(points + k, kSegments, stream_.width, stream_.height) & pen_sides) == 0)
      break;
    const TZephItemPoint& last = points[k + kSegments - 1];
    if (!map.Map(last, stream_.pen)) stream_.pen = chart_.ItemPixel(layer, last.X, last.Y);
    k += kSegments;
  }
  return k;
}

// Always inline: every point the batch draws takes this step.
Q_ALWAYS_INLINE void TCurveDrawing::DrawTo(QPointF point) {
  if (!stream_.on) {
    if (exact_ || batch_.Pending() != 0 || !canvas_.DrawsOwnLines()) {
      batch_.Append(point);
      return;
    }
    stream_.on = true;
    stream_.points = 0;
    stream_.pen = batch_.PenPos().toPoint();
    stream_.rasterizer.emplace(canvas_.Rasterizer());
    stream_.width = stream_.rasterizer->Width();
    stream_.height = stream_.rasterizer->Height();
  }
  StreamTo(point.toPoint());
}

inline void TCurveDrawing::SetWidth(int width) {
  if (width == cache_.PenWidth()) return;
  Flush();
  cache_.SetPenWidth(width);
}

// A move-to or draw-to record; one that is no finite number breaks the polyline.
inline void TCurveDrawing::PolylinePoint(std::uint8_t kind, const TZephItemPoint& point,
                                         const TZephPointAttributes& attributes) {
  if (!std::isfinite(point.X) || !std::isfinite(point.Y)) {
    Flush();
    broken_ = true;
  } else if (kind == ikMoveTo || broken_) {
    broken_ = false;
    Flush();
    const QPointF p = Pixel(attributes.Layer, point);
    batch_.SetPenPos(p);
    canvas_.MoveTo(p.toPoint().x(), p.toPoint().y());
  } else {
    const auto style = static_cast<TPenStyle>(attributes.PenStyle);
    if (attributes.Color != cache_.PenColor() || style != cache_.PenStyle()) {
      Flush();
      cache_.SetPenColor(attributes.Color);
      cache_.SetPenStyle(style);
    }
    DrawTo(Pixel(attributes.Layer, point));
  }
}

// An item of another kind, painted by the chart; a relative move or draw takes the polyline's pen
// along.
inline void TCurveDrawing::OtherItem(const TZephChartItem& item) {
  Flush();
  dirty_columns_.MarkAll();
  chart_.RenderItem(canvas_, item, cache_);
  if (item.Kind == ikRelMove || item.Kind == ikRelDraw) {
    batch_.SetPenPos(canvas_.PenPos());
    broken_ = false;
  }
}

// Draws a stretch in device pixels: draw(polyline, map, exact_pixel) draws its points, and
// last_point() gives its last finite point afterwards (null when there is none). Returns false,
// drawing nothing, where the canvas cannot draw the pen so.
template <typename Draw, typename LastPoint>
inline bool TCurveDrawing::DeviceStretch(int layer, const Draw& draw, const LastPoint& last_point) {
  if (!canvas_.DrawsDeviceLines()) return false;
  LineRasterizer rasterizer = canvas_.DeviceRasterizer();
  const qreal scale = canvas_.Scale();
  const int brush = rasterizer.Brush();
  std::optional<TPixelMap>& map = device_maps_[TLayerSettings::ClampedSlot(layer)];
  if (!map) map = chart_.DevicePixelMap(layer, scale, brush);
  const QPointF start = batch_.PenPos();
  dirty_columns_.SetBrush(brush);
  TSolidPolyline polyline(rasterizer, dirty_columns_,
                          device_pen_.valid && device_pen_.area == start
                              ? device_pen_.device
                              : TChartRenderer::DevicePen(start, scale, brush));
  draw(polyline, *map, [&, &chart = chart_](const TZephItemPoint& point) {
    return chart.DevicePixel(layer, point.X, point.Y, scale, brush);
  });
  const QPoint end = polyline.Finish();
  dirty_columns_.SetBrush(1);
  if (const TZephItemPoint* last = last_point()) {
    const QPointF area = chart_.PolylinePixel(layer, last->X, last->Y, true);
    batch_.SetPenPos(area);
    canvas_.MoveTo(area.toPoint().x(), area.toPoint().y());
    device_pen_ = {true, area, end};
  }
  return true;
}

// Move-to and draw-to points of one run from index k on, up to the first point of another kind,
// drawn with a solid one-pixel pen on the image straight (the same pixels as the polylines of the
// batch, whose splitting only matters to dashes); returns the index after the last one drawn, or
// k when the pen does not allow it. Not inline: the solid-polyline drawers it instantiates then
// stay private to this file, and each is folded into its only caller.
std::size_t TCurveDrawing::SolidPoints(const TZephItemPoint* points, const std::uint8_t* kinds, std::size_t k,
                                       std::size_t n, const TZephPointAttributes& attributes, bool cacheable) {
  SetWidth(attributes.LineWidth);
  Flush();
  cache_.SetPenColor(attributes.Color);
  cache_.SetPenStyle(static_cast<TPenStyle>(attributes.PenStyle));
  if (exact_) {
    const std::size_t first = k;
    const auto draw = [&](TSolidPolyline& polyline, const TPixelMap& map, const auto& exact_pixel) {
      k = polyline.Draw(map, points, kinds, k, n, broken_, exact_pixel);
    };
    const auto point_at = [points](std::size_t i) -> const TZephItemPoint& { return points[i]; };
    return DeviceStretch(attributes.Layer, draw, [&] { return LastFinite(point_at, first, k); }) ? k : first;
  }
  if (!canvas_.DrawsOwnLines() || canvas_.PenMode() != pmCopy) return k;
  LineRasterizer rasterizer = canvas_.Rasterizer();
  if (rasterizer.Dashed()) return k;
  TSolidPolyline polyline(rasterizer, dirty_columns_, batch_.PenPos().toPoint());
  const int layer = attributes.Layer;
  const TLayerScaling& scaling = chart_.Geometry().Scaling(layer);
  const bool linear = !chart_.Layers().X(layer)->Logarithmic() && !chart_.Layers().Y(layer)->Logarithmic();
  const TSolidPolylineCache::Key key{
      list_.Generation(), points,     k,          n,          polyline.State(broken_).pen, broken_,
      scaling.KX,         scaling.DX, scaling.KY, scaling.DY, chart_.Geometry().LRim(),     chart_.Geometry().TRim()};
  bool reused = false;
  // Short stretches are drawn anew at once; keeping them would cost more than it saves.
  const bool keep = cacheable && linear && n - k >= TSolidPolylineCache::kLongStretch;
  TSolidPolylineCache::Entry* entry = keep ? &solid_cache_.Slot(key, reused) : nullptr;
  if (reused && entry->kept) {
    polyline.Replay(entry->shapes, entry->end);
    broken_ = entry->end.broken;
    k = entry->next;
  } else {
    std::vector<TSolidPolyline::Shape> shapes;
    if (entry) polyline.Record(&shapes);
    k = polyline.Draw(MapOf(layer), points, kinds, k, n, broken_, [&, &chart = chart_](const TZephItemPoint& point) {
      return chart.ItemPixel(layer, point.X, point.Y);
    });
    // The column still gathered is painted by Finish from the end state, when replayed too.
    polyline.Record(nullptr);
    if (entry) {
      entry->kept = TSolidPolylineCache::WorthKeeping(shapes.size(), k - key.first);
      entry->next = k;
      entry->end = polyline.State(broken_);
      if (entry->kept) entry->shapes = std::move(shapes);
    }
  }
  const QPoint pen = polyline.Finish();
  batch_.SetPenPos(pen);
  canvas_.MoveTo(pen.x(), pen.y());
  return k;
}

// Move-to and draw-to points of one run from index k on, up to the first point of another kind,
// through the batch as one by one, with what is the same for all of them done once; returns the
// index after the last one.
inline std::size_t TCurveDrawing::BatchedPoints(const TZephItemPoint* points, const std::uint8_t* kinds,
                                                std::size_t k, std::size_t n, const TZephPointAttributes& attributes) {
  SetWidth(attributes.LineWidth);
  const auto style = static_cast<TPenStyle>(attributes.PenStyle);
  if (attributes.Color != cache_.PenColor() || style != cache_.PenStyle()) {
    Flush();
    cache_.SetPenColor(attributes.Color);
    cache_.SetPenStyle(style);
  }
  const TPixelMap& map = MapOf(attributes.Layer);
  for (; k < n; ++k) {
    if (stream_.on && !broken_ && !exact_) {
      k = SkipBeside(map, points, kinds, k, n, attributes.Layer);
      if (k == n) break;
    }
    const std::uint8_t kind = kinds[k];
    if (kind != ikMoveTo && kind != ikDrawTo) break;
    QPointF p;
    QPoint mapped;
    if (!exact_ && map.Map(points[k], mapped)) {
      if (stream_.on && kind == ikDrawTo && !broken_) {
        StreamTo(mapped);
        continue;
      }
      p = mapped;
    } else if (std::isfinite(points[k].X) && std::isfinite(points[k].Y)) {
      p = Pixel(attributes.Layer, points[k]);
    } else {
      Flush();
      broken_ = true;
      continue;
    }
    if (kind == ikMoveTo || broken_) {
      broken_ = false;
      Flush();
      batch_.SetPenPos(p);
      canvas_.MoveTo(p.toPoint().x(), p.toPoint().y());
    } else {
      DrawTo(p);
    }
  }
  return k;
}

// An ordered run (x never decreasing) is drawn from its index: only the stretch from the last
// point before the visible x range to the first after it, and dense columns from block
// summaries. The pixels are those of the whole run: segments between two points beyond one side
// draw nothing; a dashed or painted pen starts where one of its polylines of kMaxPoints would
// start, so dash pattern and polyline ends stay where they were. Returns false when the run must
// be drawn point by point after all (nothing drawn then). chunk_at(i, count) gives the points
// and kinds from position i that lie together, count receiving how many; start_at_begin says
// that a polyline starts at the run's first point, cut_end that what follows the run does not
// continue its polyline.
template <typename PointAt, typename KindAt, typename ChunkAt>
inline bool TCurveDrawing::DrawOrdered(const TRunIndex& index, const PointAt& point_at, const KindAt& kind_at,
                                       const ChunkAt& chunk_at, std::size_t begin, std::size_t end,
                                       const TZephPointAttributes& attributes, bool start_at_begin, bool cut_end) {
  const int layer = attributes.Layer;
  const TLayerScaling& scaling = chart_.Geometry().Scaling(layer);
  const bool log_x = chart_.Layers().X(layer)->Logarithmic();
  const int reach = 2 * std::max(attributes.LineWidth, 1) + 2;
  double low = 0;
  double high = 0;
  const TChartGeometry& geometry = chart_.Geometry();
  if (begin == end ||
      !VisibleXRange(scaling.KX, scaling.DX, log_x, geometry.LRim(), geometry.ChartWidth(), reach + 16.0, low, high))
    return false;
  if (log_x) {
    // The points at or below the smallest logarithm share one pixel beside the area; only where
    // that lies beyond the pen's reach on their side are they passed over.
    const int tiny = chart_.ItemPixel(layer, 0, 1).x();
    if (scaling.KX > 0 ? tiny >= -reach : tiny <= chart_.Geometry().ChartWidth() + reach) return false;
  }
  const auto style = static_cast<TPenStyle>(attributes.PenStyle);
  bool solid = SolidOnePixel(attributes);
  if (solid && exact_) {
    SetWidth(attributes.LineWidth);
    Flush();
    cache_.SetPenColor(attributes.Color);
    cache_.SetPenStyle(style);
    solid = canvas_.DrawsDeviceLines();
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
  SetWidth(attributes.LineWidth);
  if (from > begin) {
    Flush();
    broken_ = true;
  }
  std::size_t k = solid ? DrawOrderedSolid(index, point_at, kind_at, chunk_at, from, to, attributes) : from;
  while (k < to) {
    std::size_t count = 0;
    const auto [points, kinds] = chunk_at(k, count);
    const std::size_t n = std::min(count, to - k);
    BatchedPoints(points, kinds, 0, n, attributes);
    k += n;
  }
  if (to < end) LeaveOrderedRun(point_at, to, end, layer, solid);
  return true;
}

// The stretch [from, to) of an ordered run with a solid one-pixel pen, column by column from the
// index's block summaries; returns the position after the last point drawn.
template <typename PointAt, typename KindAt, typename ChunkAt>
inline std::size_t TCurveDrawing::DrawOrderedSolid(const TRunIndex& index, const PointAt& point_at,
                                                   const KindAt& kind_at, const ChunkAt& chunk_at, std::size_t from,
                                                   std::size_t to, const TZephPointAttributes& attributes) {
  const int layer = attributes.Layer;
  std::size_t k = from;
  Flush();
  cache_.SetPenColor(attributes.Color);
  cache_.SetPenStyle(static_cast<TPenStyle>(attributes.PenStyle));
  const auto kinds_at = [&](std::size_t i) {
    std::size_t count = 0;
    return chunk_at(i, count).second;
  };
  const TIndexedSource source(index, point_at, kind_at, kinds_at);
  if (exact_) {
    const auto draw = [&](TSolidPolyline& polyline, const TPixelMap& map, const auto& exact_pixel) {
      k = polyline.DrawFrom(map, source, k, to, broken_, exact_pixel);
    };
    DeviceStretch(layer, draw, [&] { return LastFinite(point_at, from, k); });
  } else if (canvas_.DrawsOwnLines() && canvas_.PenMode() == pmCopy) {
    LineRasterizer rasterizer = canvas_.Rasterizer();
    TSolidPolyline polyline(rasterizer, dirty_columns_, batch_.PenPos().toPoint());
    k = polyline.DrawFrom(MapOf(layer), source, k, to, broken_, [&, &chart = chart_](const TZephItemPoint& point) {
      return chart.ItemPixel(layer, point.X, point.Y);
    });
    const QPoint pen = polyline.Finish();
    batch_.SetPenPos(pen);
    canvas_.MoveTo(pen.x(), pen.y());
  }
  return k;
}

// The state the whole run leaves when only [.., to) of it was drawn: the pen on its last finite
// point, broken after one that is not.
template <typename PointAt>
inline void TCurveDrawing::LeaveOrderedRun(const PointAt& point_at, std::size_t to, std::size_t end, int layer,
                                           bool solid) {
  Flush();
  for (std::size_t i = end; i > to; --i) {
    const TZephItemPoint& point = point_at(i - 1);
    if (std::isfinite(point.X) && std::isfinite(point.Y)) {
      const QPointF p = Pixel(layer, point);
      batch_.SetPenPos(p);
      canvas_.MoveTo(p.toPoint().x(), p.toPoint().y());
      if (solid && exact_)
        device_pen_ = {true, p,
                       chart_.DevicePixel(layer, point.X, point.Y, canvas_.Scale(), canvas_.DevicePenWidth())};
      break;
    }
  }
  const TZephItemPoint& last = point_at(end - 1);
  broken_ = !std::isfinite(last.X) || !std::isfinite(last.Y);
}

// Whether what follows run r starts a polyline of its own, so that the run's may end early.
bool TCurveDrawing::FollowedByNewPolyline(std::size_t r) const {
  const auto& runs = list_.Runs();
  if (r + 1 == runs.size()) return true;
  const TZephItemList::Run& next = runs[r + 1];
  const TZephItemList::Run& run = runs[r];
  if (!next.points) return list_.Record(next.start).Kind != ikDrawTo && store_.ItemVisible(list_.Record(next.start));
  if (!store_.ItemVisible(next.attributes)) return false;
  return list_.PointKindAt(next.start) != ikDrawTo || next.attributes.Color != run.attributes.Color ||
         next.attributes.PenStyle != run.attributes.PenStyle || next.attributes.LineWidth != run.attributes.LineWidth;
}

void TCurveDrawing::DrawItems() {
  for (std::size_t run_number = 0; run_number < list_.Runs().size(); ++run_number) DrawRun(run_number);
  Flush();
}

// A run of full records, item by item; items of other kinds that are not finite are left out.
void TCurveDrawing::DrawRecords(const TZephItemList::Run& run) {
  for (int k = 0; k < run.count; ++k) {
    const TZephChartItem& item = list_.Record(run.start + static_cast<std::size_t>(k));
    if (!store_.ItemVisible(item)) continue;
    const bool polyline = item.Kind == ikMoveTo || item.Kind == ikDrawTo;
    if (!polyline && !CoordinatesFinite(item)) continue;
    SetWidth(item.LineWidth);
    if (polyline) {
      PolylinePoint(item.Kind, {item.X1, item.Y1},
                    {item.Color, item.LineWidth, item.Layer, item.PenStyle, item.ItemClass, item.MarkType});
    } else {
      OtherItem(item);
    }
  }
}

void TCurveDrawing::DrawRun(std::size_t run_number) {
  const TZephItemList::Run& run = list_.Runs()[run_number];
  if (!run.points) {
    DrawRecords(run);
    return;
  }
  if (!store_.ItemVisible(run.attributes)) return;
  const TZephItemList& list = list_;
  const auto list_point = [&list](std::size_t i) -> const TZephItemPoint& { return list.PointAt(i); };
  const auto list_kind = [&list](std::size_t i) { return list.PointKindAt(i); };
  const auto list_chunk = [&list](std::size_t i, std::size_t& count) {
    const TZephItemPoint* points = list.Points(i, count);
    return std::pair(points, list.PointKinds(i));
  };
  const std::size_t end = run.start + static_cast<std::size_t>(run.count);
  if (const TRunIndex* ordered = list_.OrderedIndex(run_number);
      ordered && DrawOrdered(*ordered, list_point, list_kind, list_chunk, run.start, end, run.attributes, false,
                             FollowedByNewPolyline(run_number)))
    return;
  DrawRunPoints(run);
}

void TCurveDrawing::DrawRunPoints(const TZephItemList::Run& run) {
  const TZephPointAttributes& attributes = run.attributes;
  bool solid = SolidOnePixel(attributes);
  const std::size_t end = run.start + static_cast<std::size_t>(run.count);
  for (std::size_t index = run.start; index < end;) {
    std::size_t available = 0;
    const TZephItemPoint* points = list_.Points(index, available);
    const std::uint8_t* kinds = list_.PointKinds(index);
    const std::size_t n = std::min(available, end - index);
    std::size_t k = 0;
    while (k < n) {
      const std::uint8_t kind = kinds[k];
      if (kind == ikMoveTo || kind == ikDrawTo) {
        if (solid) {
          const std::size_t next = SolidPoints(points, kinds, k, n, attributes);
          if (next != k) {
            k = next;
            continue;
          }
          solid = false;
        }
        k = BatchedPoints(points, kinds, k, n, attributes);
        continue;
      } else if (std::isfinite(points[k].X) && std::isfinite(points[k].Y)) {
        SetWidth(attributes.LineWidth);
        OtherItem(list_[run.first + static_cast<int>(index - run.start + k)]);
      }
      ++k;
    }
    index += n;
  }
}

// Curve objects after the items, each a polyline of its own from its first point on.
void TCurveDrawing::DrawCurves() {
  for (const auto& curve_data : list_.Curves()) {
    TZephCurveData& curve = *curve_data;
    if (!curve.visible || !store_.LayerVisible(curve.layer) || curve.points.Count() == 0) continue;
    DrawCurve(curve);
  }
}

TZephPointAttributes TCurveDrawing::CurveAttributes(const TZephCurveData& curve) {
  return {curve.color, curve.line_width, curve.layer, static_cast<std::uint8_t>(curve.pen_style), 0, 0};
}

void TCurveDrawing::StartPolyline(int width) {
  SetWidth(width);
  Flush();
  broken_ = true;
}

void TCurveDrawing::DrawCurve(TZephCurveData& curve) {
  const TZephPointAttributes attributes = CurveAttributes(curve);
  const std::uint8_t* kinds = list_.DrawToKinds();
  StartPolyline(attributes.LineWidth);
  curve.CatchUpIndex();
  const auto curve_point = [&curve](std::size_t i) -> const TZephItemPoint& { return curve.points.At(i); };
  const auto curve_kind = [](std::size_t) { return static_cast<std::uint8_t>(ikDrawTo); };
  const auto curve_chunk = [&curve, kinds](std::size_t i, std::size_t& count) {
    return std::pair(curve.points.Contiguous(i, count), kinds);
  };
  if (!curve.index.Ordered() || !DrawOrdered(curve.index, curve_point, curve_kind, curve_chunk, curve.points.Begin(),
                                             curve.points.End(), attributes, true, true))
    DrawCurvePoints(curve, attributes);
  Flush();
  if (curve.mark_type != TZephCurve::kNoMark) DrawCurveMarks(curve);
}

void TCurveDrawing::DrawCurvePoints(const TZephCurveData& curve, const TZephPointAttributes& attributes) {
  const std::uint8_t* kinds = list_.DrawToKinds();
  const bool solid = SolidOnePixel(attributes);
  for (std::size_t position = curve.points.Begin(); position < curve.points.End();) {
    std::size_t n = 0;
    const TZephItemPoint* points = curve.points.Contiguous(position, n);
    std::size_t k = solid ? SolidPoints(points, kinds, 0, n, attributes, false) : 0;
    if (k < n) BatchedPoints(points, kinds, k, n, attributes);
    position += n;
  }
}

void TCurveDrawing::DrawCurveMarks(const TZephCurveData& curve) {
  dirty_columns_.MarkAll();
  cache_.SetPenColor(curve.color);
  cache_.SetPenStyle(curve.pen_style);
  // Of an ordered curve only the marks that can reach into the area.
  std::size_t from = curve.points.Begin();
  std::size_t to = curve.points.End();
  const TLayerScaling& scaling = chart_.Geometry().Scaling(curve.layer);
  double low = 0;
  double high = 0;
  const auto curve_point = [&curve](std::size_t i) -> const TZephItemPoint& { return curve.points.At(i); };
  const TChartGeometry& geometry = chart_.Geometry();
  if (curve.index.Ordered() && !chart_.Layers().X(curve.layer)->Logarithmic() &&
      VisibleXRange(scaling.KX, scaling.DX, false, geometry.LRim(), geometry.ChartWidth(), 128, low, high)) {
    from = curve.index.FirstAtLeast(from, to, low, curve_point);
    to = curve.index.FirstAtLeast(from, to, std::nextafter(high, HUGE_VAL), curve_point);
  }
  for (std::size_t position = from; position < to; ++position) {
    const TZephItemPoint& point = curve.points.At(position);
    if (!std::isfinite(point.X) || !std::isfinite(point.Y)) continue;
    const QPoint p = chart_.ItemPixel(curve.layer, point.X, point.Y);
    DrawMark(canvas_, static_cast<std::uint8_t>(curve.mark_type), p.x(), p.y());
  }
}

}  // namespace zeph
