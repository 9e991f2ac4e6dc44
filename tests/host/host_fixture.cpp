// Carries the fixture's meta objects (the test form has published properties).
#include "host_fixture.h"

using namespace zeph;
