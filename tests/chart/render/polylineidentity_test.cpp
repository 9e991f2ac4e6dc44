#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "zeph/chart/zephchart.h"
#include "common/image_probe.h"
#include "common/reference_lines.h"

using namespace zeph;

namespace {

constexpr int kHiddenClass = 7;

// Draws the move-to and draw-to items of a chart the straightforward way the rendering rules
// describe: item by item, each mapped exactly, drawn as polylines of at most 200 points per colour,
// style and width, one-pixel pens by the step-by-step reference drawer; then the frame.
QImage ReferenceImage(const TZephChart& chart) {
  QImage image(chart.ChartWidth() + 1, chart.ChartHeight() + 1, QImage::Format_RGB32);
  image.fill(ColorToQColor(chart.ChartColor()));
  TCanvas canvas(&image);
  int width = chart.LineWidth();
  TColor color = chart.ChartColor();
  TPenStyle style = psSolid;
  std::vector<QPoint> pending;
  QPoint pen(0, 0);
  bool broken = false;
  const auto flush = [&] {
    if (pending.size() >= 2 && style != psClear) {
      if (std::max(width, 1) == 1) {
        ReferenceLines lines(image, ColorToPixel(ColorToRGB(color)), style);
        for (std::size_t i = 1; i < pending.size(); ++i) lines.Line(pending[i - 1], pending[i]);
      } else {
        canvas.SetPenColor(color);
        canvas.SetPenStyle(style);
        canvas.SetPenWidth(width);
        canvas.Polyline(pending.data(), static_cast<int>(pending.size()));
      }
    }
    if (!pending.empty()) pen = pending.back();
    pending.clear();
  };
  const TZephItemList& items = chart.Items();
  for (int i = 0; i < items.Count(); ++i) {
    const TZephChartItem item = items[i];
    if (!chart.ClassVisible(item.ItemClass) || !chart.LayerVisible(item.Layer)) continue;
    if (item.LineWidth != width) {
      flush();
      width = item.LineWidth;
    }
    if (!std::isfinite(item.X1) || !std::isfinite(item.Y1)) {
      flush();
      broken = true;
      continue;
    }
    QPoint p = chart.WorldToPixel(item.Layer, item.X1, item.Y1);
    p = QPoint(std::clamp(p.x(), -30000, 30000) - chart.LRim(), std::clamp(p.y(), -30000, 30000) - chart.TRim());
    if (item.Kind == ikMoveTo || broken) {
      flush();
      pen = p;
      broken = false;
      continue;
    }
    if (item.Color != color || item.PenStyle != style) {
      flush();
      color = item.Color;
      style = static_cast<TPenStyle>(item.PenStyle);
    }
    if (pending.empty()) pending.push_back(pen);
    pending.push_back(p);
    if (pending.size() == 200) {
      flush();
      pending.push_back(p);
    }
  }
  flush();
  const QColor frame = ColorToQColor(chart.ChartFrameColor());
  for (int x = 0; x < image.width(); ++x) {
    image.setPixelColor(x, 0, frame);
    image.setPixelColor(x, image.height() - 1, frame);
  }
  for (int y = 0; y < image.height(); ++y) {
    image.setPixelColor(0, y, frame);
    image.setPixelColor(image.width() - 1, y, frame);
  }
  return image;
}

enum Shape { kWalk, kFlat, kSteep, kScatter, kFarOutside, kShapeCount };

struct Case {
  int points;
  Shape shape;
  TPenStyle style;
  int width;
  bool reversed_x;
  bool reversed_y;
  bool log_x;
  bool log_y;
};

// Fills the chart with one case: a curve of the shape in the range 1..1001 both ways (positive for
// the logarithmic axes), with now and then a change of colour, style, width or class (class 7 is
// hidden), a move-to, or a point that is no number.
void Fill(TZephChart& chart, const Case& c, std::mt19937& random) {
  std::uniform_real_distribution<double> unit(0, 1);
  std::normal_distribution<double> step(0, 1);
  chart.ClearGraf();
  chart.SetDataColor(clBlue);
  chart.SetPenStyle(c.style);
  chart.SetLineWidth(c.width);
  chart.SetClassDefault(0);
  const double span = 1000;
  double y = 500;
  const int change_every = std::max(50, c.points / 8);
  for (int i = 0; i < c.points; ++i) {
    const double t = static_cast<double>(i) / c.points;
    double x = 1 + t * span;
    switch (c.shape) {
      case kWalk: y += step(random) * span / std::sqrt(static_cast<double>(c.points)); break;
      case kFlat: y = 500 + step(random); break;
      case kSteep: y = 1 + unit(random) * span; break;
      case kScatter:
        x = 1 + unit(random) * span;
        y = 1 + unit(random) * span;
        break;
      case kFarOutside:
        x = 1 + (unit(random) * 300 - 100) * span;
        y = 1 + (unit(random) * 300 - 100) * span;
        break;
      default: break;
    }
    if (c.log_x || c.log_y) y = std::clamp(y, 1e-3, 1e9);
    if (c.log_x) x = std::max(x, 1e-3);
    if (i > 0 && i % change_every == 0) {
      switch (random() % 5) {
        case 0: chart.SetDataColor(static_cast<TColor>(random() & 0xFFFFFF)); break;
        case 1: chart.SetPenStyle(static_cast<TPenStyle>(random() % 7)); break;
        case 2: chart.SetLineWidth(static_cast<int>(random() % 4)); break;
        case 3: chart.SetClassDefault(chart.ClassDefault() == 0 ? kHiddenClass : 0); break;
        default: chart.SetDataColor(clBlue); break;
      }
    }
    if (i == 0 || (c.shape == kScatter && random() % 3 == 0) || random() % 997 == 0) {
      chart.MoveTo(x, y);
    } else if (random() % 1999 == 0) {
      chart.DrawTo(x, std::numeric_limits<double>::quiet_NaN());
    } else {
      chart.DrawTo(x, y);
    }
  }
}

void Configure(TZephChart& chart, const Case& c) {
  chart.Scale1X()->SetLogarithmic(c.log_x);
  chart.Scale1Y()->SetLogarithmic(c.log_y);
  chart.Scale1X()->SetRange(c.reversed_x ? 1001 : 1, c.reversed_x ? 1 : 1001);
  chart.Scale1Y()->SetRange(c.reversed_y ? 1001 : 1, c.reversed_y ? 1 : 1001);
}

TEST(PolylineIdentityTest, CurvesLookExactlyAsTheStraightforwardDrawingMakesThem) {
  TZephChart chart;
  chart.SetBounds(0, 0, 520, 410);
  chart.SetClassVisible(kHiddenClass, false);
  std::mt19937 random(77);
  const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame};
  int cases = 0;
  for (const TPenStyle style : styles) {
    for (int width = 1; width <= 3; ++width) {
      for (int variant = 0; variant < 2; ++variant) {
        Case c{};
        c.style = style;
        c.width = width;
        c.shape = static_cast<Shape>(random() % kShapeCount);
        // Up to 100,000 points; curves far outside walk long clamped lines in the reference, and
        // wide pens go through the painter, so those stay shorter.
        const int sizes[] = {1000, 3000, 20000, 100000};
        c.points = c.shape == kFarOutside ? 1000 : sizes[random() % (width == 1 ? 4 : 3)];
        const int axes = static_cast<int>(random() % 5);
        c.reversed_x = axes == 1;
        c.reversed_y = axes == 2;
        c.log_y = axes == 3;
        c.log_x = axes == 4;
        Configure(chart, c);
        Fill(chart, c, random);
        chart.ShowGraf();
        const QImage reference = ReferenceImage(chart);
        const QImage& drawn = chart.ChartAreaImage();
        ++cases;
        ASSERT_EQ(drawn, reference) << "style " << int{style} << ", width " << width << ", shape " << c.shape << ", "
                                    << c.points << " points, axes " << axes << ": "
                                    << SaveArtefact(drawn, QStringLiteral("identity_drawn.png")).toStdString() << " "
                                    << SaveArtefact(reference, QStringLiteral("identity_reference.png")).toStdString();
      }
    }
  }
  EXPECT_EQ(cases, 42);
}

