// Log and output lines leave the process exactly as given.
#include <QTest>
#include <cstdio>
#include <string>

#include "linux/qt/QtShell.h"

namespace {

std::string contents(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[256];
  while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, file))
    text.append(buffer, n);
  return text;
}

}  // namespace

class QtShellTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void linesAreWrittenVerbatimToTheirStreams() {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    QVERIFY(out && err);
    dovrik::qt::QtShell shell(out, err);
    // Format directives in a line are text, never instructions.
    shell.systemLog("[Dovrik] odd %s %n %d line");
    shell.printLine("Launch at login error: 100% failed");
    QCOMPARE(contents(err), std::string("[Dovrik] odd %s %n %d line\n"));
    QCOMPARE(contents(out), std::string("Launch at login error: 100% failed\n"));
    std::fclose(out);
    std::fclose(err);
  }
};

QTEST_GUILESS_MAIN(QtShellTest)
#include "QtShellTest.moc"
