#pragma once

#include <QObject>
#include <QString>

// The client's stand-in for a main window: one translatable caption.
class TDemoForm : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

 public:
  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption) { caption_ = caption; }

 private:
  QString caption_ = QStringLiteral("BF_Greeting");
};
