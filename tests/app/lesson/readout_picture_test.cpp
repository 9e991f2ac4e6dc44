// Readouts and the link between the charts, at the pixels computed from the charts' geometry: the
// marks painted as the screen shows them at device pixel ratios 1 and 2, and the window's charts
// themselves, which show them only while the pointer is over a chart.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <cmath>

#include "app/controls/ttrackbar.h"
#include "app/lesson/chartmarks.h"
#include "app/lesson/depletion.h"
#include "app/lesson/lessonviews.h"
#include "app/lesson/lessonwords.h"
#include "app/mainfrm.h"
#include "zeph/chart/chartcurves.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

class ReadoutPictureTest : public ::testing::Test {
 protected:
  void SetUp() override { form_.CalculateCurves(); }

  static void MoveMouse(TZephChart* chart, const QPointF& world) {
    const QPointF at = chart->WorldToPixelF(1, world.x(), world.y());
    QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart, &move);
  }
  static void LeaveChart(TZephChart* chart) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(chart, &leave);
  }
  // The marks painted over white at the ratio, as the screen paints them.
  static QImage Painted(const TZephChart& chart, const TChartMarks& marks, qreal ratio) {
    QImage image(chart.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintChartMarks(painter, chart, marks);
    return image;
  }
  static QPointF PixelCentre(const TZephChart& chart, const QPointF& world) {
    const QPointF f = chart.WorldToPixelF(1, world.x(), world.y());
    return {std::floor(f.x()) + 0.5, std::floor(f.y()) + 0.5};
  }
  static QColor Device(const QImage& image, qreal x, qreal y, qreal ratio) {
    return image.pixelColor(static_cast<int>(std::floor(x * ratio)), static_cast<int>(std::floor(y * ratio)));
  }

  TForm1 form_{nullptr, TFormRole::ChartsOnly};
};

TEST_F(ReadoutPictureTest, PointedVoltageGetsItsReadoutAndOpensTheDepletionWidthOnTheProfile) {
  const QPointF point = ChartCurves(*form_.ZCCap)[0].Points[39];  // U = 4.0 V
  MoveMouse(form_.ZCCap, point + QPointF(0.02, 0));
  const TChartMarks cap = form_.Lesson()->CapacitanceMarks();
  ASSERT_EQ(cap.readouts.size(), 1U);
  EXPECT_EQ(cap.readouts[0].point, point);
  EXPECT_EQ(cap.readouts[0].lines,
            QStringList({PointWords(*form_.ZCCap, point), WidthWords(0, point.x(), nullptr),
                         QStringLiteral("m = 0: Cj ∝ (U + 0.7 V)^−0.5")}));
  const TChartMarks profile = form_.Lesson()->ProfileMarks();
  ASSERT_TRUE(profile.link.has_value());
  EXPECT_DOUBLE_EQ(profile.link->x, varactor::DepletionWidth(0, point.x()));
  EXPECT_TRUE(profile.readouts.empty());

  const QRectF cap_area = ChartAreaRect(*form_.ZCCap);
  const QRectF area = ChartAreaRect(*form_.ZCNd);
  for (const qreal ratio : {1.0, 2.0}) {
    SCOPED_TRACE(ratio);
    // The ring around the point, clear in its middle; the label beside it, clear of the ring.
    const QImage readout = Painted(*form_.ZCCap, cap, ratio);
    const QPointF centre = PixelCentre(*form_.ZCCap, point);
    EXPECT_LT(Device(readout, centre.x() + kRingRadius, centre.y(), ratio).lightness(), 128);
    EXPECT_EQ(Device(readout, centre.x(), centre.y(), ratio), QColor(Qt::white));
    const QRectF label = ReadoutLabelRect(centre, LabelSize(cap.readouts[0].lines, form_.ZCCap->font()), cap_area);
    EXPECT_TRUE(cap_area.contains(label));
    EXPECT_FALSE(label.contains(centre));
    EXPECT_EQ(Device(readout, label.left() + 0.5, label.center().y(), ratio), kReadoutColor);
    EXPECT_EQ(Device(readout, label.right() - 1.5, label.top() + 1.5, ratio), QColor(Qt::white));

    // On the profile: the line at d = w, the depleted region shaded, beyond it nothing.
    const QImage link = Painted(*form_.ZCNd, profile, ratio);
    const qreal line = PixelCentre(*form_.ZCNd, {profile.link->x, 1}).x();
    const qreal row = area.bottom() - 20;
    EXPECT_EQ(Device(link, line, row, ratio), kLinkColor);
    const QColor shaded = Device(link, (area.left() + line) / 2, row, ratio);
    EXPECT_GT(shaded.red() - shaded.blue(), 20) << shaded.name().toStdString();
    EXPECT_EQ(Device(link, line + 30, row, ratio), QColor(Qt::white));
  }

  // The window's profile chart shows the line while the pointer is over the capacitance chart,
  // and is as before once it has left.
  const QImage before = form_.ZCNd->grab().toImage();
  const int column = static_cast<int>(std::floor(PixelCentre(*form_.ZCNd, {profile.link->x, 1}).x()));
  EXPECT_EQ(before.pixelColor(column, static_cast<int>(area.bottom()) - 20), kLinkColor);
  LeaveChart(form_.ZCCap);
  EXPECT_TRUE(form_.Lesson()->ProfileMarks().Empty());
  const QImage after = form_.ZCNd->grab().toImage();
  EXPECT_NE(after.pixelColor(column, static_cast<int>(area.bottom()) - 20), kLinkColor);
}

