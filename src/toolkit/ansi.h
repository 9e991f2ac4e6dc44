#pragma once

#include <QString>
#include <string>
#include <string_view>

// The 8-bit texts this system exchanges (language files, host messages, registry values) are in
// the Windows-1252 code page; these convert them where they meet Qt's Unicode strings.
QString AnsiToQString(std::string_view text);
// Characters that Windows-1252 cannot hold become '?'.
std::string QStringToAnsi(const QString& text);
