#include <gtest/gtest.h>

#include <QMetaProperty>
#include <cmath>

#include "common/published_values.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;
using zeph::testing::ExpectPublished;

namespace {

TEST(ChartGeometryTest, ConstructedChartHasItsDefaults) {
  TZephChart chart;
  EXPECT_EQ(chart.size(), QSize(280, 200));
  ExpectPublished(chart, {{"LRim", 50},
                          {"RRim", 20},
                          {"TRim", 20},
                          {"BRim", 40},
                          {"ShadowWidth", 0},
                          {"CaptionPosX", 0},
                          {"CaptionPosY", -16},
                          {"CaptionAlignment", taRightJustify},
                          {"CaptionAnchorHoriz", cahChartRight},
                          {"CaptionAnchorVert", cavChartTop},
                          {"ChartColor", clWhite},
                          {"WindColor", clBtnFace},
                          {"ShadowColor", clGrayText},
                          {"ShadowBakColor", clBtnFace},
                          {"GridStyle", gsNone},
                          {"ShadowStyle", ssFlying},
                          {"TextBkStyle", tbClear},
                          {"TextBkColor", clWhite},
                          {"TextAlignment", taCenter},
                          {"AutoRedraw", true},
                          {"Isometric", false},
                          {"AllocSize", 1000},
                          {"StandardLayout", zcl_X1Bottom_Y1Left}});
  EXPECT_EQ(chart.BackGroundImg()->FillMode(), bfStretch);
  EXPECT_TRUE(chart.BackGroundImg()->Name().isEmpty());
  EXPECT_EQ(chart.DialogCode(), 3);
  EXPECT_EQ(chart.focusPolicy(), Qt::StrongFocus);

  EXPECT_TRUE(chart.Scale1X()->Visible());
  EXPECT_TRUE(chart.Scale1Y()->Visible());
  for (int layer = 2; layer <= 16; ++layer) {
    EXPECT_FALSE(chart.ScaleX(layer)->Visible()) << layer;
    EXPECT_FALSE(chart.ScaleY(layer)->Visible()) << layer;
  }
  for (int layer = 1; layer <= 16; ++layer) {
    EXPECT_EQ(chart.ScaleControlX(layer)->objectName(), QStringLiteral("ZC_FScale_X_%1").arg(layer));
    EXPECT_EQ(chart.ScaleControlY(layer)->objectName(), QStringLiteral("ZC_FScale_Y_%1").arg(layer));
    EXPECT_TRUE(chart.ScaleControlX(layer)->Transparent());
    EXPECT_TRUE(chart.ScaleControlX(layer)->Embedded());
    EXPECT_EQ(chart.ScaleControlY(layer)->FrameStyle(), fsNone);
    EXPECT_EQ(chart.ScaleX(layer)->ColorScale(), TScaleProps::LayerColor(layer));
  }
  EXPECT_EQ(TScaleProps::LayerColor(2), 128u);
  EXPECT_EQ(TScaleProps::LayerColor(16), 16777215u);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(chart.CrossHair(i)->Layer(), i);
    EXPECT_EQ(chart.CrossHair(i)->Mode(), chOff);
  }
  EXPECT_EQ(chart.TextLabel(20)->Mode(), tlOff);
  EXPECT_EQ(chart.TextLabel(20)->ShadowDx(), 3);
  EXPECT_TRUE(chart.TextLabel(1)->AttachToData());
}

TEST(ChartGeometryTest, PublishesItsPropertiesByTheirNames) {
  TZephChart chart;
  const QMetaObject* meta = chart.metaObject();
  for (const char* name : {"LRim", "RRim", "TRim", "BRim", "ShadowWidth", "ChartColor", "WindColor", "ChartFrameColor",
                           "GridColor", "ShadowColor", "ShadowBakColor", "Caption", "CaptionPosX", "CaptionPosY",
                           "CaptionAlignment", "CaptionAnchorHoriz", "CaptionAnchorVert", "ShadowStyle", "GridStyle",
                           "GridDx", "GridDy", "TextFontStyle", "TextBkStyle", "TextBkColor", "TextAlignment",
                           "Isometric", "StandardLayout", "BackGroundImg", "Scale1X", "Scale4Y", "AllocSize",
                           "AutoRedraw", "DataColor", "PenStyle", "LineWidth", "ClassDefault", "FillColor"}) {
    EXPECT_GE(meta->indexOfProperty(name), 0) << name;
  }
  EXPECT_EQ(chart.property("Scale2Y").value<QObject*>(), chart.Scale2Y());
  EXPECT_TRUE(chart.setProperty("LRim", 60));
  EXPECT_EQ(chart.LRim(), 60);
  EXPECT_TRUE(chart.Scale1X()->setProperty("Caption", QStringLiteral("U [V]")));
  EXPECT_EQ(chart.Scale1X()->Caption(), QStringLiteral("U [V]"));
  EXPECT_EQ(chart.ScaleControlX(1)->Caption(), QStringLiteral("U [V]"));
}

