#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// Hands a web address to the desktop's browser. Tests replace the opener so that no browser starts;
// an address that cannot be opened is the desktop's affair, the program reports nothing.
using TLinkOpener = std::function<void(const QString& address)>;

// The address as the desktop's opener gets it: the text as it stands, not guessed at, so that an
// address without a scheme is not turned into a web address.
QUrl LinkUrl(const QString& address);

// The opener in use: QDesktopServices unless replaced.
TLinkOpener& LinkOpener();
void OpenLink(const QString& address);
