#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMetaProperty>
#include <QResizeEvent>
#include <QSet>

#include "scale_fixture.h"
#include "zeph/toolkit/exception.h"

using namespace zeph;

namespace {

// Counts the renderings of a scale.
struct RenderCounter {
  explicit RenderCounter(TScale& scale) {
    scale.OnBeforeScaleRendered = [this](QObject*, TCanvas&) { ++count; };
  }
  int count = 0;
};

TEST(ScaleControlTest, DefaultsOfANewScale) {
  TScale s;
  EXPECT_EQ(s.width(), 400);
  EXPECT_EQ(s.height(), 400);
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 100);
  EXPECT_EQ(s.MinTicks(), 3);
  EXPECT_EQ(s.DecPlaces(), -2);
  EXPECT_EQ(s.MarginTop(), 20);
  EXPECT_EQ(s.MarginLeft(), 20);
  EXPECT_EQ(s.CaptionPosX(), 4);
  EXPECT_EQ(s.CaptionAlignment(), taCenter);
  EXPECT_EQ(s.CaptionAnchor(), uaSclTopLft);
  EXPECT_EQ(s.FrameStyle(), fsLowered);
  EXPECT_EQ(s.ColorBackGnd(), clBtnFace);
  EXPECT_EQ(s.ColorScale(), clBlack);
  EXPECT_EQ(s.FrameShadowColor(), clGray);
  EXPECT_EQ(s.ScaleType(), sctXB);
  EXPECT_EQ(s.LabelType(), ftNum);
  EXPECT_TRUE(s.ShortTicks());
  EXPECT_TRUE(s.ShowBaseLine());
  EXPECT_FALSE(s.Transparent());
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_FALSE(s.PaintSuppressed());
  EXPECT_EQ(s.NumTicks(), 0);
  EXPECT_EQ(s.DateFormat()->DateSeparator(), '-');
  EXPECT_EQ(s.DateFormat()->DateOrder(), doDDMMYY);
  EXPECT_EQ(s.DateFormat()->DateForTime(), dtOnePerDay);
  EXPECT_EQ(s.DateFormat()->YearLength(), ylYYYY);
}

TEST(ScaleControlTest, PublishesItsPropertiesByName) {
  TScale s;
  QSet<QString> names;
  const QMetaObject* mo = s.metaObject();
  for (int i = mo->propertyOffset(); i < mo->propertyCount(); ++i)
    names.insert(QString::fromLatin1(mo->property(i).name()));
  for (const char* name :
       {"Align", "Anchors", "Caption", "CaptionPosX", "CaptionPosY", "CaptionAlignment", "CaptionAnchor",
        "ColorBackGnd", "ColorScale", "ColorScheme", "DateFormat", "DecPlaces", "Font", "FrameStyle",
        "LabelType", "Logarithmic", "MarginTop", "MarginBottom", "MarginLeft", "MarginRight", "MinTicks",
        "NumTicks", "ParentFont", "ParentShowHint", "PopupMenu", "RangeLow", "RangeHigh", "ShortTicks",
        "ShowBaseLine", "ShowHint", "ScaleInscript", "ScaleType", "Transparent", "UserTickText", "Visible"})
    EXPECT_TRUE(names.contains(QString::fromLatin1(name))) << name;
  EXPECT_FALSE(mo->property(mo->indexOfProperty("NumTicks")).isWritable());
  EXPECT_TRUE(s.setProperty("RangeHigh", 7.5));
  EXPECT_EQ(s.RangeHigh(), 7.5);
  EXPECT_TRUE(s.setProperty("Caption", QStringLiteral("U / V")));
  EXPECT_EQ(s.property("Caption").toString(), "U / V");
}

TEST(ScaleControlTest, SettersClampAndKeepTheRangeOpen) {
  TScale s;
  s.SetMinTicks(1);
  EXPECT_EQ(s.MinTicks(), 2);
  s.SetMinTicks(25);
  EXPECT_EQ(s.MinTicks(), 10);
  s.SetDecPlaces(-7);
  EXPECT_EQ(s.DecPlaces(), -3);
  s.SetDecPlaces(20);
  EXPECT_EQ(s.DecPlaces(), 12);
  s.SetMarginLeft(-5);
  EXPECT_EQ(s.MarginLeft(), 0);

  s.SetRangeHigh(5);
  s.SetRangeLow(5);
  EXPECT_EQ(s.RangeLow(), 5);
  EXPECT_EQ(s.RangeHigh(), 6);
  s.SetRangeHigh(5);
  EXPECT_EQ(s.RangeHigh(), 5);
  EXPECT_EQ(s.RangeLow(), 6);
  s.SetRangeLow(1e17);  // one unit is lost in rounding here; the ends must still differ
  s.SetRangeHigh(1e17);
  EXPECT_NE(s.RangeLow(), s.RangeHigh());
  s.SetRangeLow(std::numeric_limits<double>::quiet_NaN());
  s.SetRangeHigh(std::numeric_limits<double>::infinity());
  EXPECT_EQ(s.RangeHigh(), 1e17);
}

