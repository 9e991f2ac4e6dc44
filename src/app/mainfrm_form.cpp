// The main window's stored description: its components with their placements, texts and
// settings, the two charts' settings, and the event bindings. Behaviour lives in mainfrm.cpp.

#include <QPixmap>

#include "app/controls/formgeometry.h"
#include "app/appaccessible.h"
#include "app/appresources.h"
#include "app/controls/taborder.h"
#include "app/controls/tbitbtn.h"
#include "app/controls/tlabel.h"
#include "app/controls/tpanel.h"
#include "app/controls/ttrackbar.h"
#include "app/mainfrm.h"
#include "app/textlimits.h"
#include "zeph/chart/zephchart.h"
#include "zeph/toolkit/component.h"
#include "zeph/toolkit/controlplacement.h"
#include "zeph/toolkit/tmemo.h"

using namespace zeph;

namespace {

template <typename T, typename Parent>
T* Create(Parent* parent, const char* name) {
  auto* control = new T(parent);
  control->setObjectName(QString::fromLatin1(name));
  return control;
}

// The forms' font of 13 pixels: 10 points at the 96 dots per inch the toolkit's sizes assume.
TFont SansSerif13() {
  TFont font;
  font.Name = QStringLiteral("MS Sans Serif");
  font.Size = 10;
  font.Color = clBlack;
  return font;
}

void PlaceLabel(TLabel* label, int left, int width, TAlignment alignment, const QString& caption) {
  label->setGeometry(left, 2, width, 16);
  label->SetAlignment(alignment);
  label->setText(caption);
}

void PlaceButton(TBitBtn* button, int left, const QString& caption, const QString& glyph) {
  button->setGeometry(left, 6, 105, 38);
  button->SetAnchors({akTop, akRight});
  button->setText(caption);
  button->SetGlyph(QPixmap(glyph));
}

void DockControl(QWidget* control, TAlign align) {
  auto* placement = control->findChild<TControlPlacement*>(QString(), Qt::FindDirectChildrenOnly);
  if (placement == nullptr) placement = new TControlPlacement(control);
  placement->SetAlign(align);
}

struct AxisSettings {
  QString caption;
  bool logarithmic;
  double low;
  double high;
  bool short_ticks;
};

void ConfigureAxis(TScaleProps* scale, const AxisSettings& axis) {
  scale->SetCaption(axis.caption);
  scale->SetLogarithmic(axis.logarithmic);
  scale->SetRangeLow(axis.low);
  scale->SetRangeHigh(axis.high);
  scale->SetShortTicks(axis.short_ticks);
  scale->SetVisible(true);
  scale->SetColorScale(clBlack);
  scale->SetLabelType(ftNum);
  scale->SetDecPlaces(-2);
  scale->SetMinTicks(3);
  scale->SetMinRange(1e-10);
  scale->SetScalePos(0);
  scale->SetFont(SansSerif13());
}

}  // namespace

void TForm1::ConfigureChart(TZephChart* chart) {
  DockControl(chart, alClient);
  chart->SetRRim(20);
  chart->SetTRim(20);
  chart->SetBRim(40);
  chart->SetGridStyle(gsLines);
  chart->SetGridColor(RGBColor(231, 231, 231));
  chart->SetCaptionPosY(-16);

  TScalePropsHoriz* x = chart->Scale1X();
  x->SetScaleLocation(slBottom);
  x->SetCaptionAlignment(taCenter);
  x->SetCaptionAnchor(uaSclCenter);
  x->SetCaptionPosX(0);
  x->SetCaptionPosY(22);
  TScalePropsVert* y = chart->Scale1Y();
  y->SetScaleLocation(slLeft);
  y->SetCaptionAlignment(taLeftJustify);
  y->SetCaptionAnchor(uaSclTopLft);
  y->SetCaptionPosX(0);
  y->SetCaptionPosY(-16);
}

