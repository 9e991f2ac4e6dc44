// What the simulation tells assistive technology, in English and in the shipped German: the
// slider's words and labels, one announcement per change, the charts' words, the window's role,
// the information text's name, and the focus ring.
#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "app/commandline.h"
#include "app/controls/focusring.h"
#include "app/controls/tbitbtn.h"
#include "app/controls/tlabel.h"
#include "app/controls/ttrackbar.h"
#include "app/linkopener.h"
#include "app/spokentexts.h"
#include "app/varactormodel.h"
#include "forms_fixture.h"
#include "zeph/toolkit/contrast.h"
#include "zeph/toolkit/tmemo.h"

using namespace zeph;

namespace {

QByteArray ShippedGerman() {
  QFile file(qEnvironmentVariable("VARACTOR_SOURCE_DIR") + QStringLiteral("/resources/lggerman.itl"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  return file.readAll();
}

using SpokenTest = FormsTest;

TEST_F(SpokenTest, TheSliderSaysTheGradingUnderItsOwnNameInEnglish) {
  TForm1& f = form();
  QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(f.TBDistribution);
  ASSERT_NE(slider, nullptr);
  const std::vector<std::pair<int, QString>> expected = {{-1000, "hyperabrupt, -1000"},
                                                         {-400, "between hyperabrupt and abrupt, -400"},
                                                         {0, "abrupt, 0"},
                                                         {1, "between abrupt and linear, 1"},
                                                         {1000, "linear, 1000"}};
  for (const auto& [position, words] : expected) {
    f.TBDistribution->SetPosition(position);
    EXPECT_EQ(slider->text(QAccessible::Value), words);
    EXPECT_EQ(slider->valueInterface()->currentValue().toInt(), position);
    EXPECT_TRUE(slider->text(QAccessible::Description).startsWith(words + ". "));
  }
  // The captions over the track are the value's words: no label relation makes one of them the
  // slider's name.
  EXPECT_TRUE(slider->relations(QAccessible::Label).isEmpty());
  EXPECT_EQ(slider->text(QAccessible::Name), "Grading of the doping profile");

  // The main window is a frame; the information text has a name.
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&f)->role(), QAccessible::Window);
  QAccessibleInterface* memo = QAccessible::queryAccessibleInterface(f.Memo1);
  EXPECT_EQ(memo->text(QAccessible::Name), "Information about the simulation");
  // Only the text box claims the focus, not the area inside it that hands the focus on.
  QAccessibleInterface* viewport = QAccessible::queryAccessibleInterface(f.Memo1->viewport());
  EXPECT_FALSE(viewport->state().focused);
}

// (How many events a change sends is counted on the real accessibility bus, by
// accessibility_bus_test.sh: off screen, Qt delivers none.)
TEST_F(SpokenTest, ASliderChangeAnnouncesTheGradingAndBothCurves) {
  TForm1& f = form();
  f.CalculateCurves();
  f.TBDistribution->SetPosition(-1000);
  const QString announced = QAccessible::queryAccessibleInterface(f.TBDistribution)->text(QAccessible::Description);
  EXPECT_TRUE(announced.startsWith("hyperabrupt, -1000. N D falls from 100 times 10 to the 16 per cubic centimetre at "
                                   "depth 0.0100 micrometres"))
      << announced.toStdString();
  EXPECT_TRUE(announced.contains(". capacitance falls from 50.1 picofarads at voltage 0.100 volts to 3.74 picofarads at "
                                 "voltage 10.0 volts"))
      << announced.toStdString();
  EXPECT_TRUE(announced.endsWith('.'));
}

TEST_F(SpokenTest, TheShippedGermanDictionarySpeaksGerman) {
  WriteDictionary(ShippedGerman());
  TForm1& f = form();
  f.TBDistribution->SetPosition(-400);
  QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(f.TBDistribution);
  EXPECT_EQ(slider->text(QAccessible::Value), "zwischen hyperabrupt und abrupt, -400");
  EXPECT_EQ(slider->text(QAccessible::Name), "Gradierung des Dotierungsprofils");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(f.Memo1)->text(QAccessible::Name), "Informationen zur Simulation");
  f.TBDistribution->SetPosition(0);
  const QString described = QAccessible::queryAccessibleInterface(f.ZCCap)->text(QAccessible::Description);
  EXPECT_EQ(described, QString::fromUtf8("Spannung in Volt von 0 bis 10,0; Kapazität in Pikofarad von 1,00 bis 100, "
                                         "logarithmisch; Kapazität fällt von 8,10 Pikofarad bei Spannung 0,100 Volt auf "
                                         "2,21 Pikofarad bei Spannung 10,0 Volt, am steilsten bei Spannung 0,100 Volt, "
                                         "zu Spannung 10,0 Volt hin abflachend. Pfeiltasten gehen von Punkt zu Punkt, T "
                                         "für die Tabelle, H für Hilfe"))
      << described.toStdString();
  f.ZCCap->Explorer()->Select(0, 39);
  const double c = varactor::CapacitanceCurve(0)[39].y;
  // With the depletion width the voltage opens, as the profile chart marks it.
  EXPECT_EQ(f.ZCCap->Explorer()->PointName(), QString::fromUtf8("Spannung 4,00 Volt, Kapazität ") +
                                                  SpokenNumber(c, f.ZCCap->Texts()) +
                                                  QString::fromUtf8(" Pikofarad, w = 0,784 µm"));
  EXPECT_TRUE(SpokenNumber(c, f.ZCCap->Texts()).contains(','));
  EXPECT_EQ(f.ZCCap->Texts().CopyData, "Daten als Text kopieren");
  // Every text the charts speak has its German entry: none is left in English.
  const TChartTexts english;
  const TChartTexts german = f.ZCCap->Texts();
  EXPECT_NE(german.Rises, english.Rises);
  EXPECT_NE(german.StartsAbove, english.StartsAbove);
  EXPECT_NE(german.PassesBelow, english.PassesBelow);
  EXPECT_NE(german.CurveNumber, english.CurveNumber);
  for (const auto& [spoken, english_text] :
       std::vector<std::pair<QString, QString>>{{german.FirstPoint, english.FirstPoint},
                                                {german.LastPoint, english.LastPoint},
                                                {german.PointOf, english.PointOf},
                                                {german.OnlyCurve, english.OnlyCurve},
                                                {german.KeyHint, english.KeyHint},
                                                {german.Help, english.Help},
                                                {german.TableName, english.TableName},
                                                {german.Copied, english.Copied},
                                                {german.Playing, english.Playing},
                                                {german.NoSound, english.NoSound}})
    EXPECT_NE(spoken, english_text) << english_text.toStdString();
  EXPECT_EQ(german.XAxis, "Spannung in Volt");
  EXPECT_EQ(f.ZCNd->Texts().YAxis, "N D, mal 10 hoch 16 pro Kubikzentimeter");
  EXPECT_EQ(GradingText(1000, nullptr), "linear, 1000");
}

