// Data sharing: up to four charts display the item list of one owner chart, each through its own
// scales. All members of a group hold the same list object, so whatever one of them appends or
// clears, all of them hold at once; the list lives as long as any chart still displays it.
#include <QApplication>
#include <QMessageBox>
#include <algorithm>

#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"

namespace zeph {

std::function<void(QWidget*, const QString&)>& TCustomZephChart::InfoMessageHook() {
  static std::function<void(QWidget*, const QString&)> hook;
  return hook;
}

namespace {

void ShowInfoMessage(QWidget* chart, const QString& text) {
  if (TCustomZephChart::InfoMessageHook()) {
    TCustomZephChart::InfoMessageHook()(chart, text);
    return;
  }
  QMessageBox::information(chart, QApplication::applicationName(), text, QMessageBox::Ok);
}

}  // namespace

TCustomZephChart* TCustomZephChart::DataUser(int index) const {
  return index >= 0 && index < DataUserCount() ? d_->data_users_[static_cast<std::size_t>(index)] : nullptr;
}

void TCustomZephChart::SetUseDataOf(TCustomZephChart* value) {
  if (value == this) {
    ShowInfoMessage(this, QStringLiteral("ZephChart: Cannot share data with myself"));
    return;
  }
  if (!d_->data_users_.empty()) {
    ShowInfoMessage(this, QStringLiteral("ZephChart: Cannot use foreign data. Other ZephCharts are using my own data."));
    return;
  }
  if (value == d_->use_data_of_) return;
  if (!value) {
    StopUsingData();
    d_->Invalidate();
    d_->RepaintIfAuto();
    d_->EmitUnlessLoading(&TCustomZephChart::UseDataOfChanged);
    return;
  }
  // Users of users are not formed: a user's owner is asked instead.
  if (value->d_->use_data_of_) value = value->d_->use_data_of_;
  if (value == d_->use_data_of_) return;
  if (value->DataUserCount() >= kMaxDataUsers) {
    ShowInfoMessage(this, QStringLiteral("ZephChart: Max. number of data shares exceeded"));
    return;
  }
  if (d_->use_data_of_) LeaveOwner();
  d_->use_data_of_ = value;
  items_ = value->items_;
  value->d_->data_users_.push_back(this);
  d_->Invalidate();
  d_->RepaintIfAuto();
  d_->EmitUnlessLoading(&TCustomZephChart::UseDataOfChanged);
}

void TCustomZephChart::LeaveOwner() {
  auto& users = d_->use_data_of_->d_->data_users_;
  users.erase(std::remove(users.begin(), users.end(), this), users.end());
  d_->use_data_of_ = nullptr;
}

void TCustomZephChart::StopUsingData() {
  if (!d_->use_data_of_) return;
  LeaveOwner();
  // The chart goes on showing what it showed, in a list of its own: its next changes are its own
  // and no longer reach the group.
  items_ = std::make_shared<TZephItemList>(*items_);
  AdoptCurves();
}

void TCustomZephChart::LeaveDataGroup() {
  if (d_->use_data_of_) LeaveOwner();
  // An owner that goes while it has users leaves them its list: each keeps showing it, detached
  // from the others; the last one keeps the list object itself.
  for (std::size_t i = 0; i < d_->data_users_.size(); ++i) {
    TCustomZephChart* user = d_->data_users_[i];
    user->d_->use_data_of_ = nullptr;
    if (i + 1 < d_->data_users_.size()) user->items_ = std::make_shared<TZephItemList>(*items_);
    user->AdoptCurves();
  }
  const std::vector<TCustomZephChart*> left = std::move(d_->data_users_);
  d_->data_users_.clear();
  for (TCustomZephChart* user : left) user->d_->EmitUnlessLoading(&TCustomZephChart::UseDataOfChanged);
}

void TCustomZephChart::ShareItemList() {
  TCustomZephChart* owner = d_->use_data_of_ ? d_->use_data_of_ : this;
  if (owner->d_->data_users_.empty()) return;
  const auto share = [this](TCustomZephChart* chart) {
    if (chart->items_ != items_) chart->items_ = items_;
    chart->d_->image_current_ = false;
  };
  share(owner);
  for (TCustomZephChart* user : owner->d_->data_users_) share(user);
}

void TCustomZephChart::RepaintDataGroup() {
  // The chart that showed the list is up to date; the others of its group repaint.
  if (d_->use_data_of_) {
    d_->use_data_of_->d_->RepaintIfAuto();
    for (TCustomZephChart* user : d_->use_data_of_->d_->data_users_) {
      if (user != this) user->d_->RepaintIfAuto();
    }
  }
  for (TCustomZephChart* user : d_->data_users_) user->d_->RepaintIfAuto();
}

}  // namespace zeph
