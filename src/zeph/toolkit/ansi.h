#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

/// Converts an 8-bit text in the Windows-1252 code page to a Qt string.
///
/// The 8-bit texts the zeph libraries exchange (language files, host messages, registry values)
/// are in the Windows-1252 code page; these functions convert them where they meet Qt's Unicode
/// strings. Each byte gives one character; the five bytes the code page leaves unassigned (0x81,
/// 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same value.
ZEPH_TOOLKIT_EXPORT QString AnsiToQString(std::string_view text);
/// Converts a Qt string to an 8-bit text in the Windows-1252 code page.
///
/// Characters that Windows-1252 cannot hold become '?'. Each character (UTF-16 unit) gives one
/// byte; the conversion reverses AnsiToQString().
ZEPH_TOOLKIT_EXPORT std::string QStringToAnsi(const QString& text);

}  // namespace zeph
