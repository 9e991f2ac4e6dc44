#pragma once

#include <QIcon>

// Makes the program's built-in images (glyphs, icon) available under ":/". They live in a static
// library, whose resource registration the linker would otherwise leave out.
void EnsureAppResources();

// The program's own icon in every size it is drawn in; the same artwork as the icon the desktop
// shows for the installed program.
QIcon ProgramIcon();
