// Data sharing: up to four charts display the item list of one owner chart, each through its own
// scales. All members of a group hold the same list object, so whatever one of them appends or
// clears, all of them hold at once; the list lives as long as any chart still displays it.
#include <QApplication>
#include <QMessageBox>
#include <algorithm>

#include "zeph/chart/zephchart.h"

namespace zeph {

std::function<void(QWidget*, const QString&)>& TCustomZephChart::InfoMessageHook() {
  static std::function<void(QWidget*, const QString&)> hook;
  return hook;
}

void TCustomZephChart::ShowInfoMessage(const QString& text) {
  if (InfoMessageHook()) {
    InfoMessageHook()(this, text);
    return;
  }
  QMessageBox::information(this, QApplication::applicationName(), text, QMessageBox::Ok);
}

TCustomZephChart* TCustomZephChart::DataUser(int index) const {
  return index >= 0 && index < DataUserCount() ? data_users_[static_cast<std::size_t>(index)] : nullptr;
}

void TCustomZephChart::SetUseDataOf(TCustomZephChart* value) {
  if (value == this) {
    ShowInfoMessage(QStringLiteral("ZephChart: Cannot share data with myself"));
    return;
  }
  if (!data_users_.empty()) {
    ShowInfoMessage(QStringLiteral("ZephChart: Cannot use foreign data. Other ZephCharts are using my own data."));
    return;
  }
  if (value == use_data_of_) return;
  if (!value) {
    StopUsingData();
    Invalidate();
    RepaintIfAuto();
    EmitUnlessLoading(&TCustomZephChart::UseDataOfChanged);
    return;
  }
  // Users of users are not formed: a user's owner is asked instead.
  if (value->use_data_of_) value = value->use_data_of_;
  if (value == use_data_of_) return;
  if (value->DataUserCount() >= kMaxDataUsers) {
    ShowInfoMessage(QStringLiteral("ZephChart: Max. number of data shares exceeded"));
    return;
  }
  if (use_data_of_) LeaveOwner();
  use_data_of_ = value;
  items_ = value->items_;
  value->data_users_.push_back(this);
  Invalidate();
  RepaintIfAuto();
  EmitUnlessLoading(&TCustomZephChart::UseDataOfChanged);
}

void TCustomZephChart::LeaveOwner() {
  auto& users = use_data_of_->data_users_;
  users.erase(std::remove(users.begin(), users.end(), this), users.end());
  use_data_of_ = nullptr;
}

void TCustomZephChart::StopUsingData() {
  if (!use_data_of_) return;
  LeaveOwner();
  // The chart goes on showing what it showed, in a list of its own: its next changes are its own
  // and no longer reach the group.
  items_ = std::make_shared<TZephItemList>(*items_);
  AdoptCurves();
}

void TCustomZephChart::LeaveDataGroup() {
  if (use_data_of_) LeaveOwner();
  // An owner that goes while it has users leaves them its list: each keeps showing it, detached
  // from the others; the last one keeps the list object itself.
  for (std::size_t i = 0; i < data_users_.size(); ++i) {
    TCustomZephChart* user = data_users_[i];
    user->use_data_of_ = nullptr;
    if (i + 1 < data_users_.size()) user->items_ = std::make_shared<TZephItemList>(*items_);
    user->AdoptCurves();
  }
  const std::vector<TCustomZephChart*> left = std::move(data_users_);
  data_users_.clear();
  for (TCustomZephChart* user : left) user->EmitUnlessLoading(&TCustomZephChart::UseDataOfChanged);
}

void TCustomZephChart::ShareItemList() {
  TCustomZephChart* owner = use_data_of_ ? use_data_of_ : this;
  if (owner->data_users_.empty()) return;
  const auto share = [this](TCustomZephChart* chart) {
    if (chart->items_ != items_) chart->items_ = items_;
    chart->image_current_ = false;
  };
  share(owner);
  for (TCustomZephChart* user : owner->data_users_) share(user);
}

void TCustomZephChart::RepaintDataGroup() {
  // The chart that showed the list is up to date; the others of its group repaint.
  if (use_data_of_) {
    use_data_of_->RepaintIfAuto();
    for (TCustomZephChart* user : use_data_of_->data_users_) {
      if (user != this) user->RepaintIfAuto();
    }
  }
  for (TCustomZephChart* user : data_users_) user->RepaintIfAuto();
}

}  // namespace zeph
