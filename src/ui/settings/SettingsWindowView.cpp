// Creates, places and activates the settings window, and reads the keys of a recording.
#include "ui/settings/SettingsWindowView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/KeyboardFocusRing.h"
#include "ui/X11WindowSupport.h"
#include "ui/settings/SettingsSidebarView.h"
#include "ui/settings/SettingsView.h"

namespace dovrik::ui {
namespace {

constexpr int kGrabAttempts = 20;
constexpr int kGrabRetryMs = 50;

bool isModifierKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
      return true;
    default:
      return false;
  }
}

// Super is the command key of this desktop.
KeyboardShortcut::ModifierSet modifiersOf(Qt::KeyboardModifiers flags) {
  KeyboardShortcut::ModifierSet set;
  if (flags & Qt::MetaModifier)
    set.insert(KeyboardShortcut::Modifier::command);
  if (flags & Qt::AltModifier)
    set.insert(KeyboardShortcut::Modifier::option);
  if (flags & Qt::ControlModifier)
    set.insert(KeyboardShortcut::Modifier::control);
  if (flags & Qt::ShiftModifier)
    set.insert(KeyboardShortcut::Modifier::shift);
  return set;
}

}  // namespace

SettingsWindowView::SettingsWindowView(ColorScheme scheme, KeyPosition keyPosition)
    : scheme_(scheme), keyPosition_(std::move(keyPosition)) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setMinimumSize(680, 420);
  KeyboardFocusRing::install(*this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  grabRetry_.setInterval(kGrabRetryMs);
  connect(&grabRetry_, &QTimer::timeout, this, [this] { tryToGrabKeyboard(); });
}

SettingsWindowView::~SettingsWindowView() {
  endRecording();
}

void SettingsWindowView::show(SettingsContent& content) {
  const bool fresh = !view_ || content_ != &content;
  content_ = &content;
  if (fresh) {
    buildView();
    resize(780, 500);
  }
  centreOnPointerScreen(*this);
  setExactTitle(*this, QStringLiteral("Dovrik — Settings"));
  QWidget::show();
  if (fresh)
    view_->sidebar().focusSelection();
  bringForwardAndActivate(*this);
}

void SettingsWindowView::setColorScheme(ColorScheme scheme) {
  scheme_ = scheme;
  if (view_)
    buildView();
}

void SettingsWindowView::buildView() {
  endRecording();
  delete view_;
  view_ = new SettingsView(
      *content_,
      {.scheme = scheme_,
       .recordKeys = [this](ShortcutRecorder& recorder) { recordKeys(recorder); }},
      [this] { endRecording(); }, this);
  layout()->addWidget(view_);
}

void SettingsWindowView::recordKeys(ShortcutRecorder& recorder) {
  endRecording();
  recorder_ = &recorder;
  recorderObserver_ = recorder.changed.connect([this] {
    if (recorder_ && !recorder_->isRecording())
      QTimer::singleShot(0, this, [this] { endRecording(); });
  });
  qApp->installEventFilter(this);
  grabAttemptsLeft_ = kGrabAttempts;
  tryToGrabKeyboard();
}

void SettingsWindowView::tryToGrabKeyboard() {
  if (!recorder_ || hasKeyboard_) {
    grabRetry_.stop();
    return;
  }
  QWindow* window = windowHandle();
  hasKeyboard_ = window && window->setKeyboardGrabEnabled(true);
  if (hasKeyboard_ || --grabAttemptsLeft_ <= 0)
    grabRetry_.stop();
  else if (!grabRetry_.isActive())
    grabRetry_.start();
}

void SettingsWindowView::endRecording() {
  grabRetry_.stop();
  if (hasKeyboard_ && windowHandle())
    windowHandle()->setKeyboardGrabEnabled(false);
  hasKeyboard_ = false;
  if (!recorder_)
    return;
  qApp->removeEventFilter(this);
  ShortcutRecorder* recorder = recorder_;
  recorder_ = nullptr;
  recorder->changed.disconnect(recorderObserver_);
  if (recorder->isRecording())
    recorder->cancel();
}

bool SettingsWindowView::eventFilter(QObject* watched, QEvent* event) {
  if (!recorder_ || !recorder_->isRecording())
    return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyRelease)
    return true;
  if (event->type() != QEvent::KeyPress)
    return QWidget::eventFilter(watched, event);
  const auto* press = static_cast<QKeyEvent*>(event);
  if (press->isAutoRepeat() || isModifierKey(press->key()))
    return true;
  recorder_->keyPressed(keyPosition_(press->nativeScanCode()), modifiersOf(press->modifiers()));
  return true;
}

void SettingsWindowView::closeEvent(QCloseEvent* event) {
  endRecording();
  delete view_;
  view_ = nullptr;
  content_ = nullptr;
  event->accept();
  closed.emit();
}

void SettingsWindowView::changeEvent(QEvent* event) {
  // Another window took the focus: the recording ends without a change.
  if (event->type() == QEvent::ActivationChange && !isActiveWindow())
    endRecording();
  QWidget::changeEvent(event);
}

}  // namespace dovrik::ui
