#include "zeph/chart/itemstore.h"

#include "zeph/chart/data/curvedata_p.h"

namespace zeph {

TZephItemStore::TZephItemStore() : items_(std::make_shared<TZephItemList>()) {
  class_visible_.fill(true);
  layer_visible_.fill(true);
}

TZephItemStore::~TZephItemStore() {
  // Curves that outlive this store (in a list another chart goes on showing) no longer tell it.
  for (const auto& curve : items_->Curves())
    if (curve->store == this) curve->store = nullptr;
}

TZephCurve TZephItemStore::AddCurve(const QString& name) {
  auto curve = std::make_shared<TZephCurveData>();
  curve->name = name;
  curve->color = attributes_.Color;
  curve->pen_style = static_cast<TPenStyle>(attributes_.PenStyle);
  curve->line_width = attributes_.LineWidth;
  curve->layer = attributes_.Layer;
  curve->store = this;
  curve->list = items_.get();
  items_->Curves().push_back(curve);
  return TZephCurve(curve);
}

void TZephItemStore::AdoptCurves() {
  for (const auto& curve : items_->Curves()) curve->store = this;
}

int TZephItemStore::CurveCount() const { return static_cast<int>(items_->Curves().size()); }

TZephCurve TZephItemStore::Curve(int index) const {
  if (index < 0 || index >= CurveCount()) return TZephCurve();
  return TZephCurve(items_->Curves()[static_cast<std::size_t>(index)]);
}

void TZephItemStore::RemoveCurves() {
  if (items_->Curves().empty()) return;
  items_->Curves().clear();
  CurvesChanged();
}

TZephChartItem TZephItemStore::NewItem(TZephItemKind kind, double x1, double y1, double x2, double y2) const {
  TZephChartItem item{};
  item.Kind = kind;
  item.X1 = x1;
  item.Y1 = y1;
  item.X2 = x2;
  item.Y2 = y2;
  item.Layer = attributes_.Layer;
  item.ItemClass = attributes_.ItemClass;
  item.Color = attributes_.Color;
  item.PenStyle = attributes_.PenStyle;
  item.LineWidth = attributes_.LineWidth;
  return item;
}

void TZephItemStore::AppendItem(const TZephChartItem& item) {
  items_->Append(item, alloc_size_);
  ItemListChanged();
}

void TZephItemStore::ClearGraf() {
  items_->Clear();
  ItemListChanged();
}

void TZephItemStore::ShowGraf() { items_->SetLastShown(items_->Count() - 1); }

void TZephItemStore::SetAllocSize(int value) {
  if (value >= 1 && value <= 1000000) alloc_size_ = value;
}

void TZephItemStore::SetClassDefault(int value) {
  if (value >= 0 && value < 255) attributes_.ItemClass = static_cast<std::uint8_t>(value);
}

void TZephItemStore::SetCurrentLayer(int layer) {
  if (layer >= 1 && layer <= kLayerCount) attributes_.Layer = layer;
}

bool TZephItemStore::ClassVisible(int item_class) const {
  return item_class >= 0 && item_class < kClassCount && class_visible_[static_cast<std::size_t>(item_class)];
}

void TZephItemStore::SetClassVisible(int item_class, bool visible) {
  if (item_class >= 0 && item_class < kClassCount) class_visible_[static_cast<std::size_t>(item_class)] = visible;
}

bool TZephItemStore::LayerVisible(int layer) const {
  return layer >= 1 && layer <= kLayerCount && layer_visible_[static_cast<std::size_t>(layer - 1)];
}

void TZephItemStore::SetLayerVisible(int layer, bool visible) {
  if (layer >= 1 && layer <= kLayerCount) layer_visible_[static_cast<std::size_t>(layer - 1)] = visible;
}

}  // namespace zeph
