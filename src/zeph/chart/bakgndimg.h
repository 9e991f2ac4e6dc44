#pragma once

#include <QObject>
#include <QString>

#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/events.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

// The image file a chart paints behind its data, and how it fills the chart area.
class ZEPH_CHART_EXPORT TBakGndImg : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Name READ Name WRITE SetName)
  Q_PROPERTY(bool IncludePath READ IncludePath WRITE SetIncludePath)
  Q_PROPERTY(ZephEnums::TBkgFill FillMode READ FillMode WRITE SetFillMode)

 public:
  explicit TBakGndImg(QObject* owner = nullptr) : QObject(owner) {}

  QString Name() const { return name_; }
  // Keeps only the file-name part unless IncludePath is set.
  void SetName(const QString& value);
  bool IncludePath() const { return include_path_; }
  // Switching it off strips the directory from the stored name.
  void SetIncludePath(bool value);
  TBkgFill FillMode() const { return fill_mode_; }
  void SetFillMode(TBkgFill value);

  // Forgets a file that could not be loaded, without notifying, so later paints do not retry it.
  void ClearNameSilently() { name_.clear(); }

  TNotifyEvent OnChange;

 private:
  void Changed() { Notify(OnChange, this); }

  QString name_;
  bool include_path_ = false;
  TBkgFill fill_mode_ = bfStretch;
};

}  // namespace zeph
