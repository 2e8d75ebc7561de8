// Desktop shell services through Qt, standard streams and syslog.
#include "linux/qt/QtShell.h"

#include <syslog.h>

#include <QApplication>
#include <QDesktopServices>
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
