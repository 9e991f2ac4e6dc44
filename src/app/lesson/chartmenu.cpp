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
    const auto* menu_event = static_cast<QContextMenuEvent*>(event);
    ShowMenu(menu_event->globalPos(), menu_event->reason() == QContextMenuEvent::Keyboard);
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

// Copies the table and says so, as the chart's own copy does: "copied 100 rows".
void TChartMenu::Copy() {
  const QString table = actions_.table(*chart_);
  QGuiApplication::clipboard()->setText(table);
  const QString rows = QString::number(table.count(QLatin1Char('\n')) - 1);
  chart_->Announce(zeph::FillTemplate(chart_->Texts().Copied, {rows}));
}

void TChartMenu::ShowMenu(const QPoint& global_position, bool from_keyboard) {
  QMenu menu(chart_);
  QAction* first = menu.addAction(chart_->Texts().CopyData, chart_, [this] { Copy(); });
  menu.addAction(chart_->Texts().PlaySound, chart_, [this] {
    chart_->Announce(chart_->Explorer()->PlayCurve() ? chart_->Texts().Playing : chart_->Texts().NoSound);
  });
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
  // Opened from the keyboard, the menu stands on its first entry, so that it is said at once.
  if (from_keyboard)
    QMetaObject::invokeMethod(&menu, [&menu, first] { menu.setActiveAction(first); }, Qt::QueuedConnection);
  menu.exec(global_position);
}
