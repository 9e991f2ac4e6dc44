#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include "app/controls/tbitbtn.h"
#include "app/controls/tlabel.h"
#include "app/controls/ttrackbar.h"
#include "app/statereport.h"
#include "app/varactormodel.h"
#include "common/image_probe.h"
#include "forms_fixture.h"
#include "zeph/toolkit/tmemo.h"

using namespace zeph;

namespace {

using StartUpTest = FormsTest;

constexpr QRgb kTestIconColour = qRgb(0, 200, 0);

void WriteFile(const QString& path, const QByteArray& contents) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(file.write(contents), contents.size());
}

// A 32 x 32 icon of one colour, as PNG bytes.
QByteArray IconBytes(QRgb colour) {
  QImage icon(32, 32, QImage::Format_ARGB32);
  icon.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  icon.save(&buffer, "PNG");
  return bytes;
}

QRgb IconCentre(const QIcon& icon) {
  const QImage image = icon.pixmap(32, 32).toImage();
  return image.isNull() ? 0 : image.pixel(16, 16);
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

  // No dictionary beside the program: every lookup yields its key, and the English texts are
  // chosen. No host: nothing registered, the process goes on, nothing was reported.
  EXPECT_EQ(form().windowTitle(), "Varactor Diode");
  EXPECT_EQ(form().Memo1->Lines(), QStringList{"MMInfo"});
  EXPECT_EQ(about().HomeURL, "HomePageURL");
  EXPECT_EQ(about().windowTitle(), "About");
  EXPECT_EQ(about().BButOK->text(), "OK");
  EXPECT_EQ(about().LblHomePage->text(), "HomePage");
  EXPECT_EQ(about().LblWebSite->text(), "More information can be found at the following Web sites:");
  EXPECT_TRUE(about().LblDescription->text().startsWith(
      "This program calculates the characteristic curve of a varactor diode. "));
  EXPECT_TRUE(about().LblDescription->text().endsWith(". It is used in various electronic textbooks."));
  EXPECT_FALSE(form().cliDemon->UseOstrelServer());
  EXPECT_TRUE(exits_.empty());
  EXPECT_TRUE(messages_.empty());
}

