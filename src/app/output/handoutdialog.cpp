#include "app/output/handoutdialog.h"

#include <QFileDialog>
#include <QMessageBox>

#include "app/spokentexts.h"

THandoutDialog::TChooseFile& THandoutDialog::ChooseFileHook() {
  static TChooseFile hook = [](QWidget* parent, const QString& caption) {
    return QFileDialog::getSaveFileName(parent, caption, QStringLiteral("varactor-handout.pdf"),
                                        QStringLiteral("PDF (*.pdf)"));
  };
  return hook;
}

THandoutDialog::TReport& THandoutDialog::ReportHook() {
  static TReport hook = [](QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, QStringLiteral("Varactor"), text);
  };
  return hook;
}

void THandoutDialog::Save(QWidget* parent, const THandout& handout) {
  const QString file = ChooseFileHook()(parent, Spoken(handout.dictionary, QStringLiteral("Save handout…")));
  if (file.isEmpty()) return;
  const QString error = WriteHandout(handout, file);
  if (!error.isEmpty())
    ReportHook()(parent, Spoken(handout.dictionary, QStringLiteral("The handout was not written:")) +
                             QLatin1Char(' ') + error);
}