void TForm1::ReadStoredDescription(TFormRole role) {
  EnsureAppResources();
  InstallAppAccessibility();
  setObjectName(QStringLiteral("Form1"));
  // The outer size as designed; the controls are placed in it as they are created.
  auto* geometry = new TFormGeometry(this);
  geometry->SetOuterSize({687, 489});

  // Created in the stored component order, which is also the order of their end of loading.
  Panel1 = Create<TPanel>(this, "Panel1");
  BButExit = Create<TBitBtn>(Panel1, "BButExit");
  Memo1 = Create<TMemo>(this, "Memo1");
  TBDistribution = Create<TTrackBar>(Panel1, "TBDistribution");
  Label1 = Create<TLabel>(Panel1, "Label1");
  Label2 = Create<TLabel>(Panel1, "Label2");
  Label3 = Create<TLabel>(Panel1, "Label3");
  Panel2 = Create<TPanel>(this, "Panel2");
  Panel3 = Create<TPanel>(this, "Panel3");
  if (role == TFormRole::Simulation) cliDemon = Create<TkdbDemonClient>(this, "cliDemon");
  BButInfo = Create<TBitBtn>(Panel1, "BButInfo");
  ZCCap = Create<TZephChart>(Panel3, "ZCCap");
  ZCNd = Create<TZephChart>(Panel2, "ZCNd");

  BeginFormLoading(this);

  // The form: designed at 120 pixels per inch and not scaled.
  setWindowTitle(QStringLiteral("BF_Varactor Diode"));
  geometry->SetOuterMinimumSize({640, 480});
  geometry->SetCentring(TFormGeometry::TCentring::FirstShow);
  setAutoFillBackground(true);
  QPalette face = palette();
  face.setColor(QPalette::Window, ColorToQColor(clBtnFace));
  face.setColor(QPalette::WindowText, ColorToQColor(clWindowText));
  setPalette(face);
  QFont form_font(QStringLiteral("MS Sans Serif"));
  form_font.setPixelSize(13);
  setFont(form_font);

  Panel1->resize(width(), 49);
  Panel1->SetAlign(alTop);
  SetTabOrder(Panel1, 0);

  PlaceLabel(Label1, 16, 97, taLeftJustify, QStringLiteral("hyperabrupt"));
  PlaceLabel(Label2, 152, 65, taCenter, QStringLiteral("abrupt"));
  PlaceLabel(Label3, 264, 89, taRightJustify, QStringLiteral("linear"));

  TBDistribution->setGeometry(8, 18, 353, 24);
  TBDistribution->SetMin(-1000);
  TBDistribution->SetMax(1000);
  TBDistribution->SetPosition(0);
  TBDistribution->SetPageSize(100);
  TBDistribution->SetFrequency(100);
  TBDistribution->SetTickMarks(tmTopLeft);
  TBDistribution->SetTickStyle(tsAuto);
  TBDistribution->SetThumbLength(15);
  // What a screen reader calls the slider (a translation key, as the captions are).
  TBDistribution->setAccessibleName(QStringLiteral("BF_Grading of the doping profile"));
  SetTabOrder(TBDistribution, 1);

  PlaceButton(BButExit, 564, QStringLiteral("BF_Exit"), QStringLiteral(":/glyph_exit.png"));
  SetTabOrder(BButExit, 0);
  PlaceButton(BButInfo, 452, QStringLiteral("BF_About"), QStringLiteral(":/glyph_about.png"));
  SetTabOrder(BButInfo, 2);

  Memo1->resize(width(), 56);
  DockControl(Memo1, alBottom);
  Memo1->SetLines({QStringLiteral("BF_MMInfo")});
  Memo1->setReadOnly(false);
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // A word wider than the box is broken anywhere: laying out one very long word to find a break
  // that never comes would cost time that grows with the square of its length.
  Memo1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  SetTabOrder(Memo1, 1);
  // What a screen reader calls the information text (a translation key).
  Memo1->setAccessibleName(QStringLiteral("BF_Information about the simulation"));

  Panel2->resize(337, Panel2->height());
  Panel2->SetAlign(alLeft);
  SetTabOrder(Panel2, 2);
  ConfigureChart(ZCNd);
  ZCNd->SetCaption(QStringLiteral("Impurity Concentration Profile"));
  ConfigureAxis(ZCNd->Scale1X(), {QStringLiteral("d [µm]"), false, 0, 3, false});
  ConfigureAxis(ZCNd->Scale1Y(), {QStringLiteral("ND * 10^16"), false, 0, 10, false});

  Panel3->SetAlign(alClient);
  SetTabOrder(Panel3, 3);
  ConfigureChart(ZCCap);
  ZCCap->SetCaption(QStringLiteral("Capacitance of Varactor Diode"));
  ConfigureAxis(ZCCap->Scale1X(), {QStringLiteral("U [V]"), false, 0, 10, false});
  ConfigureAxis(ZCCap->Scale1Y(), {QStringLiteral("C [pF]"), true, 1, 100, true});

  if (cliDemon != nullptr) {
    cliDemon->SetAutoTranslate(true);
    cliDemon->SetAutoCreateItlFile(false);
    cliDemon->SetMultiStart(false);
    cliDemon->SetUseOstrelServer(false);
    cliDemon->OnParamsChange = [this](QObject* s) { cliDemonParamsChange(s); };
    // The information text is translated here, in one step with its overlong words made
    // breakable: a text box lays a text out as soon as it gets it.
    cliDemon->Babelfish()->OnTranslateObject = [this](TBabelfish2000* dictionary, QObject* obj, bool& doTranslate) {
      if (obj != Memo1) return;
      doTranslate = false;
      TranslateInformationText(*dictionary);
    };
  }

  OnShow = [this](QObject* s) { FormShow(s); };
  OnResize = [this](QObject* s) { FormResize(s); };
  TBDistribution->OnChange = [this](QObject* s) { TBDistributionChange(s); };
  BButExit->OnClick = [this](QObject* s) { BButExitClick(s); };
  BButInfo->OnClick = [this](QObject* s) { BButInfoClick(s); };

  UseHostWhenStartedByIt();
  // Ends with cliDemon's connection, dictionary, translation and single-instance check.
  EndFormLoading(this);
  CutLongCaptions(this);
  ApplyTabOrders(this);
  MakeAccessible();
  StartLesson();
}