TEST_F(SpokenTest, ExplorationIsOnForBothChartsOfTheSimulation) {
  TForm1& f = form();
  EXPECT_TRUE(f.ZCCap->KeyboardExploration());
  EXPECT_TRUE(f.ZCNd->KeyboardExploration());
  f.CalculateCurves();
  f.ZCCap->Explorer()->Select(0, 39);
  EXPECT_EQ(f.ZCCap->Explorer()->PointName(),
            "voltage 4.00 volts, capacitance " + SpokenNumber(varactor::CapacitanceCurve(0)[39].y, TChartTexts()) +
                QString::fromUtf8(" picofarads, w = 0.784 µm"));
}

TEST(SonifyOption, WritesSoundWithoutAWindowAndTakesAPosition) {
  const TCommandLine c = ParseCommandLine({"varactor", "--sonify", "curves.wav", "--position", "-500"});
  EXPECT_TRUE(c.error.isEmpty()) << c.error.toStdString();
  EXPECT_EQ(c.sonify_file, "curves.wav");
  EXPECT_EQ(c.position, -500);
  EXPECT_TRUE(c.Batch());
  EXPECT_TRUE(c.Windowless());
  EXPECT_EQ(ParseCommandLine({"varactor", "--sonify="}).error, "--sonify needs a file name");
  EXPECT_TRUE(CommandLineHelp().contains("--sonify <FILE>"));
}

TEST_F(SpokenTest, ALinkNoProgramOpensShowsItsAddressToCopy) {
  QGuiApplication::setQuitOnLastWindowClosed(false);
  TFrmAbout& box = about();
  box.HomeURL = QStringLiteral("https://example.org/home");
  QString shown;
  Qt::TextInteractionFlags flags;
  QTimer::singleShot(0, [&] {
    auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (message == nullptr) return;
    shown = message->text();
    flags = message->textInteractionFlags();
    message->accept();
  });
  // The desktop's opener tells the failure handler, which the about box has set.
  ASSERT_TRUE(LinkFailureHandler());
  QTimer::singleShot(3000, [] {
    if (QApplication::activeModalWidget() != nullptr) QApplication::activeModalWidget()->close();
  });
  LinkFailureHandler()(box.HomeURL);
  EXPECT_TRUE(shown.startsWith(box.LinkFailureText)) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith("https://example.org/home"));
  EXPECT_TRUE(flags & Qt::TextSelectableByKeyboard);
}

TEST_F(SpokenTest, TheFocusRingStandsOutAroundEveryControlButTheCharts) {
  TForm1& f = form();
  ShowAndStartUp();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  TFocusRing::Install();
  for (QWidget* control : std::initializer_list<QWidget*>{f.BButExit, f.TBDistribution, f.BButInfo, f.Memo1}) {
    control->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([control] { return TFocusRing::Target() == control; }))
        << control->objectName().toStdString();
    const QWidget* under = control->parentWidget();
    EXPECT_GE(ContrastRatio(TFocusRing::RingColor(control), under->palette().color(under->backgroundRole())), 3.0);
    // The ring shows on the window's pixels right outside the control.
    const QImage shot = f.grab().toImage();
    const QPoint above = control->mapTo(&f, QPoint(control->width() / 2, -1));
    EXPECT_EQ(shot.pixelColor(above * shot.devicePixelRatio()), TFocusRing::RingColor(control))
        << control->objectName().toStdString();
  }
  f.ZCCap->setFocus(Qt::OtherFocusReason);
  ASSERT_TRUE(QTest::qWaitFor([&f] { return f.ZCCap->hasFocus(); }));
  EXPECT_EQ(TFocusRing::Target(), nullptr) << "the chart draws its own";
  f.hide();
}

}  // namespace
