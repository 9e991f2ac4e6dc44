#pragma once

#include <QString>

// The itl file that belongs to a program file: the extension of the last path component is
// replaced by ".itl", or ".itl" is appended when it has none ("sim.exe" -> "sim.itl",
// "/opt/varactor" -> "/opt/varactor.itl"). The directory part is kept.
QString ItlPathFor(const QString& programPath);

// The running program's own file, with its full path.
QString ExecutablePath();
