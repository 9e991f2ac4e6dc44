#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "host/ostreldemon.h"
#include "host/server/demonserver.h"
#include "platform/isolated_runtime.h"

// A form with one translatable caption, as the component's owner.
class TTestForm : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

 public:
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption) { caption_ = caption; }

 private:
  QString caption_ = QStringLiteral("BF_Greeting");
};

// A participant of its own window class, for talking to a component from the same process. Its
// queries answer what the test sets.
class TTestPeer : public TkdbCustomDemon {
 public:
  explicit TTestPeer(const std::string& className, QObject* owner = nullptr)
      : TkdbCustomDemon(owner), class_name_(className) {
    CreateWindowHandle();
  }
  ~TTestPeer() override { BeginDestruction(); }

  std::string GetWindowClassName() const override { return class_name_; }
  std::string GetWindowName() const override { return "peer"; }
  std::unique_ptr<TEntity> FindEntityByTitle(const std::string&) override {
    if (FoundEntity == 0) return nullptr;
    auto entity = std::make_unique<TEntity>(this);
    entity->Handle = FoundEntity;
    return entity;
  }
  std::unique_ptr<TEntity> FindEntityByHandle(std::uint32_t) override { return nullptr; }
  std::int32_t ExecuteProgram(const std::string&, const std::string&, bool, std::int32_t) override { return 0; }
  std::unique_ptr<QBuffer> GetFileStream(const std::string&) override { return nullptr; }
  std::string MapFileName(const std::string& name) override { return name; }
  std::string QueryString(const std::string& text) override { return text; }
  std::string GetVariable(const std::string&) override { return {}; }

  // Sends a message of that type and payload to a window, as it is (its time stamp untouched).
  void Post(std::uint32_t window, std::int32_t type, const std::string& payload, TTimeStamp stamp) {
    TEntity target(this);
    target.Handle = window;
    TLexivoMessageStream msg(this);
    msg.MsgType = type;
    msg.Write(payload);
    msg.TimeStamp = stamp;
    TransmitMessage(target, msg, nullptr);
  }
  void RunCheckMultiStart() { CheckMultiStart(); }

  std::uint32_t FoundEntity = 0;

 private:
  std::string class_name_;
};

// Every host test runs in its own runtime directory and registry, with the running program,
// the message box, the end of the application and the end of the process replaced.
class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_process_ = TkdbCustomDemon::ProcessHook();
    saved_message_ = TkdbCustomDemon::MessageHook();
    saved_terminate_ = TkdbCustomDemon::TerminateHook();
    saved_exit_ = TkdbCustomDemon::ExitProcessHook();
    process_.Arguments = {"/opt/sims/varsim.exe"};
    process_.ExePath = QStringLiteral("/opt/sims/varsim.exe");
    process_.Title = "Varsim";
    TkdbCustomDemon::ProcessHook() = [this] { return process_; };
    TkdbCustomDemon::MessageHook() = [this](const std::string& text) { messages_.push_back(text); };
    TkdbCustomDemon::TerminateHook() = [this] { ++terminations_; };
    TkdbCustomDemon::ExitProcessHook() = [this](int code) { exits_.push_back(code); };
  }
  void TearDown() override {
    TkdbCustomDemon::ProcessHook() = saved_process_;
    TkdbCustomDemon::MessageHook() = saved_message_;
    TkdbCustomDemon::TerminateHook() = saved_terminate_;
    TkdbCustomDemon::ExitProcessHook() = saved_exit_;
  }

  // A server in this process, published in the registry under its handle text.
  TkdbDemonServer* StartServer(TServerSettings settings = {}) {
    if (settings.HandleText.empty()) settings.HandleText = "5e4a";
    auto* server = new TkdbDemonServer(nullptr, std::move(settings));
    server->OnLog = [this](const std::string& line) { log_.push_back(line); };
    EXPECT_TRUE(server->Publish());
    return server;
  }

  // Runs the event loop (and deferred deletions) until done() or five seconds have passed.
  template <typename Done>
  bool PumpUntil(Done done) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 5000) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return done();
  }

  // The server's lines about participants (registering, unregistering, quitting).
  std::vector<std::string> ParticipantLog() const {
    std::vector<std::string> lines;
    for (const std::string& line : log_) {
      if (line.rfind("register", 0) == 0 || line.rfind("unregister", 0) == 0 || line.rfind("quit", 0) == 0) {
        lines.push_back(line);
      }
    }
    return lines;
  }
  // Gives the event loop a few turns.
  static void Pump() {
    for (int i = 0; i < 5; ++i) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
  }

  TIsolatedRuntime runtime_;
  THostProcess process_;
  std::vector<std::string> messages_;
  std::vector<std::string> log_;
  std::vector<int> exits_;
  int terminations_ = 0;

 private:
  std::function<THostProcess()> saved_process_;
  std::function<void(const std::string&)> saved_message_;
  std::function<void()> saved_terminate_;
  std::function<void(int)> saved_exit_;
};
