#include <gtest/gtest.h>

#include <QWidget>
#include <cmath>
#include <vector>

#include "zeph/chart/axes/chartaxes_p.h"

using namespace zeph;

namespace {

// The axes without a chart: settings, geometry and 32 scale controls of their own, and a host
// that records what the axes ask of it.
class ChartAxesTest : public ::testing::Test, public TChartAxesHost {
 protected:
  ChartAxesTest() {
    for (int layer = 1; layer <= kChartLayerCount; ++layer) {
      layers_.Set(layer, new TScalePropsHoriz(layer, &owner_), new TScalePropsVert(layer, &owner_));
      axes_.SetControls(layer, new TScale(&owner_), new TScale(&owner_));
    }
    axes_.SetJoins(&joins_);
    axes_.NoteAllReported();
    axes_.StoreHomeView();
  }

  void CalcScaling() override { geometry_.CalcScaling(); }
  void AxesChanged() override { ++changes_; }
  bool Loading() const override { return false; }
  TColor ScaleTextColor() const override { return clNavy; }
  void LayerRangeChanged(int layer) override { reported_.push_back(layer); }

  QWidget owner_;
  TLayerSettings layers_;
  TChartGeometry geometry_{layers_, [] { return QSize(400, 300); }};
  TJointLayers joins_{nullptr, &owner_};
  TChartAxes axes_{layers_, geometry_, *this};
  int changes_ = 0;
  std::vector<int> reported_;
};

TEST_F(ChartAxesTest, TheApplyLoopHandsEverySettingToItsOwnControl) {
  for (int layer = 1; layer <= kChartLayerCount; ++layer) {
    layers_.X(layer)->StoreRange(layer, 10 * layer);
    layers_.Y(layer)->StoreRange(-layer, layer);
    layers_.X(layer)->SetCaption(QStringLiteral("x%1").arg(layer));
  }
  layers_.Y(2)->SetColorScale(clBlack);
  axes_.ApplyAll();
  for (int layer = 1; layer <= kChartLayerCount; ++layer) {
    SCOPED_TRACE(layer);
    EXPECT_EQ(axes_.ControlX(layer)->RangeLow(), layer);
    EXPECT_EQ(axes_.ControlX(layer)->RangeHigh(), 10 * layer);
    EXPECT_EQ(axes_.ControlY(layer)->RangeLow(), -layer);
    EXPECT_EQ(axes_.ControlX(layer)->Caption(), QStringLiteral("x%1").arg(layer));
    EXPECT_EQ(axes_.ControlY(layer)->Visible(), layers_.Y(layer)->Visible());
  }
  // Black scales take the host's text colour; other colours stay.
  EXPECT_EQ(axes_.ControlY(2)->ColorScale(), clNavy);
  EXPECT_EQ(axes_.ControlY(3)->ColorScale(), layers_.Y(3)->ColorScale());
  // The controls come x first, layer by layer, then y: the order they are drawn in.
  const auto all = axes_.Controls();
  EXPECT_EQ(all[0], axes_.ControlX(1));
  EXPECT_EQ(all[kChartLayerCount - 1], axes_.ControlX(kChartLayerCount));
  EXPECT_EQ(all[kChartLayerCount], axes_.ControlY(1));
}

TEST_F(ChartAxesTest, JoinedLayersFollowTheirControllingLayerAndEachChangeIsReportedOnce) {
  joins_.SetXControl(2, 1);
  joins_.SetYControl(3, 1);
  axes_.RequestLayerRanges(1, 5, 6, 7, 8);
  // A request to a joined axis is ignored; a range that is no number keeps the old one.
  axes_.RequestLayerRanges(2, 100, 0, 200, 1);
  axes_.RequestLayerRanges(4, 1, std::nan(""), 2, 3);
  const struct {
    int layer;
    TLayerRanges ranges;
  } cases[] = {{1, {5, 7, 6, 8}}, {2, {5, 7, 0, 1}}, {3, {0, 1, 6, 8}}, {4, {1, 2, 0, 1}}};
  for (const auto& c : cases) EXPECT_EQ(axes_.CurrentRanges(c.layer), c.ranges) << c.layer;
  EXPECT_GT(changes_, 0);

  axes_.ReportRangeChanges();
  EXPECT_EQ(reported_, (std::vector<int>{1, 2, 3, 4}));
  axes_.ReportRangeChanges();
  EXPECT_EQ(reported_.size(), 4u) << "an unchanged range is not reported again";
  // The application's changes are the home view; the user's are not.
  EXPECT_TRUE(axes_.AtHome());
  axes_.SetByUser(true);
  axes_.RequestLayerRanges(1, 0, 0, 1, 1);
  axes_.ReportRangeChanges();
  EXPECT_FALSE(axes_.AtHome());
  EXPECT_EQ(axes_.Home(1), (TLayerRanges{5, 7, 6, 8}));
}

}  // namespace
