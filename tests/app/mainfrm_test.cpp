#include <QApplication>
#include <QTest>

#include "app/controls/formgeometry.h"
#include "app/controls/taborder.h"
#include "app/controls/tbitbtn.h"
#include "app/controls/tlabel.h"
#include "app/controls/tpanel.h"
#include "app/controls/ttrackbar.h"
#include "forms_fixture.h"
#include "zeph/toolkit/controlplacement.h"
#include "zeph/toolkit/tmemo.h"

using namespace zeph;

namespace {

using MainWindowTest = FormsTest;

TAlign AlignOf(QWidget* control) {
  auto* placement = control->findChild<TControlPlacement*>(QString(), Qt::FindDirectChildrenOnly);
  return placement != nullptr ? placement->Align() : alNone;
}

void ExpectLabel(TLabel* label, QWidget* parent, QRect geometry, TAlignment alignment, const char* caption) {
  SCOPED_TRACE(label->objectName().toStdString());
  EXPECT_EQ(label->parentWidget(), parent);
  EXPECT_EQ(label->geometry(), geometry);
  EXPECT_EQ(label->Alignment(), alignment);
  EXPECT_EQ(label->text(), QString::fromUtf8(caption));
}

TEST_F(MainWindowTest, ComponentsAreNamedAndPlacedAsStored) {
  TForm1& f = form();
  EXPECT_EQ(f.objectName(), "Form1");
  // Without a dictionary every marked caption shows its key.
  EXPECT_EQ(f.windowTitle(), "Varactor Diode");
  EXPECT_EQ(f.size(), QSize(687, 489));
  EXPECT_EQ(f.minimumSize(), QSize(640, 480));
  EXPECT_EQ(f.font().family(), "MS Sans Serif");
  EXPECT_EQ(f.font().pixelSize(), 13);
  EXPECT_EQ(f.palette().color(QPalette::Window), ColorToQColor(clBtnFace));

  const std::vector<std::pair<QObject*, const char*>> names{
      {f.Panel1, "Panel1"},   {f.BButExit, "BButExit"}, {f.Memo1, "Memo1"},   {f.TBDistribution, "TBDistribution"},
      {f.Label1, "Label1"},   {f.Label2, "Label2"},     {f.Label3, "Label3"},  {f.Panel2, "Panel2"},
      {f.Panel3, "Panel3"},   {f.cliDemon, "cliDemon"}, {f.BButInfo, "BButInfo"}, {f.ZCCap, "ZCCap"},
      {f.ZCNd, "ZCNd"}};
  for (const auto& [object, name] : names) {
    EXPECT_EQ(object->objectName(), name);
    EXPECT_EQ(f.findChild<QObject*>(name), object) << name;
  }

  EXPECT_EQ(f.Panel1->parentWidget(), &f);
  EXPECT_EQ(AlignOf(f.Panel1), alTop);
  EXPECT_EQ(f.Panel1->height(), 49);
  ExpectLabel(f.Label1, f.Panel1, QRect(16, 2, 97, 16), taLeftJustify, "hyperabrupt");
  ExpectLabel(f.Label2, f.Panel1, QRect(152, 2, 65, 16), taCenter, "abrupt");
  ExpectLabel(f.Label3, f.Panel1, QRect(264, 2, 89, 16), taRightJustify, "linear");

  TTrackBar* slider = f.TBDistribution;
  EXPECT_EQ(slider->parentWidget(), f.Panel1);
  EXPECT_EQ(slider->geometry(), QRect(8, 18, 353, 24));
  EXPECT_EQ(slider->orientation(), Qt::Horizontal);
  EXPECT_EQ(slider->Min(), -1000);
  EXPECT_EQ(slider->Max(), 1000);
  EXPECT_EQ(slider->Position(), 0);
  EXPECT_EQ(slider->PageSize(), 100);
  EXPECT_EQ(slider->Frequency(), 100);
  EXPECT_EQ(slider->tickInterval(), 100);
  EXPECT_EQ(slider->TickMarks(), tmTopLeft);
  EXPECT_EQ(slider->tickPosition(), QSlider::TicksAbove);
  EXPECT_EQ(slider->TickStyle(), tsAuto);
  EXPECT_EQ(slider->ThumbLength(), 15);

  for (auto [button, left, caption] : {std::tuple{f.BButExit, 564, "Exit"}, std::tuple{f.BButInfo, 452, "About"}}) {
    SCOPED_TRACE(caption);
    EXPECT_EQ(button->parentWidget(), f.Panel1);
    EXPECT_EQ(button->geometry(), QRect(left, 6, 105, 38));
    EXPECT_EQ(button->Anchors(), TAnchors({akTop, akRight}));
    EXPECT_EQ(button->text(), caption);
    EXPECT_EQ(button->Glyph().size(), QSize(21, 21));
    EXPECT_EQ(button->iconSize(), QSize(21, 21));
  }

  EXPECT_EQ(f.Memo1->parentWidget(), &f);
  EXPECT_EQ(AlignOf(f.Memo1), alBottom);
  EXPECT_EQ(f.Memo1->height(), 56);
  EXPECT_EQ(f.Memo1->Lines(), QStringList{"MMInfo"});
  EXPECT_FALSE(f.Memo1->isReadOnly());
  EXPECT_EQ(f.Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(f.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(f.Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

  EXPECT_EQ(AlignOf(f.Panel2), alLeft);
  EXPECT_EQ(AlignOf(f.Panel3), alClient);
  EXPECT_EQ(f.ZCNd->parentWidget(), f.Panel2);
  EXPECT_EQ(f.ZCCap->parentWidget(), f.Panel3);
  EXPECT_EQ(AlignOf(f.ZCNd), alClient);
  EXPECT_EQ(AlignOf(f.ZCCap), alClient);
}

TEST_F(MainWindowTest, ShownWindowDocksItsPanelsAndHalvesTheWidth) {
  TForm1& f = form();
  f.OnShow = nullptr;  // only the layout is looked at here
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  const int w = f.width();
  const int h = f.height();
  const int frame = OuterWidth(&f) - w;
  EXPECT_GE(frame, 0);
  // The designed size is the outer one, frame included.
  EXPECT_EQ(f.frameGeometry().size(), QSize(687, 489));
  EXPECT_EQ(f.Panel1->geometry(), QRect(0, 0, w, 49));
  EXPECT_EQ(f.Memo1->geometry(), QRect(0, h - 56, w, 56));
  EXPECT_EQ(f.Panel2->geometry(), QRect(0, 49, (w + frame) / 2, h - 105));
  EXPECT_EQ(f.Panel3->geometry(), QRect((w + frame) / 2, 49, w - (w + frame) / 2, h - 105));
  EXPECT_EQ(f.ZCNd->geometry(), QRect(QPoint(0, 0), f.Panel2->size()));
  EXPECT_EQ(f.ZCCap->geometry(), QRect(QPoint(0, 0), f.Panel3->size()));

  // The left panel gets half the outer width, frame included.
  for (auto [outer, half] : {std::pair{900, 450}, std::pair{641, 320}}) {
    SCOPED_TRACE(outer);
    f.resize(outer - frame, 600);
    QCoreApplication::processEvents();
    ASSERT_EQ(OuterWidth(&f), outer);
    EXPECT_EQ(f.Panel2->width(), half);
    EXPECT_EQ(f.Panel3->x(), half);
    EXPECT_EQ(f.Panel3->width(), outer - frame - half);
    EXPECT_EQ(f.ZCNd->width(), half);
    EXPECT_EQ(f.ZCCap->width(), outer - frame - half);
    EXPECT_EQ(f.ZCNd->height(), 600 - 105);
    // The buttons keep their distance to the right edge.
    EXPECT_EQ(f.BButExit->x(), 564 + outer - frame - 687);
    EXPECT_EQ(f.BButInfo->x(), 452 + outer - frame - 687);
    EXPECT_EQ(f.TBDistribution->x(), 8);
  }

  // The outer size cannot shrink below 640 x 480.
  f.resize(500, 300);
  QCoreApplication::processEvents();
  EXPECT_EQ(f.frameGeometry().size(), QSize(640, 480));
}

TEST_F(MainWindowTest, TabOrderFollowsTheStoredOrders) {
  TForm1& f = form();
  const QList<QWidget*> expected{f.BButExit, f.TBDistribution, f.BButInfo, f.Memo1, f.ZCNd, f.ZCCap};
  EXPECT_EQ(ApplyTabOrders(&f), expected);
  // The focus chain visits them in that order.
  QList<QWidget*> chain;
  for (QWidget* w = f.BButExit; chain.size() < expected.size(); w = w->nextInFocusChain())
    if (expected.contains(w)) chain.append(w);
  EXPECT_EQ(chain, expected);
}

TEST_F(MainWindowTest, TabAndShiftTabLeaveTheInformationText) {
  TForm1& f = form();
  f.OnShow = nullptr;
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  const QString text = f.Memo1->toPlainText();
  f.Memo1->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), f.Memo1);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), f.ZCNd);
  f.Memo1->setFocus(Qt::TabFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), f.BButInfo);
  EXPECT_EQ(f.Memo1->toPlainText(), text);
}

