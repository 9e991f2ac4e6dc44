#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cmath>

#include "zeph/chart/zephchart.h"
#include "common/image_probe.h"

using namespace zeph;

namespace {

// A chart of 343 x 346 pixels with the ranges 0..10 and 0..1, painted once.
class ChartRenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart_.SetBounds(0, 0, 343, 346);
    chart_.Scale1X()->SetRange(0, 10);
    chart_.Scale1Y()->SetRange(0, 1);
    chart_.Paint();
  }
  const QImage& Image() const { return chart_.ControlImage(); }
  int Right() const { return chart_.LRim() + chart_.ChartWidth(); }
  int Bottom() const { return chart_.TRim() + chart_.ChartHeight(); }

  TZephChart chart_;
};

TEST_F(ChartRenderTest, FrameLiesOnTheChartAreaEdges) {
  chart_.SetChartFrameColor(clRed);
  const int l = chart_.LRim();
  const int t = chart_.TRim();
  for (int x = l; x <= Right(); ++x) {
    ASSERT_EQ(PixelAt(Image(), x, t), clRed) << x;
    ASSERT_EQ(PixelAt(Image(), x, Bottom()), clRed) << x;
  }
  for (int y = t; y <= Bottom(); ++y) {
    ASSERT_EQ(PixelAt(Image(), l, y), clRed) << y;
    ASSERT_EQ(PixelAt(Image(), Right(), y), clRed) << y;
  }
  EXPECT_EQ(PixelAt(Image(), l + 1, t + 1), clWhite);
  EXPECT_EQ(PixelAt(Image(), Right() - 1, Bottom() - 1), clWhite);
  EXPECT_EQ(PixelAt(Image(), Right() + 1, t + 5), ColorToRGB(clBtnFace));
}

TEST_F(ChartRenderTest, DrawToCurveLandsOnTheMappedPixels) {
  chart_.SetDataColor(clBlue);
  chart_.MoveTo(0.5, 0.1);
  const double xs[] = {1.5, 3.25, 6, 9.5};
  const double ys[] = {0.8, 0.3, 0.95, 0.05};
  for (int i = 0; i < 4; ++i) chart_.DrawTo(xs[i], ys[i]);
  chart_.ShowGraf();
  EXPECT_EQ(chart_.Items().LastShown(), 4);
  EXPECT_EQ(PixelAt(Image(), chart_.WorldToPixel(1, 0.5, 0.1).x(), chart_.WorldToPixel(1, 0.5, 0.1).y()), clBlue);
  for (int i = 0; i < 3; ++i) {
    const QPoint p = chart_.WorldToPixel(1, xs[i], ys[i]);
    EXPECT_EQ(PixelAt(Image(), p.x(), p.y()), clBlue) << i;
  }
  // Half way along the first segment.
  const QPoint a = chart_.WorldToPixel(1, 0.5, 0.1);
  const QPoint b = chart_.WorldToPixel(1, 1.5, 0.8);
  EXPECT_GT(CountPixels(Image(), clBlue, (a.x() + b.x()) / 2 - 1, (a.y() + b.y()) / 2 - 1, (a.x() + b.x()) / 2 + 2,
                        (a.y() + b.y()) / 2 + 2),
            0);
}

TEST_F(ChartRenderTest, DrawToWithoutMoveToStartsAtTheTopLeftCorner) {
  chart_.SetDataColor(clBlue);
  chart_.DrawTo(10, 0);  // to the bottom-right corner
  chart_.ShowGraf();
  EXPECT_EQ(PixelAt(Image(), chart_.LRim() + 1, chart_.TRim() + 1), clBlue);
  const int mx = chart_.LRim() + chart_.ChartWidth() / 2;
  const int my = chart_.TRim() + chart_.ChartHeight() / 2;
  EXPECT_GT(CountPixels(Image(), clBlue, mx - 2, my - 2, mx + 3, my + 3), 0);
}

TEST_F(ChartRenderTest, LongCurvesJoinWithoutGaps) {
  // 450 segments across the whole width, one pixel row: every column of the area is blue.
  chart_.SetDataColor(clBlue);
  chart_.MoveTo(0, 0.5);
  for (int i = 1; i <= 450; ++i) chart_.DrawTo(10.0 * i / 450, 0.5);
  chart_.ShowGraf();
  const int y = chart_.WorldToPixel(1, 0, 0.5).y();
  for (int x = chart_.LRim() + 1; x < Right(); ++x) ASSERT_EQ(PixelAt(Image(), x, y), clBlue) << x;
}

