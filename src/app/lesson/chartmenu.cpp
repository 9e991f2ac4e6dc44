#include "app/lesson/chartmenu.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

#include "zeph/chart/zephchart.h"

TChartMenu::TChartMenu(zeph::TCustomZephChart* chart, TActions actions)
    : QObject(chart), chart_(chart), actions_(std::move(actions)) {
  chart->installEventFilter(this);
}

bool TChartMenu::eventFilter(QObject* watched, QEvent* event) {
  if (watched != chart_) return false;
  if (event->type() == QEvent::ContextMenu) {
    ShowMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  }
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy)) {
      Copy();
      return true;
    }
    if (key->key() == Qt::Key_K && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      actions_.keep();
      return true;
    }
  }
  return false;
}

void TChartMenu::Copy() { QGuiApplication::clipboard()->setText(actions_.table(*chart_)); }

void TChartMenu::ShowMenu(const QPoint& global_position) {
  QMenu menu(chart_);
  menu.addAction(chart_->Texts().CopyData, chart_, [this] { Copy(); });
  menu.addAction(chart_->Texts().PlaySound, chart_, [this] { chart_->Explorer()->PlayCurve(); });
  menu.addSeparator();
  QAction* keep = menu.addAction(actions_.keep_text, chart_, [this] { actions_.keep(); });
  keep->setShortcut(QKeySequence(Qt::Key_K));
  QAction* clear = menu.addAction(actions_.clear_text, chart_, [this] { actions_.clear(); });
  clear->setEnabled(actions_.any_kept());
  menu.addSeparator();
  menu.addAction(actions_.handout_text, chart_, [this] { actions_.save_handout(); });
  QAction* projector = menu.addAction(actions_.projector_text, chart_, [this] { actions_.toggle_projector(); });
  projector->setCheckable(true);
  projector->setChecked(actions_.projector_on());
  menu.exec(global_position);
}
