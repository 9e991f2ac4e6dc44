#include "zeph/toolkit/displayguard.h"

#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <QStringList>

using namespace zeph;

namespace {

QStringList* captured = nullptr;

void Capture(QtMsgType, const QMessageLogContext& context, const QString& text) {
  captured->append(QString::fromLatin1(context.category ? context.category : "") + QLatin1Char('|') + text);
}

Q_LOGGING_CATEGORY(lcGuardTest, "varactor.guardtest")

// Messages while the application starts are held, and reach the handler that was there before,
// with their category, once the start has gone well.
TEST(DisplayGuardTest, HoldsMessagesUntilTheStartHasGoneWell) {
  QStringList messages;
  captured = &messages;
  const QtMessageHandler before = qInstallMessageHandler(Capture);
  {
    const TDisplayGuard guard(QStringLiteral("demo"));
    qWarning("first");
    qCWarning(lcGuardTest) << "second";
    EXPECT_TRUE(messages.isEmpty());
  }
  ASSERT_EQ(messages.size(), 2);
  EXPECT_EQ(messages[0], "default|first");
  EXPECT_EQ(messages[1], "varactor.guardtest|second");
  qWarning("after");
  EXPECT_EQ(messages.size(), 3);
  qInstallMessageHandler(before);
  captured = nullptr;
}

// Puts an environment variable back as it was when the test began.
class RestoredVariable {
 public:
  explicit RestoredVariable(const char* name)
      : name_(name), set_(qEnvironmentVariableIsSet(name)), value_(qgetenv(name)) {}
  ~RestoredVariable() {
    if (set_)
      qputenv(name_, value_);
    else
      qunsetenv(name_);
  }

 private:
  const char* name_;
  bool set_;
  QByteArray value_;
};

TEST(DisplayGuardTest, FailureLineNamesTheProgramTheDisplayAndTheHint) {
  const RestoredVariable display("DISPLAY");
  const RestoredVariable platform("QT_QPA_PLATFORM");
  const RestoredVariable wayland("WAYLAND_DISPLAY");
  qunsetenv("QT_QPA_PLATFORM");
  qunsetenv("WAYLAND_DISPLAY");
  qputenv("DISPLAY", ":4099");
  EXPECT_EQ(TDisplayGuard(QStringLiteral("demo"), QStringLiteral("try --render")).FailureLine(),
            "demo: cannot open a window: no usable display (DISPLAY=:4099); try --render");
  qunsetenv("DISPLAY");
  EXPECT_EQ(TDisplayGuard(QStringLiteral("demo")).FailureLine(),
            "demo: cannot open a window: no usable display (DISPLAY is not set)");
}

}  // namespace