TEST_F(ChartRenderTest, FarAwayPointsAreClampedBeforeDrawing) {
  chart_.SetDataColor(clBlue);
  const QPoint c = chart_.WorldToPixel(1, 5, 0.5);
  chart_.MoveTo(5, 0.5);
  // Unclamped, this segment would rise ten times as steeply (0.1 world units per pixel in y,
  // 0.037 in x); clamped to (30000, -30000) it leaves at about 45 degrees.
  chart_.DrawTo(1e12, 1e12);
  chart_.ShowGraf();
  const double slope = (-30000.0 - c.y()) / (30000.0 - c.x());
  const int y = c.y() + static_cast<int>(std::lround(50 * slope));
  EXPECT_GT(CountPixels(Image(), clBlue, c.x() + 49, y - 1, c.x() + 52, y + 2), 0);
  // Values beyond the integer range do not upset the drawing either.
  chart_.MoveTo(-1e300, 1e300);
  chart_.DrawTo(1e300, -1e300);
  chart_.DrawTo(std::nan(""), 0.5);
  chart_.ShowGraf();
  EXPECT_EQ(chart_.Items().LastShown(), 4);
}

TEST_F(ChartRenderTest, LogarithmicZeroLeavesThroughTheBottomEdge) {
  chart_.Scale1Y()->SetRange(1, 100);
  chart_.Scale1Y()->SetLogarithmic(true);
  chart_.SetDataColor(clBlue);
  chart_.MoveTo(5, 10);
  chart_.DrawTo(5, 0);
  chart_.ShowGraf();
  const int x = chart_.WorldToPixel(1, 5, 10).x();
  for (int y = chart_.WorldToPixel(1, 5, 10).y(); y < Bottom(); ++y) ASSERT_EQ(PixelAt(Image(), x, y), clBlue) << y;
  // Only the chart area is refreshed: below it the rim stays.
  EXPECT_NE(PixelAt(Image(), x, Bottom() + 20), clBlue);
}

TEST_F(ChartRenderTest, DataAreaRefreshLeavesTheRimsAlone) {
  chart_.SetAutoRedraw(false);
  chart_.SetWindColor(clYellow);  // stored, not painted
  chart_.SetAutoRedraw(true);
  chart_.SetDataColor(clBlue);
  chart_.MoveTo(0, 0);
  chart_.DrawTo(10, 1);
  chart_.ShowGraf();
  EXPECT_EQ(PixelAt(Image(), 2, 2), ColorToRGB(clBtnFace));
  EXPECT_GT(CountPixels(Image(), clBlue, 0, 0, 343, 346), 100);
  // Without AutoRedraw ShowGraf paints everything.
  chart_.SetAutoRedraw(false);
  chart_.ShowGraf();
  EXPECT_EQ(PixelAt(Image(), 2, 2), clYellow);
}

TEST_F(ChartRenderTest, ShowGrafOnAHiddenChartPaintsNothing) {
  chart_.SetDataColor(clBlue);
  chart_.MoveTo(0, 0);
  chart_.DrawTo(10, 1);
  chart_.ShowGraf();
  ASSERT_EQ(chart_.Items().LastShown(), 1);
  chart_.hide();
  chart_.DrawTo(0, 1);
  chart_.ShowGraf();
  EXPECT_EQ(chart_.Items().LastShown(), 1);
  const QPoint p = chart_.WorldToPixel(1, 5, 1);
  EXPECT_NE(PixelAt(Image(), p.x(), p.y() + 1), clBlue);
  chart_.show();
  chart_.ShowGraf();
  EXPECT_EQ(chart_.Items().LastShown(), 2);
}

TEST_F(ChartRenderTest, ClearGrafClearsTheChartAreaImageOnly) {
  chart_.SetDataColor(clBlue);
  chart_.MoveTo(0, 0);
  chart_.DrawTo(10, 1);
  chart_.ShowGraf();
  chart_.ClearGraf();
  EXPECT_EQ(chart_.Items().Count(), 0);
  EXPECT_EQ(CountPixels(chart_.ChartAreaImage(), clBlue, 0, 0, 400, 400), 0);
  EXPECT_GT(CountPixels(Image(), clBlue, 0, 0, 343, 346), 100);  // the screen still shows the curve
  chart_.ShowGraf();
  EXPECT_EQ(CountPixels(Image(), clBlue, 0, 0, 343, 346), 0);
}

