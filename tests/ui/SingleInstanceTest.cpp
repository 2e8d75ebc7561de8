// One Dovrik per session: later starts are forwarded to the running one as re-open requests.
#include <QTemporaryDir>
#include <QTest>

#include "linux/qt/SingleInstance.h"

using dovrik::qt::SingleInstance;

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void laterStartsAskTheRunningOneToReopen() {
    QTemporaryDir dir;
    SingleInstance first(dir.path(), "1000-_0");
    int reopened = 0;
    first.setReopenHandler([&] { ++reopened; });
    QCOMPARE(first.claim(), SingleInstance::Claim::primary);

    SingleInstance second(dir.path(), "1000-_0");
    QCOMPARE(second.claim(), SingleInstance::Claim::forwarded);
    QTRY_COMPARE_WITH_TIMEOUT(reopened, 1, 5000);
    SingleInstance third(dir.path(), "1000-_0");
    QCOMPARE(third.claim(), SingleInstance::Claim::forwarded);
    QTRY_COMPARE_WITH_TIMEOUT(reopened, 2, 5000);
  }

  void otherDisplaysRunTheirOwn() {
    QTemporaryDir dir;
    SingleInstance onFirst(dir.path(), "1000-_0");
    SingleInstance onSecond(dir.path(), "1000-_1");
    QCOMPARE(onFirst.claim(), SingleInstance::Claim::primary);
    QCOMPARE(onSecond.claim(), SingleInstance::Claim::primary);
  }

  // The socket file of an ended instance is left behind; the next start must still listen.
  void nextStartAfterTheEndIsPrimaryAndReachable() {
    QTemporaryDir dir;
    {
      SingleInstance ended(dir.path(), "k");
      QCOMPARE(ended.claim(), SingleInstance::Claim::primary);
    }
    QFile leftover(dir.path() + "/dovrik-k.socket");
    QVERIFY(leftover.open(QIODevice::WriteOnly));
    leftover.close();

    SingleInstance next(dir.path(), "k");
    int reopened = 0;
    next.setReopenHandler([&] { ++reopened; });
    QCOMPARE(next.claim(), SingleInstance::Claim::primary);
    SingleInstance later(dir.path(), "k");
    QCOMPARE(later.claim(), SingleInstance::Claim::forwarded);
    QTRY_COMPARE_WITH_TIMEOUT(reopened, 1, 5000);
  }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
