#pragma once

#include <QPixmap>
#include <QPushButton>

#include "toolkit/controlplacement.h"
#include "toolkit/events.h"

// A push button with a small picture (the glyph) left of its caption.
class TBitBtn : public QPushButton {
  Q_OBJECT
  Q_PROPERTY(TAnchors Anchors READ Anchors WRITE SetAnchors)
  Q_PROPERTY(QPixmap Glyph READ Glyph WRITE SetGlyph)

 public:
  explicit TBitBtn(QWidget* parent = nullptr);

  TAnchors Anchors() const { return placement_->Anchors(); }
  void SetAnchors(TAnchors value) { placement_->SetAnchors(value); }

  const QPixmap& Glyph() const { return glyph_; }
  // Shown at its own size.
  void SetGlyph(const QPixmap& value);

  TNotifyEvent OnClick;

 private:
  TControlPlacement* placement_;
  QPixmap glyph_;
};
