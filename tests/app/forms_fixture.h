#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QObject>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/aboutbox.h"
#include "app/mainfrm.h"
#include "zeph/chart/zephchart.h"
#include "host/ostreldemon.h"
#include "host/server/demonserver.h"
#include "platform/isolated_runtime.h"
#include "zeph/toolkit/tcolor.h"

// Ends every modal showing of a dialog as soon as it is up, after running a check while it is
// shown; counts the showings.
class DialogCloser : public QObject {
 public:
  using Closer = std::function<void(QDialog&)>;

  DialogCloser(QDialog* dialog, std::function<void()> while_shown, Closer close)
      : dialog_(dialog), while_shown_(std::move(while_shown)), close_(std::move(close)) {
    dialog_->installEventFilter(this);
  }
  ~DialogCloser() override { dialog_->removeEventFilter(this); }

  int Shows() const { return shows_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == dialog_ && event->type() == QEvent::Show) {
      ++shows_;
      QTimer::singleShot(0, dialog_, [this] {
        if (while_shown_) while_shown_();
        close_(*dialog_);
      });
    }
    return false;
  }

 private:
  QDialog* dialog_;
  std::function<void()> while_shown_;
  Closer close_;
  int shows_ = 0;
};

// The application's two forms as the program creates them, registered as its single instances.
// The program seems to lie in a temporary folder of its own (its dictionary and icons go there),
// and it runs in its own runtime directory and registry, with the end of the application and of
// the process and the message box replaced by records. The forms are made on first use, so
// that a test can put a dictionary beside the program first.
class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  TForm1& form();
  TFrmAbout& about();

  // The folder the program seems to lie in, with a trailing "/"; its parent is the test's too.
  QString ProgramDir() const { return program_dir_.path() + QStringLiteral("/program/"); }
  // Writes the dictionary that the form reads beside the program when it is made.
  void WriteDictionary(const QByteArray& entries);
  // Replaces the loaded dictionary of a form already made.
  void LoadDictionary(const QByteArray& entries);
  // Destroys the forms (before the test's own objects they might talk to).
  void DestroyForms();

  // Shows the main window and waits until its start-up has shown the about box (closed by its OK
  // button after while_shown ran) and drawn the curves.
  void ShowAndStartUp(std::function<void()> while_shown = {});

  // Runs the event loop (and deferred deletions) until done() or five seconds have passed.
  static bool PumpUntil(const std::function<bool()>& done);
  // Gives the event loop a few turns.
  static void Pump();

  THostProcess process_;
  std::vector<std::string> messages_;
  std::vector<int> exits_;
  int terminations_ = 0;

 private:
  TIsolatedRuntime runtime_;
  QTemporaryDir program_dir_;
  std::unique_ptr<TForm1> form_;
  TFrmAbout* about_ = nullptr;
  std::function<THostProcess()> saved_process_;
  std::function<void(const std::string&)> saved_message_;
  std::function<void()> saved_terminate_;
  std::function<void(int)> saved_exit_;
};

// Clicks the about box's OK button.
void ClickOk(QDialog& dialog);

// Whether a pixel of the colour lies within one pixel of (x, y).
bool ColourNear(const QImage& image, zeph::TColor colour, int x, int y);

// Blue pixels of the curves inside a chart's plot area.
int CurvePixels(const zeph::TZephChart& chart);
