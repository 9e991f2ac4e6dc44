#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// Hands a web address to the desktop's browser. Tests replace the opener so that no browser starts.
// The desktop's opener reports an address that no program could be started for to the failure
// handler (LinkFailureHandler()), so that the user learns of it and can copy the address.
using TLinkOpener = std::function<void(const QString& address)>;

// The address as the desktop's opener gets it: the text as it stands, not guessed at, so that an
// address without a scheme is not turned into a web address.
QUrl LinkUrl(const QString& address);

// The opener in use: QDesktopServices unless replaced.
TLinkOpener& LinkOpener();
void OpenLink(const QString& address);

// What happens when the desktop could not open an address: nothing unless set.
std::function<void(const QString& address)>& LinkFailureHandler();
