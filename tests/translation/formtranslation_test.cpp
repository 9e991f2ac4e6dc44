#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "zeph/toolkit/tmemo.h"
#include "zeph/translation/babelfish2000.h"
#include "translation/itl_helpers.h"

using namespace zeph;

using ::testing::ElementsAre;

namespace formtest {

// Stand-in for the chart's scale settings, recognised by its class name only.
class TScaleProps : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(QObject* Partner READ Partner WRITE SetPartner)

 public:
  explicit TScaleProps(QObject* owner) : QObject(owner) {}
  QString Caption() const { return caption_; }
  void SetCaption(const QString& value) { caption_ = value; }
  QObject* Partner() const { return partner_; }
  void SetPartner(QObject* value) { partner_ = value; }

 private:
  QString caption_;
  QObject* partner_ = nullptr;
};

class TLogScaleProps : public TScaleProps {
  Q_OBJECT

 public:
  using TScaleProps::TScaleProps;
};

// Any other option object: not entered through a property.
class TLabelOptions : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

 public:
  explicit TLabelOptions(QObject* owner) : QObject(owner) {}
  QString Caption() const { return caption_; }
  void SetCaption(const QString& value) { caption_ = value; }

 private:
  QString caption_;
};

// A chart-like control with option objects, a collection and a string list.
class TChartLike : public QWidget {
  Q_OBJECT
  Q_PROPERTY(TScaleProps* Scale1X READ Scale1X)
  Q_PROPERTY(QObject* Scale1Y READ Scale1Y)
  Q_PROPERTY(QObject* Labels READ Labels)
  Q_PROPERTY(QObject* Empty READ Empty)
  Q_PROPERTY(QObjectList Items READ Items)
  Q_PROPERTY(QStringList Legend READ Legend WRITE SetLegend)
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(QString Summary READ Summary)

 public:
  explicit TChartLike(QWidget* parent) : QWidget(parent) {
    scale_x_->SetCaption("BF_Depth");
    scale_y_->SetCaption("BF_Capacitance");
    labels_->SetCaption("BF_Depth");
    for (const char* caption : {"BF_Depth", "plain"}) {
      auto* item = new TLabelOptions(this);
      item->SetCaption(caption);
      items_.append(item);
    }
  }
  TScaleProps* Scale1X() const { return scale_x_; }
  QObject* Scale1Y() const { return scale_y_; }
  QObject* Labels() const { return labels_; }
  QObject* Empty() const { return nullptr; }
  QObjectList Items() const { return items_; }
  QStringList Legend() const { return legend_; }
  void SetLegend(const QStringList& value) { legend_ = value; }
  QString Caption() const { return caption_; }
  void SetCaption(const QString& value) { caption_ = value; }
  QString Summary() const { return QStringLiteral("BF_Depth"); }

 private:
  TScaleProps* scale_x_ = new TScaleProps(this);
  TLogScaleProps* scale_y_ = new TLogScaleProps(this);
  TLabelOptions* labels_ = new TLabelOptions(this);
  QObjectList items_;
  QStringList legend_;
  QString caption_ = QStringLiteral("BF_Capacitance");
};

// A non-visual component on the form, like the host component.
class TNonVisual : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
  Q_PROPERTY(QString Name READ Name WRITE SetName)

 public:
  explicit TNonVisual(QObject* owner) : QObject(owner) {}
  QString Hint() const { return hint_; }
  void SetHint(const QString& value) { hint_ = value; }
  QString Name() const { return name_; }
  void SetName(const QString& value) { name_ = value; }

 private:
  QString hint_ = QStringLiteral("BF_Exit");
  QString name_ = QStringLiteral("BF_Exit");
};

// The dictionary in Windows-1252 bytes: "\xE4" is a-umlaut.
const char kDictionary[] =
    "[Varactor Diode]=Kapazit\xE4tsdiode|$$\r\n[Exit]=Beenden|$$\r\n[MMInfo]=Zeile 1\\nZeile 2|$$\r\n"
    "[Depth]=Tiefe|$$\r\n[Capacitance]=Kapazit\xE4t|$$\r\n[]=Leer|$$\r\n";

struct Form {
  Form() {
    window.setObjectName("BF_Form");
    window.setWindowTitle("BF_Varactor Diode");
    panel->setObjectName("Panel1");
    panel->setToolTip("BF_Exit");
    exitButton->setObjectName("BF_Exit");
    exitButton->setText("BF_Exit");
    aboutButton->setText("BF_About");
    lowerPrefix->setText("bf_Exit");
    bare->setText("BF_");
    plain->setText("Exit");
    memo->SetLines({"BF_MMInfo", "plain", "BF_Exit"});
    chart->SetLegend({"BF_Depth", "plain", "BF_Capacitance"});
  }

