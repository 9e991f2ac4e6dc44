#include "app/linkopener.h"

#include <QDesktopServices>
#include <QUrl>

TLinkOpener& LinkOpener() {
  static TLinkOpener opener = [](const QString& address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
  };
  return opener;
}

void OpenLink(const QString& address) {
  if (LinkOpener()) LinkOpener()(address);
}
