#pragma once

#include <QPointF>
#include <array>
#include <functional>

namespace zeph {

// Collects consecutive segments of one pen into polylines of at most kMaxPoints points, each
// starting where the previous one ended, so a long curve costs a few drawing calls and shows no
// gaps at the joins. Points keep fractions of a pixel for devices finer than the pixels.
class TPolylineBatch {
 public:
  static constexpr int kMaxPoints = 200;
  // Draws one polyline; the points stay valid only during the call.
  using Sink = std::function<void(const QPointF* points, int count)>;

  explicit TPolylineBatch(Sink sink) : sink_(std::move(sink)) {}

  // The point the next polyline starts from.
  QPointF PenPos() const { return pen_pos_; }
  // Only while nothing is pending (after Flush).
  void SetPenPos(QPointF point) { pen_pos_ = point; }
  int Pending() const { return count_; }

  // Adds a segment from the previous point to the point.
  void Append(QPointF point) {
    if (count_ == 0) points_[count_++] = pen_pos_;
    points_[static_cast<std::size_t>(count_++)] = point;
    if (count_ == kMaxPoints) {
      Flush();
      points_[count_++] = point;
    }
  }

  // Draws what is pending; the pen position becomes its last point.
  void Flush() {
    if (count_ == 0) return;
    sink_(points_.data(), count_);
    pen_pos_ = points_[static_cast<std::size_t>(count_ - 1)];
    count_ = 0;
  }

 private:
  Sink sink_;
  std::array<QPointF, kMaxPoints> points_;
  int count_ = 0;
  QPointF pen_pos_;
};

}  // namespace zeph