TEST(ChartGeometryTest, SetBoundsKeepsTheMinimumSize) {
  TZephChart chart;
  chart.SetBounds(5, 6, 10, 10);
  EXPECT_EQ(chart.width(), 150);   // 50 + 20 + 0 + 80
  EXPECT_EQ(chart.height(), 80);   // 20 + 40 + 0 + 20
  EXPECT_EQ(chart.x(), 5);
  chart.SetShadowWidth(5);
  chart.SetBounds(0, 0, 10, 10);
  EXPECT_EQ(chart.width(), 155);
  EXPECT_EQ(chart.height(), 85);
  // A plain Qt resize goes through the same rule, and the scales follow the new size.
  chart.show();
  chart.resize(20, 20);
  EXPECT_EQ(chart.width(), 155);
  chart.resize(400, 300);
  EXPECT_EQ(chart.ScaleControlX(1)->width(), 400);
  EXPECT_EQ(chart.ScaleControlY(1)->height(), 300);
  EXPECT_EQ(chart.ChartWidth(), 400 - 50 - 20 - 5);
  EXPECT_EQ(chart.WorldToPixel(1, 1, 1), QPoint(400 - 20 - 5, 20));
}

TEST(ChartGeometryTest, LinearScalingMapsTheRangeOntoTheChartArea) {
  TZephChart chart;
  chart.SetBounds(0, 0, 343, 346);
  chart.Scale1X()->SetRange(0, 10);
  chart.Scale1Y()->SetRange(0, 3);
  const int cw = chart.ChartWidth();
  const int ch = chart.ChartHeight();
  EXPECT_EQ(cw, 343 - 50 - 20);
  EXPECT_EQ(ch, 346 - 20 - 40);
  const TLayerScaling& s = chart.LayerScaling(1);
  EXPECT_NEAR(static_cast<double>(s.KX), cw / 10.0, 1e-12);
  EXPECT_NEAR(static_cast<double>(s.DX), 50.0, 1e-12);
  EXPECT_NEAR(static_cast<double>(s.KY), -ch / 3.0, 1e-12);
  EXPECT_NEAR(static_cast<double>(s.DY), 346.0 - 40, 1e-12);
  EXPECT_EQ(chart.WorldToPixel(1, 0, 0), QPoint(50, 20 + ch));
  EXPECT_EQ(chart.WorldToPixel(1, 10, 3), QPoint(50 + cw, 20));
  EXPECT_EQ(chart.WorldToPixel(1, 5, 1.5), QPoint(50 + cw / 2, 20 + ch / 2));  // 186.5 -> 186, 163
  double x = 0;
  double y = 0;
  chart.PixelToWorld(1, 50 + cw, 20, x, y);
  EXPECT_NEAR(x, 10, 1e-12);
  EXPECT_NEAR(y, 3, 1e-12);
  // The layer argument is clamped.
  EXPECT_EQ(chart.WorldToPixel(0, 10, 3), chart.WorldToPixel(1, 10, 3));
  EXPECT_EQ(chart.WorldToPixel(17, 10, 3), chart.WorldToPixel(16, 10, 3));
}

TEST(ChartGeometryTest, PixelsRoundHalfToEven) {
  TZephChart chart;
  chart.SetBounds(0, 0, 50 + 20 + 100, 200);  // CW = 100
  chart.Scale1X()->SetRange(0, 200);           // half a pixel per unit
  EXPECT_EQ(chart.WorldToPixel(1, 1, 0).x(), 50);   // 50.5 -> 50
  EXPECT_EQ(chart.WorldToPixel(1, 3, 0).x(), 52);   // 51.5 -> 52
  EXPECT_EQ(chart.WorldToPixel(1, 1e300, 0).x(), 2147483647);
  EXPECT_EQ(chart.WorldToPixel(1, -1e300, 0).x(), -2147483647);
}

