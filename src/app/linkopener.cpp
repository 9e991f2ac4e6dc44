#include "app/linkopener.h"

#include <QDesktopServices>

QUrl LinkUrl(const QString& address) { return QUrl(address, QUrl::TolerantMode); }

TLinkOpener& LinkOpener() {
  static TLinkOpener opener = [](const QString& address) {
    if (!QDesktopServices::openUrl(LinkUrl(address)) && LinkFailureHandler()) LinkFailureHandler()(address);
  };
  return opener;
}

std::function<void(const QString& address)>& LinkFailureHandler() {
  static std::function<void(const QString& address)> handler;
  return handler;
}

void OpenLink(const QString& address) {
  if (LinkOpener()) LinkOpener()(address);
}
