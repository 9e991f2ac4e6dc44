#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "zeph/toolkit/toolkit_export.h"

namespace zeph {

// The 8-bit texts this system exchanges (language files, host messages, registry values) are in
// the Windows-1252 code page; these convert them where they meet Qt's Unicode strings.
ZEPH_TOOLKIT_EXPORT QString AnsiToQString(std::string_view text);
// Characters that Windows-1252 cannot hold become '?'.
ZEPH_TOOLKIT_EXPORT std::string QStringToAnsi(const QString& text);

}  // namespace zeph