TEST(ChartGeometryTest, LogarithmicScalingAndTheValuesItCannotShow) {
  TZephChart chart;
  chart.SetBounds(0, 0, 343, 346);
  chart.Scale1Y()->SetRange(1, 100);
  chart.Scale1Y()->SetLogarithmic(true);
  ASSERT_TRUE(chart.Scale1Y()->Logarithmic());
  const int ch = chart.ChartHeight();
  const TLayerScaling& s = chart.LayerScaling(1);
  EXPECT_NEAR(static_cast<double>(s.KY), -ch / std::log(100.0), 1e-12);
  EXPECT_NEAR(static_cast<double>(s.DY), 346.0 - 40, 1e-12);
  EXPECT_EQ(chart.WorldToPixel(1, 0, 10).y(), 20 + ch / 2);
  EXPECT_EQ(chart.WorldToPixel(1, 0, 100).y(), 20);
  // At or below 1e-100 a value lies beyond the low end: the control's bottom edge.
  EXPECT_EQ(chart.WorldToPixel(1, 0, 0).y(), 346);
  EXPECT_EQ(chart.WorldToPixel(1, 0, 1e-100).y(), 346);
  EXPECT_EQ(chart.WorldToPixel(1, 0, -5).y(), 346);
  double x = 0;
  double y = 0;
  chart.PixelToWorld(1, 50, 20 + ch / 2, x, y);
  EXPECT_NEAR(y, 10, 0.2);

  chart.Scale1X()->SetRange(1, 1000);
  chart.Scale1X()->SetLogarithmic(true);
  EXPECT_EQ(chart.WorldToPixel(1, 0, 10).x(), 0);
  // Reversed logarithmic axes put those values at the other edge.
  chart.Scale1X()->SetRange(1000, 1);
  chart.Scale1Y()->SetRange(100, 1);
  EXPECT_EQ(chart.WorldToPixel(1, 0, 0), QPoint(343, 0));
}

TEST(ChartGeometryTest, ReversedRangesMirrorTheAxis) {
  TZephChart chart;
  chart.SetBounds(0, 0, 300, 300);
  chart.Scale1X()->SetRange(10, 0);
  chart.Scale1Y()->SetRange(5, -5);
  const int cw = chart.ChartWidth();
  const int ch = chart.ChartHeight();
  EXPECT_EQ(chart.WorldToPixel(1, 10, 5), QPoint(50, 20 + ch));
  EXPECT_EQ(chart.WorldToPixel(1, 0, -5), QPoint(50 + cw, 20));
  EXPECT_EQ(chart.ScaleControlX(1)->RangeLow(), 10);
  EXPECT_EQ(chart.ScaleControlX(1)->RangeHigh(), 0);
}

TEST(ChartGeometryTest, ChartAreaWithoutRoomMapsToTheMiddle) {
  TZephChart chart;
  chart.SetBounds(0, 0, 300, 200);
  chart.Scale1X()->SetRange(0, 10);
  chart.Scale1Y()->SetRange(0, 1);
  chart.SetLRim(400);  // the control keeps its size; the area has none
  EXPECT_EQ(chart.width(), 300);
  EXPECT_EQ(chart.ChartWidth(), 300 - 400 - 20);
  EXPECT_EQ(chart.WorldToPixel(1, 0, 1), QPoint(150, 20));
  EXPECT_EQ(chart.WorldToPixel(1, 10, 1), QPoint(150, 20));
  chart.SetTRim(170);
  EXPECT_EQ(chart.height(), 200);
  EXPECT_EQ(chart.WorldToPixel(1, 10, 0), QPoint(150, 100));
  EXPECT_EQ(chart.ControlImage().size(), QSize(300, 200));
  // Sizing it again raises it to the room the rims need.
  chart.SetBounds(0, 0, 300, 200);
  EXPECT_EQ(chart.width(), 400 + 20 + 80);
  EXPECT_EQ(chart.height(), 170 + 40 + 20);
  EXPECT_EQ(chart.ChartWidth(), 80);
}

