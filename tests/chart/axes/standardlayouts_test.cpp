#include <gtest/gtest.h>

#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

// Where a scale control draws its axis line: y for horizontal scales, x for vertical ones.
int AxisPosition(const TScale* scale) {
  switch (scale->ScaleType()) {
    case sctXB: return scale->height() - scale->MarginBottom() - 1;
    case sctXT: return scale->MarginTop();
    case sctYL: return scale->MarginLeft();
    case sctYR: return scale->width() - scale->MarginRight() - 1;
  }
  return -1;
}

struct Expected {
  bool visible;
  int caption_x;
  int caption_y;
  TAlignment alignment;
  TScaleUnitAnchor anchor;
  int scale_pos;
  bool far_side;  // top for x, right for y
};

struct Row {
  TzcLayout layout;
  int b, t, l, r;
  int caption_y;
  TAlignment caption_alignment;
  TCaptionAnchorHoriz anchor_horiz;
  Expected x[4];
  Expected y[4];
};

constexpr Expected kHidX{false, 10, 100, taCenter, uaSclCenter, 0, false};
constexpr Expected kHidY{false, 10, 100, taRightJustify, uaSclTopLft, 0, false};
constexpr Expected kX1{true, 0, 22, taCenter, uaSclCenter, 0, false};
constexpr Expected Left(int pos, int cy = -23) { return {true, 0, cy, taRightJustify, uaSclTopLft, pos, false}; }

const Row kRows[] = {
    {zcl_X1Bottom_Y1Left, 40, 20, 50, 20, -16, taRightJustify, cahChartRight,
     {kX1, kHidX, kHidX, kHidX},
     {{true, 0, -16, taLeftJustify, uaSclTopLft, 0, false}, kHidY, kHidY, kHidY}},
    {zcl_X1Bottom_Y2Left, 40, 24, 100, 20, -16, taRightJustify, cahChartRight,
     {kX1, kHidX, kHidX, kHidX}, {Left(0), Left(50), kHidY, kHidY}},
    {zcl_X1Bottom_Y3Left, 40, 24, 150, 20, -16, taRightJustify, cahChartRight,
     {kX1, kHidX, kHidX, kHidX}, {Left(0), Left(50), Left(100), kHidY}},
    {zcl_X1Bottom_Y4Left, 40, 24, 200, 20, -16, taRightJustify, cahChartRight,
     {kX1, kHidX, kHidX, kHidX}, {Left(0), Left(50), Left(100), Left(150)}},
    {zcl_X1Bottom_Y2Both, 40, 24, 50, 50, -20, taCenter, cahChartCenter,
     {kX1, kHidX, kHidX, kHidX},
     {Left(0), {true, 0, -23, taLeftJustify, uaSclTopLft, 0, true}, kHidY, kHidY}},
    {zcl_X2Bottom_Y2Left, 70, 24, 100, 20, -16, taRightJustify, cahChartRight,
     {{true, -20, 7, taRightJustify, uaSclTopLft, 0, false}, {true, -20, 7, taRightJustify, uaSclTopLft, 30, false},
      kHidX, kHidX},
     {Left(0), Left(50), kHidY, kHidY}},
    {zcl_X2Both_Y2Both, 40, 48, 50, 50, -46, taCenter, cahChartCenter,
     {{true, -20, 7, taRightJustify, uaSclTopLft, 0, false}, {true, -20, -24, taRightJustify, uaSclTopLft, 0, true},
      kHidX, kHidX},
     {Left(0, -40), {true, 0, -40, taLeftJustify, uaSclTopLft, 0, true},
      {false, 0, -23, taRightJustify, uaSclTopLft, 0, false}, {false, 0, -23, taRightJustify, uaSclTopLft, 0, false}}},
};

