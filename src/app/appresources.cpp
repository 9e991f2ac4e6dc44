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
