#pragma once

#include <QObject>
#include <cstdint>
#include <initializer_list>

#include "zeph/toolkit/enumset.h"
#include "zeph/toolkit/toolkit_export.h"

class QWidget;

namespace zeph {

/// How a control places itself inside its parent: docked to a side (Align) or keeping its
/// distances to the anchored parent edges when the parent is resized (Anchors).
///
/// A docked control takes the full width (top, bottom) or height (left, right) of what is left of
/// the parent's area and keeps its own height or width; see TControlPlacement.
enum TAlign : std::uint8_t {
  alNone,    ///< Not docked: the control keeps its geometry and follows its Anchors.
  alTop,     ///< Docked to the top edge.
  alBottom,  ///< Docked to the bottom edge.
  alLeft,    ///< Docked to the left edge.
  alRight,   ///< Docked to the right edge.
  alClient   ///< Fills the area the other docked controls leave.
};

/// One edge of the parent that a control keeps its distance to.
enum TAnchorKind : std::uint8_t {
  akLeft,   ///< The left edge.
  akTop,    ///< The top edge.
  akRight,  ///< The right edge.
  akBottom  ///< The bottom edge.
};

/// A set of TAnchorKind values, one bit per edge; a new control is anchored left and top.
///
/// When the parent is resized, a control anchored at both opposite edges stretches with it, one
/// anchored at the right (bottom) edge only moves with that edge, and one anchored at the left
/// (top) edge only, or at neither, stays where it is.
class ZEPH_TOOLKIT_EXPORT TAnchors : public TEnumSet<TAnchors, TAnchorKind, 4, (1u << akLeft) | (1u << akTop)> {
 public:
  /// Constructs the default set: \ref akLeft and \ref akTop.
  constexpr TAnchors() = default;
  /// Constructs the set of the listed edges, for example `{akLeft, akRight}`; `{}` is the empty set.
  constexpr TAnchors(std::initializer_list<TAnchorKind> kinds) : TEnumSet(kinds) {}
};

/// Keeps one widget placed by its Align and Anchors while its parent changes size.
///
/// Widgets that share a parent and are aligned are laid out together in creation order: top,
/// bottom, left, right, then the client area, each taking its strip from what the earlier ones
/// left. Hidden widgets take no strip. The placement is a child of its control and is deleted
/// with it; it follows the control to a new parent. This is the toolkit's replacement for Qt
/// layouts in forms that are built from stored geometry.
class ZEPH_TOOLKIT_EXPORT TControlPlacement : public QObject {
  Q_OBJECT

 public:
  /// Constructs the placement of \a control, as its child: not docked, anchored left and top,
  /// with the control's current distances to its parent's edges remembered.
  explicit TControlPlacement(QWidget* control);

  /// Returns the side the control is docked to; default \ref alNone.
  TAlign Align() const { return align_; }
  /// Docks the control to a side (see Align()); a change lays out the parent's docked controls
  /// at once (Realign()).
  void SetAlign(TAlign value);
  /// Returns the parent edges whose distances the control keeps; default left and top.
  ///
  /// Anchors apply only while the control is not docked (\ref alNone).
  TAnchors Anchors() const { return anchors_; }
  /// Sets the anchored edges (see Anchors()) and remembers the control's current distances to
  /// the parent's edges.
  void SetAnchors(TAnchors value);

  /// Remembers the control's distances to the parent's edges, for the anchors (after the
  /// control was moved or sized by its owner).
  ///
  /// Does nothing while the control has no parent.
  void RememberDistances();

  /// Lays out the aligned siblings and this control in the parent's current client area.
  ///
  /// Does nothing while the control has no parent. Siblings are docked only when they have a
  /// TControlPlacement of their own.
  void Realign();

 protected:
  /// Follows the control's parent changes and the parent's resizes; passes every event on.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void WatchParent();

  QWidget* control_;
  QWidget* watched_parent_ = nullptr;
  TAlign align_ = alNone;
  TAnchors anchors_;
  int right_distance_ = 0;
  int bottom_distance_ = 0;
  int parent_width_ = -1;
  int parent_height_ = -1;
};

}  // namespace zeph
