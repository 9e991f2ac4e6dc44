#pragma once

#include <QObject>
#include <QString>

#include "zeph/scales/zephenums.h"
#include "zeph/toolkit/events.h"
#include "zeph/chart/chart_export.h"

namespace zeph {

/// The image file a chart paints behind its data, and how it fills the chart area.
///
/// Every TZephChart owns one (TCustomZephChart::BackGroundImg(), published as \c BackGroundImg).
/// With an empty Name() (the default) the chart area is filled with the chart's \c ChartColor.
/// Otherwise the chart reads the file at every repaint of the chart area, in any image format Qt
/// reads, so a changed file shows at once. A file that cannot be read is painted as the plain
/// background, and its name is cleared (ClearNameSilently()) so that later paints do not try it
/// again; no message is shown. Every setter fires OnChange, through which the chart repaints when
/// its \c AutoRedraw is on.
class ZEPH_CHART_EXPORT TBakGndImg : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Name READ Name WRITE SetName)
  Q_PROPERTY(bool IncludePath READ IncludePath WRITE SetIncludePath)
  Q_PROPERTY(ZephEnums::TBkgFill FillMode READ FillMode WRITE SetFillMode)

 public:
  /// Constructs settings without an image, stretched when one is set.
  explicit TBakGndImg(QObject* owner = nullptr) : QObject(owner) {}

  /// Published property \c Name: the image file; empty (no image) by default.
  ///
  /// Without IncludePath() only the file-name part is kept, and the file is looked for relative to
  /// the program's current directory.
  QString Name() const { return name_; }
  /// Sets Name(); fires OnChange.
  ///
  /// Keeps only the file-name part (after the last \c / or \c \\) unless IncludePath() is set,
  /// in which case the value is stored unchanged.
  void SetName(const QString& value);
  /// Published property \c IncludePath: whether Name() keeps the directory part; false by default.
  bool IncludePath() const { return include_path_; }
  /// Sets IncludePath(); fires OnChange. Switching it off strips the directory from the stored
  /// name.
  void SetIncludePath(bool value);
  /// Published property \c FillMode: how the image fills the chart area; \c bfStretch by default.
  ///
  /// \c bfSimple draws it once at its natural size in the top-left corner, on the plain
  /// background; \c bfStretch stretches it to the whole chart area; \c bfTile repeats it at its
  /// natural size from the top-left corner.
  TBkgFill FillMode() const { return fill_mode_; }
  /// Sets FillMode(); fires OnChange.
  void SetFillMode(TBkgFill value);

  /// Forgets a file that could not be loaded, without notifying, so later paints do not retry it.
  void ClearNameSilently() { name_.clear(); }

  /// Runs after every change through a setter, with these settings as the sender.
  ///
  /// Set by the chart: it repaints when its \c AutoRedraw is on (or it is being designed).
  /// Unset, it is skipped.
  TNotifyEvent OnChange;

 private:
  void Changed() { Notify(OnChange, this); }

  QString name_;
  bool include_path_ = false;
  TBkgFill fill_mode_ = bfStretch;
};

}  // namespace zeph
