// Dovrik's Shell extension as Dovrik meets it on a private bus: every call recorded and
// answered from what the test set, and signals sent to Dovrik's connection alone. It answers
// on a thread of its own, since some of Dovrik's questions wait for the answer.
#pragma once

#include <gtest/gtest.h>

#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QMutex>
#include <QThread>
#include <map>
#include <memory>
#include <vector>

#include "PrivateBus.h"
#include "linux/gnome/GnomeShell.h"
#include "sim/SimBackground.h"
#include "sim/SimClock.h"

namespace dovrik::gnome::test {

class ShellStandIn : public QDBusVirtualObject {
 public:
  // Another application copied content of these types.
  void copy(std::map<QString, QByteArray> content);
  // Reads are answered only when released, with the content of when they were asked.
  void holdReads() {
    set([&] { holding_ = true; });
  }
  void releaseRead(std::size_t index);
  std::size_t heldReads();
  void setModifiers(uint mask) {
    set([&] { modifiers_ = mask; });
  }
  void refuse(const QString& method) {
    set([&] { refusing_.push_back(method); });
  }
  void answer(const QString& method) {
    set([&] { refusing_.removeAll(method); });
  }
  // mutter refuses these accelerators, as it does the ones its own bindings hold; the others
  // get action numbers from 100 on.
  void holdAccelerators(QStringList accelerators) {
    set([&] { heldAccelerators_ = std::move(accelerators); });
  }
  // The user pressed the combination mutter gave `action`.
  void press(uint action);
  // One of the extension's reports of the windows (JSON).
  void report(const QString& json);
  // The extension turned off, and on again: it forgot every grab and says it is ready.
  void restart();
  // A signal of the extension's kind from `stranger`, another program of the session.
  void signalFrom(const QDBusConnection& stranger, const char* name, const QVariantList& args);
  // The arguments of every call of `method`, in order.
  std::vector<QVariantList> callsOf(const QString& method);

  void serve(const QDBusConnection& shellBus, const QString& dovrik);
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

 private:
  void signalDovrik(const char* name, const QVariantList& args);
  void set(const std::function<void()>& change) {
    QMutexLocker lock(&mutex_);
    change();
  }

  QMutex mutex_;
  QDBusConnection shellBus_{QString()};
  QString dovrik_;
  std::map<QString, QByteArray> clipboard_;
  uint modifiers_ = 0;
  bool holding_ = false;
  std::vector<QDBusMessage> held_;
  QStringList refusing_;
  QStringList heldAccelerators_;
  uint nextAction_ = 100;
  std::vector<QDBusMessage> calls_;
};

// A Dovrik connected to the stand-in, with virtual time for its main queue and pool.
class ShellTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { dbustest::PrivateBus::ensureApplication(); }
  void SetUp() override;
  void TearDown() override;
  // Turns the Qt loop and the virtual main queue until `condition` holds; false after a bound.
  bool waitUntil(const std::function<bool()>& condition);
  // The calls of `method` once there are `count`.
  std::vector<QVariantList> awaitCalls(const char* method, std::size_t count);

  dbustest::PrivateBus bus;
  ShellStandIn extension;
  QThread extensionThread;
  mirror::WindowMirror mirror;
  std::unique_ptr<GnomeShell> shell;
  sim::SimClock clock;
  sim::SimBackground background{clock};
};

}  // namespace dovrik::gnome::test
