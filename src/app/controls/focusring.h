#pragma once

#include <QFocusFrame>
#include <QPointer>

// The keyboard's place, drawn around whichever control has the focus, whatever brought the focus
// there (the styles show it only after a key moved it): a ring of two pixels in the palette's
// highlight colour, or black or white where that would not stand out from the background by 3:1.
// Charts draw their own. One ring serves the whole application; it is made on first use. It is a
// focus frame to the toolkit, so that assistive technology does not list it among the controls.
class TFocusRing : public QFocusFrame {
  Q_OBJECT

 public:
  // Makes the ring follow the focus from now on; calling again does nothing.
  static void Install();
  // The control the ring stands around; none while no control of the program has the focus.
  static QWidget* Target();
  // The colour the ring is drawn in over the background of the control's parent.
  static QColor RingColor(const QWidget* control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  explicit TFocusRing(QWidget* window);
  void Follow(QWidget* target);
  void Place();

  QPointer<QWidget> target_;
};
