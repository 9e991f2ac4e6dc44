#pragma once

#include <array>
#include <vector>

#include "chart/chartitem.h"

// A chart's display list: a growable array of item records with a count, a per-kind counter and
// the index of the last item shown. Charts that display one another's data share one list.
class TZephItemList {
 public:
  int Count() const { return count_; }
  int Capacity() const { return static_cast<int>(items_.size()); }
  const TZephChartItem& operator[](int index) const { return items_[static_cast<std::size_t>(index)]; }
  const TZephChartItem* Data() const { return items_.data(); }

  // Appends a zero-filled record of the kind, growing the array by grow_by records when it is
  // full, and returns it for the caller to fill in.
  TZephChartItem& Append(TZephItemKind kind, int grow_by);
  // Empties the list and returns its storage.
  void Clear();

  int KindCount(int kind) const { return kind >= 0 && kind < kItemKindCount ? kind_counts_[kind] : 0; }
  const std::array<int, kItemKindCount>& KindCounts() const { return kind_counts_; }

  int LastShown() const { return last_shown_; }
  void SetLastShown(int index) { last_shown_ = index; }

 private:
  std::vector<TZephChartItem> items_;
  int count_ = 0;
  int last_shown_ = 0;
  // A list that was never cleared counts one item of kind 0, as the chart's constructor leaves it.
  std::array<int, kItemKindCount> kind_counts_{1};
};