TEST_F(ReadoutPictureTest, PointedDepthMarksTheVoltageThatReachesItWithinTheVoltageAxis) {
  const double depth = varactor::DepletionWidth(0, 2.0);
  MoveMouse(form_.ZCNd, {depth, 1});
  const TChartMarks profile = form_.Lesson()->ProfileMarks();
  ASSERT_EQ(profile.readouts.size(), 1U);
  const QPointF nearest = profile.readouts[0].point;
  // Within one pixel of the depth (0.011 µm) and half the sampling step.
  EXPECT_NEAR(nearest.x(), depth, 0.016);
  const TChartMarks cap = form_.Lesson()->CapacitanceMarks();
  ASSERT_TRUE(cap.link.has_value());
  EXPECT_DOUBLE_EQ(cap.link->x, *varactor::VoltageAtDepth(0, nearest.x()));
  ASSERT_TRUE(cap.link->point.has_value());
  EXPECT_DOUBLE_EQ(cap.link->point->y(), varactor::JunctionCapacitance(0, cap.link->x));
  for (const qreal ratio : {1.0, 2.0}) {
    const QImage image = Painted(*form_.ZCCap, cap, ratio);
    const QPointF ring = PixelCentre(*form_.ZCCap, *cap.link->point);
    EXPECT_EQ(Device(image, ring.x(), ring.y() - 10, ratio), kLinkColor) << ratio;
    EXPECT_LT(Device(image, ring.x() + kRingRadius, ring.y(), ratio).lightness(), 200) << ratio;
  }
  // Deeper than 10 V reaches: the depth has its readout but no voltage to mark.
  MoveMouse(form_.ZCNd, {2.5, 1});
  EXPECT_EQ(form_.Lesson()->ProfileMarks().readouts.size(), 1U);
  EXPECT_FALSE(form_.Lesson()->CapacitanceMarks().link.has_value());
  LeaveChart(form_.ZCNd);
  EXPECT_TRUE(form_.Lesson()->CapacitanceMarks().Empty());
  EXPECT_TRUE(form_.Lesson()->ProfileMarks().Empty());
}

TEST_F(ReadoutPictureTest, ExploredPointsNameTheirLinkAsTheReadoutsDo) {
  form_.TBDistribution->SetPosition(400);
  // The label shows the axes' symbols, the screen reader speaks their names; both carry the link.
  form_.ZCCap->Explorer()->Select(0, 9);
  const QPointF voltage = *form_.ZCCap->Explorer()->CurrentPoint();
  EXPECT_TRUE(form_.ZCCap->Explorer()->PointName().contains(QStringLiteral(", ") +
                                                            WidthWords(400, voltage.x(), nullptr)))
      << form_.ZCCap->Explorer()->PointName().toStdString();
  form_.ZCNd->Explorer()->Select(0, 49);
  const QPointF depth = *form_.ZCNd->Explorer()->CurrentPoint();
  EXPECT_TRUE(form_.ZCNd->Explorer()->PointName().contains(
      QStringLiteral(", ") + EdgeWords(400, depth.x(), nullptr).value_or(QStringLiteral("no edge"))))
      << form_.ZCNd->Explorer()->PointName().toStdString();
  // Shown with the chart's focus: the label beside the explored point (its ring is the chart's own),
  // and its link on the other chart.
  form_.show();
  form_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form_));
  form_.ZCCap->setFocus();
  ASSERT_TRUE(form_.ZCCap->hasFocus());
  const TChartMarks marks = form_.Lesson()->CapacitanceMarks();
  ASSERT_EQ(marks.readouts.size(), 1U);
  EXPECT_EQ(marks.readouts[0].point, voltage);
  EXPECT_FALSE(marks.readouts[0].ring);
  ASSERT_TRUE(form_.Lesson()->ProfileMarks().link.has_value());
  EXPECT_DOUBLE_EQ(form_.Lesson()->ProfileMarks().link->x, varactor::DepletionWidth(400, voltage.x()));
  form_.ZCCap->Explorer()->Leave();
  EXPECT_TRUE(form_.Lesson()->CapacitanceMarks().Empty());
  EXPECT_TRUE(form_.Lesson()->ProfileMarks().Empty());
  // Deeper than the edge reaches at 10 V: the name stays as it was.
  form_.ZCNd->Explorer()->Select(0, 299);
  EXPECT_FALSE(form_.ZCNd->Explorer()->PointName().contains(
      EdgeWords(400, 0.5, nullptr).value_or(QStringLiteral("no edge")).section(QLatin1Char(' '), 0, 2)));
}

}  // namespace
