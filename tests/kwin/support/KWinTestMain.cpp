// The kwin tests' main: a Qt application for D-Bus, whose replies and incoming calls are
// handled while a test waits.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
