#pragma once

#include <QSlider>
#include <cstdint>
#include <functional>

#include "zeph/toolkit/controlplacement.h"
#include "zeph/toolkit/events.h"

enum TTickMark : std::uint8_t { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle : std::uint8_t { tsNone, tsAuto, tsManual };

class QProxyStyle;

// A track bar: a slider over Min..Max whose thumb moves by one position with the arrow keys and by
// PageSize with Page Up/Down and clicks beside the thumb. With the automatic tick style a tick
// stands at every Frequency positions on the TickMarks side(s) of the track.
class TTrackBar : public QSlider {
  Q_OBJECT
  Q_PROPERTY(int Min READ Min WRITE SetMin)
  Q_PROPERTY(int Max READ Max WRITE SetMax)
  Q_PROPERTY(int Position READ Position WRITE SetPosition)
  Q_PROPERTY(int PageSize READ PageSize WRITE SetPageSize)
  Q_PROPERTY(int Frequency READ Frequency WRITE SetFrequency)
  Q_PROPERTY(TTickMark TickMarks READ TickMarks WRITE SetTickMarks)
  Q_PROPERTY(TTickStyle TickStyle READ TickStyle WRITE SetTickStyle)
  Q_PROPERTY(int ThumbLength READ ThumbLength WRITE SetThumbLength)

 public:
  explicit TTrackBar(QWidget* parent = nullptr);

  int Min() const { return minimum(); }
  void SetMin(int value) { setMinimum(value); }
  int Max() const { return maximum(); }
  void SetMax(int value) { setMaximum(value); }
  int Position() const { return value(); }
  // Clamped to Min..Max; a change fires OnChange.
  void SetPosition(int value) { setValue(value); }
  int PageSize() const { return pageStep(); }
  void SetPageSize(int value) { setPageStep(value); }
  int Frequency() const { return frequency_; }
  void SetFrequency(int value);
  TTickMark TickMarks() const { return tick_marks_; }
  void SetTickMarks(TTickMark value);
  TTickStyle TickStyle() const { return tick_style_; }
  void SetTickStyle(TTickStyle value);
  // The thumb's extent across the track, in pixels.
  int ThumbLength() const { return thumb_length_; }
  void SetThumbLength(int value);

  // After every change of Position, by the user or by the program.
  zeph::TNotifyEvent OnChange;

  // The position in words for assistive technology ("abrupt, 0"); the number alone unless
  // ValueWords is set.
  QString ValueText() const { return ValueWords ? ValueWords(Position()) : QString::number(Position()); }
  std::function<QString(int position)> ValueWords;
  // What assistive technology reads as the slider's description. Setting it sends no event: the
  // owner announces a change when it has one to tell.
  QString Description;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ApplyTicks();

  int frequency_ = 1;
  TTickMark tick_marks_ = tmBottomRight;
  TTickStyle tick_style_ = tsAuto;
  int thumb_length_ = 20;
  QProxyStyle* thumb_style_;
};
