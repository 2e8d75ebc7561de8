// Showing, moving, fading and the keyboard grab of the clipboard popup.
#include "ui/ClipboardPopupWindow.h"

#include <algorithm>
#include <cmath>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QRegion>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <QWindow>

#include "core/theme/Theme.h"
#include "ui/ClipboardPopupView.h"
#include "ui/X11WindowSupport.h"

namespace dovrik::ui {
namespace {

constexpr int grabRetryMilliseconds = 20;
constexpr int grabAttempts = 75;  // 1.5 s
// Time before the search field takes the typing, once the content is in place.
constexpr int searchFocusDelayMilliseconds = 50;

int milliseconds(double seconds) {
  return static_cast<int>(std::lround(std::max(0.0, seconds) * 1000));
}

}  // namespace

namespace {

// Override-redirect on X11: the window manager neither places nor decorates it, never gives it
// the focus, and shows it on whichever desktop is current. Where the desktop places it, it is
// an ordinary frameless window that takes the keyboard when presented, as nothing else can.
Qt::WindowFlags popupFlags(bool placedByDesktop) {
  if (placedByDesktop)
    return Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
  return Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
         Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus;
}

}  // namespace

ClipboardPopupWindow::ClipboardPopupWindow(DesktopToRoot desktopToRoot, HotkeyFilter hotkeys,
                                           ColorScheme scheme, DesktopPlacement placement)
    : QWidget(nullptr, popupFlags(static_cast<bool>(placement.present))),
      desktopToRoot_(std::move(desktopToRoot)),
      hotkeys_(std::move(hotkeys)),
      placement_(std::move(placement)),
      scheme_(scheme),
      fade_(new QVariantAnimation(this)),
      move_(new QPropertyAnimation(this, "geometry", this)) {
  if (!placement_.present) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
  }
  // An ARGB window, so a compositing manager can show the card's rounded corners; without one
  // the corners are cut away instead. The card itself stays opaque: with no blur behind it,
  // windows showing through would fight with the rows' text.
  setAttribute(Qt::WA_TranslucentBackground);
  setWindowTitle(QStringLiteral("Dovrik Clipboard History"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  // The core decides the panel's size; what the content would like must not grow it.
  layout->setSizeConstraint(QLayout::SetNoConstraint);
  connect(fade_, &QVariantAnimation::valueChanged, this,
          [this](const QVariant& value) { setWindowOpacity(value.toDouble()); });
  grabRetry_.setInterval(grabRetryMilliseconds);
  connect(&grabRetry_, &QTimer::timeout, this, [this] { tryToGrabKeyboard(); });
  winId();
  windowHandle()->installEventFilter(this);
}

ClipboardPopupWindow::~ClipboardPopupWindow() {
  releaseKeyboard();
}

void ClipboardPopupWindow::show(ClipboardPopupModel& content, const Rect& from, const Rect& to,
                                TimedAnimation animation) {
  ++generation_;
  // A compositing manager may have started or stopped since the last opening.
  compositing_ = isCompositing();
  if (contentModel_ != &content) {
    delete content_;
    content_ = new ClipboardPopupView(content, scheme_, this);
    content_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    contentModel_ = &content;
    connect(content_, &ClipboardPopupView::closeRequested, this, [this] {
      // The content's close button is one more way of pressing Escape.
      keyPressed.emit(PopupKey::escape);
    });
    layout()->addWidget(content_);
  }

  fade_->stop();
  move_->stop();
  if (placement_.present) {
    presentPlaced(to);
    return;
  }
  if (compositing_) {
    setGeometry(rootToQt(desktopToRoot_(from)));
    setWindowOpacity(0);
  } else {
    setGeometry(rootToQt(desktopToRoot_(to)));
    setWindowOpacity(1);
  }
  frame_ = to;
  updateShape();
  QWidget::show();
  // Mapping does not restack a window shown before; windows raised since would cover it.
  raise();
  if (compositing_) {
    moveTo(to, animation);
    fade_->setStartValue(0.0);
    fade_->setEndValue(1.0);
    fade_->setDuration(milliseconds(animation.duration));
    fade_->setEasingCurve(easingFor(animation.curve));
    fade_->start();
  }
  grabAttemptsLeft_ = grabAttempts;
  tryToGrabKeyboard();
  QTimer::singleShot(searchFocusDelayMilliseconds, content_,
                     [view = content_] { view->focusSearch(); });
}

// Only the desktop moves the window, in one step: no fades or slides that Qt could not show.
void ClipboardPopupWindow::presentPlaced(const Rect& to) {
  frame_ = to;
  resize(static_cast<int>(to.width), static_cast<int>(to.height));
  setWindowOpacity(1);
  updateShape();
  QWidget::show();
  placement_.present(windowTitle().toStdString(), to);
  QTimer::singleShot(searchFocusDelayMilliseconds, content_,
                     [view = content_] { view->focusSearch(); });
}

void ClipboardPopupWindow::animateFrame(const Rect& to, TimedAnimation animation) {
  frame_ = to;
  if (placement_.present) {
    resize(static_cast<int>(to.width), static_cast<int>(to.height));
    placement_.present(windowTitle().toStdString(), to);
    return;
  }
  moveTo(to, animation);
}

void ClipboardPopupWindow::moveTo(const Rect& desktopFrame, TimedAnimation animation) {
  move_->stop();
  move_->setStartValue(geometry());
  move_->setEndValue(rootToQt(desktopToRoot_(desktopFrame)));
  move_->setDuration(milliseconds(animation.duration));
  move_->setEasingCurve(easingFor(animation.curve));
  move_->start();
}

void ClipboardPopupWindow::hide(TimedAnimation animation) {
  releaseKeyboard();
  if (placement_.present) {
    // The window that had the keyboard gets it back before the paste keystroke is typed.
    QWidget::hide();
    placement_.dismissed();
    return;
  }
  const int generation = generation_;
  const auto orderOut = [this, generation] {
    if (generation == generation_)
      QWidget::hide();
  };
  if (!compositing_) {
    fade_->stop();
    orderOut();
    return;
  }
  fade_->stop();
  fade_->setStartValue(windowOpacity());
  fade_->setEndValue(0.0);
  fade_->setDuration(milliseconds(animation.duration));
  fade_->setEasingCurve(easingFor(animation.curve));
  fade_->start();
  QTimer::singleShot(milliseconds(animation.duration), this, orderOut);
}

void ClipboardPopupWindow::dropContent() {
  releaseKeyboard();
  ++generation_;
  const bool wasPlaced = placement_.present && QWidget::isVisible();
  QWidget::hide();
  if (wasPlaced)
    placement_.dismissed();
  delete content_;
  content_ = nullptr;
  contentModel_ = nullptr;
}

void ClipboardPopupWindow::setColorScheme(ColorScheme scheme) {
  scheme_ = scheme;
  if (content_)
    content_->setColorScheme(scheme);
}

bool ClipboardPopupWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != windowHandle() || event->type() != QEvent::KeyPress)
    return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  // The clipboard hotkey pressed again closes the popup, and the snap hotkeys keep working.
  if (hotkeys_ && hotkeys_(static_cast<std::uint8_t>(key->nativeScanCode()),
                           static_cast<std::uint16_t>(key->nativeModifiers())))
    return true;
  switch (key->key()) {
    case Qt::Key_Up:
      keyPressed.emit(PopupKey::up);
      return true;
    case Qt::Key_Down:
      keyPressed.emit(PopupKey::down);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (key->modifiers().testFlag(Qt::ControlModifier))
        keyPressed.emit(PopupKey::stack);
      else if (key->modifiers().testFlag(Qt::ShiftModifier))
        keyPressed.emit(PopupKey::selectPlainText);
      else
        keyPressed.emit(PopupKey::select);
      return true;
    case Qt::Key_Escape:
      keyPressed.emit(PopupKey::escape);
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

void ClipboardPopupWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  updateShape();
}

void ClipboardPopupWindow::tryToGrabKeyboard() {
  if (!QWidget::isVisible() || hasKeyboard_) {
    grabRetry_.stop();
    return;
  }
  // On Qt's own connection: the key events then come to this window through Qt, and go to the
  // search field although the window is never activated.
  hasKeyboard_ = windowHandle()->setKeyboardGrabEnabled(true);
  if (hasKeyboard_ || --grabAttemptsLeft_ <= 0)
    grabRetry_.stop();
  else if (!grabRetry_.isActive())
    grabRetry_.start();
}

void ClipboardPopupWindow::releaseKeyboard() {
  grabRetry_.stop();
  if (!hasKeyboard_)
    return;
  hasKeyboard_ = false;
  if (windowHandle())
    windowHandle()->setKeyboardGrabEnabled(false);
}

void ClipboardPopupWindow::updateShape() {
  if (compositing_) {
    clearMask();
    return;
  }
  QPainterPath card;
  card.addRoundedRect(QRectF(rect()), Theme::cardCornerRadius, Theme::cardCornerRadius);
  setMask(QRegion(card.toFillPolygon().toPolygon()));
}

}  // namespace dovrik::ui