TEST(ScaleControlTest, LabelTypeAndLogarithmicRules) {
  TScale s;
  s.SetLabelType(ftTime);
  EXPECT_EQ(s.DecPlaces(), 4);

  // Until Loaded a logarithmic axis is taken unchecked.
  s.SetLogarithmic(true);
  EXPECT_TRUE(s.Logarithmic());
  s.SetLabelType(ftDateTime);
  EXPECT_FALSE(s.Logarithmic());

  s.BeginLoading();
  s.EndLoading();
  s.SetLabelType(ftNum);
  s.SetLogarithmic(true);  // RangeLow 0
  EXPECT_FALSE(s.Logarithmic());
  s.SetRangeLow(1);
  s.SetLogarithmic(true);
  EXPECT_TRUE(s.Logarithmic());
  s.SetLogarithmic(false);
  s.SetLabelType(ftDateTime);
  s.SetLogarithmic(true);
  EXPECT_FALSE(s.Logarithmic());
}

TEST(ScaleControlTest, RecalculatesTheMappingOnEveryGeometryChange) {
  TScale s;
  s.SetBounds(0, 0, 200, 100);
  EXPECT_EQ(s.ValueToPixel(100), 179);
  s.SetMarginRight(0);
  EXPECT_EQ(s.ValueToPixel(100), 199);
  s.SetScaleType(sctYL);
  EXPECT_EQ(s.ValueToPixel(100), 20);
  EXPECT_EQ(s.ValueToPixel(0), 79);
  s.resize(200, 300);
  s.ForcePaint();  // a size change made behind its back is noticed before drawing
  EXPECT_EQ(s.ValueToPixel(0), 279);
  s.SetRangeLow(-100);
  EXPECT_EQ(s.ValueToPixel(0), 150);
}

TEST(ScaleControlTest, RefreshPaintsOpaqueAndEmbeddedScalesAtOnce) {
  TScale s;
  RenderCounter renders(s);
  s.SetCaption("x");
  EXPECT_EQ(renders.count, 1);

  // A transparent stand-alone scale lets its parent repaint first.
  s.SetTransparent(true);
  const int before = renders.count;
  s.SetCaption("y");
  EXPECT_EQ(renders.count, before);

  s.SetEmbedded(true);
  EXPECT_TRUE(s.isHidden());  // the chart draws it; as a widget it stays hidden
  const int embedded = renders.count;
  s.SetCaption("z");
  EXPECT_EQ(renders.count, embedded + 1);

  // A change of the own date format repaints as well.
  s.DateFormat()->SetDateSeparator('/');
  EXPECT_EQ(renders.count, embedded + 2);
}

TEST(ScaleControlTest, SuppressionInvisibilityAndForcePaint) {
  TScale s;
  RenderCounter renders(s);
  s.SetSuppressPaint(true);
  s.SetCaption("a");
  EXPECT_EQ(renders.count, 0);
  s.ForcePaint();
  EXPECT_EQ(renders.count, 1);
  EXPECT_TRUE(s.PaintSuppressed());
  s.SetSuppressPaint(false);
  EXPECT_EQ(renders.count, 2);
  s.SetSuppressPaint(false);  // unchanged: nothing
  EXPECT_EQ(renders.count, 2);

  s.SetVisible(false);
  s.ForcePaint();
  EXPECT_EQ(renders.count, 2);
  s.SetEmbedded(true);
  s.ForcePaint();
  EXPECT_EQ(renders.count, 2);

  s.BeginLoading();
  s.SetVisible(true);
  s.ForcePaint();
  EXPECT_EQ(renders.count, 2);  // nothing while loading
  s.EndLoading();
  EXPECT_EQ(renders.count, 3);
}

TEST(ScaleControlTest, ColorSchemeSetsTheFrameColours) {
  TScale s;
  s.SetColorScheme(csSystem);
  EXPECT_EQ(s.FrameShadowColor(), clBtnShadow);
  EXPECT_EQ(s.FrameHighlightColor(), clBtnHighlight);
  s.SetColorScheme(csBWG);
  EXPECT_EQ(s.FrameShadowColor(), clGray);
  EXPECT_EQ(s.FrameHighlightColor(), clWhite);
  EXPECT_EQ(s.FrameDarkColor(), clBlack);
}