  std::vector<QString> Texts() const {
    std::vector<QString> texts = {window.windowTitle(), window.objectName(), panel->toolTip(), exitButton->text(),
                                  exitButton->objectName(), aboutButton->text(), lowerPrefix->text(), bare->text(),
                                  plain->text(), memo->Lines().join('|'), chart->Caption(),
                                  chart->Scale1X()->Caption(), chart->Legend().join('|'), component->Hint()};
    for (QObject* item : chart->Items()) texts.push_back(static_cast<TLabelOptions*>(item)->Caption());
    texts.push_back(static_cast<TLabelOptions*>(chart->Labels())->Caption());
    return texts;
  }

  QWidget window;
  QWidget* panel = new QWidget(&window);
  QPushButton* exitButton = new QPushButton(panel);
  QPushButton* aboutButton = new QPushButton(panel);
  QLabel* lowerPrefix = new QLabel(&window);
  QLabel* bare = new QLabel(&window);
  QLabel* plain = new QLabel(&window);
  TMemo* memo = new TMemo(&window);
  TChartLike* chart = new TChartLike(&window);
  TNonVisual* component = new TNonVisual(&window);
};

TEST(FormTranslationTest, TranslatesEveryMarkedTextOfAWholeForm) {
  TBabelfish2000 engine;
  LoadBytes(engine, kDictionary);
  Form form;
  engine.TranslateComponent(&form.window);

  EXPECT_EQ(form.window.windowTitle(), QString::fromUtf8("Kapazitätsdiode"));
  EXPECT_EQ(form.window.objectName(), "BF_Form");
  EXPECT_EQ(form.panel->toolTip(), "Beenden");
  EXPECT_EQ(form.exitButton->text(), "Beenden");
  EXPECT_EQ(form.exitButton->objectName(), "BF_Exit");
  EXPECT_EQ(form.aboutButton->text(), "About");
  EXPECT_EQ(form.lowerPrefix->text(), "bf_Exit");
  EXPECT_EQ(form.bare->text(), "Leer");
  EXPECT_EQ(form.plain->text(), "Exit");
  // A translated line with a line break becomes two lines; unmarked lines stay.
  EXPECT_THAT(form.memo->Lines(), ElementsAre("Zeile 1", "Zeile 2", "plain", "Beenden"));
  EXPECT_EQ(form.chart->Caption(), QString::fromUtf8("Kapazität"));
  EXPECT_EQ(form.chart->Scale1X()->Caption(), "Tiefe");
  EXPECT_EQ(static_cast<formtest::TScaleProps*>(form.chart->Scale1Y())->Caption(), QString::fromUtf8("Kapazität"));
  EXPECT_THAT(form.chart->Legend(), ElementsAre("Tiefe", "plain", QString::fromUtf8("Kapazität")));
  EXPECT_EQ(static_cast<TLabelOptions*>(form.chart->Items()[0])->Caption(), "Tiefe");
  EXPECT_EQ(static_cast<TLabelOptions*>(form.chart->Items()[1])->Caption(), "plain");
  // Other option objects are entered neither through their property nor as owned objects.
  EXPECT_EQ(static_cast<TLabelOptions*>(form.chart->Labels())->Caption(), "BF_Depth");
  EXPECT_EQ(form.component->Hint(), "Beenden");
  EXPECT_EQ(form.component->Name(), "BF_Exit");
}

TEST(FormTranslationTest, WalksDepthFirstVisitsOptionObjectsOnceAndListsFromTheLastLine) {
  TBabelfish2000 engine;
  LoadBytes(engine, kDictionary);
  Form form;
  std::vector<QObject*> visited;
  engine.OnTranslateObject = [&visited](TBabelfish2000*, QObject* obj, bool&) { visited.push_back(obj); };
  std::vector<std::string> lookups;
  engine.OnTranslate = [&lookups](TBabelfish2000*, const std::string& key, std::string&) { lookups.push_back(key); };
  engine.TranslateComponent(&form.window);

  const auto at = [&visited](const QObject* obj) { return std::find(visited.begin(), visited.end(), obj) - visited.begin(); };
  EXPECT_EQ(at(&form.window), 0);
  EXPECT_LT(at(form.panel), at(form.exitButton));
  EXPECT_LT(at(form.exitButton), at(form.aboutButton));
  EXPECT_LT(at(form.aboutButton), at(form.lowerPrefix));
  EXPECT_LT(at(form.chart), at(form.component));
  EXPECT_EQ(std::count(visited.begin(), visited.end(), form.chart->Scale1X()), 1);
  EXPECT_EQ(std::count(visited.begin(), visited.end(), form.chart->Scale1Y()), 1);
  EXPECT_EQ(std::count(visited.begin(), visited.end(), form.chart->Labels()), 0);


  // String lists are looked up from their last line to their first.
  lookups.clear();
  form.memo->SetLines({"BF_Exit", "plain", "BF_MMInfo"});
  engine.TranslateObject(form.memo);
  EXPECT_THAT(lookups, ElementsAre("MMInfo", "Exit"));
}

