#include "chart/itemlist.h"

TZephChartItem& TZephItemList::Append(TZephItemKind kind, int grow_by) {
  if (count_ >= Capacity()) items_.resize(items_.size() + static_cast<std::size_t>(grow_by), TZephChartItem{});
  TZephChartItem& item = items_[static_cast<std::size_t>(count_)];
  item.Kind = kind;
  if (kind < kItemKindCount) ++kind_counts_[kind];
  ++count_;
  return item;
}

void TZephItemList::Clear() {
  std::vector<TZephChartItem>().swap(items_);
  count_ = 0;
  last_shown_ = 0;
  kind_counts_.fill(0);
}