TEST_F(MainWindowTest, ChartsCarryTheStoredSettings) {
  struct Expected {
    TZephChart* chart;
    const char* caption;
    const char* x_caption;
    double x_high;
    const char* y_caption;
    bool y_log;
    double y_low;
    double y_high;
    bool y_short_ticks;
  };
  for (const Expected& e : {Expected{form().ZCNd, "Impurity Concentration Profile", "d [µm]", 3, "ND * 10^16", false, 0, 10, false},
                            Expected{form().ZCCap, "Capacitance of Varactor Diode", "U [V]", 10, "C [pF]", true, 1, 100, true}}) {
    TZephChart* c = e.chart;
    SCOPED_TRACE(c->objectName().toStdString());
    EXPECT_EQ(c->Caption(), QString::fromUtf8(e.caption));
    EXPECT_EQ(c->LRim(), 50);
    EXPECT_EQ(c->RRim(), 20);
    EXPECT_EQ(c->TRim(), 20);
    EXPECT_EQ(c->BRim(), 40);
    EXPECT_EQ(c->GridStyle(), gsLines);
    EXPECT_EQ(c->GridColor(), 15198183u);
    EXPECT_EQ(c->CaptionPosX(), 0);
    EXPECT_EQ(c->CaptionPosY(), -16);
    EXPECT_EQ(c->CaptionAlignment(), taRightJustify);
    EXPECT_EQ(c->CaptionAnchorHoriz(), cahChartRight);
    EXPECT_EQ(c->CaptionAnchorVert(), cavChartTop);
    EXPECT_EQ(c->AllocSize(), 1000);
    EXPECT_TRUE(c->AutoRedraw());
    EXPECT_EQ(c->ShadowStyle(), ssFlying);
    EXPECT_EQ(c->DataColor(), clBlack);

    TScalePropsHoriz* x = c->Scale1X();
    EXPECT_EQ(x->Caption(), QString::fromUtf8(e.x_caption));
    EXPECT_EQ(x->ScaleLocation(), slBottom);
    EXPECT_EQ(x->CaptionAlignment(), taCenter);
    EXPECT_EQ(x->CaptionAnchor(), uaSclCenter);
    EXPECT_EQ(x->CaptionPosX(), 0);
    EXPECT_EQ(x->CaptionPosY(), 22);
    EXPECT_FALSE(x->Logarithmic());
    EXPECT_EQ(x->RangeLow(), 0);
    EXPECT_EQ(x->RangeHigh(), e.x_high);
    EXPECT_FALSE(x->ShortTicks());

    TScalePropsVert* y = c->Scale1Y();
    EXPECT_EQ(y->Caption(), QString::fromUtf8(e.y_caption));
    EXPECT_EQ(y->ScaleLocation(), slLeft);
    EXPECT_EQ(y->CaptionAlignment(), taLeftJustify);
    EXPECT_EQ(y->CaptionAnchor(), uaSclTopLft);
    EXPECT_EQ(y->CaptionPosX(), 0);
    EXPECT_EQ(y->CaptionPosY(), -16);
    EXPECT_EQ(y->Logarithmic(), e.y_log);
    EXPECT_EQ(y->RangeLow(), e.y_low);
    EXPECT_EQ(y->RangeHigh(), e.y_high);
    EXPECT_EQ(y->ShortTicks(), e.y_short_ticks);

    for (TScaleProps* s : {static_cast<TScaleProps*>(x), static_cast<TScaleProps*>(y)}) {
      EXPECT_TRUE(s->Visible());
      EXPECT_EQ(s->ColorScale(), clBlack);
      EXPECT_EQ(s->LabelType(), ftNum);
      EXPECT_EQ(s->DecPlaces(), -2);
      EXPECT_EQ(s->MinTicks(), 3);
      EXPECT_EQ(s->MinRange(), 1e-10);
      EXPECT_EQ(s->ScalePos(), 0);
      EXPECT_EQ(s->Font().Name, "MS Sans Serif");
      EXPECT_EQ(s->Font().PixelHeight(), 13);
      // Loading has ended: a logarithmic request is checked against the range from now on.
      EXPECT_FALSE(s->Creating());
    }
    const TColor secondary[] = {clMaroon, clGreen, clOlive};
    for (int layer = 2; layer <= 4; ++layer) {
      EXPECT_FALSE(c->ScaleX(layer)->Visible()) << layer;
      EXPECT_FALSE(c->ScaleY(layer)->Visible()) << layer;
      EXPECT_EQ(c->ScaleX(layer)->ColorScale(), secondary[layer - 2]);
      EXPECT_EQ(c->ScaleY(layer)->RangeHigh(), 1);
    }
  }
}

