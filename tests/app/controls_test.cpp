#include <gtest/gtest.h>

#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <vector>

#include "app/controls/formgeometry.h"
#include "app/controls/taborder.h"
#include "app/controls/tlabel.h"
#include "app/controls/tpanel.h"
#include "app/controls/ttrackbar.h"
#include "common/image_probe.h"

using namespace zeph;

namespace {

TEST(PanelTest, BevelsAreDrawnOuterRingFirst) {
  TPanel panel;
  panel.resize(40, 30);
  panel.SetBevelOuter(bvLowered);
  panel.SetBevelInner(bvRaised);
  const QImage image = panel.grab().toImage();
  const TColor light = ColorToRGB(clBtnHighlight);
  const TColor dark = ColorToRGB(clBtnShadow);
  // Lowered outer ring: dark at the top left, light at the bottom right.
  EXPECT_EQ(PixelAt(image, 0, 10), dark);
  EXPECT_EQ(PixelAt(image, 10, 0), dark);
  EXPECT_EQ(PixelAt(image, 39, 10), light);
  EXPECT_EQ(PixelAt(image, 10, 29), light);
  // Raised inner ring one pixel further in.
  EXPECT_EQ(PixelAt(image, 1, 10), light);
  EXPECT_EQ(PixelAt(image, 38, 10), dark);
  EXPECT_EQ(PixelAt(image, 10, 28), dark);
  EXPECT_EQ(PixelAt(image, 20, 15), ColorToRGB(clBtnFace));

  panel.SetBevelOuter(bvNone);
  panel.SetBevelInner(bvNone);
  EXPECT_EQ(PixelAt(panel.grab().toImage(), 0, 10), ColorToRGB(clBtnFace));
}

TEST(TrackBarTest, KeysMoveTheThumbLikeTheClassicTrackBar) {
  TTrackBar bar;
  bar.SetMin(-1000);
  bar.SetMax(1000);
  bar.SetPageSize(100);
  int changes = 0;
  bar.OnChange = [&](QObject* sender) {
    EXPECT_EQ(sender, &bar);
    ++changes;
  };
  QTest::keyClick(&bar, Qt::Key_Right);
  EXPECT_EQ(bar.Position(), 1);
  QTest::keyClick(&bar, Qt::Key_Down);
  EXPECT_EQ(bar.Position(), 2);
  QTest::keyClick(&bar, Qt::Key_Up);
  EXPECT_EQ(bar.Position(), 1);
  QTest::keyClick(&bar, Qt::Key_PageDown);
  EXPECT_EQ(bar.Position(), 101);
  QTest::keyClick(&bar, Qt::Key_PageUp);
  EXPECT_EQ(bar.Position(), 1);
  QTest::keyClick(&bar, Qt::Key_End);
  EXPECT_EQ(bar.Position(), 1000);
  QTest::keyClick(&bar, Qt::Key_End);  // no change, no event
  QTest::keyClick(&bar, Qt::Key_Home);
  EXPECT_EQ(bar.Position(), -1000);
  EXPECT_EQ(changes, 7);

  bar.SetPosition(5000);
  EXPECT_EQ(bar.Position(), 1000);
  EXPECT_EQ(changes, 8);
}

TEST(TrackBarTest, TicksFollowFrequencyMarksAndStyle) {
  TTrackBar bar;
  bar.SetFrequency(100);
  bar.SetTickMarks(tmTopLeft);
  EXPECT_EQ(bar.tickPosition(), QSlider::TicksAbove);
  EXPECT_EQ(bar.tickInterval(), 100);
  bar.SetTickMarks(tmBoth);
  EXPECT_EQ(bar.tickPosition(), QSlider::TicksBothSides);
  bar.SetTickStyle(tsNone);
  EXPECT_EQ(bar.tickPosition(), QSlider::NoTicks);
  bar.SetFrequency(0);
  EXPECT_EQ(bar.Frequency(), 1);
}

TEST(TrackBarTest, ThumbBoxHoldsTheThumbAndTheStylesMargin) {
  TTrackBar bar;
  bar.resize(353, 40);
  std::vector<int> heights;
  for (int length : {8, 15, 30}) {
    bar.SetThumbLength(length);
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = Qt::Horizontal;
    option.maximum = 10;
    const QRect thumb = bar.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &bar);
    // The box holds the thumb and the style's margin around it.
    EXPECT_GE(thumb.height(), length);
    heights.push_back(thumb.height() - length);
  }
  EXPECT_EQ(heights[0], heights[1]);
  EXPECT_EQ(heights[1], heights[2]);
}

// The rows the thumb covers where it is drawn: the rows at the track's left end, left of the first
// tick mark, that change when the thumb moves away from there.
std::pair<int, int> DrawnThumbRows(TTrackBar& bar) {
  bar.SetPosition(bar.Min());
  const QImage at_start = bar.grab().toImage();
  bar.SetPosition(bar.Max());
  const QImage at_end = bar.grab().toImage();
  int first = -1;
  int last = -1;
  for (int y = 0; y < at_start.height(); ++y)
    for (int x = 2; x <= 5; ++x)
      if (at_start.pixel(x, y) != at_end.pixel(x, y)) {
        if (first < 0) first = y;
        last = y;
        break;
      }
  return {first, last};
}

