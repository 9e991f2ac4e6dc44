#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "zeph/toolkit/tapplication.h"

using namespace zeph;

// Every unit test program runs inside one application object, off screen unless told otherwise.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleMock(&argc, argv);
  TApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
