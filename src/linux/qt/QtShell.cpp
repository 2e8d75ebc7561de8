// Desktop shell services through Qt, standard streams and syslog.
#include "linux/qt/QtShell.h"

#include <syslog.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QStringList>
#include <QUrl>

namespace dovrik::qt {
namespace {

void writeLine(std::FILE* stream, const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}

}  // namespace

QtShell::QtShell(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}

void QtShell::openURL(const std::string& url) {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

// The freedesktop file-manager interface selects the item in its folder (Nautilus, Dolphin,
// Nemo, Thunar, Caja and PCManFM implement it); without a session bus, or with no file
// manager that answers, the folder holding the item opens in the default handler instead.
void QtShell::revealInFileManager(const std::string& fileURL) {
  const QUrl url(QString::fromStdString(fileURL));
  const QUrl folder = url.adjusted(QUrl::StripTrailingSlash).adjusted(QUrl::RemoveFilename);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    QDesktopServices::openUrl(folder);
    return;
  }
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.FileManager1"),
      QStringLiteral("/org/freedesktop/FileManager1"),
      QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
  call << QStringList{url.toString(QUrl::FullyEncoded)} << QString();
  // Asked without waiting: a file manager being started by the bus may take seconds.
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                   [folder](QDBusPendingCallWatcher* done) {
                     if (done->isError())
                       QDesktopServices::openUrl(folder);
                     done->deleteLater();
                   });
}

void QtShell::beep() {
  QApplication::beep();
}

void QtShell::systemLog(const std::string& line) {
  writeLine(err_, line);
  // The line is an argument, never the format: a "%" in it must not be interpreted.
  ::syslog(LOG_USER | LOG_NOTICE, "%s", line.c_str());
}

void QtShell::printLine(const std::string& line) {
  writeLine(out_, line);
}

}  // namespace dovrik::qt
