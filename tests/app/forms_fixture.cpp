#include "forms_fixture.h"

#include <QTest>

#include "app/controls/tbitbtn.h"
#include "app/varactormodel.h"
#include "common/image_probe.h"

void ClickOk(QDialog& dialog) { static_cast<TFrmAbout&>(dialog).BButOK->click(); }

void FormsTest::ShowAndStartUp(std::function<void()> while_shown) {
  DialogCloser closer(about_, std::move(while_shown), ClickOk);
  form_->show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form_->ZCNd->Items().Count() > 0; }, 5000));
  EXPECT_EQ(closer.Shows(), 1);
}

bool ColourNear(const QImage& image, TColor colour, int x, int y) {
  return CountPixels(image, colour, x - 1, y - 1, x + 2, y + 2) > 0;
}

int CurvePixels(const TZephChart& chart) {
  return CountPixels(chart.ControlImage(), varactor::kCurveColor, chart.LRim() + 1, chart.TRim() + 1,
                     chart.width() - chart.RRim(), chart.height() - chart.BRim());
}
