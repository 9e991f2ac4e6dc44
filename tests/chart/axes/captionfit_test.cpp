#include <gtest/gtest.h>

#include <QFontMetrics>

#include "common/image_probe.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

// The caption as a scale draws it, alone on the chart's background: what a reader should see.
QImage CaptionAlone(const TZephChart& chart, const TScaleProps* props) {
  TFont font = props->Font();
  font.Color = props->ColorScale();
  const QFontMetrics metrics(font.ToQFont());
  QImage image(metrics.horizontalAdvance(props->Caption()), metrics.height(), QImage::Format_RGB32);
  image.fill(ColorToQColor(chart.WindColor()));
  TCanvas canvas(&image);
  canvas.SetFont(font);
  canvas.SetBrushStyle(bsClear);
  canvas.TextOut(0, 0, props->Caption());
  return image;
}

// Where the caption's pixels stand in the control image: the column of the first match of the
// whole caption image in its row band, or -1 when the control shows no whole copy of it.
int WholeCaptionAt(const QImage& control, const QImage& caption, int top) {
  for (int x = 0; x + caption.width() <= control.width(); ++x) {
    bool same = true;
    for (int y = 0; same && y < caption.height(); ++y)
      for (int dx = 0; same && dx < caption.width(); ++dx)
        same = control.pixel(x + dx, top + y) == caption.pixel(dx, y);
    if (same) return x;
  }
  return -1;
}

TEST(ScaleCaptionFitTest, ACaptionWiderThanItsRimIsMovedInsideTheControl) {
  TZephChart chart;
  chart.SetBounds(0, 0, 500, 300);
  chart.SetStandardLayout(zcl_X1Bottom_Y2Both);
  chart.Scale1Y()->SetCaption("|H| / dB");
  chart.Scale2Y()->SetCaption("phase / deg");
  chart.Paint();
  const QImage& image = chart.ControlImage();
  SaveArtefact(image, "scale_caption_right_axis.png");

  // Wider than the 50-pixel rim: it ends at the control's right edge instead of past it.
  const QImage right = CaptionAlone(chart, chart.Scale2Y());
  ASSERT_GT(right.width(), chart.RRim());
  EXPECT_EQ(WholeCaptionAt(image, right, chart.TRim() - 23), 500 - right.width());
  // Narrow enough for its rim: where the layout puts it, right-justified at the left axis.
  const QImage left = CaptionAlone(chart, chart.Scale1Y());
  ASSERT_LE(left.width(), chart.LRim());
  EXPECT_EQ(WholeCaptionAt(image, left, chart.TRim() - 23), chart.LRim() - left.width());

  // A short right caption stays at its axis, as the layout places it.
  chart.Scale2Y()->SetCaption("deg");
  chart.Paint();
  EXPECT_EQ(WholeCaptionAt(chart.ControlImage(), CaptionAlone(chart, chart.Scale2Y()), chart.TRim() - 23),
            500 - chart.RRim());

  // A left caption too wide for its rim starts at the control's left edge.
  chart.Scale1Y()->SetCaption("magnitude / dB");
  chart.Paint();
  EXPECT_EQ(WholeCaptionAt(chart.ControlImage(), CaptionAlone(chart, chart.Scale1Y()), chart.TRim() - 23), 0);
  // The settings keep the layout's offset: only the drawing moves.
  EXPECT_EQ(chart.Scale2Y()->CaptionPosX(), 0);
}

TEST(ScaleCaptionFitTest, StackedXCaptionsLeftOfANarrowRimAreReadWhole) {
  TZephChart chart;
  chart.SetBounds(0, 0, 400, 300);
  chart.SetStandardLayout(zcl_X2Both_Y2Both);
  chart.Scale1X()->SetCaption("f / kHz");
  chart.Paint();
  const QImage caption = CaptionAlone(chart, chart.Scale1X());
  // Right-justified 20 pixels left of a 50-pixel rim: wider than 30 pixels, it starts at 0.
  ASSERT_GT(caption.width(), 30);
  EXPECT_EQ(WholeCaptionAt(chart.ControlImage(), caption, 300 - chart.BRim() + 7), 0);
}

}  // namespace
