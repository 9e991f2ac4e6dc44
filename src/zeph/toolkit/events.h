#pragma once

#include <functional>

class QObject;

namespace zeph {

/// An optional callback that receives the object that raised it; an unset one is skipped.
///
/// The events of the zeph classes (public members named \c On...) are of this type, or callbacks
/// with more parameters that follow the same rule. Assign a lambda or any callable; assign
/// \c nullptr (or an empty function) to unset it.
using TNotifyEvent = std::function<void(QObject* sender)>;

/// Raises \a event with \a sender when it is set; does nothing when it is unset.
inline void Notify(const TNotifyEvent& event, QObject* sender) {
  if (event) event(sender);
}

}  // namespace zeph
