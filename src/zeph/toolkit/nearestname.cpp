#include "zeph/toolkit/nearestname.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace zeph {

int EditDistance(const QString& from, const QString& to) {
  const qsizetype rows = from.size() + 1;
  const qsizetype columns = to.size() + 1;
  std::vector<int> d(static_cast<std::size_t>(rows * columns));
  const auto at = [columns, &d](qsizetype i, qsizetype j) -> int& {
    return d[static_cast<std::size_t>(i * columns + j)];
  };
  for (qsizetype i = 0; i < rows; ++i) at(i, 0) = static_cast<int>(i);
  for (qsizetype j = 0; j < columns; ++j) at(0, j) = static_cast<int>(j);
  for (qsizetype i = 1; i < rows; ++i) {
    for (qsizetype j = 1; j < columns; ++j) {
      const int cost = from[i - 1] == to[j - 1] ? 0 : 1;
      at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + cost});
      if (i > 1 && j > 1 && from[i - 1] == to[j - 2] && from[i - 2] == to[j - 1])
        at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
    }
  }
  return at(rows - 1, columns - 1);
}

QString NearestName(const QString& name, const QStringList& candidates) {
  QString nearest;
  int best = std::numeric_limits<int>::max();
  for (const QString& candidate : candidates) {
    // A name typed short (--scre for --screenshot) is judged against as much of the candidate.
    const int distance = std::min(EditDistance(name, candidate), EditDistance(name, candidate.left(name.size())) + 1);
    if (distance < best) {
      best = distance;
      nearest = candidate;
    }
  }
  return nearest;
}

}  // namespace zeph