TEST_F(StartUpTest, AboutButtonShowsTheSameBoxAgainWithoutRecomputing) {
  ShowAndStartUp();
  const QString description = about().LblDescription->text();
  // Emptied by hand: a recomputation would fill it again.
  form().ZCCap->ClearGraf();
  about().HomeURL = "changed by hand";
  DialogCloser closer(&about(), {}, ClickOk);
  form().BButInfo->click();
  EXPECT_EQ(closer.Shows(), 1);
  EXPECT_EQ(form().ZCCap->Items().Count(), 0);
  EXPECT_EQ(form().ZCNd->Items().Count(), 300);
  EXPECT_EQ(about().LblDescription->text(), description);
  EXPECT_EQ(about().LblName->text(), "Varactor");
  EXPECT_EQ(about().HomeURL, "changed by hand");
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

TEST_F(StartUpTest, GermanDictionaryBesideTheProgramTranslatesBothWindows) {
  WriteDictionary(
      "[$dlglanguage$]=LgGerMAN|$$\r\n[HomePageURL]=https://example.org/de/|$$\r\n"
      "[Varactor Diode]=Kapazit\xe4tsdiode|$$\r\n[Exit]=Beenden|$$\r\n[MMInfo]=Schieben Sie den Regler.|$$\r\n"
      "[OK]=Schlie\xdf"
      "en|$$\r\n[HomePage]=Heimatseite|$$\r\n[About]=\xdc"
      "ber|$$\r\n");
  // The main window is translated while it is made, the about box only when it is first shown.
  EXPECT_EQ(form().windowTitle(), QString::fromUtf8("Kapazitätsdiode"));
  EXPECT_EQ(form().BButExit->text(), "Beenden");
  EXPECT_EQ(form().BButInfo->text(), QString::fromUtf8("Über"));
  EXPECT_EQ(form().Memo1->Lines(), QStringList{"Schieben Sie den Regler."});
  EXPECT_EQ(about().BButOK->text(), "BF_OK");
  ShowAndStartUp();
  EXPECT_EQ(about().HomeURL, "https://example.org/de/");
  EXPECT_EQ(about().BButOK->text(), QString::fromUtf8("Schließen"));
  EXPECT_EQ(about().windowTitle(), QString::fromUtf8("Über"));
  EXPECT_EQ(about().LblHomePage->text(), "Heimatseite");
  EXPECT_EQ(about().LblWebSite->text(), "Mehr Informationen finden Sie auf folgenden Webseiten:");
  EXPECT_TRUE(about().LblDescription->text().startsWith("Dieses Programm zur Berechnung der Kennlinie einer "
                                                        "Varaktordiode wurde "));
  EXPECT_TRUE(about().LblDescription->text().endsWith(" eingesetzt."));
  // Texts set by the start-up are no translation keys.
  EXPECT_EQ(about().LblName->text(), "Varactor");
  EXPECT_EQ(about().LblVersion->text(), "Version 1.0");
}

TEST_F(StartUpTest, OnlyLggermanInAnyLetterCaseChoosesGerman) {
  for (const auto& [language, german] : std::vector<std::pair<QByteArray, bool>>{
           {"LGGERMAN", true}, {"lggerman", true}, {"german", false}, {"lggerman ", false}, {"english", false}}) {
    SCOPED_TRACE(language.toStdString());
    DestroyForms();
    LoadDictionary("[$dlglanguage$]=" + language + "|$$\r\n");
    ShowAndStartUp();
    EXPECT_EQ(about().LblWebSite->text().startsWith("Mehr Informationen"), german);
    EXPECT_EQ(about().LblDescription->text().startsWith("Dieses Programm"), german);
    EXPECT_EQ(about().LblDescription->text().startsWith("This program"), !german);
  }
}

TEST_F(StartUpTest, IconNamedByTheDictionaryBesideTheProgramReplacesTheThreeIcons) {
  const QIcon built_in = QIcon(QStringLiteral(":/varactor_icon.png"));
  QApplication::setWindowIcon(built_in);
  WriteFile(ProgramDir() + "startup_icon.png", IconBytes(kTestIconColour));
  WriteDictionary("[AppIconName]=startup_icon.png|$$\r\n");
  ShowAndStartUp();
  EXPECT_EQ(IconCentre(form().windowIcon()), kTestIconColour);
  EXPECT_EQ(IconCentre(about().windowIcon()), kTestIconColour);
  EXPECT_EQ(IconCentre(QApplication::windowIcon()), kTestIconColour);
  QApplication::setWindowIcon(QIcon());
}

// Icons named by the dictionary that must leave the built-in icons: no file, a file that is no
// image, an empty file, and names that lead out of the work area to files that do exist there.
TEST_F(StartUpTest, IconsThatCannotBeTakenLeaveTheBuiltInOnesWithoutAMessage) {
  QDir(ProgramDir()).mkdir("sub");
  WriteFile(ProgramDir() + "sub/inner.png", IconBytes(kTestIconColour));
  WriteFile(ProgramDir() + "../startup_outside.png", IconBytes(kTestIconColour));
  WriteFile(ProgramDir() + "garbage.ico", "this is no icon at all");
  WriteFile(ProgramDir() + "empty.png", "");
  const QString outside = QDir::cleanPath(ProgramDir() + "../startup_outside.png");
  for (const QString& name : {QString("no_such_icon.png"), QString("garbage.ico"), QString("empty.png"),
                              QString("../startup_outside.png"), QString("sub/inner.png"), QString("sub\\inner.png"),
                              outside, QString("sub/../garbage.ico"), QString()}) {
    SCOPED_TRACE(name.toStdString());
    DestroyForms();
    const qint64 before = about().windowIcon().cacheKey();
    const qint64 main_before = form().windowIcon().cacheKey();
    LoadDictionary("[AppIconName]=" + name.toLatin1() + "|$$\r\n");
    ShowAndStartUp();
    EXPECT_EQ(about().windowIcon().cacheKey(), before);
    EXPECT_EQ(form().windowIcon().cacheKey(), main_before);
    EXPECT_NE(IconCentre(QApplication::windowIcon()), kTestIconColour);
    // The start went on as usual.
    EXPECT_EQ(about().LblName->text(), "Varactor");
    ExpectCurves(form(), 0);
  }
  QFile::remove(outside);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(StartUpTest, NewParametersFromALaterStartBringTheWindowForwardAndChangeNothing) {
  ShowAndStartUp();
  form().TBDistribution->SetPosition(300);
  form().showMinimized();
  QCoreApplication::processEvents();
  const QString title = form().windowTitle();
  // A later start hands its parameters to the running instance's window, as a peer does here.
  TServerSettings settings;
  settings.HandleText = "peer";
  TkdbDemonServer peer(nullptr, settings);
  TEntity running(&peer);
  running.Handle = form().cliDemon->OwnEntity().Handle;
  TLexivoMessageStream msg(&peer);
  msg.MsgType = msgParams;
  msg.Write(std::string("/opt/varactor\r\nlesson2.dat\r\n"));
  peer.SendAMessage(running, msg, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return !form().isMinimized(); }));
  EXPECT_TRUE(form().isVisible());
  EXPECT_EQ(form().cliDemon->ParamStr(1), "lesson2.dat");
  EXPECT_EQ(form().TBDistribution->Position(), 300);
  EXPECT_EQ(form().windowTitle(), title);
  ExpectCurves(form(), 300);
}