TEST(ChartGeometryTest, RimsLeaveTheSizeWithinAParentAlone) {
  QWidget parent;
  parent.resize(600, 400);
  auto* chart = new TZephChart(&parent);
  chart->SetBounds(10, 10, 280, 200);
  parent.show();
  chart->SetLRim(500);
  chart->SetBRim(300);
  chart->SetShadowWidth(30);
  EXPECT_EQ(chart->geometry(), QRect(10, 10, 280, 200));
  EXPECT_EQ(chart->minimumSize(), QSize(50 + 20 + 80, 20 + 40 + 20));
  EXPECT_EQ(parent.size(), QSize(600, 400));
}

TEST(ChartGeometryTest, ShadowWidthIsClampedAndNarrowsTheChartArea) {
  TZephChart chart;
  chart.SetBounds(0, 0, 300, 300);
  chart.SetShadowWidth(50);
  EXPECT_EQ(chart.ShadowWidth(), 32);
  EXPECT_EQ(chart.ChartWidth(), 300 - 50 - 20 - 32);
  chart.SetShadowWidth(-1);
  EXPECT_EQ(chart.ShadowWidth(), 0);
  chart.SetShadowWidth(7);
  EXPECT_EQ(chart.ChartHeight(), 300 - 20 - 40 - 7);
  EXPECT_EQ(chart.ScaleControlX(1)->MarginRight(), 20 + 7 - 1);
  EXPECT_EQ(chart.ScaleControlY(1)->MarginBottom(), 40 + 7 - 1);
  EXPECT_EQ(chart.ScaleControlX(1)->MarginTop(), 300 - 40 - 7);  // axis on the chart area's bottom
}

TEST(ChartGeometryTest, GridSpacingBelowMinusThreeIsIgnored) {
  TZephChart chart;
  chart.SetGridDx(-3);
  EXPECT_EQ(chart.GridDx(), -3);
  chart.SetGridDx(-3.5);
  EXPECT_EQ(chart.GridDx(), -3);
  chart.SetGridDy(0.25);
  chart.SetGridDy(-100);
  EXPECT_EQ(chart.GridDy(), 0.25);
}

TEST(ChartGeometryTest, CaptionAnchorFollowsTheAnchors) {
  TZephChart chart;
  chart.SetBounds(0, 0, 300, 200);
  chart.SetShadowWidth(4);
  chart.SetCaptionPosX(3);
  chart.SetCaptionPosY(-16);
  const struct {
    TCaptionAnchorHoriz h;
    TCaptionAnchorVert v;
    QPoint expected;
  } cases[] = {
      {cahControlLeft, cavControlTop, {3, -16}},
      {cahChartLeft, cavChartTop, {53, 4}},
      {cahChartCenter, cavChartCenter, {3 + 50 + (300 - 50 - 20 - 4) / 2, -16 + 20 + (200 - 20 - 40 - 4) / 2}},
      {cahChartRight, cavChartBottom, {3 + 300 - 20 - 4, -16 + 200 - 40}},
      {cahControlRight, cavControlBottom, {303, 184}},
  };
  for (const auto& c : cases) {
    chart.SetCaptionAnchorHoriz(c.h);
    chart.SetCaptionAnchorVert(c.v);
    EXPECT_EQ(chart.CaptionAnchorPoint(), c.expected) << int(c.h);
  }
}

TEST(ChartGeometryTest, IsometricFitsTheYRangeToTheXRange) {
  TZephChart chart;
  chart.SetBounds(0, 0, 50 + 20 + 200, 20 + 40 + 100);  // CW 200, CH 100
  chart.Scale1X()->SetRange(0, 201);
  chart.Scale1Y()->SetRange(0, 1);
  chart.SetIsometric(true);
  EXPECT_NEAR(chart.Scale1Y()->RangeHigh(), 101, 1e-9);  // 201 * 101 / 201
  // Resizing keeps the rule.
  chart.SetBounds(0, 0, 50 + 20 + 200, 20 + 40 + 200);
  EXPECT_NEAR(chart.Scale1Y()->RangeHigh(), 201, 1e-9);
  chart.SetIsometric(false);
  chart.SetBounds(0, 0, 50 + 20 + 200, 20 + 40 + 100);
  EXPECT_NEAR(chart.Scale1Y()->RangeHigh(), 201, 1e-9);
}

}  // namespace