TEST(ScaleControlTest, AssignCopiesSettingsButNotFontEventsOfRenderingOrEmbedding) {
  TScale source;
  source.SetRangeLow(1);
  source.SetRangeHigh(1000);
  source.SetLogarithmic(true);
  source.SetScaleType(sctYR);
  source.SetCaption("I / A");
  source.SetMarginTop(33);
  source.SetUserTickText("a|b");
  source.SetColorScheme(csSystem);
  source.DateFormat()->SetDateOrder(doYYMMDD);
  TFont font;
  font.Size = 14;
  source.SetFont(font);
  source.SetEmbedded(true);
  int ticks_reported = 0;
  source.OnScaleTickDrawn = [&](QObject*, TCanvas&, TScaleType, double, int, int) { ++ticks_reported; };
  source.OnAfterScaleRendered = [](QObject*, TCanvas&) {};
  source.ForcePaint();
  const int source_ticks = source.NumTicks();

  TScale dest;
  dest.Assign(&source);
  EXPECT_EQ(dest.RangeLow(), 1);
  EXPECT_EQ(dest.RangeHigh(), 1000);
  EXPECT_TRUE(dest.Logarithmic());
  EXPECT_EQ(dest.ScaleType(), sctYR);
  EXPECT_EQ(dest.Caption(), "I / A");
  EXPECT_EQ(dest.MarginTop(), 33);
  EXPECT_EQ(dest.UserTickText(), "a|b");
  EXPECT_EQ(dest.FrameShadowColor(), clBtnShadow);
  EXPECT_EQ(dest.DateFormat()->DateOrder(), doYYMMDD);
  EXPECT_NE(dest.DateFormat(), source.DateFormat());
  EXPECT_EQ(dest.ValueToPixel(1000), source.ValueToPixel(1000));
  EXPECT_NE(dest.Font().Size, 14);
  EXPECT_FALSE(dest.Embedded());
  EXPECT_FALSE(dest.OnAfterScaleRendered);
  // The tick event came along (Assign repaints), and the tick list.
  EXPECT_GT(ticks_reported, source_ticks);
  EXPECT_EQ(dest.NumTicks(), source_ticks);

  TScale other;
  source.AssignTo(&other);
  EXPECT_EQ(other.Caption(), "I / A");
}

TEST(ScaleControlTest, AssigningUnrelatedObjectsIsRefused) {
  TScale s;
  TDTLabel label;
  try {
    s.Assign(&label);
    FAIL() << "assigning a date format to a scale must fail";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TDTLabel to a TScale");
  }
  EXPECT_THROW(s.Assign(nullptr), Exception);
  QWidget widget;
  EXPECT_THROW(s.AssignTo(&widget), Exception);
}

TEST(ScaleControlTest, ParentFontFollowsTheParentsFontProperty) {
  TScale parent_scale;
  TFont font;
  font.Name = "Arial";
  font.Size = 12;
  parent_scale.SetFont(font);
  TScale child(&parent_scale);
  EXPECT_EQ(child.Font().Size, 12);
  EXPECT_TRUE(child.ParentFont());
  child.SetFont(TFont());
  EXPECT_FALSE(child.ParentFont());
  child.SetParentFont(true);
  EXPECT_EQ(child.Font().Name, "Arial");
}

TEST(ScaleControlTest, AlignAndAnchorsFollowTheParent) {
  QWidget form;
  form.resize(300, 200);
  TScale bottom(&form);
  bottom.SetBounds(0, 0, 50, 40);
  bottom.SetAlign(alBottom);
  EXPECT_EQ(bottom.geometry(), QRect(0, 160, 300, 40));
  TScale client(&form);
  client.SetAlign(alClient);
  EXPECT_EQ(client.geometry(), QRect(0, 0, 300, 160));

  TScale anchored(&form);
  anchored.SetBounds(10, 10, 100, 50);
  anchored.SetAnchors({akLeft, akTop, akRight});
  form.resize(400, 200);
  QResizeEvent resize(QSize(400, 200), QSize(300, 200));
  QCoreApplication::sendEvent(&form, &resize);
  EXPECT_EQ(anchored.geometry(), QRect(10, 10, 200, 50));
  EXPECT_EQ(bottom.geometry(), QRect(0, 160, 400, 40));
}

}  // namespace

namespace {

TEST(ScaleControlTest, HugeMarginsAndCaptionOffsetsDrawNothingOutOfReach) {
  for (TScaleType type : {sctXB, sctXT, sctYL, sctYR}) {
    ScaleProbe p(type, 300, 200);
    p.scale->SetCaption("far");
    p.scale->SetCaptionPosX(std::numeric_limits<int>::max());
    p.scale->SetCaptionAnchor(uaSclBotRgt);
    p.scale->SetMarginRight(std::numeric_limits<int>::max());
    p.scale->SetMarginBottom(std::numeric_limits<int>::max());
    p.Render();
    // No room for the axis: every value maps to the middle of the control.
    EXPECT_EQ(p.scale->ScaleFactor(), 0);
    const bool horizontal = type == sctXB || type == sctXT;
    for (const TickEvent& e : p.events) EXPECT_EQ(horizontal ? e.x : e.y, horizontal ? 150 : 100);
  }
}

}  // namespace
