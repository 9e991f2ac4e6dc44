#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "zeph/chart/data/pointstorage_p.h"
#include "zeph/chart/zephchart.h"

using namespace zeph;

namespace {

// Every field of two records, one by one (the padding between them carries nothing).
void ExpectSameItem(const TZephChartItem& a, const TZephChartItem& b, int index) {
  SCOPED_TRACE(testing::Message() << "item " << index << " of kind " << int{b.Kind});
  const auto same_double = [](double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; };
  EXPECT_TRUE(same_double(a.X1, b.X1)) << a.X1 << " " << b.X1;
  EXPECT_TRUE(same_double(a.Y1, b.Y1)) << a.Y1 << " " << b.Y1;
  EXPECT_TRUE(same_double(a.X2, b.X2)) << a.X2 << " " << b.X2;
  EXPECT_TRUE(same_double(a.Y2, b.Y2)) << a.Y2 << " " << b.Y2;
  EXPECT_EQ(a.Color, b.Color);
  EXPECT_EQ(a.FillColor, b.FillColor);
  EXPECT_EQ(a.Color2, b.Color2);
  EXPECT_EQ(a.Color3, b.Color3);
  EXPECT_EQ(a.PenStyle, b.PenStyle);
  EXPECT_EQ(a.LineWidth, b.LineWidth);
  EXPECT_EQ(a.ItemClass, b.ItemClass);
  EXPECT_EQ(a.Kind, b.Kind);
  EXPECT_EQ(a.Layer, b.Layer);
  EXPECT_EQ(a.Transparent, b.Transparent);
  EXPECT_EQ(a.FrameStyle, b.FrameStyle);
  EXPECT_EQ(std::memcmp(a.Text, b.Text, sizeof a.Text), 0)
      << QString::fromUcs4(a.Text).toStdString() << " " << QString::fromUcs4(b.Text).toStdString();
  EXPECT_EQ(a.Size, b.Size);
  EXPECT_EQ(a.Depth, b.Depth);
  EXPECT_EQ(a.MarkType, b.MarkType);
}

// Appends items of every kind in random order, changing the drawing attributes now and then in
// the middle of a run, and writes down the record each append must make.
class Appender {
 public:
  explicit Appender(TZephChart& chart) : chart_(chart) {}

  void Step(std::mt19937& random) {
    if (random() % 7 == 0) ChangeAttributes(random);
    const double x = Coordinate(random);
    const double y = Coordinate(random);
    const double x2 = Coordinate(random);
    const double y2 = Coordinate(random);
    TZephChartItem item = Base();
    item.X1 = x;
    item.Y1 = y;
    switch (random() % 14) {
      case 0: chart_.Line(x, y, x2, y2); Second(item, ikLine, x2, y2); break;
      case 1:
        chart_.Rectangle(x, y, x2, y2, true);
        Second(item, ikRectangle, x2, y2);
        item.FillColor = chart_.FillColor();
        item.Transparent = true;
        break;
      case 2:
        chart_.FramedRect(x, y, x2, y2, fsEmbossed, clLime, clNavy);
        Second(item, ikFramedRect, x2, y2);
        item.FillColor = chart_.FillColor();
        item.FrameStyle = fsEmbossed;
        item.Color2 = clLime;
        item.Color3 = clNavy;
        break;
      case 3:
        chart_.Bar3D(x, y, x2, y2, 7, 30);
        Second(item, ikBar3D, x2, y2);
        item.FillColor = chart_.FillColor();
        item.Depth = 7;
        item.Size = 30;
        break;
      case 4:
        chart_.Text(x, y, QStringLiteral("a text much longer than seventeen"), 12);
        item.Kind = ikText;
        std::copy_n(U"a text much longe", 17, item.Text);
        item.Size = 12;
        break;
      case 5:
        chart_.Ellipse(x, y, 2, 3);
        Second(item, ikEllipse, 2, 3);
        item.FillColor = chart_.FillColor();
        break;
      case 6: chart_.MoveRel(x, y); item.Kind = ikRelMove; break;
      case 7: chart_.DrawRel(x, y); item.Kind = ikRelDraw; break;
      case 8:
        chart_.Arrow(x, y, x2, y2, 9, true);
        Second(item, ikArrow, x2, y2);
        item.FillColor = chart_.FillColor();
        item.Size = 9;
        item.Transparent = true;
        break;
      case 9: chart_.Mark(x, y, 5); item.Kind = ikMark; item.MarkType = 5; break;
      case 10: chart_.MoveTo(x, y); item.Kind = ikMoveTo; break;
      default: chart_.DrawTo(x, y); item.Kind = ikDrawTo; break;
    }
    expected_.push_back(item);
  }

  // A draw-to item, as a curve appends them.
  void DrawTo(double x, double y) {
    chart_.DrawTo(x, y);
    TZephChartItem item = Base();
    item.Kind = ikDrawTo;
    item.X1 = x;
    item.Y1 = y;
    expected_.push_back(item);
  }

  const std::vector<TZephChartItem>& Expected() const { return expected_; }

