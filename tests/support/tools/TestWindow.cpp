// dovrik-test-window --title T --app-id ID: a Qt Wayland window with a focused line edit,
// for the tests to place, copy from and paste into. It takes one command per line on standard
// input and reports on standard output:
//   copy-text TEXT       -> "copied text/plain"
//   copy-image W H       -> "copied image/png"   (a W×H opaque image)
//   copy-secret TEXT     -> "copied secret"      (marked the way KDE's password managers mark it)
//   quit
// "active" / "inactive" when the window gains or loses activation; "painted W H" once it has
// painted itself at a new size (what it shows from then on); "edited TEXT" with the whole
// text after each edit (typed or pasted); when Ctrl+V pastes into it,
// what the clipboard held at that moment: "pasted-hint VALUE" for a password manager's mark,
// "pasted-image WxH", then "pasted-text TEXT".
#include <unistd.h>

#include <cstdio>

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCommandLineParser>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QSocketNotifier>

namespace {

void report(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

QMimeData* imageData(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(40, 120, 200));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  auto* data = new QMimeData;
  data->setData("image/png", png);
  return data;
}

void copy(const QString& command) {
  const QString verb = command.section(' ', 0, 0);
  const QString rest = command.section(' ', 1);
  auto* clipboard = QGuiApplication::clipboard();
  if (verb == "copy-text") {
    clipboard->setText(rest);
    report("copied text/plain");
  } else if (verb == "copy-image") {
    clipboard->setMimeData(
        imageData(rest.section(' ', 0, 0).toInt(), rest.section(' ', 1).toInt()));
    report("copied image/png");
  } else if (verb == "copy-secret") {
    auto* data = new QMimeData;
    data->setText(rest);
    data->setData("x-kde-passwordManagerHint", "secret");
    clipboard->setMimeData(data);
    report("copied secret");
  } else if (verb == "quit") {
    QCoreApplication::quit();
  } else {
    report("unknown " + verb);
  }
}

// Reports what a paste brings before the line edit takes it.
class PasteReporter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
      const QMimeData* data = QGuiApplication::clipboard()->mimeData();
      if (data && data->hasFormat("x-kde-passwordManagerHint"))
        report("pasted-hint " + QString::fromUtf8(data->data("x-kde-passwordManagerHint")));
      if (data && data->hasFormat("image/png")) {
        const QImage image = QImage::fromData(data->data("image/png"), "PNG");
        report(QString("pasted-image %1x%2").arg(image.width()).arg(image.height()));
      }
      if (data && data->hasText())
        report("pasted-text " + data->text());
    }
    return QObject::eventFilter(watched, event);
  }
};

class ActivationReporter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowActivate)
      report("active");
    else if (event->type() == QEvent::WindowDeactivate)
      report("inactive");
    return QObject::eventFilter(watched, event);
  }
};

// The line edit, telling when it has painted itself at a size it had not shown before.
class SizeReportingEdit : public QLineEdit {
 protected:
  void paintEvent(QPaintEvent* event) override {
    QLineEdit::paintEvent(event);
    if (size() == shown_)
      return;
    shown_ = size();
    report(QString("painted %1 %2").arg(shown_.width()).arg(shown_.height()));
  }

 private:
  QSize shown_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCommandLineParser parser;
  parser.addOption({"title", "The window's title.", "title", "Test window"});
  parser.addOption({"app-id", "The desktop file name (Wayland app id).", "id", "dovrik-test"});
  parser.process(app);
  QGuiApplication::setDesktopFileName(parser.value("app-id"));

  SizeReportingEdit edit;
  edit.setWindowTitle(parser.value("title"));
  edit.resize(400, 200);
  PasteReporter pastes;
  ActivationReporter activations;
  edit.installEventFilter(&pastes);
  edit.installEventFilter(&activations);
  QObject::connect(&edit, &QLineEdit::textEdited,
                   [](const QString& text) { report("edited " + text); });
  edit.show();
  edit.setFocus();

  QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
  QByteArray pending;
  QObject::connect(&input, &QSocketNotifier::activated, [&input, &pending] {
    char chunk[4096];
    const ssize_t n = read(STDIN_FILENO, chunk, sizeof chunk);
    if (n <= 0) {
      input.setEnabled(false);  // the test went away
      QCoreApplication::quit();
      return;
    }
    pending.append(chunk, n);
    for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
      copy(QString::fromUtf8(pending.left(end)).trimmed());
      pending.remove(0, end + 1);
    }
  });
  return app.exec();
}
