#pragma once

#include <QObject>
#include <cstdint>
#include <initializer_list>

#include "zeph/toolkit/toolkit_export.h"

class QWidget;

namespace zeph {

// How a control places itself inside its parent: docked to a side (Align) or keeping its
// distances to the anchored parent edges when the parent is resized (Anchors).
enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

enum TAnchorKind : std::uint8_t { akLeft, akTop, akRight, akBottom };

// A set of TAnchorKind values, one bit per edge; a new control is anchored left and top.
class ZEPH_TOOLKIT_EXPORT TAnchors {
 public:
  constexpr TAnchors() = default;
  constexpr TAnchors(std::initializer_list<TAnchorKind> kinds) : bits_(0) {
    for (TAnchorKind k : kinds) bits_ |= Bit(k);
  }
  constexpr bool Contains(TAnchorKind k) const { return (bits_ & Bit(k)) != 0; }
  constexpr std::uint8_t Bits() const { return bits_; }
  static constexpr TAnchors FromBits(std::uint8_t bits) {
    TAnchors a;
    a.bits_ = bits & 0x0F;
    return a;
  }
  friend constexpr bool operator==(TAnchors, TAnchors) = default;

 private:
  static constexpr std::uint8_t Bit(TAnchorKind k) { return static_cast<std::uint8_t>(1u << k); }
  std::uint8_t bits_ = Bit(akLeft) | Bit(akTop);
};

// Keeps one widget placed by its Align and Anchors while its parent changes size. Widgets that
// share a parent and are aligned are laid out together in creation order: top, bottom, left,
// right, then the client area, each taking its strip from what the earlier ones left.
class ZEPH_TOOLKIT_EXPORT TControlPlacement : public QObject {
  Q_OBJECT

 public:
  explicit TControlPlacement(QWidget* control);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign value);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors value);

  // Remembers the control's distances to the parent's edges, for the anchors (after the
  // control was moved or sized by its owner).
  void RememberDistances();

  // Lays out the aligned siblings and this control in the parent's current client area.
  void Realign();

 protected:
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
