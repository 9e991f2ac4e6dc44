#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "common/image_probe.h"
#include "zeph/chart/data/curvedata_p.h"
#include "zeph/chart/render/curvedrawing_p.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"
#include "zeph/chart/zephcurve.h"

using namespace zeph;

namespace {

struct Case {
  const char* name;
  TPenStyle style;
  int width;
  qreal ratio;
  double x_low;  // of the x range shown; the points run over 0..1000
  double x_high;
  bool curve_object;
  bool log_x;
  bool gaps;    // points whose y is no number break the polyline now and then
  bool smooth;  // anti-aliased: polylines through the painter with fractions
};

// Solid one-pixel pens go column by column (in device pixels at ratio 2), dashed ones stream on
// the image and through the painter at ratio 2, wide and smoothed ones through the batch; zoomed
// in, the ordered path draws only a stretch of the points and leaves the pen where the whole run
// would.
const Case kCases[] = {
    // name                   style    width ratio x_low x_high curve  log_x  gaps   smooth
    {"SolidWhole",            psSolid, 1,    1,    0,    1000,  false, false, false, false},
    {"SolidZoomed",           psSolid, 1,    1,    400,  430,   false, false, false, false},
    {"SolidZoomedGaps",       psSolid, 1,    1,    480,  520,   false, false, true,  false},
    {"SolidLogZoomed",        psSolid, 1,    1,    20,   25,    false, true,  false, false},
    {"SolidDeviceZoomed",     psSolid, 1,    2,    400,  430,   false, false, false, false},
    {"SolidDeviceGaps",       psSolid, 1,    2,    480,  520,   false, false, true,  false},
    {"SolidDeviceCurve",      psSolid, 1,    2,    0,    1000,  true,  false, false, false},
    {"DashedStreamZoomed",    psDash,  1,    1,    300,  340,   false, false, false, false},
    {"DashedStreamGaps",      psDash,  1,    1,    480,  520,   false, false, true,  false},
    {"DashedStreamCurve",     psDot,   1,    1,    600,  610,   true,  false, false, false},
    {"DashedPainterZoomed",   psDash,  1,    2,    300,  340,   false, false, false, false},
    {"WideZoomed",            psSolid, 2,    1,    470,  530,   false, false, false, false},
    {"SmoothZoomed",          psSolid, 1,    1,    490,  510,   false, false, false, true},
    {"SmoothCurveGaps",       psDash,  1,    1,    200,  260,   true,  false, true,  true},
};

std::string CaseName(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }

// A chart over an ordered random walk: as items, the second half continuing the polyline in a run
// of its own colour, or as a curve object.
class CurveDrawingTest : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    const Case& c = GetParam();
    chart_.SetBounds(0, 0, 430, 320);
    chart_.Scale1X()->SetLogarithmic(c.log_x);
    chart_.Scale1X()->SetRange(c.x_low, c.x_high);
    chart_.Scale1Y()->SetRange(-2, 2);
    std::mt19937 random(3);
    std::normal_distribution<double> step(0, 0.05);
    std::vector<double> x;
    std::vector<double> y;
    double v = 0;
    for (int i = 0; i < 60000; ++i) {
      v = std::clamp(v + step(random), -1.5, 1.5);
      x.push_back(i / 60.0);
      y.push_back(c.gaps && i % 7001 == 6000 ? std::nan("") : v);
    }
    if (c.curve_object) {
      TZephCurve curve = chart_.AddCurve(QStringLiteral("walk"));
      curve.SetColor(clBlue);
      curve.SetPenStyle(c.style);
      curve.SetLineWidth(c.width);
      curve.Append(x, y);
      return;
    }
    chart_.SetDataColor(clBlue);
    chart_.SetPenStyle(c.style);
    chart_.SetLineWidth(c.width);
    chart_.MoveTo(x[0], y[0]);
    for (std::size_t i = 1; i < x.size(); ++i) {
      if (i == x.size() / 2) chart_.SetDataColor(clRed);
      chart_.DrawTo(x[i], y[i]);
    }
  }

  // The chart area drawn by draw on an image of the case's ratio.
  QImage Drawn(const std::function<void(TCurveDrawing&)>& draw) {
    const qreal ratio = GetParam().ratio;
    const auto device = [ratio](int pixels) { return static_cast<int>((pixels + 1) * ratio); };
    QImage image(device(chart_.ChartWidth()), device(chart_.ChartHeight()), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    // The chart's settings, geometry and items, with dirty columns and a solid-polyline cache of
    // the test's own.
    TCustomZephChartPrivate state(&chart_);
    for (int layer = 1; layer <= kChartLayerCount; ++layer)
      state.layers_.Set(layer, chart_.ScaleX(layer), chart_.ScaleY(layer));
    state.geometry_.SetLRim(chart_.LRim());
    state.geometry_.SetTRim(chart_.TRim());
    state.geometry_.SetRRim(chart_.RRim());
    state.geometry_.SetBRim(chart_.BRim());
    state.geometry_.SetShadowWidth(chart_.ShadowWidth());
    state.geometry_.CalcScaling();
    TDirtyColumns dirty_columns;
    TSolidPolylineCache solid_cache;
    TCanvas canvas(&image);
    canvas.SetAntialiased(GetParam().smooth);
    TCurveDrawing drawing(state.renderer_, canvas, dirty_columns, solid_cache);
    draw(drawing);
    drawing.Flush();
    return image;
  }

  TZephChart chart_;
};

