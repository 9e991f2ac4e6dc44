#pragma once

#include <QString>

class QAccessibleInterface;

// Stands between the accessibility bus and the toolkit's AT-SPI bridge, once the bridge is up:
// - answers the property requests the bridge mishandles (GetAll reads past its arguments and takes
//   the program down; a Get without a property name does the same) from the accessible objects;
// - answers GetAttributes with the value's words ("valuetext") where a control has them, which is
//   what screen readers speak as the value of a slider, and the value's Text property with them;
// everything else goes to the bridge unchanged. Installing again does nothing; without an
// accessibility bus nothing happens.
void InstallAtSpiGuard();

// Tells assistive technology that the description of an object changed, with the new text (the
// bridge sends the object in place of the text, which screen readers cannot use). A screen reader
// speaks it when the object has the focus: the way to say what just happened. Nothing happens
// without an accessibility bus.
void SendDescriptionChanged(QAccessibleInterface* object, const QString& text);
