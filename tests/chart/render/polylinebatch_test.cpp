#include <gtest/gtest.h>

#include <vector>

#include "zeph/chart/render/polylinebatch_p.h"

using namespace zeph;

namespace {

TEST(PolylineBatchTest, LongRunsSplitIntoJoinedPolylinesOfAtMost200Points) {
  std::vector<std::vector<QPointF>> drawn;
  TPolylineBatch batch([&](const QPointF* points, int count) { drawn.emplace_back(points, points + count); });
  batch.SetPenPos(QPoint(-1, 7));
  for (int i = 0; i < 450; ++i) batch.Append(QPoint(i, i % 3));
  batch.Flush();
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_EQ(drawn[0].size(), 200u);
  EXPECT_EQ(drawn[1].size(), 200u);
  EXPECT_EQ(drawn[2].size(), 53u);
  EXPECT_EQ(drawn[0].front(), QPoint(-1, 7));  // starts at the pen position
  // Each polyline starts where the previous one ended, and all 450 points are drawn in order.
  std::vector<QPointF> joined = drawn[0];
  for (std::size_t k = 1; k < drawn.size(); ++k) {
    EXPECT_EQ(drawn[k].front(), drawn[k - 1].back());
    joined.insert(joined.end(), drawn[k].begin() + 1, drawn[k].end());
  }
  ASSERT_EQ(joined.size(), 451u);
  for (int i = 0; i < 450; ++i) EXPECT_EQ(joined[static_cast<std::size_t>(i + 1)], QPoint(i, i % 3));
  EXPECT_EQ(batch.PenPos(), QPoint(449, 449 % 3));
  EXPECT_EQ(batch.Pending(), 0);
}

TEST(PolylineBatchTest, FlushWithNothingPendingDrawsNothing) {
  int calls = 0;
  TPolylineBatch batch([&](const QPointF*, int) { ++calls; });
  batch.Flush();
  batch.Append(QPoint(3, 4));
  batch.Flush();
  batch.Flush();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(batch.PenPos(), QPoint(3, 4));
}

}  // namespace
