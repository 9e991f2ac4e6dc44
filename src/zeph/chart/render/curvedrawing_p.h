#pragma once

// The polylines of the display list and the curve objects, drawn onto the chart-area canvas.
#include <QPoint>
#include <QPointF>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "zeph/chart/chartitem.h"
#include "zeph/chart/itemlist.h"
#include "zeph/chart/render/pixelmap_p.h"
#include "zeph/chart/render/pencache_p.h"
#include "zeph/chart/render/chartrenderer_p.h"
#include "zeph/chart/render/polylinebatch_p.h"
#include "zeph/toolkit/linerasterizer.h"

namespace zeph {

class TRunIndex;
struct TZephCurveData;

// One data rendering of a chart: items in list order, then curve objects, each point going the
// cheapest way that gives the painter's pixels. Polylines of a pen collect in a batch; one-pixel
// pens on the image draw segment by segment (the stream); solid one-pixel pens draw dense
// stretches column by column, in device pixels on a high-density image; ordered runs draw only
// the stretch their index says can reach the area.
//
// The pen position, the pen settings and whether the polyline is broken carry over from one
// member call to the next, as they do from one item to the next; Flush() draws what the batch
// still holds.
class TCurveDrawing {
 public:
  static constexpr int kLayerCount = kChartLayerCount;

  // Draws the chart's items with its mapping and pens onto the chart-area canvas, records what it
  // draws in dirty_columns and keeps the shapes of dense stretches in solid_cache.
  TCurveDrawing(TChartRenderer& chart, TCanvas& canvas, TDirtyColumns& dirty_columns,
                TSolidPolylineCache& solid_cache);
  TCurveDrawing(const TCurveDrawing&) = delete;
  TCurveDrawing& operator=(const TCurveDrawing&) = delete;

  // Every run of the list, visible items only; the batch is flushed at the end.
  void DrawItems();
  // The run's items: an ordered run from its index where it can, else point by point.
  void DrawRun(std::size_t run_number);
  // A run of point items point by point, whatever index it has.
  void DrawRunPoints(const TZephItemList::Run& run);
  // Every visible curve object, each a polyline of its own, with its marks.
  void DrawCurves();
  // One curve object: from its index where it is ordered, else point by point.
  void DrawCurve(TZephCurveData& curve);
  // The pen of a curve object's points.
  static TZephPointAttributes CurveAttributes(const TZephCurveData& curve);
  // Ends the polyline drawn so far: the next point starts a new one at the width.
  void StartPolyline(int width);
  // One curve object's points one by one, whatever index it has.
  void DrawCurvePoints(const TZephCurveData& curve, const TZephPointAttributes& attributes);
  // Draws what the batch holds.
  void Flush();

 private:
  // One-pixel pens on the image draw each segment as it comes instead of collecting it: the same
  // pixels, as long as the dash pattern starts anew where a polyline of the batch would start, at
  // most every kMaxPoints points. The batch then holds only the pen position.
  struct Stream {
    bool on = false;
    int points = 0;  // of the polyline the batch would be collecting
    QPoint pen;
    std::optional<LineRasterizer> rasterizer;
    int width = 0;
    int height = 0;
    long long skipped = 0;  // pixels of lines beside the image the dash pattern has yet to move on by
  };
  // Where the last device-pixel stretch left its pen, beside the chart-area position it stands for.
  struct DevicePen {
    bool valid = false;
    QPointF area;
    QPoint device;
  };

  void DrawPolyline(const QPointF* points, int count);
  const TPixelMap& MapOf(int layer);
  QPointF Pixel(int layer, const TZephItemPoint& point);
  void StreamTo(QPoint to);
  std::size_t SkipBeside(const TPixelMap& map, const TZephItemPoint* points, const std::uint8_t* kinds, std::size_t k,
                         std::size_t n, int layer);
  void DrawTo(QPointF point);
  void SetWidth(int width);
  void PolylinePoint(std::uint8_t kind, const TZephItemPoint& point, const TZephPointAttributes& attributes);
  void OtherItem(const TZephChartItem& item);
  void DrawRecords(const TZephItemList::Run& run);
  bool FollowedByNewPolyline(std::size_t run_number) const;
  template <typename Draw, typename LastPoint>
  bool DeviceStretch(int layer, const Draw& draw, const LastPoint& last_point);
  std::size_t SolidPoints(const TZephItemPoint* points, const std::uint8_t* kinds, std::size_t k, std::size_t n,
                          const TZephPointAttributes& attributes, bool cacheable = true);
  std::size_t BatchedPoints(const TZephItemPoint* points, const std::uint8_t* kinds, std::size_t k, std::size_t n,
                            const TZephPointAttributes& attributes);
  template <typename PointAt, typename KindAt, typename ChunkAt>
  bool DrawOrdered(const TRunIndex& index, const PointAt& point_at, const KindAt& kind_at, const ChunkAt& chunk_at,
                   std::size_t begin, std::size_t end, const TZephPointAttributes& attributes, bool start_at_begin,
                   bool cut_end);
  template <typename PointAt, typename KindAt, typename ChunkAt>
  std::size_t DrawOrderedSolid(const TRunIndex& index, const PointAt& point_at, const KindAt& kind_at,
                               const ChunkAt& chunk_at, std::size_t from, std::size_t to,
                               const TZephPointAttributes& attributes);
  template <typename PointAt>
  void LeaveOrderedRun(const PointAt& point_at, std::size_t to, std::size_t end, int layer, bool solid);
  void DrawCurveMarks(const TZephCurveData& curve);

  TChartRenderer& chart_;
  const TZephItemStore& store_;
  TCanvas& canvas_;
  TDirtyColumns& dirty_columns_;
  TSolidPolylineCache& solid_cache_;
  const TZephItemList& list_;
  TPenCache cache_;
  // On a device finer than the pixels (a high-density screen, a PDF) curves keep their fractions.
  const bool exact_;
  TPolylineBatch batch_;
  // Each layer's mapping in double precision where it gives the exact pixel, made when first used.
  std::array<TPixelMap, kLayerCount> maps_;
  std::array<bool, kLayerCount> mapped_{};
  Stream stream_;
  // A point that is no finite number breaks the polyline: the next finite point starts anew, as
  // after a move-to.
  bool broken_ = false;
  // On a high-density image a solid one-pixel pen draws in device pixels, square by square, so
  // that a dense stretch is drawn column by column there too. Its pen position in device pixels
  // is kept beside the chart-area one the painter's polylines go on from.
  std::array<std::optional<TPixelMap>, kLayerCount> device_maps_;
  DevicePen device_pen_;
};

}  // namespace zeph
