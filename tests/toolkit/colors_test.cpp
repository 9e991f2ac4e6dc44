#include <gtest/gtest.h>

#include "zeph/toolkit/ansi.h"
#include "zeph/toolkit/component.h"
#include "zeph/toolkit/exception.h"
#include "zeph/toolkit/tapplication.h"
#include "zeph/toolkit/tcolor.h"

#include <QObject>
#include <QTimer>
#include <QCoreApplication>
#include <QPalette>

using namespace zeph;

TEST(ColorTest, ValuesKeepRedInTheLowByte) {
  EXPECT_EQ(clBlue, 16711680u);
  EXPECT_EQ(clBtnFace, 2147483663u);
  EXPECT_EQ(clGrayText, 2147483665u);
  EXPECT_EQ(ColorToQColor(clBlue), QColor(0, 0, 255));
  EXPECT_EQ(QColorToColor(QColor(1, 2, 3)), RGBColor(1, 2, 3));
  EXPECT_EQ(ColorToRGB(0x12345678), 0x345678u);
  // System colours resolve through the palette to plain colours.
  EXPECT_EQ(ColorToRGB(clBtnFace) & clSystemColor, 0u);
  EXPECT_EQ(ColorToQColor(clBtnFace), QGuiApplication::palette().color(QPalette::Active, QPalette::Button));
}

TEST(AnsiTest, Windows1252RoundTrip) {
  const std::string bytes = "Gr\xF6\xDF" "e \x80 \x93x\x94";
  const QString text = AnsiToQString(bytes);
  EXPECT_EQ(text, QString::fromUtf8("Größe € “x”"));
  EXPECT_EQ(QStringToAnsi(text), bytes);
  EXPECT_EQ(QStringToAnsi(QString::fromUtf8("a\u4e2db")), "a?b");
  // Every byte survives the way there and back.
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  EXPECT_EQ(QStringToAnsi(AnsiToQString(all)), all);
}

namespace {

class Recorder : public QObject, public TComponentLoading {
 public:
  Recorder(QObject* parent, std::vector<QString>* log, const QString& name) : QObject(parent), log_(log) {
    setObjectName(name);
  }

 protected:
  void Loaded() override { log_->push_back(objectName()); }

 private:
  std::vector<QString>* log_;
};

}  // namespace

TEST(ComponentTest, LoadedRunsInCreationOrderAfterTheWholeForm) {
  std::vector<QString> log;
  QObject form;
  auto* a = new Recorder(&form, &log, QStringLiteral("a"));
  new Recorder(a, &log, QStringLiteral("a1"));
  auto* b = new Recorder(&form, &log, QStringLiteral("b"));
  BeginFormLoading(&form);
  EXPECT_TRUE(a->IsLoading());
  EXPECT_TRUE(b->IsLoading());
  EXPECT_TRUE(log.empty());
  EndFormLoading(&form);
  EXPECT_EQ(log, (std::vector<QString>{"a", "a1", "b"}));
  EXPECT_FALSE(b->IsLoading());
  EndFormLoading(&form);  // a second end changes nothing
  EXPECT_EQ(log.size(), 3u);
}

namespace {

class Thrower : public QObject {
 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw Exception(std::string("Something failed"));
    return QObject::event(e);
  }
};

}  // namespace

TEST(ApplicationTest, AnEscapedExceptionIsShownAndTheProgramGoesOn) {
  QStringList shown;
  TApplication::MessageHook() = [&](const QString& m) { shown << m; };
  Thrower thrower;
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  TApplication::MessageHook() = nullptr;
  EXPECT_EQ(shown, (QStringList{"Something failed", "Something failed"}));
}
