#pragma once

#include <QString>

#include "zeph/translation/translation_export.h"

namespace zeph {

/// The itl file that belongs to a program file.
///
/// The extension of the last path component is replaced by ".itl", or ".itl" is appended when it
/// has none ("sim.exe" -> "sim.itl", "/opt/varactor" -> "/opt/varactor.itl"). The directory part
/// is kept. A dot that begins the file name does not start an extension (".sim" -> ".sim.itl").
ZEPH_TRANSLATION_EXPORT QString ItlPathFor(const QString& programPath);

/// The running program's own file, with its full path.
///
/// Taken from the application object when one exists, else from the operating system.
ZEPH_TRANSLATION_EXPORT QString ExecutablePath();

}  // namespace zeph
