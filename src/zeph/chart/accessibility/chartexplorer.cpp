// Exploring a chart's curves point by point from the keyboard, and hearing them.
#include "zeph/chart/chartexplorer.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <algorithm>
#include <cmath>

#include "zeph/chart/accessibility/chartaccessible_p.h"
#include "zeph/chart/accessibility/chartdescription_p.h"
#include "zeph/chart/chartsound.h"
#include "zeph/chart/zephchart.h"
#include "zeph/chart/zephchart_p.h"
#include "zeph/toolkit/contrast.h"

namespace zeph {

TChartExplorer::TChartExplorer(TCustomZephChart* chart) : QObject(chart), chart_(chart) {
  setObjectName(QStringLiteral("Explorer"));
}

void TChartExplorer::SetEnabled(bool value) {
  if (!value) Leave();
  enabled_ = value;
}

void TChartExplorer::Select(int curve, int point) {
  const std::vector<TChartCurve> curves = ChartCurves(*chart_);
  if (curves.empty()) {
    Leave();
    return;
  }
  curve_ = std::clamp(curve, 0, static_cast<int>(curves.size()) - 1);
  const int count = static_cast<int>(curves[static_cast<std::size_t>(curve_)].Points.size());
  point_ = std::clamp(point, 0, count - 1);
  active_ = true;
  Moved();
}

void TChartExplorer::Leave() {
  if (!active_) return;
  active_ = false;
  in_table_ = false;
  curve_ = 0;
  point_ = 0;
  Moved();
}

int TChartExplorer::TableRow() const {
  if (!active_) return 0;
  int row = point_;
  const std::vector<TChartCurve> curves = ChartCurves(*chart_);
  for (int c = 0; c < curve_ && c < static_cast<int>(curves.size()); ++c)
    row += static_cast<int>(curves[static_cast<std::size_t>(c)].Points.size());
  return row;
}

void TChartExplorer::SelectRow(int row, const std::vector<TChartCurve>& curves) {
  int rows = 0;
  for (const TChartCurve& curve : curves) rows += static_cast<int>(curve.Points.size());
  row = std::clamp(row, 0, rows - 1);
  int curve = 0;
  while (row >= static_cast<int>(curves[static_cast<std::size_t>(curve)].Points.size())) {
    row -= static_cast<int>(curves[static_cast<std::size_t>(curve)].Points.size());
    ++curve;
  }
  MoveTo(curve, row, curves);
}

QString TChartExplorer::Position() const {
  const std::vector<TChartCurve> curves = ChartCurves(*chart_);
  if (!active_ || static_cast<std::size_t>(curve_) >= curves.size()) return chart_->Texts().KeyHint;
  const TChartTexts& texts = chart_->Texts();
  const std::size_t points = curves[static_cast<std::size_t>(curve_)].Points.size();
  QString position = FillTemplate(texts.PointOf, {QString::number(point_ + 1), QString::number(points)});
  if (curves.size() > 1)
    position += QStringLiteral(", ") +
                FillTemplate(texts.CurveNumber, {QString::number(curve_ + 1), QString::number(curves.size())});
  return position;
}

std::optional<QPointF> TChartExplorer::CurrentPoint() const {
  if (!active_) return std::nullopt;
  const std::vector<TChartCurve> curves = ChartCurves(*chart_);
  if (static_cast<std::size_t>(curve_) >= curves.size()) return std::nullopt;
  const std::vector<QPointF>& points = curves[static_cast<std::size_t>(curve_)].Points;
  if (static_cast<std::size_t>(point_) >= points.size()) return std::nullopt;
  return points[static_cast<std::size_t>(point_)];
}

QString TChartExplorer::PointName() const {
  const std::optional<QPointF> p = CurrentPoint();
  if (!p) return {};
  const TChartTexts& texts = chart_->Texts();
  const int layer = chart_->CurrentLayer();
  const TAxisQuantity x = SpokenQuantity(*chart_, layer, false);
  const TAxisQuantity y = SpokenQuantity(*chart_, layer, true);
  QString name = FillTemplate(texts.PointName,
                              {QuantityWithValue(x, p->x(), texts), QuantityWithValue(y, p->y(), texts)});
  const std::vector<TChartCurve> curves = ChartCurves(*chart_);
  QString note = PointNote ? PointNote(curve_, *p) : QString();
  if (!note.isEmpty()) note.prepend(QStringLiteral(", "));
  if (entering_) return name + note + QStringLiteral(", ") + Position();
  if (curves.size() > 1)
    name += QStringLiteral(", ") +
            FillTemplate(texts.CurveNumber, {QString::number(curve_ + 1), QString::number(curves.size())});
  name += note;
  const int last = static_cast<int>(curves[static_cast<std::size_t>(curve_)].Points.size()) - 1;
  if (point_ == last && last > 0) name += QStringLiteral(", ") + texts.LastPoint;
  if (point_ == 0 && last > 0) name += QStringLiteral(", ") + texts.FirstPoint;
  return name;
}

bool TChartExplorer::HandleKey(int key, Qt::KeyboardModifiers modifiers) {
  if (!enabled_ || (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) return false;
  if (key == Qt::Key_Escape) {
    if (!active_) return false;
    Leave();
    return true;
  }
  const TChartTexts& texts = chart_->Texts();
  switch (key) {
    case Qt::Key_S: ChartAnnounce(chart_, PlayCurve() ? texts.Playing : texts.NoSound); return true;
    case Qt::Key_H: ChartAnnounce(chart_, texts.Help); return true;
    case Qt::Key_I: ChartAnnounce(chart_, Position()); return true;
    default: break;
  }
  const std::vector<TChartCurve> curves = ChartCurves(*chart_);
  const auto count = [&](int c) { return static_cast<int>(curves[static_cast<std::size_t>(c)].Points.size()); };
  switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_T: break;
    default: return false;
  }
  if (curves.empty()) {
    QApplication::beep();
    return true;
  }
  if (key == Qt::Key_T) {
    in_table_ = !in_table_ || !active_;
    if (!active_) entering_ = true;
    Select(active_ ? curve_ : 0, active_ ? point_ : 0);
    entering_ = false;
    return true;
  }
  if (!active_ || static_cast<std::size_t>(curve_) >= curves.size()) {
    entering_ = true;
    Select(0, key == Qt::Key_End ? count(0) - 1 : 0);
    entering_ = false;
    return true;
  }
  if (in_table_) return HandleTableKey(key, curves);
  const int n = count(curve_);
  const int page = std::max(1, n / 10);
  switch (key) {
    case Qt::Key_Left: MoveTo(curve_, point_ - 1, curves); break;
    case Qt::Key_Right: MoveTo(curve_, point_ + 1, curves); break;
    case Qt::Key_Home: MoveTo(curve_, 0, curves); break;
    case Qt::Key_End: MoveTo(curve_, n - 1, curves); break;
    case Qt::Key_PageUp: MoveTo(curve_, point_ - page, curves); break;
    case Qt::Key_PageDown: MoveTo(curve_, point_ + page, curves); break;
    default: {
      if (curves.size() == 1) {
        ChartAnnounce(chart_, texts.OnlyCurve);
        break;
      }
      // Up and Down: the neighbouring curve, at the point nearest to the current x.
      const int next = std::clamp(curve_ + (key == Qt::Key_Down ? 1 : -1), 0, static_cast<int>(curves.size()) - 1);
      const double x = curves[static_cast<std::size_t>(curve_)].Points[static_cast<std::size_t>(point_)].x();
      const std::vector<QPointF>& points = curves[static_cast<std::size_t>(next)].Points;
      const auto nearest = std::min_element(points.begin(), points.end(), [x](const QPointF& a, const QPointF& b) {
        return std::abs(a.x() - x) < std::abs(b.x() - x);
      });
      MoveTo(next, static_cast<int>(nearest - points.begin()), curves);
    }
  }
  return true;
}

void TChartExplorer::MoveTo(int curve, int point, const std::vector<TChartCurve>& curves) {
  curve = std::clamp(curve, 0, static_cast<int>(curves.size()) - 1);
  const int last = static_cast<int>(curves[static_cast<std::size_t>(curve)].Points.size()) - 1;
  point = std::clamp(point, 0, last);
  if (curve != curve_ || point != point_) {
    Select(curve, point);
    return;
  }
  // Nowhere to go: the point stays, and the end it stands at is said.
  if (point == last) ChartAnnounce(chart_, chart_->Texts().LastPoint);
  else if (point == 0) ChartAnnounce(chart_, chart_->Texts().FirstPoint);
}

bool TChartExplorer::HandleTableKey(int key, const std::vector<TChartCurve>& curves) {
  int rows = 0;
  for (const TChartCurve& curve : curves) rows += static_cast<int>(curve.Points.size());
  const int row = TableRow();
  const int page = std::max(1, rows / 10);
  switch (key) {
    case Qt::Key_Up: SelectRow(row - 1, curves); break;
    case Qt::Key_Down: SelectRow(row + 1, curves); break;
    case Qt::Key_Home: SelectRow(0, curves); break;
    case Qt::Key_End: SelectRow(rows - 1, curves); break;
    case Qt::Key_PageUp: SelectRow(row - page, curves); break;
    case Qt::Key_PageDown: SelectRow(row + page, curves); break;
    default:
      column_ = key == Qt::Key_Left ? 0 : 1;
      Moved();
  }
  return true;
}

bool TChartExplorer::PlayCurve() {
  const std::vector<TChartCurve> curves = ChartCurves(*chart_);
  if (curves.empty()) {
    QApplication::beep();
    return false;
  }
  const TChartCurve& curve =
      curves[static_cast<std::size_t>(active_ ? std::min<std::size_t>(curve_, curves.size() - 1) : 0)];
  const TSoundSettings settings;
  QString program;
  QStringList arguments;
  for (const char* name : {"paplay", "pw-play", "aplay", "play"}) {
    program = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (program.isEmpty()) continue;
    if (QLatin1String(name) == QLatin1String("aplay")) arguments << QStringLiteral("-q");
    if (QLatin1String(name) == QLatin1String("play")) arguments << QStringLiteral("-q");
    break;
  }
  if (program.isEmpty()) {
    QApplication::beep();
    return false;
  }
  auto* file = new QTemporaryFile(QDir::tempPath() + QStringLiteral("/zeph-chart-XXXXXX.wav"));
  if (!file->open() || file->write(WavBytes(CurveSound(*chart_, curve, settings), settings.SampleRate)) < 0) {
    delete file;
    QApplication::beep();
    return false;
  }
  file->close();
  // One sound at a time: a new press stops the one still playing.
  if (player_ != nullptr) player_->kill();
  auto* player = new QProcess(this);
  player_ = player;
  file->setParent(player);
  const auto finish = [this, player] {
    if (player_ == player) player_ = nullptr;
    player->deleteLater();
  };
  // A machine without sound output: the player fails, and a beep says so instead.
  connect(player, &QProcess::finished, this, [this, player, finish](int code, QProcess::ExitStatus status) {
    if (player_ == player && (status != QProcess::NormalExit || code != 0)) QApplication::beep();
    finish();
  });
  connect(player, &QProcess::errorOccurred, this, [finish](QProcess::ProcessError error) {
    if (error == QProcess::FailedToStart) {
      QApplication::beep();
      finish();
    }
  });
  player->setProcessChannelMode(QProcess::MergedChannels);
  player->setStandardOutputFile(QProcess::nullDevice());
  player->start(program, arguments << file->fileName());
  return true;
}

void TChartExplorer::DataChanged() {
  if (!active_) return;
  const std::vector<TChartCurve> curves = ChartCurves(*chart_);
  if (curves.empty()) {
    Leave();
    return;
  }
  const int curve = std::min(curve_, static_cast<int>(curves.size()) - 1);
  const int point = std::min(point_, static_cast<int>(curves[static_cast<std::size_t>(curve)].Points.size()) - 1);
  curve_ = curve;
  point_ = point;
  Moved();
}

void TChartExplorer::Moved() {
  chart_->update();
  ChartPointChanged(chart_);
}

void TChartExplorer::PaintCursor(QPainter& painter) const {
  const std::optional<QPointF> p = CurrentPoint();
  if (!p) return;
  const QPointF pixel = chart_->WorldToPixelF(chart_->CurrentLayer(), p->x(), p->y());
  const QRectF area(chart_->LRim(), chart_->TRim(), chart_->ChartWidth() + 1, chart_->ChartHeight() + 1);
  const QColor colour =
      FocusIndicatorColor(chart_->palette().color(QPalette::Highlight), ColorToQColor(chart_->ChartColor()));
  painter.save();
  painter.setClipRect(area);
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen line(colour, 1, Qt::DashLine);
  painter.setPen(line);
  const QPointF centre(std::floor(pixel.x()) + 0.5, std::floor(pixel.y()) + 0.5);
  painter.drawLine(QPointF(area.left(), centre.y()), QPointF(area.right(), centre.y()));
  painter.drawLine(QPointF(centre.x(), area.top()), QPointF(centre.x(), area.bottom()));
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(colour, 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(centre, 5, 5);
  painter.restore();
}

}  // namespace zeph