TEST_F(StartUpTest, StateFileTellsWhatTheWindowsShowOnlyWhenAskedFor) {
  const QString path = ProgramDir() + "state.txt";
  auto read_state = [&] {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n') : QStringList();
  };
  qputenv(kStateFileVariable, path.toUtf8());
  WriteDictionary("[HomePage]=Home\\npage|$$");
  ShowAndStartUp();
  QStringList state = read_state();
  EXPECT_EQ(state.value(0), "event=curves");
  EXPECT_TRUE(state.contains("main.title=Varactor Diode"));
  EXPECT_TRUE(state.contains("about.name=Varactor"));
  EXPECT_TRUE(state.contains("about.homeurl=HomePageURL"));
  EXPECT_TRUE(state.contains("about.homepage=Home\\npage"));
  EXPECT_TRUE(state.contains("slider=0"));
  EXPECT_TRUE(state.contains("items.profile=300"));
  EXPECT_TRUE(state.contains("items.capacitance=100"));
  EXPECT_TRUE(state.contains("host=0"));
  EXPECT_TRUE(state.contains("params="));
  EXPECT_TRUE(state.contains("icon.about=" + about().windowIcon().pixmap(32, 32).toImage().pixelColor(16, 16).name()));
  const QString events = state.filter(QRegularExpression("^events=")).value(0);

  form().TBDistribution->SetPosition(700);
  state = read_state();
  EXPECT_EQ(state.value(0), "event=slider");
  EXPECT_TRUE(state.contains("slider=700"));
  EXPECT_NE(state.filter(QRegularExpression("^events=")).value(0), events);

  qunsetenv(kStateFileVariable);
  QFile::remove(path);
  form().TBDistribution->SetPosition(800);
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(StartUpTest, ChartsOnlyWindowHasNoHostComponentAndMeetsNoInstance) {
  TForm1 charts(nullptr, TFormRole::ChartsOnly);
  EXPECT_EQ(charts.cliDemon, nullptr);
  EXPECT_EQ(charts.Babelfish(), nullptr);
  // The simulation beside it keeps its single instance; the charts-only window is no second one.
  form();
  TForm1 more_charts(nullptr, TFormRole::ChartsOnly);
  EXPECT_TRUE(exits_.empty());
  EXPECT_NE(form().cliDemon, nullptr);
}

}  // namespace
