#include <gtest/gtest.h>

#include <QStringList>
#include <QWidget>
#include <memory>

#include "zeph/chart/zephchart.h"
#include "common/image_probe.h"

using namespace zeph;

namespace {

// Charts of one size with the ranges 0..10 and 0..1; information messages are recorded instead of
// shown.
class DataSharingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TCustomZephChart::InfoMessageHook() = [this](QWidget*, const QString& text) { messages_ << text; };
  }
  void TearDown() override { TCustomZephChart::InfoMessageHook() = nullptr; }

  static std::unique_ptr<TZephChart> NewChart(QWidget* parent = nullptr) {
    auto chart = std::make_unique<TZephChart>(parent);
    Prepare(*chart);
    return chart;
  }
  static void Prepare(TZephChart& chart) {
    chart.SetBounds(0, 0, 300, 200);
    chart.Scale1X()->SetRange(0, 10);
    chart.Scale1Y()->SetRange(0, 1);
  }
  // Whether the chart's screen image shows the colour around the world point.
  static bool Shows(TZephChart& chart, double x, double y, TColor color) {
    const QPoint p = chart.WorldToPixel(1, x, y);
    return CountPixels(chart.ControlImage(), color, p.x() - 1, p.y() - 1, p.x() + 2, p.y() + 2) > 0;
  }
  static void DrawLine(TZephChart& chart, double y) {
    chart.SetDataColor(clBlue);
    chart.MoveTo(0, y);
    chart.DrawTo(10, y);
  }

  QStringList messages_;
};

