#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "app/controls/tbitbtn.h"
#include "app/controls/tlabel.h"
#include "app/controls/ttrackbar.h"
#include "app/varactormodel.h"
#include "common/image_probe.h"
#include "forms_fixture.h"

namespace {

using StartUpTest = FormsTest;

void LoadDictionary(TBabelfish2000& dictionary, const QByteArray& entries) {
  QBuffer buffer;
  buffer.setData(entries);
  ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
  dictionary.LoadFromStream(buffer);
}

// Both charts hold exactly the model's curves for the position, drawn in blue, and the screen
// image shows them where the chart maps them.
void ExpectCurves(TForm1& form, int position) {
  SCOPED_TRACE(position);
  struct Chart {
    TZephChart* chart;
    std::vector<varactor::CurvePoint> curve;
  };
  for (const Chart& c : {Chart{form.ZCCap, varactor::CapacitanceCurve(position)},
                         Chart{form.ZCNd, varactor::ProfileCurve(position)}}) {
    const TZephItemList& items = c.chart->Items();
    ASSERT_EQ(items.Count(), static_cast<int>(c.curve.size()));
    int drawn = 0;
    for (int i = 0; i < items.Count(); ++i) {
      EXPECT_EQ(items[i].Kind, i == 0 ? ikMoveTo : ikDrawTo);
      EXPECT_EQ(items[i].Color, varactor::kCurveColor);
      EXPECT_EQ(items[i].X1, c.curve[i].x);
      EXPECT_EQ(items[i].Y1, c.curve[i].y);
      // Points inside the visible ranges land on blue pixels of the chart's image.
      const QPoint p = c.chart->WorldToPixel(1, c.curve[i].x, c.curve[i].y);
      if (i > 0 && p.x() > c.chart->LRim() && p.x() < c.chart->width() - c.chart->RRim() && p.y() > c.chart->TRim() &&
          p.y() < c.chart->height() - c.chart->BRim()) {
        EXPECT_TRUE(ColourNear(c.chart->ControlImage(), varactor::kCurveColor, p.x(), p.y())) << i;
        ++drawn;
      }
    }
    EXPECT_GT(drawn, 20);
  }
}

TEST_F(StartUpTest, AboutBoxComesFirstOverEmptyChartsThenTheCurves) {
  bool checked = false;
  ShowAndStartUp([&] {
    checked = true;
    EXPECT_TRUE(about().isVisible());
    EXPECT_TRUE(form().isVisible());
    for (TZephChart* chart : {form().ZCNd, form().ZCCap}) {
      SCOPED_TRACE(chart->objectName().toStdString());
      EXPECT_EQ(chart->Items().Count(), 0);
      const QImage& image = chart->ControlImage();
      ASSERT_EQ(image.size(), chart->size());
      // Frame, grid and scales are there, the data are not.
      EXPECT_EQ(PixelAt(image, chart->LRim(), chart->TRim() + 5), clBlack);
      EXPECT_GT(CountPixels(image, chart->GridColor(), 0, 0, image.width(), image.height()), 100);
      EXPECT_EQ(CurvePixels(*chart), 0);
    }
    // The start-up steps filled and translated the box before it was shown.
    EXPECT_EQ(about().LblName->text(), "Varactor");
    EXPECT_EQ(about().LblVersion->text(), "Version 1.0");
    EXPECT_TRUE(about().LblHomePage->isVisible());
  });
  EXPECT_TRUE(checked);
  EXPECT_FALSE(about().isVisible());
  ExpectCurves(form(), 0);

  // No dictionary: every lookup yields its key, and the English texts are chosen.
  EXPECT_EQ(about().HomeURL, "HomePageURL");
  EXPECT_EQ(about().windowTitle(), "About");
  EXPECT_EQ(about().BButOK->text(), "OK");
  EXPECT_EQ(about().LblHomePage->text(), "HomePage");
  EXPECT_EQ(about().LblWebSite->text(), "More information can be found at the following Web sites:");
  EXPECT_TRUE(about().LblDescription->text().startsWith(
      "This program calculates the characteristic curve of a varactor diode."));
  EXPECT_TRUE(about().LblDescription->text().endsWith("It is used in various electronic textbooks."));
}

TEST_F(StartUpTest, AboutButtonShowsTheSameBoxAgainWithoutRecomputing) {
  ShowAndStartUp();
  const QString description = about().LblDescription->text();
  // Emptied by hand: a recomputation would fill it again.
  form().ZCCap->ClearGraf();
  DialogCloser closer(&about(), {}, ClickOk);
  form().BButInfo->click();
  EXPECT_EQ(closer.Shows(), 1);
  EXPECT_EQ(form().ZCCap->Items().Count(), 0);
  EXPECT_EQ(form().ZCNd->Items().Count(), 300);
  EXPECT_EQ(about().LblDescription->text(), description);
  EXPECT_EQ(about().LblName->text(), "Varactor");
}

TEST_F(StartUpTest, SliderRedrawsBothChartsAtOnce) {
  ShowAndStartUp();
  TTrackBar* slider = form().TBDistribution;
  for (int position : {-1000, 1000, 0, 500}) {
    slider->SetPosition(position);
    ExpectCurves(form(), position);
  }
  // The keyboard reaches both ends.
  QTest::keyClick(slider, Qt::Key_End);
  EXPECT_EQ(slider->Position(), 1000);
  ExpectCurves(form(), 1000);
  QTest::keyClick(slider, Qt::Key_Home);
  EXPECT_EQ(slider->Position(), -1000);
  ExpectCurves(form(), -1000);
  QTest::keyClick(slider, Qt::Key_PageDown);
  EXPECT_EQ(slider->Position(), -900);
  ExpectCurves(form(), -900);
}

TEST_F(StartUpTest, GermanDictionaryChoosesTheGermanTexts) {
  LoadDictionary(form().Babelfish(),
                 "[$dlglanguage$]=LgGerMAN|$$\r\n[HomePageURL]=https://example.org/de/|$$\r\n"
                 "[OK]=Schlie\xdf" "en|$$\r\n[HomePage]=Heimatseite|$$\r\n[About]=\xdc" "ber|$$\r\n");
  ShowAndStartUp();
  EXPECT_EQ(about().HomeURL, "https://example.org/de/");
  EXPECT_EQ(about().BButOK->text(), QString::fromUtf8("Schließen"));
  EXPECT_EQ(about().windowTitle(), QString::fromUtf8("Über"));
  EXPECT_EQ(about().LblHomePage->text(), "Heimatseite");
  EXPECT_EQ(about().LblWebSite->text(), "Mehr Informationen finden Sie auf folgenden Webseiten:");
  EXPECT_TRUE(about().LblDescription->text().startsWith("Dieses Programm"));
  // Texts set by the start-up are no translation keys.
  EXPECT_EQ(about().LblName->text(), "Varactor");
}

TEST_F(StartUpTest, IconNamedByTheDictionaryReplacesTheIcons) {
  const QString icon_file = QCoreApplication::applicationDirPath() + "/startup_test_icon.png";
  QImage icon(32, 32, QImage::Format_ARGB32);
  icon.fill(qRgb(0, 200, 0));
  ASSERT_TRUE(icon.save(icon_file));
  LoadDictionary(form().Babelfish(), "[AppIconName]=startup_test_icon.png|$$\r\n");
  ShowAndStartUp();
  QFile::remove(icon_file);
  for (const QIcon& loaded : {form().windowIcon(), about().windowIcon(), QApplication::windowIcon()}) {
    const QImage image = loaded.pixmap(32, 32).toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(16, 16), qRgb(0, 200, 0));
  }
  QApplication::setWindowIcon(QIcon());
}

TEST_F(StartUpTest, MissingIconFileLeavesTheBuiltInIcons) {
  const qint64 before = about().windowIcon().cacheKey();
  LoadDictionary(form().Babelfish(), "[AppIconName]=no_such_icon_file.png|$$\r\n");
  ShowAndStartUp();
  EXPECT_EQ(about().windowIcon().cacheKey(), before);
}

TEST_F(StartUpTest, NewParametersBringTheWindowForwardAndChangeNothing) {
  ShowAndStartUp();
  form().TBDistribution->SetPosition(300);
  form().showMinimized();
  QCoreApplication::processEvents();
  form().cliDemonParamsChange(nullptr);
  EXPECT_FALSE(form().isMinimized());
  EXPECT_TRUE(form().isVisible());
  EXPECT_EQ(form().TBDistribution->Position(), 300);
  ExpectCurves(form(), 300);
}

}  // namespace