TEST_F(ChartRenderTest, ShadowStyles) {
  chart_.SetShadowColor(clGray);
  chart_.SetShadowBakColor(clAqua);
  const int w = 343;
  const int h = 346;
  // No shadow: no outline round the control.
  EXPECT_EQ(PixelAt(Image(), 0, 0), ColorToRGB(clBtnFace));
  chart_.SetShadowStyle(ssBox);
  chart_.SetShadowWidth(5);
  EXPECT_EQ(PixelAt(Image(), 0, 0), clBlack);
  EXPECT_EQ(PixelAt(Image(), w - 5, 100), clBlack);  // outline's right edge
  EXPECT_EQ(PixelAt(Image(), 100, h - 5), clBlack);  // and its bottom edge
  EXPECT_EQ(PixelAt(Image(), w - 2, 1), clAqua);     // top-right corner square
  EXPECT_EQ(PixelAt(Image(), 1, h - 2), clAqua);     // bottom-left corner square
  EXPECT_EQ(PixelAt(Image(), w - 3, 100), clGray);   // right shadow
  EXPECT_EQ(PixelAt(Image(), 100, h - 3), clGray);   // bottom shadow
  EXPECT_EQ(PixelAt(Image(), w - 1, 100), clBlack);  // box style: black pen round the shadow
  // The chart area shrinks by the shadow.
  EXPECT_EQ(chart_.ChartWidth(), w - 50 - 20 - 5);

  // Box style: the shadow starts with a slant from the outline's corner.
  EXPECT_EQ(PixelAt(Image(), 2, h - 2), clAqua);
  EXPECT_EQ(PixelAt(Image(), 3, h - 2), clBlack);

  chart_.SetShadowStyle(ssFlying);
  EXPECT_EQ(PixelAt(Image(), w - 1, 100), clGray);  // flying: shadow-coloured edge
  // The flying shadow starts straight, one corner square in from the control's edge.
  EXPECT_EQ(PixelAt(Image(), 3, h - 2), clAqua);
  EXPECT_EQ(PixelAt(Image(), 4, h - 2), clGray);
  EXPECT_EQ(PixelAt(Image(), w - 2, 3), clAqua);
  EXPECT_EQ(PixelAt(Image(), w - 2, 4), clGray);
}

TEST_F(ChartRenderTest, MissingBackgroundImagePaintsThePlainBackground) {
  chart_.SetChartColor(clYellow);
  chart_.BackGroundImg()->SetIncludePath(true);
  chart_.BackGroundImg()->SetName(QStringLiteral("/nonexistent/folder/picture.bmp"));
  EXPECT_TRUE(chart_.BackGroundImg()->Name().isEmpty());
  EXPECT_EQ(PixelAt(Image(), chart_.LRim() + 5, chart_.TRim() + 5), clYellow);
}

TEST_F(ChartRenderTest, BackgroundImageFillModes) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QImage tile(10, 8, QImage::Format_RGB32);
  tile.fill(Qt::red);
  for (int x = 0; x < 10; ++x) tile.setPixel(x, 0, qRgb(0, 255, 0));  // a green top row
  const QString path = dir.filePath(QStringLiteral("tile.png"));
  ASSERT_TRUE(tile.save(path));
  TBakGndImg* img = chart_.BackGroundImg();
  img->SetIncludePath(true);
  img->SetName(path);
  EXPECT_EQ(img->Name(), path);
  const int l = chart_.LRim();
  const int t = chart_.TRim();

  img->SetFillMode(bfTile);
  EXPECT_EQ(PixelAt(Image(), l + 5, t + 8), clLime);   // second row of tiles starts green
  EXPECT_EQ(PixelAt(Image(), l + 25, t + 12), clRed);

  img->SetFillMode(bfSimple);
  EXPECT_EQ(PixelAt(Image(), l + 5, t + 5), clRed);  // one image at its natural size
  EXPECT_EQ(PixelAt(Image(), l + 5, t + 8), clWhite);
  EXPECT_EQ(PixelAt(Image(), l + 15, t + 5), clWhite);

  img->SetFillMode(bfStretch);
  EXPECT_EQ(PixelAt(Image(), l + 100, t + 100), clRed);
  EXPECT_EQ(PixelAt(Image(), l + 100, t + 20), clLime);  // the top row stretched to 36 rows

  // Without IncludePath only the file name is kept (not painted here: it is not in the current
  // folder, and a paint would forget it).
  chart_.SetAutoRedraw(false);
  img->SetIncludePath(false);
  EXPECT_EQ(img->Name(), QStringLiteral("tile.png"));
}

