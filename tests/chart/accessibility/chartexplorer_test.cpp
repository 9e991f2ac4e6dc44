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

#include "zeph/chart/chartannouncer.h"
#include "zeph/chart/chartcurves.h"
#include "zeph/chart/chartexplorer.h"
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
  EXPECT_EQ(QAccessible::queryAccessibleInterface(chart_)->focusChild()->text(QAccessible::Name),
            "U 1.00 V, C 5.00 pF, point 1 of 10")
      << "entering the curve says where the point is";
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
  EXPECT_EQ(explorer->PointName(), "U 1.00 V, C 5.00 pF, first point");

  // Up and Down move between curves, to the point nearest in x.
  Plot(true);
  Key(Qt::Key_End);
  Key(Qt::Key_Down);
  EXPECT_EQ(explorer->CurveIndex(), 1);
  EXPECT_EQ(explorer->PointIndex(), 1);
  EXPECT_EQ(explorer->PointName(), "U 9.50 V, C 9.00 pF, curve 2 of 2, last point");
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
  // The chart's child is its data table, whose children are the header and data cells, each with a
  // name and a place; no scale control inside is one.
  ASSERT_EQ(iface->childCount(), 1);
  QAccessibleInterface* data = iface->child(0);
  EXPECT_EQ(data->role(), QAccessible::Table);
  EXPECT_EQ(data->parent(), iface);
  EXPECT_EQ(iface->indexOfChild(data), 0);
  EXPECT_EQ(data->tableInterface()->rowCount(), 10);
  EXPECT_EQ(data->childCount(), 22);
  for (int i = 0; i < data->childCount(); ++i) {
    QAccessibleInterface* child = data->child(i);
    ASSERT_NE(child, nullptr);
    EXPECT_FALSE(child->text(QAccessible::Name).isEmpty()) << i;
    EXPECT_FALSE(child->rect().isEmpty()) << i;
    EXPECT_EQ(data->indexOfChild(child), i);
    EXPECT_EQ(child->parent(), data);
    // Off the screen until the keys stand on their row: readers walking the screen skip them.
    EXPECT_TRUE(child->state().offscreen) << i;
  }
  EXPECT_EQ(data->child(0)->role(), QAccessible::ColumnHeader);
  EXPECT_EQ(data->child(0)->text(QAccessible::Name), "U [V]");
  EXPECT_EQ(table->cellAt(0, 0), data->child(2));

  // While a point is explored it is one more child, the only one claiming the focus.
  Focus();
  chart_->SetKeyboardExploration(true);
  Key(Qt::Key_Right);
  Key(Qt::Key_Right);
  ASSERT_EQ(iface->childCount(), 2);
  QAccessibleInterface* point = iface->child(1);
  EXPECT_EQ(point->text(QAccessible::Name), "U 2.00 V, C 4.00 pF");
  EXPECT_TRUE(point->state().focused);
  EXPECT_FALSE(iface->state().focused);
  EXPECT_EQ(iface->focusChild(), point);
  Key(Qt::Key_Escape);
  EXPECT_EQ(iface->childCount(), 1);
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

// What the keys make the chart say, and where the focus is after each: a point, or a cell of the
// data table after T.
TEST_F(ChartKeyboardTest, KeysSayWhatHappenedAndTTurnsToTheDataTable) {
  QList<std::pair<QAccessible::Role, QString>> said;
  SetChartAnnouncer([&](QAccessibleInterface* focused, const QString& words) { said.append({focused->role(), words}); });
  Focus();
  chart_->SetKeyboardExploration(true);
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(chart_);
  const TChartTexts texts;
  struct Step {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString words;           // said through the announcer; empty: nothing said
    QAccessible::Role role;  // of the object with the focus afterwards
    QString name;            // its name
  };
  const std::vector<Step> steps = {
      {Qt::Key_H, Qt::NoModifier, texts.Help, QAccessible::Chart, ""},
      {Qt::Key_Right, Qt::NoModifier, "", QAccessible::Graphic, "U 1.00 V, C 5.00 pF, point 1 of 10"},
      {Qt::Key_Left, Qt::NoModifier, "first point", QAccessible::Graphic, "U 1.00 V, C 5.00 pF, point 1 of 10"},
      {Qt::Key_End, Qt::NoModifier, "", QAccessible::Graphic, "U 10.0 V, C -4.00 pF, last point"},
      {Qt::Key_Right, Qt::NoModifier, "last point", QAccessible::Graphic, "U 10.0 V, C -4.00 pF, last point"},
      {Qt::Key_Up, Qt::NoModifier, "only one curve", QAccessible::Graphic, "U 10.0 V, C -4.00 pF, last point"},
      {Qt::Key_I, Qt::NoModifier, "point 10 of 10", QAccessible::Graphic, "U 10.0 V, C -4.00 pF, last point"},
      {Qt::Key_C, Qt::ControlModifier, "copied 10 rows", QAccessible::Graphic, "U 10.0 V, C -4.00 pF, last point"},
      {Qt::Key_T, Qt::NoModifier, "", QAccessible::Cell, "-4"},
      {Qt::Key_Down, Qt::NoModifier, "last point", QAccessible::Cell, "-4"},
      {Qt::Key_Left, Qt::NoModifier, "", QAccessible::Cell, "10"},
      {Qt::Key_Home, Qt::NoModifier, "", QAccessible::Cell, "1"},
      {Qt::Key_Down, Qt::NoModifier, "", QAccessible::Cell, "2"},
  };
  for (const Step& step : steps) {
    said.clear();
    Key(step.key, step.modifiers);
    const QString where = QString::number(step.key, 16);
    if (step.words.isEmpty()) {
      EXPECT_TRUE(said.isEmpty()) << where.toStdString() << ": " << said.value(0).second.toStdString();
    } else {
      ASSERT_EQ(said.size(), 1) << where.toStdString();
      EXPECT_EQ(said[0].second, step.words) << where.toStdString();
      EXPECT_EQ(said[0].first, step.role) << where.toStdString();
    }
    QAccessibleInterface* focused = iface;
    while (focused->focusChild() != nullptr) focused = focused->focusChild();
    EXPECT_EQ(focused->role(), step.role) << where.toStdString();
    if (step.role != QAccessible::Chart) {
      EXPECT_EQ(focused->text(QAccessible::Name), step.name) << where.toStdString();
      if (!step.words.isEmpty()) {
        EXPECT_EQ(focused->text(QAccessible::Description), step.words) << where.toStdString();
      }
    }
  }
  // In the table only the row the keys stand on shows; the cell knows its header.
  QAccessibleInterface* data = iface->child(0);
  QAccessibleInterface* cell = data->tableInterface()->cellAt(1, 1);
  EXPECT_FALSE(cell->state().offscreen);
  EXPECT_TRUE(data->tableInterface()->cellAt(2, 1)->state().offscreen);
  EXPECT_EQ(cell->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name), "C [pF]");
  // T again: back on the curve, at the row's point.
  Key(Qt::Key_T);
  EXPECT_EQ(iface->focusChild()->role(), QAccessible::Graphic);
  EXPECT_EQ(iface->focusChild()->text(QAccessible::Name), "U 2.00 V, C 4.00 pF");
  EXPECT_TRUE(cell->state().offscreen);
  // With the focus the chart gives the keys' hint in its description.
  EXPECT_TRUE(iface->text(QAccessible::Description).endsWith(". " + texts.KeyHint));
  SetChartAnnouncer({});
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
