#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

#include "zeph/chart/chartitem.h"
#include "zeph/chart/data/pointseries_p.h"
#include "zeph/chart/data/runindex_p.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/types.h"

namespace zeph {

class TZephItemList;
class TZephItemStore;

// What a curve object (TZephCurve) stands for: its style and its points, kept by the display list
// so that every chart sharing the list draws it.
struct TZephCurveData {
  QString name;
  TColor color = clBlack;
  TPenStyle pen_style = psSolid;
  int line_width = 1;
  int mark_type = -1;
  int layer = 1;
  bool visible = true;
  std::size_t history_limit = 0;
  TPointSeries points;
  // Rebuilt whenever the points are cleared.
  TRunIndex index{0};
  // The list that holds the curve.
  TZephItemList* list = nullptr;
  // The store told of changes that need a repaint; null once it is gone.
  TZephItemStore* store = nullptr;

  // Brings the index up to the points appended.
  void CatchUpIndex() {
    index.CatchUp(
        points.End(), [this](std::size_t i) -> const TZephItemPoint& { return points.At(i); },
        [](std::size_t) { return static_cast<std::uint8_t>(ikDrawTo); });
  }
  void DropOldest(std::size_t count) {
    points.DropFront(count);
    index.DropFront(points.Begin());
  }
  void ClearPoints() {
    points.Clear();
    index = TRunIndex(0);
  }
  void KeepHistory() {
    if (history_limit != 0 && points.Count() > history_limit) DropOldest(points.Count() - history_limit);
  }
};

}  // namespace zeph
