#include <gtest/gtest.h>

#include "common/application.h"

// Every test binary runs with the programs' application object, on the offscreen platform unless
// the caller chose another one.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  common::Application app(argc, argv);
  return RUN_ALL_TESTS();
}
