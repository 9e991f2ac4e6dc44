#include <gtest/gtest.h>

#include "zeph/chart/itemstore.h"

using namespace zeph;

namespace {

TEST(ItemStoreTest, StartsEmptyWithItsDefaults) {
  TZephItemStore store;
  EXPECT_EQ(store.Items().Count(), 0);
  EXPECT_EQ(store.Items().Capacity(), 0);
  EXPECT_EQ(store.AllocSize(), 1000);
  EXPECT_EQ(store.DataColor(), clBlack);
  EXPECT_EQ(store.PenStyle(), psSolid);
  EXPECT_EQ(store.LineWidth(), 1);
  EXPECT_EQ(store.ClassDefault(), 0);
  EXPECT_EQ(store.FillColor(), 12632256u);
  EXPECT_EQ(store.CurrentLayer(), 1);
  EXPECT_EQ(store.Items().KindCount(0), 1);
  EXPECT_EQ(store.Items().KindCount(ikDrawTo), 0);
  EXPECT_TRUE(store.ClassVisible(0));
  EXPECT_TRUE(store.ClassVisible(255));
  EXPECT_TRUE(store.LayerVisible(16));
  EXPECT_FALSE(store.LayerVisible(17));
}

TEST(ItemStoreTest, GrowsInStepsOfAllocSizeAndKeepsItsItems) {
  TZephItemStore store;
  store.MoveTo(0, 0);
  EXPECT_EQ(store.Items().Capacity(), 1000);
  for (int i = 1; i < 1000; ++i) store.DrawTo(i, -i);
  EXPECT_EQ(store.Items().Capacity(), 1000);
  store.DrawTo(1000, -1000);  // the 1001st item
  EXPECT_EQ(store.Items().Count(), 1001);
  EXPECT_EQ(store.Items().Capacity(), 2000);
  for (int i = 0; i <= 1000; ++i) {
    ASSERT_EQ(store.Items()[i].X1, i);
    ASSERT_EQ(store.Items()[i].Y1, -i);
  }
  EXPECT_EQ(store.Items().KindCount(ikMoveTo), 1);
  EXPECT_EQ(store.Items().KindCount(ikDrawTo), 1000);
  EXPECT_EQ(store.Items().KindCount(0), 1);

  store.ClearGraf();
  EXPECT_EQ(store.Items().Count(), 0);
  EXPECT_EQ(store.Items().Capacity(), 0);
  EXPECT_EQ(store.Items().LastShown(), 0);
  for (int kind = 0; kind < kItemKindCount; ++kind) EXPECT_EQ(store.Items().KindCount(kind), 0);
}

TEST(ItemStoreTest, IgnoresOutOfRangeSettingsSilently) {
  TZephItemStore store;
  store.SetAllocSize(0);
  store.SetAllocSize(-5);
  store.SetAllocSize(1000001);
  EXPECT_EQ(store.AllocSize(), 1000);
  store.SetAllocSize(1000000);
  EXPECT_EQ(store.AllocSize(), 1000000);
  store.SetAllocSize(3);
  store.SetClassDefault(255);
  EXPECT_EQ(store.ClassDefault(), 0);
  store.SetClassDefault(254);
  EXPECT_EQ(store.ClassDefault(), 254);
  store.SetCurrentLayer(0);
  store.SetCurrentLayer(17);
  EXPECT_EQ(store.CurrentLayer(), 1);

  for (int i = 0; i < 4; ++i) store.DrawTo(i, i);
  EXPECT_EQ(store.Items().Capacity(), 6);
}

TEST(ItemStoreTest, AttributesApplyOnlyToItemsAppendedAfterTheChange) {
  TZephItemStore store;
  store.MoveTo(1, 2);
  store.SetDataColor(clBlue);
  store.SetPenStyle(psDot);
  store.SetLineWidth(3);
  store.SetClassDefault(7);
  store.SetCurrentLayer(5);
  store.DrawTo(3, 4);
  const TZephChartItem& first = store.Items()[0];
  const TZephChartItem& second = store.Items()[1];
  EXPECT_EQ(first.Color, clBlack);
  EXPECT_EQ(first.PenStyle, psSolid);
  EXPECT_EQ(first.LineWidth, 1);
  EXPECT_EQ(first.Layer, 1);
  EXPECT_EQ(second.Kind, ikDrawTo);
  EXPECT_EQ(second.Color, clBlue);
  EXPECT_EQ(second.PenStyle, psDot);
  EXPECT_EQ(second.LineWidth, 3);
  EXPECT_EQ(second.ItemClass, 7);
  EXPECT_EQ(second.Layer, 5);
  // Fields the kind does not use stay zero.
  EXPECT_EQ(second.X2, 0);
  EXPECT_EQ(second.FillColor, 0u);
  EXPECT_EQ(second.Text[0], '\0');
}

TEST(ItemStoreTest, AnItemIsVisibleOnlyWhenItsClassAndLayerAre) {
  TZephItemStore store;
  store.SetClassDefault(3);
  store.SetCurrentLayer(2);
  store.MoveTo(0, 0);
  const TZephChartItem& item = store.Items()[0];
  EXPECT_TRUE(store.ItemVisible(item));
  store.SetClassVisible(3, false);
  EXPECT_FALSE(store.ItemVisible(item));
  store.SetClassVisible(3, true);
  store.SetLayerVisible(2, false);
  EXPECT_FALSE(store.ItemVisible(item));
  store.SetLayerVisible(0, false);  // out of range: ignored
  EXPECT_TRUE(store.LayerVisible(1));
}

}  // namespace