TEST(TrackBarTest, ThumbIsDrawnThumbLengthAcrossTheTrack) {
  TTrackBar bar;
  bar.setGeometry(8, 18, 353, 24);
  bar.SetMin(-1000);
  bar.SetMax(1000);
  bar.SetFrequency(100);
  bar.SetTickMarks(tmTopLeft);
  for (int length : {15, 11, 7}) {
    SCOPED_TRACE(length);
    bar.SetThumbLength(length);
    const auto [first, last] = DrawnThumbRows(bar);
    ASSERT_GE(first, 0);
    EXPECT_EQ(last - first + 1, length) << "rows " << first << ".." << last;
  }
}

TEST(LabelTest, ClicksAndMovesStayWithTheLabel) {
  TPanel panel;
  panel.resize(200, 100);
  TLabel* label = new TLabel(&panel);
  label->setGeometry(10, 10, 80, 20);
  panel.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
  int clicks = 0;
  int label_moves = 0;
  int panel_moves = 0;
  label->OnClick = [&](QObject*) { ++clicks; };
  label->OnMouseMove = [&](QObject*, Qt::KeyboardModifiers, int x, int y) {
    ++label_moves;
    EXPECT_EQ(QPoint(x, y), QPoint(5, 6));
  };
  panel.OnMouseMove = [&](QObject*, Qt::KeyboardModifiers, int, int) { ++panel_moves; };

  QTest::mouseMove(label, QPoint(5, 6));
  EXPECT_EQ(label_moves, 1);
  EXPECT_EQ(panel_moves, 0);
  QTest::mouseMove(&panel, QPoint(150, 80));
  EXPECT_EQ(panel_moves, 1);

  QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 6));
  EXPECT_EQ(clicks, 1);
  QTest::mouseClick(label, Qt::RightButton, {}, QPoint(5, 6));
  EXPECT_EQ(clicks, 1);
  // Pressed on the label, released elsewhere: no click.
  QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 6));
  QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(150, 60));
  EXPECT_EQ(clicks, 1);
}

TEST(LabelTest, AlignmentAndColour) {
  TLabel label;
  label.SetAlignment(taRightJustify);
  EXPECT_EQ(label.alignment(), Qt::AlignRight | Qt::AlignTop);
  label.SetAlignment(taCenter);
  EXPECT_EQ(label.alignment(), Qt::AlignHCenter | Qt::AlignTop);
  label.SetFontColor(clMaroon);
  EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(128, 0, 0));
  // Text is shown as it is, never as markup.
  EXPECT_EQ(label.textFormat(), Qt::PlainText);
}

TEST(TabOrderTest, SiblingsByOrderDepthFirstUnorderedLast) {
  QWidget form;
  QWidget* box = new QWidget(&form);
  TTrackBar* a = new TTrackBar(&form);
  TTrackBar* inner = new TTrackBar(box);
  TTrackBar* b = new TTrackBar(&form);
  TTrackBar* unordered = new TTrackBar(&form);
  SetTabOrder(b, 0);
  SetTabOrder(box, 1);
  SetTabOrder(a, 2);
  EXPECT_EQ(TabOrder(a), 2);
  EXPECT_EQ(ApplyTabOrders(&form), QList<QWidget*>({b, inner, a, unordered}));
  EXPECT_EQ(b->nextInFocusChain(), inner);
}

TEST(FormGeometryTest, ControlWidthChangeRealignsTheNeighbours) {
  QWidget form;
  form.resize(300, 100);
  TPanel* left = new TPanel(&form);
  TPanel* rest = new TPanel(&form);
  left->resize(100, 10);
  left->SetAlign(alLeft);
  rest->SetAlign(alClient);
  EXPECT_EQ(rest->geometry(), QRect(100, 0, 200, 100));
  SetControlWidth(left, 180);
  EXPECT_EQ(left->geometry(), QRect(0, 0, 180, 100));
  EXPECT_EQ(rest->geometry(), QRect(180, 0, 120, 100));
}

TEST(FormGeometryTest, OuterSizesIncludeTheFrame) {
  QWidget form;
  auto* geometry = new TFormGeometry(&form);
  geometry->SetOuterSize({500, 400});
  geometry->SetOuterMinimumSize({300, 200});
  geometry->SetCentring(TFormGeometry::TCentring::FirstShow);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(form.frameGeometry().size(), QSize(500, 400));
  EXPECT_EQ(form.minimumSize() + FrameExtent(&form), QSize(300, 200));
  const QRect screen = form.screen()->geometry();
  EXPECT_NEAR(form.frameGeometry().center().x(), screen.center().x(), 1);
  EXPECT_NEAR(form.frameGeometry().center().y(), screen.center().y(), 1);
}

}  // namespace
