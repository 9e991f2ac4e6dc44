#include <gtest/gtest.h>
#include <qcustomplot.h>

#include "app/varactormodel.h"
#include "chart/main_window_charts.h"
#include "common/image_probe.h"

using namespace zeph;

namespace {

// The same curve in QCustomPlot with the axes a Qt developer would set up for it.
QImage QCustomPlotRendering(const std::vector<varactor::CurvePoint>& curve) {
  QCustomPlot plot;
  plot.resize(chart_test::kChartWidth, chart_test::kChartHeight);
  plot.plotLayout()->insertRow(0);
  plot.plotLayout()->addElement(0, 0, new QCPTextElement(&plot, QStringLiteral("Capacitance of Varactor Diode")));
  QVector<double> xs;
  QVector<double> ys;
  for (const auto& p : curve) {
    xs.push_back(p.x);
    ys.push_back(p.y);
  }
  plot.addGraph()->setData(xs, ys);
  plot.graph(0)->setPen(QPen(Qt::blue));
  plot.xAxis->setRange(0, 10);
  plot.xAxis->setLabel(QStringLiteral("U [V]"));
  plot.yAxis->setScaleType(QCPAxis::stLogarithmic);
  plot.yAxis->setTicker(QSharedPointer<QCPAxisTickerLog>(new QCPAxisTickerLog));
  plot.yAxis->setRange(1, 100);
  plot.yAxis->setLabel(QStringLiteral("C [pF]"));
  plot.yAxis->grid()->setSubGridVisible(true);
  return plot.toPixmap(chart_test::kChartWidth, chart_test::kChartHeight).toImage();
}

TEST(ChartScreenshotTest, CapacitanceChartBesideQCustomPlot) {
  TZephChart cap;
  TZephChart profile;
  chart_test::ConfigureLikeCapacitanceChart(cap);
  chart_test::ConfigureLikeProfileChart(profile);
  cap.Paint();
  profile.Paint();
  varactor::PlotCurves(0, cap, profile);
  const QImage& ours = cap.ControlImage();
  ASSERT_EQ(ours.size(), QSize(chart_test::kChartWidth, chart_test::kChartHeight));
  // The curve is there: blue pixels inside the chart area, none outside it.
  EXPECT_GT(CountPixels(ours, clBlue, cap.LRim(), cap.TRim(), cap.LRim() + cap.ChartWidth(),
                        cap.TRim() + cap.ChartHeight()),
            200);
  EXPECT_EQ(CountPixels(ours, clBlue, 0, 0, cap.LRim(), ours.height()), 0);
  // The title and the scale labels left ink in the rims.
  EXPECT_GT(CountPixels(ours, clBlack, 0, 0, ours.width(), cap.TRim() - 1), 20);
  EXPECT_GT(CountPixels(ours, clBlack, 0, cap.TRim() + cap.ChartHeight() + 2, ours.width(), ours.height()), 40);

  SaveArtefact(ours, QStringLiteral("chart_capacitance_zeph.png"));
  SaveArtefact(profile.ControlImage(), QStringLiteral("chart_profile_zeph.png"));
  const QImage theirs = QCustomPlotRendering(varactor::CapacitanceCurve(0));
  EXPECT_EQ(theirs.size(), ours.size());
  SaveArtefact(theirs, QStringLiteral("chart_capacitance_qcustomplot.png"));
}

}  // namespace