// Repaints draw the shapes a dense curve came to again while nothing they depend on changed; after
// any change of the points or the mapping the picture is the one the points give.
TEST(PolylineIdentityTest, RepaintsFollowEveryChangeOfPointsAndMapping) {
  TZephChart chart;
  chart.SetBounds(0, 0, 420, 330);
  std::mt19937 random(3);
  const auto walk = [&](int points, double scale) {
    chart.ClearGraf();
    double y = 50;
    chart.MoveTo(0, y);
    for (int i = 1; i < points; ++i) {
      y += (static_cast<double>(random() % 2001) - 1000) / 1000 * scale;
      chart.DrawTo(i * 100.0 / points, y);
    }
  };
  const auto expect_reference = [&](const char* step) {
    chart.Paint();
    EXPECT_EQ(chart.ChartAreaImage(), ReferenceImage(chart))
        << step << ": " << SaveArtefact(chart.ChartAreaImage(), QStringLiteral("identity_repaint.png")).toStdString();
  };
  chart.Scale1X()->SetRange(0, 100);
  chart.Scale1Y()->SetRange(0, 100);
  walk(60000, 0.3);
  chart.ShowGraf();
  expect_reference("first");
  expect_reference("repainted");
  chart.Scale1Y()->SetRange(20, 80);
  expect_reference("zoomed");
  chart.Scale1Y()->SetRange(0, 100);
  expect_reference("zoomed back");
  for (int i = 0; i < 5000; ++i) chart.DrawTo(100 - i * 0.01, 50 + i * 0.005);
  expect_reference("appended");
  walk(60000, 0.5);  // the same number of points anew
  expect_reference("cleared and appended");
  chart.SetDataColor(clRed);
  chart.MoveTo(10, 10);
  chart.DrawTo(90, 90);
  chart.SetClassVisible(0, false);
  expect_reference("class hidden");
}

