#include "forms_fixture.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include "app/controls/tbitbtn.h"
#include "app/varactormodel.h"
#include "common/image_probe.h"

using namespace zeph;

void FormsTest::SetUp() {
  // The tests close windows without running the application's loop; closing one must not quit.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  saved_process_ = TkdbCustomDemon::ProcessHook();
  saved_message_ = TkdbCustomDemon::MessageHook();
  saved_terminate_ = TkdbCustomDemon::TerminateHook();
  saved_exit_ = TkdbCustomDemon::ExitProcessHook();
  process_.ExePath = ProgramDir() + QStringLiteral("varactor");
  process_.Arguments = {process_.ExePath.toStdString()};
  process_.Title = "varactor";
  TkdbCustomDemon::ProcessHook() = [this] { return process_; };
  TkdbCustomDemon::MessageHook() = [this](const std::string& text) { messages_.push_back(text); };
  TkdbCustomDemon::TerminateHook() = [this] { ++terminations_; };
  TkdbCustomDemon::ExitProcessHook() = [this](int code) { exits_.push_back(code); };
  ASSERT_TRUE(QDir().mkpath(ProgramDir()));
}

void FormsTest::TearDown() {
  DestroyForms();
  TkdbCustomDemon::ProcessHook() = saved_process_;
  TkdbCustomDemon::MessageHook() = saved_message_;
  TkdbCustomDemon::TerminateHook() = saved_terminate_;
  TkdbCustomDemon::ExitProcessHook() = saved_exit_;
}

TForm1& FormsTest::form() {
  if (!form_) {
    form_ = std::make_unique<TForm1>();
    about_ = new TFrmAbout(form_.get());
    Form1 = form_.get();
    FrmAbout = about_;
  }
  return *form_;
}

void FormsTest::DestroyForms() {
  FrmAbout = nullptr;
  Form1 = nullptr;
  about_ = nullptr;
  form_.reset();
}

TFrmAbout& FormsTest::about() {
  form();
  return *about_;
}

void FormsTest::WriteDictionary(const QByteArray& entries) {
  QFile file(ProgramDir() + QStringLiteral("varactor.itl"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(entries), entries.size());
}

void FormsTest::LoadDictionary(const QByteArray& entries) {
  QBuffer buffer;
  buffer.setData(entries);
  ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
  ASSERT_NE(form().Babelfish(), nullptr);
  form().Babelfish()->LoadFromStream(buffer);
}

void ClickOk(QDialog& dialog) { static_cast<TFrmAbout&>(dialog).BButOK->click(); }

void FormsTest::ShowAndStartUp(std::function<void()> while_shown) {
  DialogCloser closer(&about(), std::move(while_shown), ClickOk);
  form().show();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form_->ZCNd->Items().Count() > 0; }, 5000));
  EXPECT_EQ(closer.Shows(), 1);
}

bool FormsTest::PumpUntil(const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  return done();
}

void FormsTest::Pump() {
  for (int i = 0; i < 5; ++i) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

bool ColourNear(const QImage& image, TColor colour, int x, int y) {
  return CountPixels(image, colour, x - 1, y - 1, x + 2, y + 2) > 0;
}

int CurvePixels(const TZephChart& chart) {
  return CountPixels(chart.ControlImage(), varactor::kCurveColor, chart.LRim() + 1, chart.TRim() + 1,
                     chart.width() - chart.RRim(), chart.height() - chart.BRim());
}