 private:
  TZephChartItem Base() const {
    TZephChartItem item{};
    item.Color = chart_.DataColor();
    item.PenStyle = chart_.PenStyle();
    item.LineWidth = chart_.LineWidth();
    item.ItemClass = static_cast<std::uint8_t>(chart_.ClassDefault());
    item.Layer = chart_.CurrentLayer();
    return item;
  }
  static void Second(TZephChartItem& item, TZephItemKind kind, double x2, double y2) {
    item.Kind = kind;
    item.X2 = x2;
    item.Y2 = y2;
  }
  static double Coordinate(std::mt19937& random) {
    switch (random() % 9) {
      case 0: return std::numeric_limits<double>::quiet_NaN();
      case 1: return -0.0;
      case 2: return std::numeric_limits<double>::infinity();
      default: return std::ldexp(static_cast<double>(random()) - 2147483648.0, static_cast<int>(random() % 40) - 20);
    }
  }
  void ChangeAttributes(std::mt19937& random) {
    switch (random() % 6) {
      case 0: chart_.SetDataColor(static_cast<TColor>(random() & 0xFFFFFF)); break;
      case 1: chart_.SetPenStyle(static_cast<TPenStyle>(random() % 7)); break;
      case 2: chart_.SetLineWidth(static_cast<int>(random() % 4)); break;
      case 3: chart_.SetClassDefault(static_cast<int>(random() % 255)); break;
      case 4: chart_.SetCurrentLayer(static_cast<int>(random() % 16) + 1); break;
      default: chart_.SetFillColor(static_cast<TColor>(random() & 0xFFFFFF)); break;
    }
  }

  TZephChart& chart_;
  std::vector<TZephChartItem> expected_;
};

TEST(CompactItemsTest, EveryItemReadsBackAsAppendedWhateverItsKindAndAttributes) {
  TZephChart chart;
  chart.SetAllocSize(100);
  Appender appender(chart);
  std::mt19937 random(1414);
  for (int i = 0; i < 3000; ++i) appender.Step(random);
  // Long runs of draw-to items cross the storage's chunks, with changes in the middle.
  for (int i = 0; i < 150000; ++i) {
    if (i % 40000 == 39999) chart.SetDataColor(static_cast<TColor>(i));
    appender.DrawTo(i * 0.5, -i);
  }
  for (int i = 0; i < 500; ++i) appender.Step(random);

  const std::vector<TZephChartItem>& expected = appender.Expected();
  const TZephItemList& list = chart.Items();
  ASSERT_EQ(list.Count(), static_cast<int>(expected.size()));
  std::array<int, kItemKindCount> counts{};
  for (int i = 0; i < list.Count(); ++i) {
    const TZephChartItem& want = expected[static_cast<std::size_t>(i)];
    ++counts[want.Kind];
    if (i > 3100 && i < 150000 && i % 997 != 0) {
      // The long run is compared in full below, field by field for a sample.
      continue;
    }
    ExpectSameItem(list[i], want, i);
    if (testing::Test::HasFailure()) return;
  }
  for (int i = 3000; i < 153000; ++i) {
    ASSERT_EQ(list[i].Y1, expected[static_cast<std::size_t>(i)].Y1) << i;
    ASSERT_EQ(list[i].Color, expected[static_cast<std::size_t>(i)].Color) << i;
  }
  for (int kind = 1; kind < kItemKindCount; ++kind) EXPECT_EQ(list.KindCount(kind), counts[kind]) << kind;
  EXPECT_EQ(list.Capacity(), (list.Count() + 99) / 100 * 100);

  // A copy (a chart that stops sharing keeps one) holds the same items.
  const TZephItemList copy = list;
  for (int i = 0; i < copy.Count(); i += 101) ExpectSameItem(copy[i], expected[static_cast<std::size_t>(i)], i);
}

TEST(CompactItemsTest, AMillionPointsTakeAtMost32BytesEachAndClearGrafGivesTheMemoryBack) {
  TZephChart chart;
  chart.MoveTo(0, 0);
  for (int i = 1; i < 1000000; ++i) chart.DrawTo(i, static_cast<double>(i * 7919LL % 1000));
  const TZephItemList& list = chart.Items();
  ASSERT_EQ(list.Count(), 1000000);
  EXPECT_LE(list.AllocatedBytes(), 32u * 1000000u);
  EXPECT_EQ(list.Runs().size(), 1u);
  EXPECT_EQ(list[999999].X1, 999999);
  EXPECT_EQ(list[999999].Y1, 999999 * 7919LL % 1000);
  EXPECT_EQ(list[0].Kind, ikMoveTo);
  EXPECT_EQ(list[1].Kind, ikDrawTo);
  // Whole chunks are mapped from the system on their own; ClearGraf gives them back there too.
  EXPECT_GE(MappedPointStorageBytes(), (1000000 / TZephItemList::kChunkPoints) * TZephItemList::kChunkPoints * 16);
  chart.ClearGraf();
  EXPECT_EQ(MappedPointStorageBytes(), 0u);
  EXPECT_EQ(chart.Items().AllocatedBytes(), 0u);
  EXPECT_EQ(chart.Items().Count(), 0);
}

}  // namespace
