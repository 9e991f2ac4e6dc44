#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QTest>
#include <memory>

#include "app/controls/tbitbtn.h"
#include "app/controls/tlabel.h"
#include "app/controls/ttrackbar.h"
#include "app/linkopener.h"
#include "app/varactormodel.h"
#include "forms_fixture.h"

using namespace zeph;

namespace {

using AccessibilityTest = FormsTest;

QAccessibleInterface* Accessible(QObject* object) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  EXPECT_NE(iface, nullptr);
  return iface;
}

TEST_F(AccessibilityTest, SliderHasItsTranslatedNameAValueAndARange) {
  WriteDictionary("[Grading of the doping profile]=Gradierung des Dotierungsprofils|$$\r\n");
  TForm1& f = form();
  QAccessibleInterface* slider = Accessible(f.TBDistribution);
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->role(), QAccessible::Slider);
  EXPECT_EQ(slider->text(QAccessible::Name), QString::fromUtf8("Gradierung des Dotierungsprofils"));
  QAccessibleValueInterface* value = slider->valueInterface();
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->minimumValue().toInt(), -1000);
  EXPECT_EQ(value->maximumValue().toInt(), 1000);
  EXPECT_EQ(value->currentValue().toInt(), 0);
  f.TBDistribution->SetPosition(-400);
  EXPECT_EQ(value->currentValue().toInt(), -400);
}

TEST_F(AccessibilityTest, WithoutADictionaryTheSliderKeepsItsEnglishName) {
  QAccessibleInterface* slider = Accessible(form().TBDistribution);
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->text(QAccessible::Name), "Grading of the doping profile");
}

TEST_F(AccessibilityTest, ChartsAreNamedByTheirCaptionAndDescribeTheirCurve) {
  TForm1& f = form();
  f.TBDistribution->SetPosition(0);
  f.CalculateCurves();
  QAccessibleInterface* capacitance = Accessible(f.ZCCap);
  QAccessibleInterface* profile = Accessible(f.ZCNd);
  ASSERT_TRUE(capacitance && profile);
  EXPECT_EQ(capacitance->role(), QAccessible::Chart);
  EXPECT_EQ(capacitance->text(QAccessible::Name), "Capacitance of Varactor Diode");
  EXPECT_EQ(profile->text(QAccessible::Name), "Impurity Concentration Profile");

  const QString described = capacitance->text(QAccessible::Description);
  // The axes in words with their units, and the keys to explore them.
  EXPECT_EQ(described,
            "voltage in volts from 0 to 10.0; capacitance in picofarads from 1.00 to 100, logarithmic; capacitance "
            "falls from 8.10 picofarads at voltage 0.100 volts to 2.21 picofarads at voltage 10.0 volts, steepest near "
            "voltage 0.100 volts, levelling off towards voltage 10.0 volts. arrow keys move from point to point, T for "
            "the table, H for help")
      << described.toStdString();
  EXPECT_EQ(profile->text(QAccessible::Description),
            "depth in micrometres from 0 to 3.00; N D, times 10 to the 16 per cubic centimetre from 0 to 10.0; N D "
            "stays at 1.00 times 10 to the 16 per cubic centimetre from depth 0.0100 micrometres to depth 3.00 "
            "micrometres. arrow keys move from point to point, T for the table, H for help");

  // Moving the slider changes what is described: the hyperabrupt profile starts above its axis.
  f.TBDistribution->SetPosition(-1000);
  EXPECT_NE(capacitance->text(QAccessible::Description), described);
  EXPECT_TRUE(profile->text(QAccessible::Description)
                  .contains("starts at 100 times 10 to the 16 per cubic centimetre, above the top of the axis at 10.0"))
      << profile->text(QAccessible::Description).toStdString();
  // An empty chart says so.
  f.ZCCap->ClearGraf();
  f.ZCCap->ShowGraf();
  EXPECT_TRUE(capacitance->text(QAccessible::Description).contains("; no curve. "));
}

TEST_F(AccessibilityTest, AboutBoxLinksAreReachedWithTabNamedAndOpenedWithEnter) {
  QGuiApplication::setQuitOnLastWindowClosed(false);
  const TLinkOpener saved = LinkOpener();
  QStringList opened;
  LinkOpener() = [&](const QString& address) { opened.append(address); };
  TFrmAbout& box = about();
  box.HomeURL = QStringLiteral("https://example.org/home");
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  box.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
  // The OK button has the focus first: Return still closes the box.
  EXPECT_EQ(QApplication::focusWidget(), box.BButOK) << QApplication::focusWidget()->objectName().toStdString();

  // From the OK button, Tab reaches both links.
  box.BButOK->setFocus(Qt::TabFocusReason);
  QList<QWidget*> reached;
  for (int i = 0; i < 6 && reached.size() < 2; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    if ((focus == box.LblHomePage || focus == box.LblSimus) && !reached.contains(focus)) reached.append(focus);
  }
  EXPECT_EQ(reached.size(), 2);

  box.LblHomePage->setFocus(Qt::TabFocusReason);
  QTest::keyClick(box.LblHomePage, Qt::Key_Return);
  box.LblSimus->setFocus(Qt::TabFocusReason);
  QTest::keyClick(box.LblSimus, Qt::Key_Enter);
  EXPECT_EQ(opened, QStringList({"https://example.org/home", TFrmAbout::kSimulationsAddress}));

  // Each is a link named by its text, which assistive technology can press.
  for (TLabel* link : {box.LblHomePage, box.LblSimus}) {
    QAccessibleInterface* iface = Accessible(link);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Link);
    EXPECT_EQ(iface->text(QAccessible::Name), link->text());
    EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
    EXPECT_TRUE(iface->state().focusable);
    ASSERT_NE(iface->actionInterface(), nullptr);
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  }
  EXPECT_EQ(opened.size(), 4);
  // A plain label is no link and takes no focus.
  EXPECT_EQ(Accessible(box.LblVersion)->role(), QAccessible::StaticText);
  EXPECT_EQ(box.LblVersion->focusPolicy(), Qt::NoFocus);
  box.hide();
  LinkOpener() = saved;
}

}  // namespace
