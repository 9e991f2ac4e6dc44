#include "app/aboutbox.h"

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QShowEvent>

#include "app/controls/tlabel.h"
#include "app/linkopener.h"
#include "app/textlimits.h"

using namespace zeph;

TFrmAbout* FrmAbout = nullptr;

const QString TFrmAbout::kSimulationsAddress = QStringLiteral("https://www.example.org/simulations/");

namespace {

constexpr TColor kLinkColor = clBlue;
constexpr TColor kHoverColor = clRed;

}  // namespace

TFrmAbout::TFrmAbout(QWidget* parent) : QDialog(parent) {
  ReadStoredDescription();
  LinkFailureHandler() = [box = QPointer<TFrmAbout>(this)](const QString& address) {
    if (box != nullptr) box->ShowLinkFailure(address);
  };
}

int TFrmAbout::ShowModal() { return exec(); }

void TFrmAbout::SetWindowTitle(const QString& title) { setWindowTitle(CutWindowTitle(title)); }

void TFrmAbout::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  if (window_released_) {
    window_released_ = false;
    QAccessibleEvent created(this, QAccessible::ObjectCreated);
    QAccessible::updateAccessibility(&created);
  }
  Notify(OnShow, this);
}

void TFrmAbout::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (event->spontaneous() || window_released_ || parentWidget() == nullptr) return;
  // Screen readers list an application's windows, shown or not: a closed box leaves the list
  // with its window, after the modal loop has let go of it.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (isVisible() || window_released_) return;
        QAccessibleEvent gone(this, QAccessible::ObjectDestroyed);
        QAccessible::updateAccessibility(&gone);
        destroy(true, true);
        window_released_ = true;
      },
      Qt::QueuedConnection);
}

void TFrmAbout::ShowLinkFailure(const QString& address) {
  QMessageBox box(QMessageBox::Warning, windowTitle(), LinkFailureText + QStringLiteral("\n\n") + address,
                  QMessageBox::Ok, this);
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box.exec();
}

void TFrmAbout::FormShow(QObject*) { LblHomePage->setVisible(true); }

void TFrmAbout::LblHomePageMouseMove(QObject*, Qt::KeyboardModifiers, int, int) {
  LblHomePage->SetFontColor(kHoverColor);
}

void TFrmAbout::LblSimusMouseMove(QObject*, Qt::KeyboardModifiers, int, int) { LblSimus->SetFontColor(kHoverColor); }

void TFrmAbout::Panel2MouseMove(QObject*, Qt::KeyboardModifiers, int, int) {
  LblHomePage->SetFontColor(kLinkColor);
  LblSimus->SetFontColor(kLinkColor);
}

void TFrmAbout::LblHomePageClick(QObject*) { OpenAddress(HomeURL); }

void TFrmAbout::LblSimusClick(QObject*) { OpenAddress(kSimulationsAddress); }

void TFrmAbout::BButOKClick(QObject*) { accept(); }

void TFrmAbout::OpenAddress(const QString& address) {
  // The box's own cursor comes back however the opening ends.
  struct CursorRestorer {
    QWidget* form;
    bool had_own_cursor;
    QCursor cursor;
    ~CursorRestorer() {
      if (had_own_cursor) form->setCursor(cursor);
      else form->unsetCursor();
    }
  } restorer{this, testAttribute(Qt::WA_SetCursor), cursor()};
  setCursor(Qt::BusyCursor);
  // Let the cursor change show before the desktop takes its time to start the browser.
  QApplication::processEvents();
  OpenLink(address);
}
