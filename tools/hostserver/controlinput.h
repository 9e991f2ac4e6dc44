#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <functional>
#include <memory>
#include <string>

// The server's control input: the lines that arrive on a descriptor (standard input), and the
// termination signals, both delivered from the event loop.
class TControlInput : public QObject {
 public:
  explicit TControlInput(int fd, QObject* parent = nullptr);
  ~TControlInput() override;

  // One line without its line end.
  std::function<void(const QString& line)> OnLine;
  // SIGINT or SIGTERM arrived.
  std::function<void()> OnTerminate;

 private:
  void ReadLines();
  void ReadSignal();

  int fd_;
  std::string pending_;
  std::unique_ptr<QSocketNotifier> lines_;
  std::unique_ptr<QSocketNotifier> signals_;
};
