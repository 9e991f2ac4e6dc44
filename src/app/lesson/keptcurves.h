#pragma once

#include <QObject>
#include <vector>

#include "zeph/toolkit/tcolor.h"

namespace zeph {
class TZephItemStore;
}  // namespace zeph

// The gradings a class keeps on the charts to compare with the current one: up to four, each
// drawn after the current curves in a lighter colour of its own.
class TKeptCurves : public QObject {
  Q_OBJECT

 public:
  static constexpr std::size_t kMaxKept = 4;

  explicit TKeptCurves(QObject* parent = nullptr) : QObject(parent) {}

  // The kept slider positions, oldest first.
  const std::vector<int>& Positions() const { return positions_; }
  // Keeps a grading; one kept already stays where it is, and with four kept the oldest goes.
  void Keep(int position);
  void Clear();

  // The colour of the kept curve with that index.
  static zeph::TColor Color(std::size_t index);

  // Appends the kept curves to both charts (after the current ones) and shows them; nothing
  // without kept curves.
  void AppendTo(zeph::TZephItemStore& capacitance_chart, zeph::TZephItemStore& profile_chart) const;

 signals:
  void Changed();

 private:
  std::vector<int> positions_;
};
