#include "app/appresources.h"

#include <QtGlobal>

// The registration function's declaration inside the macro must be at global namespace scope.
static bool RegisterResources() {
  Q_INIT_RESOURCE(resources);
  return true;
}

void EnsureAppResources() {
  static const bool registered = RegisterResources();
  Q_UNUSED(registered);
}

QIcon ProgramIcon() {
  EnsureAppResources();
  QIcon icon(QStringLiteral(":/varactor_icon.png"));
  for (const int size : {16, 22, 24, 48, 64, 128, 256}) icon.addFile(QStringLiteral(":/icons/varactor_%1.png").arg(size));
  return icon;
}
