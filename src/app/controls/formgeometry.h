#pragma once

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <QSize>
#include <QTimer>

class QWidget;

// Window geometry as the forms describe it: the outer size includes the window manager's frame.
int OuterWidth(const QWidget* form);
int OuterHeight(const QWidget* form);
// How much larger the outer size is than the client size (nothing while the frame is unknown).
QSize FrameExtent(const QWidget* form);

// Moves a window so that its outer rectangle is centred on the screen it is on.
void CentreOnScreen(QWidget* form);

// Sets a control's width and lets the aligned controls beside it take up the change.
void SetControlWidth(QWidget* control, int width);

// Keeps a form's designed outer size, its outer minimum size and its centring on the screen. A
// window manager's frame is known only some time after the window is mapped, and the window manager
// may place the window itself as it maps it: until the frame is known it counts as nothing; once it
// is, the showing's outer size and centring are applied again until they hold, frame included.
class TFormGeometry : public QObject {
  Q_OBJECT

 public:
  enum class TCentring { Never, FirstShow, EveryShow };

  explicit TFormGeometry(QWidget* form);

  // The outer size the form starts with.
  void SetOuterSize(QSize size);
  // The outer size the user cannot make the form smaller than.
  void SetOuterMinimumSize(QSize size);
  // When the form is centred on the screen.
  void SetCentring(TCentring value) { centring_ = value; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Shown();
  void WatchWindow();
  // Called as the native window reports its geometry: reacts to a frame that has changed.
  void CheckFrame();
  void ApplyMinimum();
  // Applies the showing's outer size and centring where they do not hold; true if it had to.
  bool ApplyPending();
  // One look at the window while a showing settles.
  void Settle();
  void StopSettling();

  QWidget* form_;
  QSize outer_size_;
  QSize outer_minimum_;
  TCentring centring_ = TCentring::Never;
  bool shown_ = false;
  QPointer<QWindow> watched_window_;
  // The frame the outer sizes were last worked out with.
  QSize frame_;
  // The showing's size and centring, not yet seen to hold with a known frame.
  bool size_pending_ = false;
  bool centre_pending_ = false;
  // Not every frame change reaches the window as an event, so a showing is watched for a while.
  QTimer settle_timer_;
  int settle_ticks_ = 0;
  int stable_ticks_ = 0;
  int all_ticks_ = 0;
};
