#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <functional>
#include <vector>

#include "common/image_probe.h"
#include "zeph/chart/chartlegend.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephcurve.h"

using namespace zeph;

namespace {

// The chart as an export draws it, in bitmaps of its own that are copied together.
QImage Exported(TZephChart& chart) {
  const QImage& shown = chart.ControlImage();
  QImage image(shown.size(), QImage::Format_RGB32);
  image.setDevicePixelRatio(shown.devicePixelRatio());
  image.fill(Qt::black);
  {
    TCanvas canvas(&image);
    chart.PaintTo(canvas, 0, 0);
  }
  return image;
}

void Curve(TZephChart& chart, double phase) {
  chart.ClearGraf();
  chart.SetDataColor(clBlue);
  chart.MoveTo(0, std::sin(phase));
  for (int i = 1; i <= 400; ++i) chart.DrawTo(i * 2.5, std::sin(phase + i * 0.05) * 1.5);
  chart.ShowGraf();
}

using Steps = std::vector<std::pair<const char*, std::function<void()>>>;

void ExpectShownAsExported(TZephChart& chart, qreal ratio, const Steps& steps) {
  for (const auto& [name, step] : steps) {
    step();
    const QImage expected = Exported(chart);
    ASSERT_EQ(chart.ControlImage(), expected)
        << name << " at ratio " << ratio << ": "
        << SaveArtefact(chart.ControlImage(), QStringLiteral("shared_area_shown.png")).toStdString() << " "
        << SaveArtefact(expected, QStringLiteral("shared_area_exported.png")).toStdString();
  }
}

void SetUpChart(TZephChart& chart, qreal ratio) {
  chart.SetBounds(0, 0, 431, 317);
  chart.SetPaintSuspended(false);
  chart.SetRenderRatio(ratio);
  chart.SetGridStyle(gsLines);
  chart.Scale1X()->SetRange(0, 1000);
  chart.Scale1Y()->SetRange(-2, 2);
}

void PlaceCaptionOverTheArea(TZephChart& chart) {
  chart.SetCaption(QStringLiteral("A caption placed over the chart area"));
  chart.SetCaptionAnchorHoriz(cahChartLeft);
  chart.SetCaptionAnchorVert(cavChartTop);
  chart.SetCaptionAlignment(taLeftJustify);
  chart.SetCaptionPosX(20);
  chart.SetCaptionPosY(4);
  chart.Paint();
}

// A chart area drawn straight into the control image (no cross-hair, no legend over it) and one
// drawn apart and copied (cross-hairs or a legend on) give the control image the same pixels as an
// export, through data refreshes, full paints, range and ratio changes and switches between the two.
TEST(SharedAreaTest, TheControlImageIsTheChartAsExportedWhateverTheAreaDrawsInto) {
  for (const qreal ratio : {1.0, 1.5, 2.0}) {
    TZephChart chart;
    SetUpChart(chart, ratio);
    ExpectShownAsExported(chart, ratio,
                          {
                              {"curve", [&] { Curve(chart, 0); }},
                              {"other curve", [&] { Curve(chart, 1); }},
                              {"range", [&] { chart.Scale1X()->SetRange(100, 900); }},
                              {"cross-hair on", [&] {
                                 chart.CrossHair1()->SetPosX(500);
                                 chart.CrossHair1()->SetMode(chVert);
                                 chart.Paint();
                               }},
                              {"curve under the cross-hair", [&] { Curve(chart, 2); }},
                              {"range under the cross-hair", [&] { chart.Scale1X()->SetRange(150, 950); }},
                              {"scroll under the cross-hair", [&] { chart.Scale1X()->SetRange(170, 970); }},
                              {"cross-hair off", [&] {
                                 chart.CrossHair1()->SetMode(chOff);
                                 chart.Paint();
                               }},
                              {"curve again", [&] { Curve(chart, 3); }},
                              {"legend on", [&] {
                                 chart.AddCurve(QStringLiteral("named"))
                                     .Append(std::vector<double>{0, 1000}, std::vector<double>{-1, 1});
                                 chart.Legend()->SetVisible(true);
                                 chart.ShowGraf();
                               }},
                              {"legend off", [&] {
                                 chart.Legend()->SetVisible(false);
                                 chart.Paint();
                               }},
                              {"rims", [&] { chart.SetLRim(61); }},
                              {"curve after the rims", [&] { Curve(chart, 4); }},
                              {"repaint", [&] { chart.Paint(); }},
                              {"caption over the area", [&] { PlaceCaptionOverTheArea(chart); }},
                              {"range under the caption", [&] { chart.Scale1X()->SetRange(200, 800); }},
                              {"curve under the caption", [&] { Curve(chart, 5); }},
                          });
  }
}

// Where the rims end inside a device pixel, the background's device pixels reach into the chart
// area's edges; a scrolling chart still shows what an export draws.
TEST(SharedAreaTest, RimsEndingInsideADevicePixelLeaveNothingBehindInTheArea) {
  for (const qreal ratio : {1.25, 1.5, 1.75}) {
    TZephChart chart;
    SetUpChart(chart, ratio);
    chart.SetLRim(45);
    chart.SetTRim(23);
    Steps steps = {{"curve", [&] { Curve(chart, 0); }},
                   {"repaint", [&] { chart.Paint(); }},
                   {"repaint from the kept rims", [&] { chart.Paint(); }}};
    for (int frame = 1; frame <= 4; ++frame)
      steps.emplace_back("scroll", [&chart, frame] { chart.Scale1X()->SetRange(frame * 50, 700 + frame * 50); });
    steps.emplace_back("caption over the area", [&] { PlaceCaptionOverTheArea(chart); });
    steps.emplace_back("scroll under the caption", [&] { chart.Scale1X()->SetRange(300, 900); });
    steps.emplace_back("caption gone", [&] {
      chart.SetCaption(QString());
      chart.Scale1X()->SetRange(250, 850);
    });
    steps.emplace_back("curve", [&] { Curve(chart, 1); });
    ExpectShownAsExported(chart, ratio, steps);
  }
}

// The chart area keeps its own picture where the screen keeps the last one: after ClearGraf the
// area is empty while the control image still shows the curve, until the next ShowGraf.
TEST(SharedAreaTest, ClearGrafEmptiesTheAreaButNotTheControlImage) {
  TZephChart chart;
  chart.SetBounds(0, 0, 431, 317);
  chart.SetPaintSuspended(false);
  chart.Scale1X()->SetRange(0, 1000);
  chart.Scale1Y()->SetRange(-2, 2);
  Curve(chart, 0);
  const QImage& area = chart.ChartAreaImage();
  EXPECT_GT(CountPixels(area, clBlue, 0, 0, area.width(), area.height()), 100);
  chart.ClearGraf();
  const QImage& cleared = chart.ChartAreaImage();
  EXPECT_EQ(CountPixels(cleared, clBlue, 0, 0, cleared.width(), cleared.height()), 0);
  EXPECT_GT(CountPixels(chart.ControlImage(), clBlue, 0, 0, 431, 317), 100);
  Curve(chart, 0);
  EXPECT_EQ(chart.ControlImage(), Exported(chart));
}

}  // namespace
