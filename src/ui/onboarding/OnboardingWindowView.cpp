// Creates, sizes, places and activates the first-run window.
#include "ui/onboarding/OnboardingWindowView.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/StandaloneWindowStyle.h"
#include "ui/X11WindowSupport.h"
#include "ui/onboarding/OnboardingView.h"

namespace dovrik::ui {

namespace {

constexpr int kOnboardingWidth = 420;
constexpr int kOnboardingMinimumHeight = 540;

}  // namespace

OnboardingWindowView::OnboardingWindowView(ColorScheme scheme)
    : QWidget(nullptr, standaloneWindowFlags), scheme_(scheme) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowRole(QStringLiteral("onboarding"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  // The window takes the content's height, never less than the minimum, and cannot be resized.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // The model ends with the program's managers, after the event loop: let go of it first.
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { QWidget::close(); });
}

void OnboardingWindowView::show(OnboardingModel& model) {
  const bool fresh = !view_ || model_ != &model;
  model_ = &model;
  if (fresh)
    buildView();
  setExactTitle(*this, QStringLiteral("Dovrik"));
  QWidget::show();
  adjustSize();
  centreOnPointerScreen(*this);
  if (fresh && view_->primaryButton())
    view_->primaryButton()->setFocus(Qt::OtherFocusReason);
  bringForwardAndActivate(*this);
  // Without a window manager nobody answers that request: take the keyboard directly.
  if (!model.trusted())
    activateWindow();
}

void OnboardingWindowView::dismiss() {
  // The request comes from a button of the content, which must outlive its own click.
  QTimer::singleShot(0, this, [this] { QWidget::close(); });
}

void OnboardingWindowView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (auto* focused = qobject_cast<QPushButton*>(focusWidget()))
        focused->click();
      else if (view_ && view_->primaryButton())
        view_->primaryButton()->click();
      return;
    case Qt::Key_Escape:
      QWidget::close();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void OnboardingWindowView::setColorScheme(ColorScheme scheme) {
  scheme_ = scheme;
  if (view_)
    buildView();
}

void OnboardingWindowView::buildView() {
  delete view_;
  // The content keeps the settings window's look; its buttons take the dialogs' one.
  applyStandaloneStyle(*this, standaloneButtonStyle(scheme_, palette()));
  view_ = new OnboardingView(*model_, scheme_, this);
  view_->setFixedWidth(kOnboardingWidth);
  view_->setMinimumHeight(kOnboardingMinimumHeight);
  view_->setAutoFillBackground(true);
  QPalette palette = view_->palette();
  // The card is in the surface colour: the window around it is not.
  palette.setColor(QPalette::Window, standaloneWindowBackground(scheme_));
  view_->setPalette(palette);
  layout()->addWidget(view_);
}

void OnboardingWindowView::closeEvent(QCloseEvent* event) {
  delete view_;
  view_ = nullptr;
  const bool hadModel = model_ != nullptr;
  model_ = nullptr;
  event->accept();
  if (hadModel)
    closed.emit();
}

}  // namespace dovrik::ui
