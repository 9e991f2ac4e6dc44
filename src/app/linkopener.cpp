#include "app/linkopener.h"

#include <QDesktopServices>

QUrl LinkUrl(const QString& address) { return QUrl(address, QUrl::TolerantMode); }

TLinkOpener& LinkOpener() {
  static TLinkOpener opener = [](const QString& address) { QDesktopServices::openUrl(LinkUrl(address)); };
  return opener;
}

void OpenLink(const QString& address) {
  if (LinkOpener()) LinkOpener()(address);
}
