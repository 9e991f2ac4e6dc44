#pragma once

#include <QLabel>

#include "app/controls/controlevents.h"
#include "zeph/toolkit/events.h"
#include "zeph/toolkit/tcolor.h"
#include "zeph/toolkit/types.h"

// A caption on its parent's background: plain text (no markup, no mnemonics), placed at the top of
// its fixed box and aligned left, right or centred, optionally word-wrapped. The label takes the
// mouse moves and clicks over it for its own events, so they do not reach the control beneath.
class TLabel : public QLabel {
  Q_OBJECT
  Q_PROPERTY(zeph::TAlignment Alignment READ Alignment WRITE SetAlignment)
  Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
  Q_PROPERTY(zeph::TColor FontColor READ FontColor WRITE SetFontColor)

 public:
  explicit TLabel(QWidget* parent = nullptr);

  zeph::TAlignment Alignment() const { return alignment_; }
  void SetAlignment(zeph::TAlignment value);
  bool WordWrap() const { return wordWrap(); }
  void SetWordWrap(bool value) { setWordWrap(value); }

  // The text colour; face, size and styles are the widget's font.
  zeph::TColor FontColor() const { return font_color_; }
  void SetFontColor(zeph::TColor value);

  // A link: reached with Tab, shown with a focus frame, clicked with Enter, Return or Space, and
  // presented to assistive technology as a link named by its text.
  bool IsLink() const { return link_; }
  void SetLink(bool value);

  zeph::TNotifyEvent OnClick;
  TControlMouseMoveEvent OnMouseMove;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  zeph::TAlignment alignment_ = zeph::taLeftJustify;
  zeph::TColor font_color_ = zeph::clWindowText;
  bool pressed_ = false;
  bool link_ = false;
};
