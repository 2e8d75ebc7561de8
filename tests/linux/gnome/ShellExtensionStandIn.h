// Dovrik's GNOME Shell extension as Dovrik meets it on the bus: the methods the ports call,
// answered from what the test sets and recorded, and the signals sent to Dovrik's connection
// alone. It answers on a thread of its own, since some of Dovrik's questions wait for the
// answer; what the test sets and reads is guarded for that.
#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVariantList>
#include <map>
#include <vector>

namespace dovrik::gnome::test {

struct ExtensionCall {
  QString method;
  QVariantList args;
};

class ShellExtensionStandIn : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.dovrik.Shell1")

 public:
  // Serves `shellBus` as the Shell; signals go to the connection named `dovrik` alone.
  void serve(QDBusConnection shellBus, const QString& dovrik);
  // Tells Dovrik another application copied content of these types.
  void copy(std::map<QString, QByteArray> content);
  void setModifiers(uint mask);
  // Reads wait until released, answered with the content of when they were asked.
  void holdReads();
  // Answers the held read that was asked `index`th, counting from 0.
  void releaseRead(std::size_t index);
  // How many reads were held so far.
  std::size_t heldReads() const;
  void refuse(const QString& method);
  void sendToDovrik(const QString& signal, const QVariantList& args = {});
  std::vector<ExtensionCall> callsOf(const QString& method) const;

 public Q_SLOTS:
  QString Hello();
  int Pointer(int& y, uint& modifiers);
  QByteArray ReadClipboard(const QString& type, uint limit);
  void WriteClipboard(const QString& type, const QByteArray& bytes, bool alsoPrimary);
  void PressKeys(const QList<uint>& keyvals);
  void ShowPreview(int x, int y, int width, int height, const QByteArray& premultipliedArgb);
  void FadePreview(double alpha, uint milliseconds);
  void HidePreview();
  void SuspendEdgeTiling();
  void RestoreEdgeTiling();

 private:
  // Records the call; answers true when the test made it fail, with the error sent.
  bool refused(const QString& method, const QVariantList& args);

  mutable QMutex mutex_;
  QDBusConnection shellBus_{QString()};
  QString dovrik_;
  std::map<QString, QByteArray> clipboard_;
  uint modifiers_ = 0;
  bool holding_ = false;
  std::vector<QDBusMessage> held_;
  QSet<QString> refusing_;
  std::vector<ExtensionCall> calls_;
};

}  // namespace dovrik::gnome::test
