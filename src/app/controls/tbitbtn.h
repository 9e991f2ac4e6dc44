#pragma once

#include <QPixmap>
#include <QPushButton>

#include "zeph/toolkit/controlplacement.h"
#include "zeph/toolkit/events.h"

// A push button with a small picture (the glyph) left of its caption.
class TBitBtn : public QPushButton {
  Q_OBJECT
  Q_PROPERTY(zeph::TAnchors Anchors READ Anchors WRITE SetAnchors)
  Q_PROPERTY(QPixmap Glyph READ Glyph WRITE SetGlyph)

 public:
  explicit TBitBtn(QWidget* parent = nullptr);

  zeph::TAnchors Anchors() const { return placement_->Anchors(); }
  void SetAnchors(zeph::TAnchors value) { placement_->SetAnchors(value); }

  const QPixmap& Glyph() const { return glyph_; }
  // Shown at its own size.
  void SetGlyph(const QPixmap& value);

  zeph::TNotifyEvent OnClick;

 private:
  zeph::TControlPlacement* placement_;
  QPixmap glyph_;
};
