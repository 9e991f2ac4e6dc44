#pragma once

#include <QObject>
#include <functional>

// Mouse movement over a control, in the control's own pixel coordinates, with the keyboard
// modifiers held at the time.
using TControlMouseMoveEvent = std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;
