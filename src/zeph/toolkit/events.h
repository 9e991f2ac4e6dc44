#pragma once

#include <functional>

class QObject;

namespace zeph {

// An optional callback that receives the object that raised it; an unset one is skipped.
using TNotifyEvent = std::function<void(QObject* sender)>;

inline void Notify(const TNotifyEvent& event, QObject* sender) {
  if (event) event(sender);
}

}  // namespace zeph
