// Projector mode: thick curves, a darker grid and larger text on both charts, and back to the
// designed look pixel for pixel.
#include <gtest/gtest.h>

#include "app/lesson/projectorlook.h"
#include "app/mainfrm.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

TEST(ProjectorLookTest, ThickCurvesDarkGridLargeTextAndBackToTheDesignedLook) {
  TForm1 form(nullptr, TFormRole::ChartsOnly);
  form.CalculateCurves();
  const QImage designed_profile = form.ZCNd->ControlImage().copy();
  const QImage designed_capacitance = form.ZCCap->ControlImage().copy();
  const int label_size = form.ZCCap->Scale1Y()->Font().Size;

  form.Projector()->SetOn(true);
  form.CalculateCurves();
  for (TZephChart* chart : {form.ZCNd, form.ZCCap}) {
    EXPECT_EQ(chart->GridColor(), TProjectorLook::kGridColor);
    EXPECT_EQ(chart->LineWidth(), TProjectorLook::kCurveWidth);
    EXPECT_EQ(chart->Items()[0].LineWidth, TProjectorLook::kCurveWidth);
    EXPECT_EQ(chart->Scale1X()->Font().Size, chart->Scale1Y()->Font().Size);
    EXPECT_EQ(chart->Scale1Y()->Font().Size, (label_size * 3 + 1) / 2);
  }
  EXPECT_NE(form.ZCCap->ControlImage(), designed_capacitance);

  form.Projector()->SetOn(false);
  form.CalculateCurves();
  EXPECT_EQ(form.ZCNd->ControlImage(), designed_profile);
  EXPECT_EQ(form.ZCCap->ControlImage(), designed_capacitance);
}

}  // namespace
