#pragma once

#include <QString>
#include <functional>

#include "app/output/handout.h"

class QWidget;

// "Save handout…" from the window: asks for a file name and writes the handout there; a failure
// is said in a message box, in the window's language, and the old file stays.
class THandoutDialog {
 public:
  // Asks the user for the file to write (empty: cancelled); a file dialog unless replaced.
  using TChooseFile = std::function<QString(QWidget* parent, const QString& caption)>;
  static TChooseFile& ChooseFileHook();
  // Tells the user why the handout was not written; a message box unless replaced.
  using TReport = std::function<void(QWidget* parent, const QString& text)>;
  static TReport& ReportHook();

  static void Save(QWidget* parent, const THandout& handout);
};
