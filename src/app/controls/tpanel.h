#pragma once

#include <QWidget>
#include <cstdint>

#include "app/controls/controlevents.h"
#include "toolkit/controlplacement.h"
#include "toolkit/tcolor.h"

enum TPanelBevel : std::uint8_t { bvNone, bvLowered, bvRaised };

// A panel: a plain container in the button-face colour with an optional two-ring 3-D border.
// The outer ring is drawn at the edge, the inner ring inside it, each BevelWidth pixels wide.
class TPanel : public QWidget {
  Q_OBJECT
  Q_PROPERTY(TAlign Align READ Align WRITE SetAlign)
  Q_PROPERTY(TAnchors Anchors READ Anchors WRITE SetAnchors)
  Q_PROPERTY(TPanelBevel BevelInner READ BevelInner WRITE SetBevelInner)
  Q_PROPERTY(TPanelBevel BevelOuter READ BevelOuter WRITE SetBevelOuter)
  Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
  Q_PROPERTY(TColor Color READ Color WRITE SetColor)

 public:
  explicit TPanel(QWidget* parent = nullptr);

  TAlign Align() const { return placement_->Align(); }
  void SetAlign(TAlign value) { placement_->SetAlign(value); }
  TAnchors Anchors() const { return placement_->Anchors(); }
  void SetAnchors(TAnchors value) { placement_->SetAnchors(value); }

  TPanelBevel BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TPanelBevel value);
  TPanelBevel BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TPanelBevel value);
  int BevelWidth() const { return bevel_width_; }
  // At least 1.
  void SetBevelWidth(int value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);

  // Moves of the mouse over the panel's own surface (not over the controls on it).
  TControlMouseMoveEvent OnMouseMove;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  TControlPlacement* placement_;
  TPanelBevel bevel_inner_ = bvNone;
  TPanelBevel bevel_outer_ = bvRaised;
  int bevel_width_ = 1;
  TColor color_ = clBtnFace;
};
