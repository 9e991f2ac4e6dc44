#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

// The server's control input: the lines that arrive on a descriptor (standard input), and the
// termination signals. Both are served like the server's windows, from the event loop and while
// the server waits for a participant, so that a participant that never answers cannot block them.
class TControlInput : public QObject {
 public:
  explicit TControlInput(int fd, QObject* parent = nullptr);
  ~TControlInput() override;

  // One line without its line end.
  std::function<void(const QString& line)> OnLine;
  // SIGINT or SIGTERM arrived.
  std::function<void()> OnTerminate;

 private:
  // Reads what is there and passes on the complete lines; false at the end of the input.
  bool ReadLines();
  void ReadSignal();

  int fd_;
  std::string pending_;
  bool watching_lines_ = false;
  bool watching_signals_ = false;
};
