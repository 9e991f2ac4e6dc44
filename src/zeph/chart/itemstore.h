#pragma once

#include <array>
#include <memory>

#include "zeph/chart/itemlist.h"
#include "zeph/chart/zephcurve.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/types.h"
#include "zeph/chart/chart_export.h"
#include "zeph/chart/chartenums.h"

namespace zeph {

/// The data half of a chart: its display list and the drawing attributes copied into every item
/// appended.
///
/// The chart control TCustomZephChart (and so TZephChart) derives from it and adds painting; the
/// store alone needs no window, so models can be run and checked without one. The usual cycle:
/// ClearGraf(), set the attributes (SetDataColor() and the others), one MoveTo() to start each
/// polyline, DrawTo() for every further vertex, and ShowGraf() once at the end.
///
/// The attribute setters only store the value: they neither repaint nor change items already in
/// the list. Out-of-range values are ignored silently, never reported.
class ZEPH_CHART_EXPORT TZephItemStore {
 public:
  /// The number of layers, numbered 1 to 16.
  static constexpr int kLayerCount = kChartLayerCount;
  /// The number of item classes, numbered 0 to 255.
  static constexpr int kClassCount = 256;

  /// Constructs a store with an empty list, black solid lines of width 1 in class 0 and layer 1,
  /// fill colour silver, growth step 1000, and every class and layer visible.
  TZephItemStore();
  virtual ~TZephItemStore();
  TZephItemStore(const TZephItemStore&) = delete;
  TZephItemStore& operator=(const TZephItemStore&) = delete;

  /// Appends an item that starts a new polyline at the world point (x, y).
  ///
  /// The item (kind \c ikMoveTo) takes the current colour, pen style, line width, class and layer.
  /// Charts sharing this chart's data hold the new item at once.
  void MoveTo(double x, double y) {
    items_->AppendPoint(ikMoveTo, x, y, attributes_, alloc_size_);
    ItemListChanged();
  }
  /// Appends an item that draws a line from the previous point to the world point (x, y).
  ///
  /// The item (kind \c ikDrawTo) takes the current colour, pen style, line width, class and layer;
  /// drawn, it is a straight segment from the pen position. A DrawTo() with no MoveTo() before it
  /// starts from the top-left corner of the chart area.
  void DrawTo(double x, double y) {
    items_->AppendPoint(ikDrawTo, x, y, attributes_, alloc_size_);
    ItemListChanged();
  }
  /// Empties the display list.
  ///
  /// Returns all storage, and sets the count, the capacity, the last-shown index and every per-kind
  /// counter to 0. Nothing is repainted; the chart control overrides it to prepare an empty chart
  /// area as well.
  virtual void ClearGraf();
  /// Makes the current list visible; the store itself only records how far it was shown.
  ///
  /// Sets the last-shown index to the item count minus 1. The chart control overrides it to paint
  /// the list.
  virtual void ShowGraf();

  /// The display list, shared with the charts that display this chart's data.
  const TZephItemList& Items() const { return *items_; }

  /// \name Curve objects
  /// Curves that an application keeps as objects (TZephCurve), besides the items; see the "Live
  /// data" page.
  ///@{

  /// Adds an empty curve after the others and returns its handle.
  ///
  /// The curve takes the name given and the current DataColor(), PenStyle(), LineWidth() and
  /// CurrentLayer(); it is visible and has no mark. ClearGraf() leaves curves alone; the charts
  /// sharing this chart's data draw it too. Does not repaint (an empty curve draws nothing).
  TZephCurve AddCurve(const QString& name = QString());
  /// The number of curves.
  int CurveCount() const;
  /// The curve at the index, 0 to CurveCount() − 1, in the order they were added; a handle that
  /// stands for no curve (TZephCurve::IsValid() false) for any other index.
  TZephCurve Curve(int index) const;
  /// Removes every curve; all their handles become invalid. Repaints under the AutoRedraw() rule
  /// when there was one.
  void RemoveCurves();
  /// Runs after a change of a curve that must be seen: its style, visibility, a removal or a
  /// clearing; not after points are appended or dropped.
  ///
  /// Does nothing here; the chart control overrides it to repaint itself and the charts sharing
  /// its data under the AutoRedraw() rule.
  virtual void CurvesChanged() {}
  ///@}

