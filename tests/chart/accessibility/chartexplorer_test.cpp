// The chart from the keyboard: focus that moves on, a focus ring that leaves the chart's own pixels
// alone, point exploration, the data table and copying it.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "zeph/chart/chartcurves.h"
#include "zeph/chart/zephchart.h"
#include "zeph/toolkit/contrast.h"

using namespace zeph;

namespace {

// A window holding a button, a chart and another button, in that tab order; the chart shows the
// points (1, 5), (2, 4), ... (10, -4) of the line y = 6 - x on 0..10 x 0..10, and a second curve
// after it on layer 1 too when asked.
class ChartKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window_);
    before_ = new QPushButton(QStringLiteral("before"), &window_);
    chart_ = new TZephChart(&window_);
    after_ = new QPushButton(QStringLiteral("after"), &window_);
    layout->addWidget(before_);
    layout->addWidget(chart_);
    layout->addWidget(after_);
    chart_->setMinimumSize(343, 300);
    chart_->Scale1X()->SetCaption(QStringLiteral("U [V]"));
    chart_->Scale1Y()->SetCaption(QStringLiteral("C [pF]"));
    chart_->SetLayerRange(1, 0, 0, 10, 10);
    Plot(false);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  void Plot(bool second_curve) {
    chart_->ClearGraf();
    chart_->MoveTo(1, 5);
    for (int x = 2; x <= 10; ++x) chart_->DrawTo(x, 6 - x);
    if (second_curve) {
      chart_->MoveTo(0.5, 8);
      chart_->DrawTo(9.5, 9);
    }
    chart_->ShowGraf();
  }

  void Focus() {
    chart_->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(QTest::qWaitFor([this] { return chart_->hasFocus(); }));
  }

  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
  }

  QWidget window_;
  QPushButton* before_ = nullptr;
  TZephChart* chart_ = nullptr;
  QPushButton* after_ = nullptr;
};

TEST_F(ChartKeyboardTest, TabAndBacktabLeaveTheChartUnlessTheApplicationTakesThem) {
  Focus();
  QList<int> seen;
  chart_->OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) {
    if (key != Qt::Key_Shift) seen.append(key);
  };
  Key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), after_);
  Focus();
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), before_);
  // The application saw both first.
  EXPECT_EQ(seen, QList<int>({Qt::Key_Tab, Qt::Key_Backtab}));

  // A handler that takes Tab keeps the focus in the chart.
  Focus();
  chart_->OnKeyDown = [](QObject*, int& key, Qt::KeyboardModifiers) {
    if (key == Qt::Key_Tab) key = 0;
  };
  Key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), chart_);
  // A handler taking the key by value still compiles and leaves the key to the chart.
  chart_->OnKeyDown = [](QObject*, int, Qt::KeyboardModifiers) {};
  Key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), after_);
}

TEST_F(ChartKeyboardTest, TheFocusRingIsDrawnOnTheScreenOnlyAndWithContrast) {
  before_->setFocus();
  QTest::qWait(20);
  const QImage drawn = chart_->ControlImage().copy();
  const QImage unfocused = chart_->grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Without the focus (and without exploring) the screen shows exactly what the chart drew.
  EXPECT_EQ(unfocused, drawn.convertToFormat(QImage::Format_RGB32));

  Focus();
  chart_->SetKeyboardExploration(true);
  Key(Qt::Key_Right);
  const QImage focused = chart_->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(chart_->ControlImage(), drawn) << "the focus ring or cursor reached the chart's own image";
  // The ring runs along the edges, with at least 3:1 against the window colour beside it.
  const QColor ring = focused.pixelColor(1, chart_->height() / 2);
  const QColor beside = focused.pixelColor(6, chart_->height() / 2);
  EXPECT_GE(ContrastRatio(ring, beside), 3.0) << ring.name().toStdString() << " on " << beside.name().toStdString();
  EXPECT_NE(focused.pixelColor(chart_->width() - 2, 5), drawn.pixelColor(chart_->width() - 2, 5));
  // The cross-hair runs through the point (1, 5) across the chart area.
  const QPoint point = chart_->WorldToPixel(1, 1, 5);
  const int row_marks = [&] {
    int n = 0;
    for (int x = chart_->LRim() + 1; x < chart_->LRim() + chart_->ChartWidth(); ++x)
      if (focused.pixel(x, point.y()) != drawn.pixel(x, point.y())) ++n;
    return n;
  }();
  EXPECT_GT(row_marks, chart_->ChartWidth() / 3);
}

