#include "app/aboutbox.h"

#include <QApplication>
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

TFrmAbout::TFrmAbout(QWidget* parent) : QDialog(parent) { ReadStoredDescription(); }

int TFrmAbout::ShowModal() { return exec(); }

void TFrmAbout::SetWindowTitle(const QString& title) { setWindowTitle(CutWindowTitle(title)); }

void TFrmAbout::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  Notify(OnShow, this);
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
