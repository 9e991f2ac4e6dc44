#pragma once

#include <QObject>
#include <functional>

class QTimer;
class TTrackBar;

// Tells a screen reader what each move of a slider did: every step at once as the slider's value
// (which the reader speaks in the slider's value words), and, once the slider has rested for a
// moment, one sentence of what changed since it last rested, so that dragging does not flood the
// listener with sentences.
class TSliderNarrator : public QObject {
 public:
  // Sentence gives the sentence for a move from one rest position to another.
  TSliderNarrator(TTrackBar* slider, std::function<QString(int before, int after)> sentence);

  // After every change of the slider's position.
  void Changed();
  // How long the slider must rest before the sentence comes, in milliseconds.
  static constexpr int kRestMs = 500;

 private:
  void Rested();

  TTrackBar* slider_;
  std::function<QString(int, int)> sentence_;
  QTimer* rest_;
  int rested_at_;
};