TEST_F(ChartKeyboardTest, ExplorationMovesFromPointToPointOnlyWhenTurnedOn) {
  Focus();
  TChartExplorer* explorer = chart_->Explorer();
  EXPECT_FALSE(chart_->KeyboardExploration());
  Key(Qt::Key_Right);
  EXPECT_FALSE(explorer->Active());

  chart_->SetKeyboardExploration(true);
  Key(Qt::Key_Right);
  ASSERT_TRUE(explorer->Active());
  EXPECT_EQ(explorer->PointIndex(), 0);
  EXPECT_EQ(explorer->PointName(), "U 1.00 V, C 5.00 pF");
  Key(Qt::Key_Right);
  EXPECT_EQ(explorer->PointIndex(), 1);
  Key(Qt::Key_End);
  EXPECT_EQ(explorer->PointIndex(), 9);
  Key(Qt::Key_Right);
  EXPECT_EQ(explorer->PointIndex(), 9) << "the last point stays the last";
  Key(Qt::Key_PageUp);
  EXPECT_EQ(explorer->PointIndex(), 8) << "a tenth of ten points is one";
  Key(Qt::Key_Home);
  EXPECT_EQ(explorer->PointIndex(), 0);
  Key(Qt::Key_Left);
  EXPECT_EQ(explorer->PointIndex(), 0);
  EXPECT_EQ(explorer->PointName(), "U 1.00 V, C 5.00 pF");

  // Up and Down move between curves, to the point nearest in x.
  Plot(true);
  Key(Qt::Key_End);
  Key(Qt::Key_Down);
  EXPECT_EQ(explorer->CurveIndex(), 1);
  EXPECT_EQ(explorer->PointIndex(), 1);
  EXPECT_EQ(explorer->PointName(), "U 9.50 V, C 9.00 pF, curve 2 of 2");
  Key(Qt::Key_Up);
  EXPECT_EQ(explorer->CurveIndex(), 0);
  EXPECT_EQ(explorer->PointIndex(), 8) << "x 9 and 10 lie equally near 9.5: the earlier wins";

  // Escape leaves the point; a second Escape is not the chart's.
  Key(Qt::Key_Escape);
  EXPECT_FALSE(explorer->Active());
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(chart_, &escape);
  EXPECT_FALSE(escape.isAccepted());

  // Fewer points after new data keep the point within the curve; no data leaves it.
  Key(Qt::Key_End);
  chart_->ClearGraf();
  chart_->MoveTo(1, 1);
  chart_->DrawTo(2, 2);
  chart_->ShowGraf();
  EXPECT_EQ(explorer->PointIndex(), 1);
  chart_->ClearGraf();
  chart_->ShowGraf();
  EXPECT_FALSE(explorer->Active());
  // Turning exploration off leaves the point too.
  Plot(false);
  Key(Qt::Key_Home);
  chart_->SetKeyboardExploration(false);
  EXPECT_FALSE(explorer->Active());
}