TEST_F(DataSharingTest, UsersDisplayTheOwnersListAndItsChanges) {
  auto a = NewChart();
  auto b = NewChart();
  DrawLine(*a, 0.25);
  a->ShowGraf();
  b->SetUseDataOf(a.get());
  EXPECT_EQ(b->UseDataOf(), a.get());
  EXPECT_EQ(a->DataUserCount(), 1);
  EXPECT_EQ(a->DataUser(0), b.get());
  EXPECT_EQ(b->Items().Count(), 2);
  EXPECT_EQ(&b->Items(), &a->Items());  // one storage, not a copy
  EXPECT_TRUE(Shows(*b, 5, 0.25, clBlue));  // painted on joining

  // An append on the owner shows on both once the owner shows its list.
  a->MoveTo(0, 0.75);
  a->DrawTo(10, 0.75);
  EXPECT_EQ(b->Items().Count(), 4);
  a->ShowGraf();
  EXPECT_EQ(b->Items().LastShown(), 3);
  EXPECT_TRUE(Shows(*a, 5, 0.75, clBlue));
  EXPECT_TRUE(Shows(*b, 5, 0.75, clBlue));

  // A clear on the user empties the owner as well, and the user's ShowGraf repaints the owner.
  b->ClearGraf();
  EXPECT_EQ(a->Items().Count(), 0);
  EXPECT_EQ(a->Items().KindCount(ikDrawTo), 0);
  b->ShowGraf();
  EXPECT_FALSE(Shows(*a, 5, 0.75, clBlue));
  EXPECT_FALSE(Shows(*b, 5, 0.75, clBlue));

  // Through the property system, as a stored form sets it.
  auto c = NewChart();
  EXPECT_TRUE(c->setProperty("UseDataOf", QVariant::fromValue<TCustomZephChart*>(a.get())));
  EXPECT_EQ(c->UseDataOf(), a.get());
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(DataSharingTest, ShowGrafOfAHiddenMemberStillRepaintsTheOthers) {
  auto a = NewChart();
  auto b = NewChart();
  b->SetUseDataOf(a.get());
  a->hide();
  DrawLine(*a, 0.5);
  a->ShowGraf();
  EXPECT_TRUE(Shows(*b, 5, 0.5, clBlue));
}

TEST_F(DataSharingTest, RefusalsAreShownAndChangeNothing) {
  auto owner = NewChart();
  std::vector<std::unique_ptr<TZephChart>> users;
  for (int i = 0; i < 4; ++i) {
    users.push_back(NewChart());
    users.back()->SetUseDataOf(owner.get());
  }
  EXPECT_EQ(owner->DataUserCount(), 4);
  EXPECT_TRUE(messages_.isEmpty());

  auto fifth = NewChart();
  DrawLine(*fifth, 0.5);
  fifth->SetUseDataOf(owner.get());
  EXPECT_EQ(fifth->UseDataOf(), nullptr);
  EXPECT_EQ(fifth->Items().Count(), 2);
  // Asking through a user is the same request.
  fifth->SetUseDataOf(users[2].get());
  EXPECT_EQ(fifth->UseDataOf(), nullptr);
  owner->SetUseDataOf(owner.get());
  owner->SetUseDataOf(fifth.get());
  owner->SetUseDataOf(nullptr);
  EXPECT_EQ(owner->UseDataOf(), nullptr);
  EXPECT_EQ(owner->DataUserCount(), 4);
  EXPECT_EQ(messages_, QStringList({QStringLiteral("ZephChart: Max. number of data shares exceeded"),
                                    QStringLiteral("ZephChart: Max. number of data shares exceeded"),
                                    QStringLiteral("ZephChart: Cannot share data with myself"),
                                    QStringLiteral("ZephChart: Cannot use foreign data. Other ZephCharts are "
                                                   "using my own data."),
                                    QStringLiteral("ZephChart: Cannot use foreign data. Other ZephCharts are "
                                                   "using my own data.")}));

  // Setting the current owner again, even through a fellow user, changes nothing.
  messages_.clear();
  users[0]->SetUseDataOf(owner.get());
  users[0]->SetUseDataOf(users[1].get());
  EXPECT_EQ(owner->DataUser(0), users[0].get());
  EXPECT_EQ(owner->DataUserCount(), 4);
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(DataSharingTest, UserOfAUserJoinsTheFirstOwnersGroup) {
  auto a = NewChart();
  auto b = NewChart();
  auto c = NewChart();
  b->SetUseDataOf(a.get());
  c->SetUseDataOf(b.get());
  EXPECT_EQ(c->UseDataOf(), a.get());
  EXPECT_EQ(b->DataUserCount(), 0);
  EXPECT_EQ(a->DataUserCount(), 2);
  c->MoveTo(1, 0.5);
  EXPECT_EQ(a->Items().Count(), 1);
  EXPECT_EQ(b->Items().Count(), 1);
  c->ShowGraf();
  EXPECT_EQ(a->Items().LastShown(), 0);
}

TEST_F(DataSharingTest, MovingToAnotherOwnerLeavesTheFirst) {
  auto a = NewChart();
  auto b = NewChart();
  auto user = NewChart();
  DrawLine(*b, 0.5);
  user->SetUseDataOf(a.get());
  user->SetUseDataOf(b.get());
  EXPECT_EQ(a->DataUserCount(), 0);
  EXPECT_EQ(b->DataUser(0), user.get());
  EXPECT_EQ(user->Items().Count(), 2);
  a->MoveTo(0, 0);
  EXPECT_EQ(user->Items().Count(), 2);
}

TEST_F(DataSharingTest, LeavingTheGroupKeepsTheListShownButNoLongerShared) {
  auto a = NewChart();
  auto b = NewChart();
  b->SetUseDataOf(a.get());
  DrawLine(*a, 0.5);
  a->ShowGraf();
  b->SetUseDataOf(nullptr);
  EXPECT_EQ(b->UseDataOf(), nullptr);
  EXPECT_EQ(a->DataUserCount(), 0);
  EXPECT_EQ(b->Items().Count(), 2);
  EXPECT_TRUE(Shows(*b, 5, 0.5, clBlue));
  // From now on each changes its own list only.
  b->ClearGraf();
  EXPECT_EQ(a->Items().Count(), 2);
  a->MoveTo(0, 0);
  EXPECT_EQ(b->Items().Count(), 0);
  // Leaving when using nothing does nothing.
  b->SetUseDataOf(nullptr);
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(DataSharingTest, OwnerDestroyedFirstLeavesItsUsersTheirData) {
  auto a = NewChart();
  auto b = NewChart();
  auto c = NewChart();
  b->SetUseDataOf(a.get());
  c->SetUseDataOf(a.get());
  DrawLine(*a, 0.5);
  a->ShowGraf();
  a.reset();
  EXPECT_EQ(b->UseDataOf(), nullptr);
  EXPECT_EQ(c->UseDataOf(), nullptr);
  ASSERT_EQ(b->Items().Count(), 2);
  ASSERT_EQ(c->Items().Count(), 2);
  EXPECT_EQ(b->Items()[1].X1, 10);
  // Each goes on alone.
  b->DrawTo(5, 1);
  b->ShowGraf();
  c->Paint();
  EXPECT_EQ(c->Items().Count(), 2);
  EXPECT_TRUE(Shows(*c, 5, 0.5, clBlue));
  // And can form a new group.
  c->SetUseDataOf(b.get());
  EXPECT_EQ(c->Items().Count(), 3);
  EXPECT_TRUE(messages_.isEmpty());
}

TEST_F(DataSharingTest, UsersDestroyedFirstLeaveTheOwnersList) {
  auto a = NewChart();
  auto b = NewChart();
  auto c = NewChart();
  auto d = NewChart();
  b->SetUseDataOf(a.get());
  c->SetUseDataOf(a.get());
  d->SetUseDataOf(a.get());
  c.reset();
  ASSERT_EQ(a->DataUserCount(), 2);
  EXPECT_EQ(a->DataUser(0), b.get());
  EXPECT_EQ(a->DataUser(1), d.get());
  DrawLine(*a, 0.5);
  a->ShowGraf();
  EXPECT_TRUE(Shows(*d, 5, 0.5, clBlue));
  b.reset();
  d.reset();
  EXPECT_EQ(a->DataUserCount(), 0);
  a->ClearGraf();
  a->ShowGraf();
  EXPECT_EQ(a->Items().Count(), 0);
}

TEST_F(DataSharingTest, AFormFreesItsSharingChartsInEitherOrder) {
  for (const bool owner_first : {true, false}) {
    auto form = std::make_unique<QWidget>();
    TZephChart* first = new TZephChart(form.get());
    TZephChart* second = new TZephChart(form.get());
    TZephChart* third = new TZephChart(form.get());
    Prepare(*first);
    Prepare(*second);
    Prepare(*third);
    TZephChart* owner = owner_first ? first : third;
    for (TZephChart* chart : {first, second, third}) {
      if (chart != owner) chart->SetUseDataOf(owner);
    }
    DrawLine(*second, 0.5);
    second->ShowGraf();
    EXPECT_EQ(owner->Items().Count(), 2);
    form.reset();  // children go in creation order
  }
  EXPECT_TRUE(messages_.isEmpty());
}

}  // namespace
