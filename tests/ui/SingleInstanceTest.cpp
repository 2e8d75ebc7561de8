// One Dovrik per session: later starts are forwarded to the running one as re-open requests.
#include <QTemporaryDir>
#include <QTest>

#include "linux/qt/SingleInstance.h"

using dovrik::qt::SingleInstance;

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  // An ended instance leaves its socket file behind; the next start must still listen, and keep
  // listening for every later start. Another display runs its own.
  void laterStartsAskTheRunningOneToReopen() {
    QTemporaryDir dir;
    {
      SingleInstance ended(dir.path(), "1000-_0");
      QCOMPARE(ended.claim(), SingleInstance::Claim::primary);
    }
    QFile leftover(dir.path() + "/dovrik-1000-_0.socket");
    QVERIFY(leftover.open(QIODevice::WriteOnly));
    leftover.close();

    SingleInstance first(dir.path(), "1000-_0");
    int reopened = 0;
    first.setReopenHandler([&] { ++reopened; });
    QCOMPARE(first.claim(), SingleInstance::Claim::primary);
    QCOMPARE(SingleInstance(dir.path(), "1000-_1").claim(), SingleInstance::Claim::primary);
    for (int start = 1; start <= 2; ++start) {
      QCOMPARE(SingleInstance(dir.path(), "1000-_0").claim(), SingleInstance::Claim::forwarded);
      QTRY_COMPARE_WITH_TIMEOUT(reopened, start, 5000);
    }
  }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