TEST(FormTranslationTest, DeclinedObjectsKeepTheirTextsButTheirComponentsAreTranslated) {
  TBabelfish2000 engine;
  LoadBytes(engine, kDictionary);
  Form form;
  engine.OnTranslateObject = [&form](TBabelfish2000*, QObject* obj, bool& doTranslate) {
    if (obj == form.panel || obj == form.chart) doTranslate = false;
  };
  engine.TranslateComponent(&form.window);
  EXPECT_EQ(form.panel->toolTip(), "BF_Exit");
  EXPECT_EQ(form.exitButton->text(), "Beenden");
  EXPECT_EQ(form.chart->Caption(), "BF_Capacitance");
  // The chart's scale settings are reached only through its properties.
  EXPECT_EQ(form.chart->Scale1X()->Caption(), "BF_Depth");
  EXPECT_EQ(form.window.windowTitle(), QString::fromUtf8("Kapazitätsdiode"));
}

TEST(FormTranslationTest, ASecondRunChangesNothing) {
  ScopedWorkingDirectory workDir;
  TBabelfish2000 engine;
  LoadBytes(engine, kDictionary);
  engine.SetAutoCreateItlFile(true);
  Form form;
  engine.TranslateComponent(&form.window);
  const std::vector<QString> once = form.Texts();
  const std::vector<std::string> collected = engine.NewEntries();
  EXPECT_THAT(collected, ElementsAre("[About]=About|$$"));

  int lookups = 0;
  engine.OnTranslate = [&lookups](TBabelfish2000*, const std::string&, std::string&) { ++lookups; };
  engine.TranslateComponent(&form.window);
  EXPECT_EQ(form.Texts(), once);
  EXPECT_EQ(lookups, 0);
  EXPECT_EQ(engine.NewEntries(), collected);
  engine.SetAutoCreateItlFile(false);
}

TEST(FormTranslationTest, WithoutADictionaryMarkedTextsLoseTheirPrefix) {
  TBabelfish2000 engine;
  Form form;
  engine.TranslateComponent(&form.window);
  EXPECT_EQ(form.window.windowTitle(), "Varactor Diode");
  EXPECT_EQ(form.exitButton->text(), "Exit");
  EXPECT_EQ(form.bare->text(), "");
  EXPECT_THAT(form.memo->Lines(), ElementsAre("MMInfo", "plain", "Exit"));
}

TEST(FormTranslationTest, ScaleSettingsThatReferToEachOtherAreEnteredOnlyWhileNotInProgress) {
  TBabelfish2000 engine;
  LoadBytes(engine, kDictionary);
  Form form;
  form.chart->Scale1X()->SetPartner(form.chart->Scale1Y());
  static_cast<TScaleProps*>(form.chart->Scale1Y())->SetPartner(form.chart->Scale1X());
  int visits = 0;
  engine.OnTranslateObject = [&visits](TBabelfish2000*, QObject*, bool&) { ++visits; };
  engine.TranslateObject(form.chart->Scale1X());
  EXPECT_EQ(visits, 2);
  EXPECT_EQ(form.chart->Scale1X()->Caption(), "Tiefe");
  EXPECT_EQ(static_cast<TScaleProps*>(form.chart->Scale1Y())->Caption(), QString::fromUtf8("Kapazität"));
}

TEST(FormTranslationTest, TranslateObjectLeavesOwnedComponentsAlone) {
  TBabelfish2000 engine;
  LoadBytes(engine, kDictionary);
  Form form;
  engine.TranslateObject(form.panel);
  EXPECT_EQ(form.panel->toolTip(), "Beenden");
  EXPECT_EQ(form.exitButton->text(), "BF_Exit");
  engine.TranslateComponent(nullptr);
  engine.TranslateObject(nullptr);
}

}  // namespace formtest

#include "formtranslation_test.moc"
