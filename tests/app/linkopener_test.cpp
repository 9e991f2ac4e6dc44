#include <QDesktopServices>
#include <QObject>
#include <QUrl>
#include <gtest/gtest.h>

#include "app/linkopener.h"

namespace {

// Stands in for the desktop: receives what the default opener hands over, whatever its scheme.
class DesktopStandIn : public QObject {
  Q_OBJECT

 public:
  DesktopStandIn() {
    for (const char* scheme : {"", "http", "https", "mailto"}) QDesktopServices::setUrlHandler(scheme, this, "Open");
  }
  ~DesktopStandIn() override {
    for (const char* scheme : {"", "http", "https", "mailto"}) QDesktopServices::unsetUrlHandler(scheme);
  }

  Q_INVOKABLE void Open(const QUrl& url) { opened.append(url.toString()); }

  QStringList opened;
};

TEST(LinkOpenerTest, HandsTheAddressOverAsItStands) {
  DesktopStandIn desktop;
  const QStringList addresses = {"HomePageURL", "www.example.org/varactor", "https://www.example.org/simulations/",
                                 "http://example.org/a?b=c#d", "mailto:someone@example.org"};
  for (const QString& address : addresses) LinkOpener()(address);
  EXPECT_EQ(desktop.opened, addresses);
}

}  // namespace

#include "linkopener_test.moc"
