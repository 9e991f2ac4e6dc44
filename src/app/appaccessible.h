#pragma once

#include <QString>

class QObject;
class QWidget;

// What assistive technology learns of the simulation beyond what the toolkit tells: the main
// window is a frame, the grading slider says its value in words. Installing again does nothing.
void InstallAppAccessibility();

// Tells assistive technology that the value of a control changed, as the value-changed event
// screen readers listen for. The toolkit's own bridge reports a value change only as a property
// change, which screen readers do not speak; this sends the event itself on the bridge's
// connection. Nothing happens without an accessibility bus.
void SendValueChanged(QWidget* control);