TEST_F(MainWindowTest, HostComponentCarriesTheStoredSettingsInItsPlace) {
  TForm1& f = form();
  ASSERT_NE(f.cliDemon, nullptr);
  EXPECT_EQ(f.cliDemon->parent(), &f);
  EXPECT_TRUE(f.cliDemon->AutoTranslate());
  EXPECT_FALSE(f.cliDemon->AutoCreateItlFile());
  EXPECT_FALSE(f.cliDemon->MultiStart());
  EXPECT_FALSE(f.cliDemon->UseOstrelServer());
  EXPECT_TRUE(static_cast<bool>(f.cliDemon->OnParamsChange));
  // The translation engine of the window is the component's.
  EXPECT_EQ(f.Babelfish(), f.cliDemon->Babelfish());
  // Its place among the form's own components: after the panels; the about box is made after the
  // window.
  QStringList order;
  for (QObject* child : f.children()) {
    if (!child->objectName().isEmpty()) order.append(child->objectName());
  }
  EXPECT_EQ(order, QStringList({"Panel1", "Memo1", "Panel2", "Panel3", "cliDemon", "FrmAbout"}));
  QStringList in_panel;
  for (QObject* child : f.Panel1->children()) {
    if (!child->objectName().isEmpty()) in_panel.append(child->objectName());
  }
  EXPECT_EQ(in_panel, QStringList({"BButExit", "TBDistribution", "Label1", "Label2", "Label3", "BButInfo"}));
}

TEST_F(MainWindowTest, ExitButtonClosesTheWindow) {
  TForm1& f = form();
  f.OnShow = nullptr;
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  f.BButExit->click();
  EXPECT_FALSE(f.isVisible());
}

}  // namespace
