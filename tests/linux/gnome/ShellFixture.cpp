#include "ShellFixture.h"

#include "linux/gnome/GnomeNames.h"

namespace dovrik::gnome::test {

void ShellFixture::SetUp() {
  if (!dbustest::PrivateBus::available())
    GTEST_SKIP() << "dbus-daemon is not installed";
  extension.moveToThread(&extensionThread);
  extensionThread.start();
  QDBusConnection shellBus = bus.connect(QStringLiteral("shell"));
  ASSERT_TRUE(shellBus.registerObject(QLatin1String(extensionPath), &extension,
                                      QDBusConnection::ExportAllSlots));
  ASSERT_TRUE(shellBus.registerService(QLatin1String(shellService)));
  QDBusConnection dovrikBus = bus.connect(QStringLiteral("dovrik"));
  extension.serve(shellBus, dovrikBus.baseService());
  shell = std::make_unique<GnomeShell>(dovrikBus, mirror);
  ASSERT_TRUE(waitUntil([&] { return shell->isAnswering(); }));
}

void ShellFixture::TearDown() {
  shell.reset();
  extensionThread.quit();
  extensionThread.wait();
  for (const char* name : {"shell", "dovrik"})
    QDBusConnection::disconnectFromBus(QString::fromLatin1(name));
}

bool ShellFixture::waitUntil(const std::function<bool()>& condition) {
  return dbustest::waitFor([&] {
    clock.advanceBy(0);
    return condition();
  });
}

}  // namespace dovrik::gnome::test
