// Log and output lines leave the process exactly as given.
#include <QTest>
#include <cstdio>
#include <string>

#include "linux/qt/QtShell.h"

static std::string contents(std::FILE* file) {
  std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
  std::rewind(file);
  text.resize(std::fread(text.data(), 1, text.size(), file));
  return text;
}

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
