#pragma once

#include <QObject>
#include <QSize>

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

// Keeps a form's designed outer size, its outer minimum size and its centring on the screen when
// it is first shown. The frame is known only once the window exists, so the client size is
// corrected then, and again whenever the frame changes.
class TFormGeometry : public QObject {
  Q_OBJECT

 public:
  explicit TFormGeometry(QWidget* form);

  // The outer size the form starts with.
  void SetOuterSize(QSize size);
  // The outer size the user cannot make the form smaller than.
  void SetOuterMinimumSize(QSize size);
  // Whether the form is centred on the screen when first shown.
  void SetCentreOnFirstShow(bool value) { centre_ = value; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyMinimum();

  QWidget* form_;
  QSize outer_size_;
  QSize outer_minimum_;
  bool centre_ = false;
  bool shown_ = false;
};
