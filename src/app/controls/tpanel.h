#pragma once

#include <QWidget>
#include <cstdint>

#include "app/controls/controlevents.h"
#include "zeph/toolkit/controlplacement.h"
#include "zeph/toolkit/tcolor.h"

enum TPanelBevel : std::uint8_t { bvNone, bvLowered, bvRaised };

// A panel: a plain container in the button-face colour with an optional two-ring 3-D border.
// The outer ring is drawn at the edge, the inner ring inside it, each BevelWidth pixels wide.
class TPanel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(zeph::TAlign Align READ Align WRITE SetAlign)
  Q_PROPERTY(zeph::TAnchors Anchors READ Anchors WRITE SetAnchors)
  Q_PROPERTY(TPanelBevel BevelInner READ BevelInner WRITE SetBevelInner)
  Q_PROPERTY(TPanelBevel BevelOuter READ BevelOuter WRITE SetBevelOuter)
  Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
  Q_PROPERTY(zeph::TColor Color READ Color WRITE SetColor)

 public:
  explicit TPanel(QWidget* parent = nullptr);

  zeph::TAlign Align() const { return placement_->Align(); }
  void SetAlign(zeph::TAlign value) { placement_->SetAlign(value); }
  zeph::TAnchors Anchors() const { return placement_->Anchors(); }
  void SetAnchors(zeph::TAnchors value) { placement_->SetAnchors(value); }

  TPanelBevel BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TPanelBevel value);
  TPanelBevel BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TPanelBevel value);
  int BevelWidth() const { return bevel_width_; }
  // At least 1.
  void SetBevelWidth(int value);
  zeph::TColor Color() const { return color_; }
  void SetColor(zeph::TColor value);

  // Moves of the mouse over the panel's own surface (not over the controls on it).
  TControlMouseMoveEvent OnMouseMove;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  zeph::TControlPlacement* placement_;
  TPanelBevel bevel_inner_ = bvNone;
  TPanelBevel bevel_outer_ = bvRaised;
  int bevel_width_ = 1;
  zeph::TColor color_ = zeph::clBtnFace;
};
