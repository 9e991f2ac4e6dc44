#include "zeph/chart/axes/chartgeometry_p.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>

using namespace zeph;

namespace {

// A geometry over sixteen layers of settings, in a control of 400 x 300 pixels with the default
// rims (left 50, right 10, top 16, bottom 32): the chart area spans columns 50..390, rows 16..268.
class LayerGeometryTest : public ::testing::Test {
 protected:
  LayerGeometryTest() {
    for (int layer = 1; layer <= kChartLayerCount; ++layer) {
      x_[static_cast<std::size_t>(layer - 1)] = std::make_unique<TScalePropsHoriz>(layer);
      y_[static_cast<std::size_t>(layer - 1)] = std::make_unique<TScalePropsVert>(layer);
      layers_.Set(layer, x_[static_cast<std::size_t>(layer - 1)].get(), y_[static_cast<std::size_t>(layer - 1)].get());
    }
  }

  void SetRanges(int layer, double x_low, double x_high, double y_low, double y_high, bool log_x = false) {
    layers_.X(layer)->StoreRange(x_low, x_high);
    layers_.Y(layer)->StoreRange(y_low, y_high);
    layers_.X(layer)->SetLogarithmic(log_x);
    geometry_.CalcScaling();
  }

  std::array<std::unique_ptr<TScalePropsHoriz>, kChartLayerCount> x_;
  std::array<std::unique_ptr<TScalePropsVert>, kChartLayerCount> y_;
  TLayerSettings layers_;
  QSize size_{400, 300};
  TChartGeometry geometry_{layers_, [this] { return size_; }};
};

TEST_F(LayerGeometryTest, AreaAndRimsFollowTheControlSize) {
  EXPECT_EQ(geometry_.ChartWidth(), 340);
  EXPECT_EQ(geometry_.ChartHeight(), 252);
  const std::array<QRect, 4> rims = geometry_.RimRects();
  EXPECT_EQ(rims[0], QRect(0, 0, 400, 16));
  EXPECT_EQ(rims[1], QRect(0, 269, 400, 31));
  EXPECT_EQ(rims[2], QRect(0, 16, 50, 253));
  EXPECT_EQ(rims[3], QRect(391, 16, 9, 253));
  struct Probe {
    int x, y;
    bool inside;
  };
  for (const Probe& probe : {Probe{50, 16, true}, Probe{390, 268, true}, Probe{49, 16, false}, Probe{391, 100, false},
                             Probe{100, 269, false}, Probe{100, 15, false}}) {
    EXPECT_EQ(geometry_.InChartArea(probe.x, probe.y), probe.inside) << probe.x << "," << probe.y;
  }
  size_ = QSize(200, 100);
  geometry_.SetShadowWidth(40);
  EXPECT_EQ(geometry_.ShadowWidth(), 32);
  EXPECT_EQ(geometry_.ChartWidth(), 200 - 50 - 10 - 32);
  EXPECT_EQ(geometry_.MinimumWidth(), 50 + 10 + 32 + 80);
  EXPECT_EQ(geometry_.MinimumHeight(), 16 + 32 + 32 + 20);
}

TEST_F(LayerGeometryTest, LayersMapTheirRangesOntoTheArea) {
  SetRanges(1, 0, 10, 0, 1);
  SetRanges(2, 1, 100, -1, 1, true);
  SetRanges(3, 10, 0, 0, 1);
  struct Case {
    int layer;
    double x, y;
    QPoint pixel;
  };
  for (const Case& c : {Case{1, 0, 0, {50, 268}}, Case{1, 10, 1, {390, 16}}, Case{1, 5, 0.5, {220, 142}},
                        Case{2, 10, 0, {220, 142}}, Case{2, 1e-200, 1, {0, 16}}, Case{3, 10, 0, {50, 268}},
                        Case{3, 2.5, 1, {305, 16}}}) {
    EXPECT_EQ(geometry_.WorldToPixel(c.layer, c.x, c.y), c.pixel) << "layer " << c.layer << " at " << c.x;
    double x = 0;
    double y = 0;
    geometry_.PixelToWorld(c.layer, c.pixel.x(), c.pixel.y(), x, y);
    if (c.pixel.x() > 0) {
      EXPECT_NEAR(x, c.x, 1e-9 * std::max(1.0, std::abs(c.x))) << "layer " << c.layer;
    }
    EXPECT_NEAR(y, c.y, 1e-9) << "layer " << c.layer;
  }
  // Layer numbers outside 1..16 take the nearest layer.
  EXPECT_EQ(geometry_.Scaling(0).KX, geometry_.Scaling(1).KX);
  EXPECT_EQ(geometry_.Scaling(99).KX, geometry_.Scaling(16).KX);
}

TEST_F(LayerGeometryTest, AnAreaWithoutRoomOrAnEmptyRangeMapsToTheMiddle) {
  // A logarithmic axis cannot map a range that reaches zero or below.
  SetRanges(1, -1, 10, 0, 1, true);
  EXPECT_EQ(geometry_.Scaling(1).KX, 0);
  EXPECT_EQ(geometry_.WorldToPixel(1, 123, 1).x(), 200);
  double x = 0;
  double y = 0;
  geometry_.PixelToWorld(1, 17, 16, x, y);
  EXPECT_EQ(x, 4.5);
  size_ = QSize(40, 40);
  geometry_.CalcScaling();
  EXPECT_EQ(geometry_.WorldToPixel(1, 3, 0.5), QPoint(20, 20));
}

TEST_F(LayerGeometryTest, CaptionAnchorsAndTheIsometricFit) {
  struct Case {
    TCaptionAnchorHoriz horiz;
    TCaptionAnchorVert vert;
    QPoint at;
  };
  for (const Case& c : {Case{cahControlLeft, cavControlTop, {3, -4}}, Case{cahChartLeft, cavChartTop, {53, 12}},
                        Case{cahChartCenter, cavChartCenter, {223, 138}}, Case{cahChartRight, cavChartBottom, {393, 264}},
                        Case{cahControlRight, cavControlBottom, {403, 296}}}) {
    EXPECT_EQ(geometry_.CaptionAnchor(3, -4, c.horiz, c.vert), c.at);
  }
  EXPECT_DOUBLE_EQ(static_cast<double>(geometry_.IsometricFit()), 253.0 / 341.0);
  geometry_.SetAspect(2, 1);
  EXPECT_DOUBLE_EQ(static_cast<double>(geometry_.IsometricFit()), 253.0 / 341.0 / 2);
}

}  // namespace
