#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QImage>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/aboutbox.h"
#include "app/mainfrm.h"
#include "chart/zephchart.h"
#include "toolkit/tcolor.h"

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
class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The tests close windows without running the application's loop; closing one must not quit.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    form_ = std::make_unique<TForm1>();
    about_ = new TFrmAbout(form_.get());
    Form1 = form_.get();
    FrmAbout = about_;
  }
  void TearDown() override {
    FrmAbout = nullptr;
    Form1 = nullptr;
    form_.reset();
  }

  TForm1& form() { return *form_; }
  TFrmAbout& about() { return *about_; }

  // Shows the main window and waits until its start-up has shown the about box (closed by its OK
  // button after while_shown ran) and drawn the curves.
  void ShowAndStartUp(std::function<void()> while_shown = {});

 private:
  std::unique_ptr<TForm1> form_;
  TFrmAbout* about_ = nullptr;
};

// Clicks the about box's OK button.
void ClickOk(QDialog& dialog);

// Whether a pixel of the colour lies within one pixel of (x, y).
bool ColourNear(const QImage& image, TColor colour, int x, int y);

// Blue pixels of the curves inside a chart's plot area.
int CurvePixels(const TZephChart& chart);
