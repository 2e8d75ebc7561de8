// The session tests' main: a Qt application, so that D-Bus replies and calls and the events of
// Dovrik's own Wayland connections are handled while a test waits.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