TEST_F(ChartRenderTest, CrossHairsAndRenderEvents) {
  std::vector<std::string> calls;
  chart_.OnBeforeRenderData = [&](QObject* sender, TCanvas&, int top, int left) {
    EXPECT_EQ(sender, &chart_);
    EXPECT_EQ(top, chart_.TRim());
    EXPECT_EQ(left, chart_.LRim());
    calls.push_back("before");
  };
  chart_.OnDataRendered = [&](QObject*, TCanvas& canvas, int, int) {
    canvas.SetPixel(3, 3, clFuchsia);
    calls.push_back("data");
  };
  chart_.OnScalesRendered = [&](QObject*, TCanvas&, int top, int left) {
    EXPECT_EQ(top + left, 0);
    calls.push_back("scales");
  };
  int ticks = 0;
  chart_.OnScaleTickDrawn = [&](QObject* sender, TCanvas&, TScaleType, double, int, int) {
    EXPECT_EQ(sender, &chart_);
    ++ticks;
  };
  chart_.CrossHair2()->SetLayer(1);
  chart_.CrossHair2()->SetColor(clRed);
  chart_.CrossHair2()->SetPosX(5);
  chart_.CrossHair2()->SetPosY(0.5);
  calls.clear();
  chart_.CrossHair2()->SetMode(chBoth);
  EXPECT_EQ(calls, (std::vector<std::string>{"scales", "before", "data"}));
  EXPECT_GT(ticks, 4);
  EXPECT_EQ(PixelAt(Image(), chart_.LRim() + 3, chart_.TRim() + 3), clFuchsia);
  const QPoint p = chart_.WorldToPixel(1, 5, 0.5);
  EXPECT_EQ(PixelAt(Image(), chart_.LRim() + 1, p.y()), clRed);
  EXPECT_EQ(PixelAt(Image(), Right() - 1, p.y()), clRed);
  EXPECT_EQ(PixelAt(Image(), p.x(), chart_.TRim() + 1), clRed);
  EXPECT_EQ(PixelAt(Image(), p.x(), Bottom() - 1), clRed);
  // The data-area refresh draws them too.
  calls.clear();
  chart_.ShowGraf();
  EXPECT_EQ(calls, (std::vector<std::string>{"before", "data"}));
  EXPECT_EQ(PixelAt(Image(), p.x(), chart_.TRim() + 1), clRed);
}

TEST_F(ChartRenderTest, TextLabelsInTheirBoxes) {
  TTextLabel* label = chart_.TextLabel(7);
  label->SetCaption(QStringLiteral("peak\nhere"));
  label->SetPosX(5);
  label->SetPosY(0.5);
  label->SetColorBorder(clRed);
  label->SetColorBkg(clYellow);
  label->SetMode(tlBox);
  const QPoint p = chart_.WorldToPixel(1, 5, 0.5);
  // The box ends two pixels below the anchor and holds two lines above it.
  EXPECT_EQ(PixelAt(Image(), p.x(), p.y() + 1), clRed);
  EXPECT_GT(CountPixels(Image(), clYellow, p.x() - 30, p.y() - 40, p.x() + 30, p.y()), 50);
  label->SetMode(tlShadow);
  EXPECT_GT(CountPixels(Image(), clGray, p.x() - 40, p.y() - 40, p.x() + 40, p.y() + 6), 20);
  label->SetAttachToData(false);
  label->SetPosX(120);
  label->SetPosY(100);
  EXPECT_EQ(PixelAt(Image(), 120, 101), clRed);
  chart_.SetLayerVisible(1, false);
  chart_.Paint();
  EXPECT_NE(PixelAt(Image(), 120, 101), clRed);
}

}  // namespace
