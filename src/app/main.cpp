#include <QLabel>

#include "toolkit/tapplication.h"

int main(int argc, char** argv) {
  TApplication app(argc, argv);
  QLabel window(QStringLiteral("Varactor Diode"));
  window.resize(400, 200);
  window.show();
  return app.exec();
}
