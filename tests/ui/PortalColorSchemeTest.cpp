// The desktop portal's appearance setting on a private session bus: a stand-in portal answers
// the read, announces changes, or is an older one that knows only Read.
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QTest>
#include <memory>

#include "linux/qt/ColorSchemeWatcher.h"

using namespace dovrik;

namespace {

const QString portalService = "org.freedesktop.portal.Desktop";
const QString portalPath = "/org/freedesktop/portal/desktop";

}  // namespace

// Serves the appearance namespace's "color-scheme" on its own connection to the bus.
class FakePortal : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

 public:
  FakePortal(std::uint32_t value, bool hasReadOne)
      : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "portal")),
        value_(value),
        hasReadOne_(hasReadOne) {
    bus_.registerObject(portalPath, this, QDBusConnection::ExportAllSlots);
    bus_.registerService(portalService);
  }
  ~FakePortal() override {
    bus_.unregisterService(portalService);
    QDBusConnection::disconnectFromBus("portal");
  }

  void change(const QString& nameSpace, const QString& key, std::uint32_t value) {
    QDBusMessage signal =
        QDBusMessage::createSignal(portalPath, "org.freedesktop.portal.Settings", "SettingChanged");
    signal << nameSpace << key << QVariant::fromValue(QDBusVariant(value));
    bus_.send(signal);
  }

 public Q_SLOTS:
  QDBusVariant ReadOne(const QString&, const QString&) {
    if (!hasReadOne_)
      sendErrorReply(QDBusError::UnknownMethod, "No such method");
    return QDBusVariant(value_);
  }
  // The older method wraps the value in one more variant.
  QDBusVariant Read(const QString&, const QString&) {
    return QDBusVariant(QVariant::fromValue(QDBusVariant(value_)));
  }

 private:
  QDBusConnection bus_;
  std::uint32_t value_;
  bool hasReadOne_;
};

class PortalColorSchemeTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { QVERIFY(QDBusConnection::sessionBus().isConnected()); }

  void portalAnswerAndChangesDecide() {
    FakePortal portal(1, true);
    qt::ColorSchemeWatcher watcher;
    QTRY_COMPARE(watcher.scheme(), ColorScheme::dark);

    portal.change("org.freedesktop.appearance", "accent-color", 2);
    portal.change("org.gnome.desktop.interface", "color-scheme", 2);
    portal.change("org.freedesktop.appearance", "color-scheme", 2);
    QTRY_COMPARE(watcher.scheme(), ColorScheme::light);
    // No preference: the palette decides, and the offscreen palette is light.
    portal.change("org.freedesktop.appearance", "color-scheme", 0);
    portal.change("org.freedesktop.appearance", "color-scheme", 1);
    QTRY_COMPARE(watcher.scheme(), ColorScheme::dark);
  }

  void olderPortalIsReadToo() {
    FakePortal portal(1, false);
    qt::ColorSchemeWatcher watcher;
    QTRY_COMPARE(watcher.scheme(), ColorScheme::dark);
  }
};

int main(int argc, char** argv) {
  // XSETTINGS stays out of it: no X display.
  qunsetenv("DISPLAY");
  QGuiApplication app(argc, argv);
  PortalColorSchemeTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "PortalColorSchemeTest.moc"