// The ordered path, from the index, gives the pixels of the same points drawn one by one.
TEST_P(CurveDrawingTest, OrderedPathDrawsThePixelsOfThePointByPointPath) {
  const TZephItemList& list = chart_.Items();
  QImage ordered;
  QImage plain;
  if (GetParam().curve_object) {
    TZephCurveData& curve = *list.Curves().front();
    ordered = Drawn([&](TCurveDrawing& d) { d.DrawCurve(curve); });
    ASSERT_TRUE(curve.index.Ordered());
    const TZephPointAttributes attributes = TCurveDrawing::CurveAttributes(curve);
    plain = Drawn([&](TCurveDrawing& d) {
      d.StartPolyline(attributes.LineWidth);
      d.DrawCurvePoints(curve, attributes);
    });
  } else {
    ordered = Drawn([&](TCurveDrawing& d) {
      for (std::size_t r = 0; r < list.Runs().size(); ++r) d.DrawRun(r);
    });
    std::size_t indexed = 0;
    for (std::size_t r = 0; r < list.Runs().size(); ++r) indexed += list.OrderedIndex(r) != nullptr ? 1 : 0;
    ASSERT_EQ(indexed, 2u);
    plain = Drawn([&](TCurveDrawing& d) {
      for (const TZephItemList::Run& run : list.Runs()) {
        if (run.points) d.DrawRunPoints(run);
      }
    });
  }
  const int w = ordered.width();
  const int h = ordered.height();
  EXPECT_GT(w * h - CountPixels(ordered, clWhite, 0, 0, w, h), 100);
  EXPECT_EQ(ordered, plain) << SaveArtefact(ordered, QStringLiteral("curvedrawing_ordered.png")).toStdString() << " "
                            << SaveArtefact(plain, QStringLiteral("curvedrawing_plain.png")).toStdString();
}

// The drawing alone is the chart's rendering of its data: only the frame lies around it.
TEST_P(CurveDrawingTest, ItemsAndCurvesAreTheChartsRenderingInsideTheFrame) {
  chart_.SetAntialiased(GetParam().smooth);
  chart_.SetRenderRatio(GetParam().ratio);
  chart_.SetPaintSuspended(false);
  chart_.ShowGraf();
  const QImage& shown = chart_.ChartAreaImage();
  QImage drawn = Drawn([](TCurveDrawing& d) {
    d.DrawItems();
    d.DrawCurves();
  });
  const int inner = static_cast<int>(std::lround(GetParam().ratio));
  const QRect inside(inner, inner, drawn.width() - 2 * inner, drawn.height() - 2 * inner);
  EXPECT_EQ(drawn.copy(inside), shown.copy(inside));
}

INSTANTIATE_TEST_SUITE_P(Paths, CurveDrawingTest, ::testing::ValuesIn(kCases), CaseName);

}  // namespace
