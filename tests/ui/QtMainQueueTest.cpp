// The main queue on a real Qt event loop: ordering, cancellation, repetition, wall time.
#include <QDateTime>
#include <QTest>
#include <cmath>
#include <functional>
#include <vector>

#include "linux/qt/QtMainQueue.h"

using dovrik::TaskId;
using dovrik::qt::QtMainQueue;

class QtMainQueueTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void tasksRunNoEarlierThanDueAndTogetherInSchedulingOrder() {
    QtMainQueue queue;
    const double start = queue.now();
    double firstRanAt = -1;
    std::vector<int> ran;
    queue.after(0.03, [&] {
      firstRanAt = queue.now();
      ran.push_back(1);
    });
    queue.after(0.03, [&] { ran.push_back(2); });
    queue.after(0, [&] { ran.push_back(0); });
    queue.after(0.03, [&] { ran.push_back(3); });
    QTRY_COMPARE_WITH_TIMEOUT(ran.size(), std::size_t{4}, 5000);
    QCOMPARE(ran, (std::vector<int>{0, 1, 2, 3}));
    QVERIFY(firstRanAt - start >= 0.03);
  }

  // Cancelled from another task, twice, or from its own run; unknown ids are harmless.
  void cancelledTasksNeverRunAgain() {
    QtMainQueue queue;
    std::vector<int> ran;
    int ticks = 0;
    TaskId timer = queue.every(0.01, [&] {
      if (++ticks == 3)
        queue.cancel(timer);
    });
    const TaskId later = queue.after(0.02, [&] { ran.push_back(99); });
    queue.after(0, [&] {
      ran.push_back(1);
      queue.cancel(later);
      queue.cancel(later);
      queue.cancel(123456);
    });
    queue.after(0.1, [&] { ran.push_back(2); });
    QTRY_COMPARE_WITH_TIMEOUT(ran.size(), std::size_t{2}, 5000);
    QCOMPARE(ran, (std::vector<int>{1, 2}));
    QCOMPARE(ticks, 3);
  }

  // A task that keeps queueing itself at once must not keep other due work from running.
  void selfReschedulingTaskDoesNotStarveOthers() {
    QtMainQueue queue;
    bool other = false;
    int spins = 0;
    std::function<void()> spin = [&] {
      ++spins;
      if (!other)
        queue.after(0, spin);
    };
    queue.after(0, spin);
    queue.after(0.02, [&] { other = true; });
    QTRY_VERIFY_WITH_TIMEOUT(other, 5000);
    QVERIFY(spins > 1);
  }

  void wallTimeCountsFrom2001InUtc() {
    const QDateTime epoch2001(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
    const double expected = epoch2001.msecsTo(QDateTime::currentDateTimeUtc()) / 1000.0;
    QVERIFY(std::abs(QtMainQueue().wallTimeSince2001() - expected) < 1.0);
  }
};

QTEST_GUILESS_MAIN(QtMainQueueTest)
#include "QtMainQueueTest.moc"
