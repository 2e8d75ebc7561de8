// The relocation window over its model, drawn with the theme.
#include "ui/RelocationWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/AppIcon.h"
#include "ui/StandaloneWindowStyle.h"
#include "ui/X11WindowSupport.h"

namespace dovrik::ui {
namespace {

constexpr int kRelocationWidth = 400;
constexpr int kRelocationMinimumHeight = 360;
constexpr int kRelocationIconSize = 62;

QLabel* wrappedLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignHCenter);
  return label;
}

}  // namespace

RelocationWindow::RelocationWindow(RelocateModel& model, ColorScheme scheme)
    : model_(model), scheme_(scheme) {
  // Only a close button: there is nothing to minimise to, without a tray.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(32, 32, 32, 24);
  layout->setSpacing(14);

  auto* icon = new QLabel(this);
  icon->setPixmap(appIcon(kRelocationIconSize, devicePixelRatioF()));
  icon->setAlignment(Qt::AlignHCenter);
  heading_ = wrappedLabel(this);
  heading_->setObjectName(QStringLiteral("heading"));
  explanation_ = wrappedLabel(this);
  explanation_->setObjectName(QStringLiteral("explanation"));
  failure_ = wrappedLabel(this);
  failure_->setObjectName(QStringLiteral("failure"));

  primary_ = new QPushButton(this);
  primary_->setObjectName(QStringLiteral("primary"));
  auto* quit = new QPushButton(QStringLiteral("Quit"), this);
  connect(primary_, &QPushButton::clicked, this, [this] { model_.perform(); });
  connect(quit, &QPushButton::clicked, this, [this] { close(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(quit);
  buttons->addWidget(primary_);

  layout->addWidget(icon);
  layout->addWidget(heading_);
  layout->addWidget(explanation_);
  layout->addWidget(failure_);
  layout->addStretch();
  layout->addLayout(buttons);

  observer_ = model_.changed.connect([this] { refresh(); });
  setColorScheme(scheme);
}

RelocationWindow::~RelocationWindow() {
  model_.changed.disconnect(observer_);
}

void RelocationWindow::present() {
  setFixedWidth(kRelocationWidth);
  resize(kRelocationWidth, std::max(kRelocationMinimumHeight, sizeHint().height()));
  setMinimumHeight(kRelocationMinimumHeight);
  setExactTitle(*this, QStringLiteral("Dovrik"));
  centreOnPointerScreen(*this);
  show();
  primary_->setFocus();
  bringForwardAndActivate(*this);
}

void RelocationWindow::setColorScheme(ColorScheme scheme) {
  scheme_ = scheme;
  setStyleSheet(standaloneWindowStyle(scheme, palette()));
  refresh();
}

void RelocationWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  model_.quit();
}

void RelocationWindow::refresh() {
  heading_->setText(QString::fromStdString(model_.heading()));
  explanation_->setText(QString::fromStdString(model_.explanation()));
  failure_->setText(QString::fromStdString(model_.failure().value_or("")));
  failure_->setVisible(model_.failure().has_value());
  primary_->setText(QString::fromStdString(model_.primaryTitle()));
  primary_->setEnabled(!model_.working());
  // The copy that follows a press blocks the loop for a moment; show the disabled button first.
  repaint();
}

}  // namespace dovrik::ui