// Items of other kinds in the middle of a curve: the curve goes on from where they leave the pen,
// in the same pixels whether the points around them lie in one compact run or in many.
TEST(PolylineIdentityTest, OtherKindsInTheMiddleOfACurveKeepItsPixels) {
  const auto fill = [](TZephChart& chart, bool split) {
    chart.SetBounds(0, 0, 400, 300);
    chart.Scale1X()->SetRange(0, 100);
    chart.Scale1Y()->SetRange(0, 100);
    chart.SetDataColor(clRed);
    std::mt19937 random(5);
    chart.MoveTo(0, 50);
    for (int i = 1; i < 5000; ++i) {
      if (split) chart.SetClassDefault(i % 2);
      const double x = i * 0.02;
      const double y = 50 + 40 * std::sin(i * 0.01) + static_cast<double>(random() % 100) / 50;
      switch (i % 500) {
        case 100: chart.Mark(x, y, 3); break;
        case 200: chart.MoveRel(5, -7); break;
        case 300: chart.DrawRel(-4, 9); break;
        case 400: chart.Line(x, 10, x + 5, 20); break;
        default: chart.DrawTo(x, y); break;
      }
    }
    chart.ShowGraf();
  };
  TZephChart compact;
  fill(compact, false);
  TZephChart split;
  fill(split, true);
  EXPECT_LT(compact.Items().Runs().size(), 60u);
  EXPECT_GT(split.Items().Runs().size(), 4000u);
  EXPECT_EQ(compact.ChartAreaImage(), split.ChartAreaImage())
      << SaveArtefact(compact.ChartAreaImage(), QStringLiteral("identity_kinds.png")).toStdString();
  EXPECT_GT(CountPixels(compact.ChartAreaImage(), clRed, 0, 0, 400, 300), 1000);
}

// Dashed and dotted curves zoomed in far: whole stretches lie beyond one side of the image and are
// passed over; the dash pattern of what is drawn stays the same, also where such a stretch holds a
// point that is no number or a move-to, or runs into the next chunk of points.
TEST(PolylineIdentityTest, ZoomedDashedCurvesLookTheSameWhereStretchesBesideTheImageArePassedOver) {
  TZephChart chart;
  chart.SetBounds(0, 0, 480, 360);
  std::mt19937 random(11);
  std::normal_distribution<double> step(0, 1);
  const int points = static_cast<int>(TZephItemList::kChunkPoints) + 20000;
  const TPenStyle styles[] = {psDash, psDot, psDashDot, psDashDotDot};
  for (int variant = 0; variant < 8; ++variant) {
    chart.ClearGraf();
    chart.SetDataColor(clBlue);
    chart.SetPenStyle(styles[variant % 4]);
    chart.SetLineWidth(1);
    double y = 0;
    double low = 0;
    double high = 0;
    chart.MoveTo(0, y);
    for (int i = 1; i < points; ++i) {
      y += step(random);
      low = std::min(low, y);
      high = std::max(high, y);
      if (i % 5003 == 0) {
        chart.DrawTo(i, std::numeric_limits<double>::quiet_NaN());
      } else if (i % 7001 == 0) {
        chart.MoveTo(i, y);
      } else {
        chart.DrawTo(i, y);
      }
    }
    // The y range zoomed a hundred times around the middle, reversed in every other variant; in
    // the later ones the x range is a window in the middle, so stretches lie left and right too.
    const double middle = (low + high) / 2;
    const double half = (high - low) / 200;
    const bool reversed = variant % 2 == 1;
    chart.Scale1Y()->SetRange(reversed ? middle + half : middle - half, reversed ? middle - half : middle + half);
    if (variant < 4) {
      chart.Scale1X()->SetRange(0, points);
    } else {
      chart.Scale1X()->SetRange(points * 0.4, points * 0.45);
    }
    chart.ShowGraf();
    ASSERT_EQ(chart.ChartAreaImage(), ReferenceImage(chart))
        << "variant " << variant << ": "
        << SaveArtefact(chart.ChartAreaImage(), QStringLiteral("identity_zoomed_dashed.png")).toStdString();
  }
  // Polylines of the batch (199 segments each) that leave the image with their first segment:
  // that one is drawn.
  chart.Scale1X()->SetRange(0, 1000);
  chart.Scale1Y()->SetRange(0, 100);
  for (const TPenStyle style : styles) {
    chart.ClearGraf();
    chart.SetPenStyle(style);
    chart.MoveTo(0, 50);
    for (int i = 1; i < 1000; ++i) chart.DrawTo(i, (i - 1) / 199 % 2 == 1 ? 500 + i % 7 : 50 + i % 5);
    chart.ShowGraf();
    ASSERT_EQ(chart.ChartAreaImage(), ReferenceImage(chart))
        << "style " << int{style} << ": "
        << SaveArtefact(chart.ChartAreaImage(), QStringLiteral("identity_leaving.png")).toStdString();
  }
}

}  // namespace
