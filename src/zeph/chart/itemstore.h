#pragma once

#include <array>
#include <memory>

#include "zeph/chart/itemlist.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/types.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

// The data half of a chart: its display list and the drawing attributes copied into every item
// appended. The chart control derives from it and adds painting; the store alone needs no window,
// so models can be run and checked without one.
class ZEPH_CHART_EXPORT TZephItemStore {
 public:
  static constexpr int kLayerCount = 16;
  static constexpr int kClassCount = 256;

  TZephItemStore();
  virtual ~TZephItemStore() = default;
  TZephItemStore(const TZephItemStore&) = delete;
  TZephItemStore& operator=(const TZephItemStore&) = delete;

  // Appends an item that starts a new polyline at the world point (x, y).
  void MoveTo(double x, double y);
  // Appends an item that draws a line from the previous point to the world point (x, y).
  void DrawTo(double x, double y);
  // Empties the display list.
  virtual void ClearGraf();
  // Makes the current list visible; the store itself only records how far it was shown.
  virtual void ShowGraf();

  const TZephItemList& Items() const { return *items_; }

  int AllocSize() const { return alloc_size_; }
  // Accepts 1 to 1000000; any other value is ignored.
  void SetAllocSize(int value);
  TColor DataColor() const { return attributes_.Color; }
  void SetDataColor(TColor value) { attributes_.Color = value; }
  TPenStyle PenStyle() const { return static_cast<TPenStyle>(attributes_.PenStyle); }
  void SetPenStyle(TPenStyle value) { attributes_.PenStyle = value; }
  // A Byte: values beyond 0..255 keep their low byte.
  int LineWidth() const { return attributes_.LineWidth; }
  void SetLineWidth(int value) { attributes_.LineWidth = static_cast<std::uint8_t>(value); }
  int ClassDefault() const { return attributes_.ItemClass; }
  // Class 255 is reserved and ignored.
  void SetClassDefault(int value);
  TColor FillColor() const { return fill_color_; }
  void SetFillColor(TColor value) { fill_color_ = value; }
  int CurrentLayer() const { return attributes_.Layer; }
  // The layer of the items appended from now on; values outside 1..16 are ignored.
  void SetCurrentLayer(int layer);

  bool ClassVisible(int item_class) const;
  void SetClassVisible(int item_class, bool visible);
  bool LayerVisible(int layer) const;
  void SetLayerVisible(int layer, bool visible);
  // An item is drawn only when its class and its layer are both visible.
  bool ItemVisible(const TZephChartItem& item) const {
    return class_visible_[item.ItemClass] && LayerVisible(item.Layer);
  }
  bool ItemVisible(const TZephPointAttributes& attributes) const {
    return class_visible_[attributes.ItemClass] && LayerVisible(attributes.Layer);
  }

 protected:
  // A record of the kind at the point(s) with the current colour, pen style, line width, class and
  // layer, for the caller to complete and append.
  TZephChartItem NewItem(TZephItemKind kind, double x1, double y1, double x2 = 0, double y2 = 0) const;
  void AppendItem(const TZephChartItem& item);
  // Runs after every change of the list: appends and clears.
  virtual void ItemListChanged() {}

  // Charts that share one display list point at the same list object.
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