  /// Published property \c AllocSize of TZephChart: the growth step of the list's capacity, in
  /// items.
  ///
  /// 1000 by default: a curve of up to 1000 points costs one growth.
  int AllocSize() const { return alloc_size_; }
  /// Sets AllocSize(); accepts 1 to 1000000, any other value is ignored.
  void SetAllocSize(int value);
  /// Published property \c DataColor of TZephChart: the colour of the items appended from now on.
  ///
  /// Black (0) by default.
  TColor DataColor() const { return attributes_.Color; }
  /// Sets DataColor(); items already appended keep their colour.
  void SetDataColor(TColorArg value) { attributes_.Color = value; }
  /// Published property \c PenStyle of TZephChart: the line style of the items appended from now
  /// on.
  ///
  /// \c psSolid by default.
  TPenStyle PenStyle() const { return static_cast<TPenStyle>(attributes_.PenStyle); }
  /// Sets PenStyle(); items already appended keep their style.
  void SetPenStyle(TPenStyle value) { attributes_.PenStyle = value; }
  /// Published property \c LineWidth of TZephChart: the pen width in pixels of the items appended
  /// from now on.
  ///
  /// 1 by default.
  int LineWidth() const { return attributes_.LineWidth; }
  /// Sets LineWidth(); the width is a byte: values beyond 0..255 keep their low byte.
  void SetLineWidth(int value) { attributes_.LineWidth = static_cast<std::uint8_t>(value); }
  /// Published property \c ClassDefault of TZephChart: the class (visibility group) of the items
  /// appended from now on.
  ///
  /// 0 by default. See SetClassVisible().
  int ClassDefault() const { return attributes_.ItemClass; }
  /// Sets ClassDefault(); accepts 0 to 254. Class 255 is reserved and ignored, and so is any value
  /// outside 0..255.
  void SetClassDefault(int value);
  /// Published property \c FillColor of TZephChart: the fill colour of the area items appended by
  /// the chart from now on.
  ///
  /// Silver (12632256) by default.
  TColor FillColor() const { return fill_color_; }
  /// Sets FillColor(); items already appended keep their fill.
  void SetFillColor(TColorArg value) { fill_color_ = value; }
  /// The layer, 1 to 16, of the items appended from now on; 1 by default.
  ///
  /// The chart also maps the mouse position and draws its grid through this layer's scales.
  int CurrentLayer() const { return attributes_.Layer; }
  /// Sets CurrentLayer(); values outside 1..16 are ignored.
  void SetCurrentLayer(int layer);

  /// Whether the items of a class, 0 to 255, are drawn; false for a class outside that range.
  ///
  /// All classes are visible at construction.
  bool ClassVisible(int item_class) const;
  /// Shows or hides the items of a class, 0 to 255; a class outside that range is ignored.
  ///
  /// Takes effect at the chart's next repaint.
  void SetClassVisible(int item_class, bool visible);
  /// Whether the items and text labels of a layer, 1 to 16, are drawn; false for a layer outside
  /// that range.
  ///
  /// All layers are visible at construction.
  bool LayerVisible(int layer) const;
  /// Shows or hides the items and text labels of a layer, 1 to 16; a layer outside that range is
  /// ignored.
  ///
  /// Takes effect at the chart's next repaint.
  void SetLayerVisible(int layer, bool visible);
  /// Whether an item is drawn: only when its class and its layer are both visible.
  bool ItemVisible(const TZephChartItem& item) const {
    return class_visible_[item.ItemClass] && LayerVisible(item.Layer);
  }
  /// Whether the items with these attributes are drawn: only when their class and their layer are
  /// both visible.
  bool ItemVisible(const TZephPointAttributes& attributes) const {
    return class_visible_[attributes.ItemClass] && LayerVisible(attributes.Layer);
  }

 protected:
  /// A record of the kind at the point(s) with the current colour, pen style, line width, class and
  /// layer, for the caller to complete and append with AppendItem().
  TZephChartItem NewItem(TZephItemKind kind, double x1, double y1, double x2 = 0, double y2 = 0) const;
  /// Appends a record to the list, growing its capacity by AllocSize() when full, then calls
  /// ItemListChanged().
  void AppendItem(const TZephChartItem& item);
  /// Makes the curves of the list this store now holds tell this store of their changes; for a
  /// store that took a copy of another store's list.
  void AdoptCurves();
  /// Runs after every change of the list: appends and clears.
  ///
  /// Does nothing here; the chart control overrides it to pass the list to the charts sharing it.
  virtual void ItemListChanged() {}

  /// The display list. Charts that share one display list point at the same list object.
  std::shared_ptr<TZephItemList> items_;

 private:
  int alloc_size_ = 1000;
  // DataColor, PenStyle, LineWidth, ClassDefault and the current layer, as items take them.
  TZephPointAttributes attributes_{clBlack, 1, 1, psSolid, 0, 0};
  TColor fill_color_ = clSilver;
  std::array<bool, kClassCount> class_visible_;
  std::array<bool, kLayerCount> layer_visible_;
};

}  // namespace zeph
