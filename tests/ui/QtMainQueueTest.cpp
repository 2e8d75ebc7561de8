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
  void tasksDueTogetherRunInSchedulingOrder() {
    QtMainQueue queue;
    std::vector<int> ran;
    queue.after(0.03, [&] { ran.push_back(1); });
    queue.after(0.03, [&] { ran.push_back(2); });
    queue.after(0, [&] { ran.push_back(0); });
    queue.after(0.03, [&] { ran.push_back(3); });
    QTRY_COMPARE_WITH_TIMEOUT(ran.size(), std::size_t{4}, 5000);
    QCOMPARE(ran, (std::vector<int>{0, 1, 2, 3}));
  }

  void taskWaitsAtLeastItsDelay() {
    QtMainQueue queue;
    const double start = queue.now();
    double ranAt = -1;
    queue.after(0.05, [&] { ranAt = queue.now(); });
    QTRY_VERIFY_WITH_TIMEOUT(ranAt >= 0, 5000);
    QVERIFY(ranAt - start >= 0.05);
  }

  void cancelledAndUnknownTasksAreHarmless() {
    QtMainQueue queue;
    std::vector<int> ran;
    const TaskId later = queue.after(0.02, [&] { ran.push_back(99); });
    queue.after(0, [&] {
      ran.push_back(1);
      queue.cancel(later);
      queue.cancel(later);
      queue.cancel(123456);
    });
    queue.after(0.04, [&] { ran.push_back(2); });
    QTRY_COMPARE_WITH_TIMEOUT(ran.size(), std::size_t{2}, 5000);
    QCOMPARE(ran, (std::vector<int>{1, 2}));
  }

  void repeatingTaskRunsUntilItCancelsItself() {
    QtMainQueue queue;
    int ticks = 0;
    bool done = false;
    TaskId timer = 0;
    timer = queue.every(0.01, [&] {
      if (++ticks == 3)
        queue.cancel(timer);
    });
    queue.after(0.1, [&] { done = true; });
    QTRY_VERIFY_WITH_TIMEOUT(done, 5000);
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
    QtMainQueue queue;
    const QDateTime epoch2001(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC);
    const double expected =
        static_cast<double>(epoch2001.msecsTo(QDateTime::currentDateTimeUtc())) / 1000.0;
    QVERIFY(std::abs(queue.wallTimeSince2001() - expected) < 1.0);
  }
};

QTEST_GUILESS_MAIN(QtMainQueueTest)
#include "QtMainQueueTest.moc"
