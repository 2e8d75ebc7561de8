// Log and output lines leave the process exactly as given; a file is shown through the file
// manager's D-Bus interface, or by opening its folder when no file manager answers.
#include <QDBusConnection>
#include <QDesktopServices>
#include <QProcess>
#include <QTest>
#include <QUrl>
#include <cstdio>
#include <string>

#include "linux/qt/QtShell.h"

static std::string contents(std::FILE* file) {
  std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
  std::rewind(file);
  text.resize(std::fread(text.data(), 1, text.size(), file));
  return text;
}

// The file manager's side of org.freedesktop.FileManager1.
class FakeFileManager : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

 public Q_SLOTS:
  void ShowItems(const QStringList& uris, const QString&) { shown += uris; }

 public:
  QStringList shown;
};

// Stands in for the desktop's default handler of file URLs.
class FolderOpener : public QObject {
  Q_OBJECT

 public Q_SLOTS:
  void open(const QUrl& url) { opened.append(url); }

 public:
  QList<QUrl> opened;
};

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

  void revealAsksTheFileManagerAndOpensTheFolderWhenNoneAnswers() {
    // A private session bus, so the test never reaches the user's file manager.
    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--session"), QStringLiteral("--nofork"),
                  QStringLiteral("--print-address")});
    QVERIFY(daemon.waitForReadyRead(10000));
    qputenv("DBUS_SESSION_BUS_ADDRESS", daemon.readLine().trimmed());
    FolderOpener opener;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "open");
    dovrik::qt::QtShell shell;

    const std::string file = "file:///home/u/My%20Docs/a%25b.txt";
    shell.revealInFileManager(file);
    QTRY_COMPARE_WITH_TIMEOUT(opener.opened.size(), 1, 10000);
    QCOMPARE(opener.opened[0], QUrl(QStringLiteral("file:///home/u/My%20Docs/")));

    FakeFileManager fileManager;
    QDBusConnection bus = QDBusConnection::sessionBus();
    QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &fileManager,
                               QDBusConnection::ExportAllSlots));
    QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.FileManager1")));
    shell.revealInFileManager("file:///home/u/My%20Docs/");
    QTRY_COMPARE_WITH_TIMEOUT(fileManager.shown.size(), 1, 10000);
    QCOMPARE(fileManager.shown[0], QStringLiteral("file:///home/u/My%20Docs/"));
    QCOMPARE(opener.opened.size(), 1);

    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    daemon.kill();
    daemon.waitForFinished();
  }
};

QTEST_GUILESS_MAIN(QtShellTest)
#include "QtShellTest.moc"