void ExpectScale(const TZephChart& chart, const TScaleProps* props, const TScale* scale, const Expected& e,
                 bool horizontal, const char* what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(props->Visible(), e.visible);
  EXPECT_EQ(scale->Visible(), e.visible);
  EXPECT_EQ(props->CaptionPosX(), e.caption_x);
  EXPECT_EQ(props->CaptionPosY(), e.caption_y);
  EXPECT_EQ(props->CaptionAlignment(), e.alignment);
  EXPECT_EQ(props->CaptionAnchor(), e.anchor);
  EXPECT_EQ(props->ScalePos(), e.scale_pos);
  EXPECT_EQ(scale->CaptionPosY(), e.caption_y);
  const int w = chart.width();
  const int h = chart.height();
  if (horizontal) {
    // Below the chart area ScalePos pixels lower, or above it ScalePos pixels higher.
    EXPECT_EQ(scale->ScaleType(), e.far_side ? sctXB : sctXT);
    EXPECT_EQ(AxisPosition(scale), e.far_side ? chart.TRim() - e.scale_pos : h - chart.BRim() + e.scale_pos);
    EXPECT_EQ(scale->MarginLeft(), chart.LRim());
    EXPECT_EQ(scale->MarginRight(), chart.RRim() - 1);
  } else {
    EXPECT_EQ(scale->ScaleType(), e.far_side ? sctYL : sctYR);
    EXPECT_EQ(AxisPosition(scale), e.far_side ? w - chart.RRim() + e.scale_pos : chart.LRim() - e.scale_pos);
    EXPECT_EQ(scale->MarginTop(), chart.TRim());
    EXPECT_EQ(scale->MarginBottom(), chart.BRim() - 1);
  }
}

TEST(StandardLayoutTest, EveryRowPlacesRimsCaptionAndScales) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(static_cast<int>(row.layout));
    TZephChart chart;
    chart.SetBounds(0, 0, 500, 400);
    // Start from a different layout so that every value has to change.
    chart.SetStandardLayout(row.layout == zcl_X2Both_Y2Both ? zcl_X1Bottom_Y4Left : zcl_X2Both_Y2Both);
    chart.SetStandardLayout(row.layout);
    EXPECT_EQ(chart.StandardLayout(), row.layout);
    EXPECT_EQ(chart.BRim(), row.b);
    EXPECT_EQ(chart.TRim(), row.t);
    EXPECT_EQ(chart.LRim(), row.l);
    EXPECT_EQ(chart.RRim(), row.r);
    EXPECT_EQ(chart.CaptionPosX(), 0);
    EXPECT_EQ(chart.CaptionPosY(), row.caption_y);
    EXPECT_EQ(chart.CaptionAlignment(), row.caption_alignment);
    EXPECT_EQ(chart.CaptionAnchorHoriz(), row.anchor_horiz);
    EXPECT_EQ(chart.CaptionAnchorVert(), cavChartTop);
    for (int i = 1; i <= 4; ++i) {
      ExpectScale(chart, chart.ScaleX(i), chart.ScaleControlX(i), row.x[i - 1], true, "x");
      ExpectScale(chart, chart.ScaleY(i), chart.ScaleControlY(i), row.y[i - 1], false, "y");
    }
    for (int i = 5; i <= 16; ++i) {
      EXPECT_FALSE(chart.ScaleX(i)->Visible());
      EXPECT_FALSE(chart.ScaleControlY(i)->Visible());
    }
  }
}

TEST(StandardLayoutTest, ScalePosMovesATopAxisAwayFromTheChartArea) {
  TZephChart chart;
  chart.SetBounds(0, 0, 400, 300);
  chart.Scale1X()->SetScaleLocation(slTop);
  chart.Scale1X()->SetScalePos(12);
  EXPECT_EQ(chart.ScaleControlX(1)->ScaleType(), sctXB);
  EXPECT_EQ(AxisPosition(chart.ScaleControlX(1)), chart.TRim() - 12);
  chart.Scale1Y()->SetScaleLocation(slRight);
  EXPECT_EQ(AxisPosition(chart.ScaleControlY(1)), 400 - chart.RRim());
}

}  // namespace