TEST_F(ChartKeyboardTest, TheDataIsATableForAssistiveTechnologyAndCopiesAsText) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(chart_);
  ASSERT_NE(iface, nullptr);
  QAccessibleTableInterface* table = iface->tableInterface();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->rowCount(), 10);
  EXPECT_EQ(table->columnCount(), 2);
  EXPECT_EQ(table->columnDescription(0), "U [V]");
  EXPECT_EQ(table->columnDescription(1), "C [pF]");
  EXPECT_EQ(table->cellAt(0, 0)->text(QAccessible::Name), "1");
  EXPECT_EQ(table->cellAt(9, 1)->text(QAccessible::Name), "-4");
  EXPECT_EQ(table->cellAt(10, 0), nullptr);
  // The chart's children are the header and data cells, each with a name and a place; no scale
  // control inside is one.
  EXPECT_EQ(iface->childCount(), 22);
  for (int i = 0; i < iface->childCount(); ++i) {
    QAccessibleInterface* child = iface->child(i);
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(child->text(QAccessible::Name).isEmpty()) << i;
    EXPECT_FALSE(child->rect().isEmpty()) << i;
    EXPECT_EQ(iface->indexOfChild(child), i);
  }
  EXPECT_EQ(iface->child(0)->role(), QAccessible::ColumnHeader);
  EXPECT_EQ(iface->child(0)->text(QAccessible::Name), "U [V]");

  // While a point is explored it is one more child, the only one claiming the focus.
  Focus();
  chart_->SetKeyboardExploration(true);
  Key(Qt::Key_Right);
  Key(Qt::Key_Right);
  ASSERT_EQ(iface->childCount(), 23);
  QAccessibleInterface* point = iface->child(22);
  EXPECT_EQ(point->text(QAccessible::Name), "U 2.00 V, C 4.00 pF");
  EXPECT_TRUE(point->state().focused);
  EXPECT_FALSE(iface->state().focused);
  EXPECT_EQ(iface->focusChild(), point);
  Key(Qt::Key_Escape);
  EXPECT_EQ(iface->childCount(), 22);
  EXPECT_TRUE(iface->state().focused);

  // Ctrl+C copies the same table as text, every number exactly.
  chart_->ClearGraf();
  chart_->MoveTo(0.1, 8.0960000000000001);
  chart_->DrawTo(0.30000000000000004, 1e-7);
  chart_->ShowGraf();
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "U [V]\tC [pF]\n0.1\t8.096\n0.30000000000000004\t1e-07\n");
  EXPECT_EQ(chart_->DataTableText(), QApplication::clipboard()->text());
}

TEST(ChartCurves, SplitAtMoveToOfTheCurrentLayerOnly) {
  TZephChart chart;
  chart.DrawTo(1, 1);
  chart.MoveTo(2, 2);
  chart.DrawTo(3, std::nan(""));
  chart.DrawTo(4, 4);
  chart.SetCurrentLayer(2);
  chart.MoveTo(5, 5);
  chart.SetCurrentLayer(1);
  const std::vector<TChartCurve> curves = ChartCurves(chart);
  ASSERT_EQ(curves.size(), 2u);
  EXPECT_EQ(curves[0].Points, std::vector<QPointF>({{1, 1}}));
  EXPECT_EQ(curves[1].Points, std::vector<QPointF>({{2, 2}, {4, 4}}));
  EXPECT_EQ(TAxisQuantity::FromCaption(QStringLiteral("d [µm]")).Unit, QString::fromUtf8("µm"));
  EXPECT_EQ(TAxisQuantity::FromCaption(QStringLiteral("ND * 10^16")).Name, "ND * 10^16");
  EXPECT_TRUE(TAxisQuantity::FromCaption(QStringLiteral("ND * 10^16")).Unit.isEmpty());
}

TEST(Contrast, RatiosAndTheFallbackForAFocusIndicator) {
  EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(Qt::red, Qt::red), 1.0, 1e-9);
  EXPECT_EQ(FocusIndicatorColor(Qt::black, Qt::white), QColor(Qt::black));
  // Light grey on a light face does not stand out: black does.
  EXPECT_EQ(FocusIndicatorColor(QColor(200, 200, 200), QColor(240, 240, 240)), QColor(Qt::black));
  EXPECT_EQ(FocusIndicatorColor(QColor(40, 40, 40), QColor(20, 20, 20)), QColor(Qt::white));
}

}  // namespace
