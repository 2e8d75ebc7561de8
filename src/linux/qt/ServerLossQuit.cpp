// Both X connections of the process, Qt's and Dovrik's own, hear of the server's end; whichever
// does first, the user reads one line, and the history is written before the process ends.
#include "linux/qt/ServerLossQuit.h"

#include <QCoreApplication>
#include <QString>
#include <cstdio>
#include <utility>

namespace dovrik::qt {
namespace {

ServerLossQuit* instance = nullptr;

}  // namespace

ServerLossQuit::ServerLossQuit(std::function<void()> beforeExit)
    : beforeExit_(std::move(beforeExit)) {
  instance = this;
  previous_ = qInstallMessageHandler(&ServerLossQuit::handleMessage);
}

ServerLossQuit::~ServerLossQuit() {
  qInstallMessageHandler(previous_);
  instance = nullptr;
}

void ServerLossQuit::tell() {
  if (!told_)
    std::fputs("Dovrik: the connection to the X server was lost; quitting.\n", stderr);
  told_ = true;
}

void ServerLossQuit::lost() {
  tell();
  QCoreApplication::exit(1);
}

void ServerLossQuit::handleMessage(QtMsgType type, const QMessageLogContext& context,
                                   const QString& message) {
  if (!instance)
    return;
  if (message.startsWith(QStringLiteral("The X11 connection broke"))) {
    instance->tell();
    instance->beforeExit_();
    return;
  }
  // Qt answers its own default handler when none was installed before.
  instance->previous_(type, context, message);
}

}  // namespace dovrik::qt
