// One Dovrik per session: later starts are forwarded to the running one as re-open requests,
// and command line clients (the POSIX client end) get the running one's reply to their request.
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstring>
#include <future>

#include "linux/ipc/InstanceClient.h"
#include "linux/qt/SingleInstance.h"

using dovrik::ipc::InstanceAnswer;
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

  // Input from the socket is untrusted: a flood without a line break is cut off, and a
  // connection that never sends keeps no one waiting. Through all of it the primary still
  // answers requests and re-opens.
  void clientsGetTheReplyWhateverElseArrives() {
    QTemporaryDir dir;
    SingleInstance primary(dir.path(), "1000-_0");
    int reopened = 0;
    primary.setReopenHandler([&] { ++reopened; });
    primary.setRequestHandler(
        [](const QByteArray& line, SingleInstance::Reply reply) { reply("answer to " + line); });
    QCOMPARE(primary.claim(), SingleInstance::Claim::primary);

    QLocalSocket flood, silent;
    for (QLocalSocket* socket : {&flood, &silent}) {
      socket->connectToServer(primary.socketPath());
      QVERIFY(socket->waitForConnected(1000));
    }
    flood.write(QByteArray(1024 * 1024, 'x'));
    // Well before the idle limit would end it.
    QTRY_COMPARE_WITH_TIMEOUT(flood.state(), QLocalSocket::UnconnectedState, 2000);

    QCOMPARE(ask(dir.path(), "1000-_0", "{\"args\": [\"snap\"]}").reply,
             std::string("answer to {\"args\": [\"snap\"]}"));
    QCOMPARE(SingleInstance(dir.path(), "1000-_0").claim(), SingleInstance::Claim::forwarded);
    QTRY_COMPARE_WITH_TIMEOUT(reopened, 1, 5000);
    QCOMPARE(ask(dir.path(), "1000-_0", "\xff\x00").status, InstanceAnswer::Status::answered);
    QCOMPARE(silent.state(), QLocalSocket::ConnectedState);

    // A primary without a request handler, such as an older Dovrik, hangs up on requests.
    SingleInstance older(dir.path(), "1000-_1");
    QCOMPARE(older.claim(), SingleInstance::Claim::primary);
    QCOMPARE(ask(dir.path(), "1000-_1", "{}").status, InstanceAnswer::Status::noAnswer);
  }

  // Another user's process is hung up on before it is heard, even where loose permissions let
  // it reach the socket.
  void anotherUserIsNotHeard() {
    if (::getuid() != 0)
      QSKIP("only root can act as another user");
    QTemporaryDir dir;
    SingleInstance primary(dir.path(), "0-_0");
    int reopened = 0;
    primary.setReopenHandler([&] { ++reopened; });
    QCOMPARE(primary.claim(), SingleInstance::Claim::primary);
    const QByteArray path = QFile::encodeName(primary.socketPath());
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
    QVERIFY(::chmod(path.constData(), 0777) == 0);

    const pid_t child = ::fork();
    if (child == 0) {
      // As nobody: connect, ask to re-open, and report whether the primary hung up unheard.
      if (::setgid(65534) != 0 || ::setuid(65534) != 0)
        ::_exit(2);
      const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
      if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        ::_exit(3);
      (void)!::write(fd, "reopen\n", 7);
      pollfd wait{fd, POLLIN, 0};
      char byte = 0;
      ::_exit(::poll(&wait, 1, 5000) == 1 && ::read(fd, &byte, 1) <= 0 ? 0 : 4);
    }
    int status = -1;
    // The macro asks again after success: remember the answer, a child is reaped once.
    bool ended = false;
    QTRY_VERIFY_WITH_TIMEOUT(ended || (ended = ::waitpid(child, &status, WNOHANG) == child), 8000);
    QCOMPARE(WEXITSTATUS(status), 0);
    QCOMPARE(reopened, 0);
  }

  // Without a primary, even with the socket file of one that died, the client says so at once
  // and leaves no lock behind: asking never starts a Dovrik.
  void withoutAPrimaryTheClientSaysSoAndClaimsNothing() {
    QTemporaryDir dir;
    QCOMPARE(ask(dir.path(), "1000-_0", "{}").status, InstanceAnswer::Status::notRunning);
    QFile leftover(dir.path() + "/dovrik-1000-_0.socket");
    QVERIFY(leftover.open(QIODevice::WriteOnly));
    leftover.close();
    QCOMPARE(ask(dir.path(), "1000-_0", "{}").status, InstanceAnswer::Status::notRunning);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"dovrik-1000-_0.socket"});
  }

 private:
  // The client blocks until the reply comes, so it asks from a thread of its own while this
  // thread runs the primary's event loop.
  static InstanceAnswer ask(const QString& directory, const QString& key,
                            const std::string& request) {
    const dovrik::ipc::InstancePaths paths{QFile::encodeName(directory).toStdString(),
                                           key.toStdString()};
    auto asked =
        std::async(std::launch::async, [&] { return dovrik::ipc::askInstance(paths, request); });
    const auto ready = [&] {
      return asked.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    };
    // The client gives up on its own within seconds; get() then returns what it concluded.
    (void)QTest::qWaitFor(ready, 10000);
    return asked.get();
  }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "SingleInstanceTest.moc"
