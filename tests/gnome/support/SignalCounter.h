// Counts the D-Bus signals a connection delivers to it, for tests that check that nothing is
// heard.
#pragma once

#include <QObject>

namespace dovrik::gnometest {

class SignalCounter : public QObject {
  Q_OBJECT

 public:
  int count = 0;

 public Q_SLOTS:
  void count_() { ++count; }
};

}  // namespace dovrik::gnometest
